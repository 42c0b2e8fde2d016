#pragma once

#include <cmath>

// A point of the world's plane, in world units.
struct PathPoint {
    float x = 0;
    float y = 0;

    bool operator==(const PathPoint&) const = default;
};

// A box of the world's plane, low corner and high corner.
struct PathBox {
    PathPoint low;
    PathPoint high;
};

// Plain square roots: world values are far from where hypot's care for overflow matters, and
// speeds are read for every body at every step.
inline float lengthOf(const PathPoint& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y);
}

inline float distanceBetween(const PathPoint& a, const PathPoint& b)
{
    return lengthOf({b.x - a.x, b.y - a.y});
}
