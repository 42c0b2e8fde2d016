#pragma once

#include "graphics/CPlane.h"
#include "graphics/PixelGather.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

// The displaced copies of a raster's planes: the pixel at (x, y) takes the pixel that lies d
// pixels further on in row order (before it, when d is negative) when that one lies inside the
// planes, and keeps its own otherwise; colour and alpha alike.
struct DisplacedPlanes {
    CPlane colour;
    CPlane alpha;
};

namespace PlaneDisplacement {

// A pixel of that many bytes.
template <int Size>
struct Cell {
    char bytes[Size];
};

// A distance of the plane's size or more leaves it from any pixel, as far as it may be.
inline int32_t heldDistance(int64_t distance, int64_t count)
{
    return static_cast<int32_t>(std::clamp(distance, -count, count));
}

// to[i] = from[indices[i]], eight at a time for words and bytes.
template <typename Cell>
void gatherCells(const Cell* from, int64_t, const int32_t* indices, int count, Cell* to)
{
    for (int i = 0; i < count; ++i)
        to[i] = from[indices[i]];
}
inline void gatherCells(const uint16_t* from, int64_t cells, const int32_t* indices, int count, uint16_t* to)
{
    gatherWords(from, cells, indices, count, to);
}
inline void gatherCells(const uint8_t* from, int64_t cells, const int32_t* indices, int count, uint8_t* to)
{
    gatherBytes(from, cells, indices, count, to);
}

template <typename Cell>
void displaceRow(const Cell* from, const unsigned char* alpha, Cell* to, unsigned char* toAlpha, int64_t start,
                 int width, const int32_t* distances, bool inside, int64_t count, int32_t* sources)
{
    if (inside) {
        // Within the planes, whose cells an int counts.
        for (int x = 0; x < width; ++x)
            sources[x] = static_cast<int32_t>(start + x) + distances[x];
        gatherCells(from, count, sources, width, to + start);
        if (toAlpha != nullptr)
            gatherCells(alpha, count, sources, width, toAlpha + start);
        return;
    }
    for (int x = 0; x < width; ++x) {
        const int64_t i = start + x;
        const int64_t source = i + distances[x];
        const int64_t taken = source >= 0 && source < count ? source : i;
        to[i] = from[taken];
        if (toAlpha != nullptr)
            toAlpha[i] = alpha[taken];
    }
}

template <typename Cell, typename RowDistances>
DisplacedPlanes displace(const char* colour, const unsigned char* alpha, int width, int height, int32_t lowest,
                         int32_t highest, RowDistances distancesOf)
{
    const int64_t count = int64_t{width} * height;
    DisplacedPlanes displaced{CPlane::allocate(static_cast<size_t>(count) * sizeof(Cell)),
                              alpha != nullptr ? CPlane::allocate(static_cast<size_t>(count)) : CPlane()};
    const auto* from = reinterpret_cast<const Cell*>(colour);
    auto* to = reinterpret_cast<Cell*>(displaced.colour.get());
    std::vector<int32_t> row(static_cast<size_t>(width));
    std::vector<int32_t> sources(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        distancesOf(y, row.data());
        const int64_t start = int64_t{y} * width;
        // Most rows take every pixel from inside the planes.
        const bool inside = start + lowest >= 0 && start + width - 1 + highest < count;
        displaceRow(from, alpha, to, displaced.alpha.bytes(), start, width, row.data(), inside, count, sources.data());
    }
    return displaced;
}

} // namespace PlaneDisplacement

// The displaced copies of a colour plane of width × height pixels of cellSize bytes (1 to 4) and,
// when given, of its alpha plane. distancesOf(y, d) gives the distances of row y's pixels into
// d[0] to d[width - 1], each from lowest to highest and held as PlaneDisplacement::heldDistance
// holds it; it is asked once for each row, in order. No planes for other pixel sizes, for no
// pixels, or for more pixels than an int counts.
template <typename RowDistances>
DisplacedPlanes displacePlanes(const char* colour, int cellSize, const unsigned char* alpha, int width, int height,
                               int32_t lowest, int32_t highest, RowDistances distancesOf)
{
    using namespace PlaneDisplacement;
    if (colour == nullptr || width <= 0 || height <= 0 || int64_t{width} * height > std::numeric_limits<int32_t>::max())
        return {};
    switch (cellSize) {
    case 1:
        return displace<uint8_t>(colour, alpha, width, height, lowest, highest, distancesOf);
    case 2:
        return displace<uint16_t>(colour, alpha, width, height, lowest, highest, distancesOf);
    case 3:
        return displace<Cell<3>>(colour, alpha, width, height, lowest, highest, distancesOf);
    case 4:
        return displace<uint32_t>(colour, alpha, width, height, lowest, highest, distancesOf);
    default:
        return {};
    }
}
