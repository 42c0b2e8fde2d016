#pragma once

#include "graphics/CPlane.h"

#include <cstdint>
#include <cstring>

namespace PlaneDisplacement {

// A cell of a plane: a pixel of that many bytes, or an alpha byte.
template <int Size>
struct Cell {
    char bytes[Size];
};

template <typename Cell, typename Distance>
CPlane displace(const char* plane, int width, int height, Distance distance)
{
    const int64_t count = int64_t{width} * height;
    CPlane displaced = CPlane::allocate(static_cast<size_t>(count) * sizeof(Cell));
    const auto* from = reinterpret_cast<const Cell*>(plane);
    auto* to = reinterpret_cast<Cell*>(displaced.get());
    for (int y = 0; y < height; ++y) {
        const int64_t row = int64_t{y} * width;
        for (int x = 0; x < width; ++x) {
            const int64_t i = row + x;
            const int64_t source = i + distance(x, y);
            to[i] = from[source >= 0 && source < count ? source : i];
        }
    }
    return displaced;
}

} // namespace PlaneDisplacement

// The displaced copy of a plane of width × height cells of cellSize bytes (1 to 4): the cell at
// (x, y) takes the cell that lies distance(x, y) cells further on in row order (before it, when
// negative) when that one lies inside the plane, and keeps its own value otherwise. distance
// is asked once for each cell, in row order. No plane for other cell sizes or no cells.
template <typename Distance>
CPlane displacePlane(const char* plane, int width, int height, int cellSize, Distance distance)
{
    using namespace PlaneDisplacement;
    if (plane == nullptr || width <= 0 || height <= 0)
        return {};
    switch (cellSize) {
    case 1:
        return displace<uint8_t>(plane, width, height, distance);
    case 2:
        return displace<uint16_t>(plane, width, height, distance);
    case 3:
        return displace<Cell<3>>(plane, width, height, distance);
    case 4:
        return displace<uint32_t>(plane, width, height, distance);
    default:
        return {};
    }
}
