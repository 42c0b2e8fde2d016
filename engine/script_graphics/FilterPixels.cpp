#include "script_graphics/FilterPixels.h"

#include "app/CWindow.h"
#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/PlaneDisplacement.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace FilterPixels {

Layout layoutOf(CWindow* window)
{
    if (window != nullptr && window->GetBpp() == 16)
        return {true, 11, 0xF800, 0x3F, 0x07E0, 0x07C0};
    return {false, 10, 0x7C00, 0x1F, 0x03E0, 0x03C0};
}

void unpackForUse(CGraphicsObject* raster)
{
    if (raster->GetCompression() == COMPRESSION_RLE)
        raster->unpack();
}

uint16_t* wordsOf(CGraphicsObject* raster)
{
    unpackForUse(raster);
    if (raster->GetPixelSize() != 2 || raster->isPacked() || raster->Width() <= 0 || raster->Height() <= 0)
        return nullptr;
    return reinterpret_cast<uint16_t*>(raster->GetDataPtr());
}

void wave(CGraphicsObject* raster, int dx, int amplitude, double density, int phase)
{
    unpackForUse(raster);
    const int width = raster->Width();
    const int height = raster->Height();
    if (raster->isPacked() || !raster->getColourPlane() || width <= 0 || height <= 0)
        return;
    const int64_t count = int64_t{width} * height;
    std::vector<int32_t> columns(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[static_cast<size_t>(x)] = PlaneDisplacement::heldDistance(
            int64_t{truncateToInt(amplitude * std::sin(x * density + phase))} * width + dx, count);
    const auto [lowest, highest] = std::minmax_element(columns.begin(), columns.end());
    const auto distancesOf = [&columns](int, int32_t* distances) { std::copy(columns.begin(), columns.end(), distances); };
    DisplacedPlanes displaced = displacePlanes(raster->GetDataPtr(), raster->GetPixelSize(), raster->GetAlphaPtr(), width,
                                               height, *lowest, *highest, distancesOf);
    if (displaced.colour)
        raster->setPlanes(std::move(displaced.colour), std::move(displaced.alpha), width, height);
}

} // namespace FilterPixels
