#pragma once

#include "foundation/CXPoint.h"
#include "foundation/CXSize.h"

#include <cstdint>

class CXArray;

// A pixel rectangle whose right and bottom edges are exclusive: it covers
// left <= x < right and top <= y < bottom. All zeros is the empty rectangle.
class CXRect {
public:
    CXRect() = default;
    explicit CXRect(int v)
        : left(v)
        , top(v)
        , right(v)
        , bottom(v)
    {
    }
    CXRect(int left, int top, int right, int bottom)
        : left(left)
        , top(top)
        , right(right)
        , bottom(bottom)
    {
    }
    CXRect(const CXPoint& a, const CXPoint& b)
        : CXRect(a.x, a.y, b.x, b.y)
    {
    }
    // A copy of r, or the empty rectangle for null.
    explicit CXRect(const CXRect* r);

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // A rectangle with right < left has a (negative) width and is not empty.
    bool IsEmpty() const { return right == left || bottom == top; }
    void Empty() { *this = CXRect(); }
    void SetToEmpty() { Empty(); }

    bool IsInRect(const CXPoint& p) const { return IsInRect(p.x, p.y); }
    bool IsInRect(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
    // Within o; the edges may touch.
    bool IsPartOf(const CXRect& o) const;
    bool isInside(const CXRect& o) const { return IsPartOf(o); }

    bool operator==(const CXRect& o) const = default;

    CXRect& operator+=(const CXPoint& p);
    CXRect& operator-=(const CXPoint& p) { return *this += CXPoint(-p.x, -p.y); }
    CXRect operator+(const CXPoint& p) const { return CXRect(*this) += p; }
    CXRect operator-(const CXPoint& p) const { return CXRect(*this) -= p; }

    CXRect& Explode(int d) { return Explode(d, d); }
    CXRect& Explode(int dx, int dy);
    CXRect& Explode(const CXSize& s) { return Explode(s.width, s.height); }
    CXRect& Explode(const CXPoint& p) { return Explode(p.x, p.y); }

    // Becomes the bounding box of both; an empty o takes part like any other.
    CXRect& Sum(const CXRect& o);
    // The intersection; rectangles that only touch give a width or height of 0,
    // disjoint ones the empty rectangle.
    CXRect Common(const CXRect& o) const;
    void Common(const CXRect& o, CXRect* out) const { *out = Common(o); }

    CXPoint CenterPoint() const;
    // The top-left point that centres g (a picture, or anything with a width and a height) in
    // this rectangle.
    template <typename Sized>
    CXPoint GetCenteredPosition(Sized* g) const
    {
        return {(Width() - g->Width()) / 2 + left, (Height() - g->Height()) / 2 + top};
    }

    CXPoint LeftTop() const { return {left, top}; }
    CXPoint TopLeft() const { return LeftTop(); }
    CXPoint RightTop() const { return {right, top}; }
    CXPoint LeftBottom() const { return {left, bottom}; }
    CXPoint RightBottom() const { return {right, bottom}; }
    CXPoint BottomRight() const { return RightBottom(); }

    // Appends a new rectangle to list when it has an area; the list's owner deletes it.
    static void addRect(CXArray* list, int left, int top, int right, int bottom);
    // The parts of this rectangle outside o, as a new array of new rectangles that
    // never overlap; empty when o does not overlap it or covers it whole.
    CXArray* sub(const CXRect& o) const;

    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
