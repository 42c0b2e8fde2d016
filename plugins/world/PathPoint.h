#pragma once

#include <cmath>

// A point of the world's plane, in world units.
struct PathPoint {
    float x = 0;
    float y = 0;

    bool operator==(const PathPoint&) const = default;
};

inline float distanceBetween(const PathPoint& a, const PathPoint& b)
{
    return std::hypot(b.x - a.x, b.y - a.y);
}
