#include "script_graphics/FilterPixels.h"

#include "app/CWindow.h"
#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/PlaneDisplacement.h"

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
    std::vector<int64_t> distances(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x) {
        const int64_t dy = truncateToInt(amplitude * std::sin(x * density + phase));
        distances[static_cast<size_t>(x)] = dy * width + dx;
    }
    const auto distance = [&distances](int x, int) { return distances[static_cast<size_t>(x)]; };
    CPlane colour = displacePlane(raster->GetDataPtr(), width, height, raster->GetPixelSize(), distance);
    if (!colour)
        return;
    CPlane alpha = raster->getAlphaPlane();
    if (alpha)
        alpha = displacePlane(alpha.get(), width, height, 1, distance);
    raster->setPlanes(std::move(colour), std::move(alpha), width, height);
}

} // namespace FilterPixels
