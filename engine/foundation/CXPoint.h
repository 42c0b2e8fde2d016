#pragma once

#include <cstdint>

// A pixel position; y grows downwards.
class CXPoint {
public:
    CXPoint() = default;
    explicit CXPoint(int v)
        : x(v)
        , y(v)
    {
    }
    CXPoint(int x, int y)
        : x(x)
        , y(y)
    {
    }

    CXPoint operator+(int n) const { return {x + n, y + n}; }
    CXPoint operator-(int n) const { return {x - n, y - n}; }
    CXPoint operator+(const CXPoint& p) const { return {x + p.x, y + p.y}; }
    CXPoint operator-(const CXPoint& p) const { return {x - p.x, y - p.y}; }
    bool operator==(const CXPoint& p) const = default;

    int32_t x = 0;
    int32_t y = 0;
};
