#pragma once

#include <algorithm>

namespace platform {

struct Point {
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

// A rectangle the Windows way: right and bottom lie just outside it.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static Rect ofSize(int width, int height) { return {0, 0, width, height}; }

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    // The common part; empty (and then of no particular place) when there is none.
    Rect intersected(const Rect& other) const
    {
        return {std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
                std::min(bottom, other.bottom)};
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace platform
