#pragma once

#include "foundation/CXObject.h"

#include <cstdint>

// A width and a height in pixels.
class CXSize {
public:
    CXSize() = default;
    explicit CXSize(int v)
        : width(v)
        , height(v)
    {
    }
    CXSize(int width, int height)
        : width(width)
        , height(height)
    {
    }

    int mul() const { return width * height; }
    int Sum() const { return width + height; }
    // Raster code reads 0 as an area without pixels.
    int AbsSum() const { return absolute(width) + absolute(height); }

    int32_t width = 0;
    int32_t height = 0;
};
