#include "script_graphics/CDisplacementFilters.h"

#include "foundation/CXRandom.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/PlaneDisplacement.h"

#include <vector>

namespace {

constexpr int kRandomJitterCode = 200;
constexpr int kWavesCode = 201;
// Draws are 15 bits: a larger MAXJITTER leaves them as they are.
constexpr int kDrawLimit = 0x8000;

} // namespace

CRandomJitterFilterOptions::CRandomJitterFilterOptions()
    : CStaticFilterOptions(kRandomJitterCode)
{
}

void CRandomJitterFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "MAXJITTER")
        maxJitter_ = value.toNumber();
    else
        CStaticFilterOptions::readOptions(name, value);
}

CRandomJitterFilter::CRandomJitterFilter(CWindow* owner)
    : CStaticFilter(owner)
{
    setOptions(new CRandomJitterFilterOptions);
}

// The draws of a row are made together, two a pixel, the column's before the row's.
void CRandomJitterFilter::apply(CGraphicsObject* raster, bool release)
{
    const int jitter = static_cast<const CRandomJitterFilterOptions&>(options()).getMaxJitter();
    if (jitter <= 0)
        return;
    CStaticFilter::apply(raster, release);
    const int width = raster->Width();
    const int height = raster->Height();
    if (raster->isPacked() || width <= 0 || height <= 0)
        return;
    const int half = jitter / 2;
    const FilterPixels::Quotient quotient(jitter);
    const auto distanceOf = [&](int draw) {
        return half - (jitter < kDrawLimit ? draw - jitter * static_cast<int>(quotient(static_cast<uint16_t>(draw))) : draw);
    };
    std::vector<int> draws(static_cast<size_t>(width) * 2);
    std::vector<int64_t> distances(static_cast<size_t>(width));
    const auto distance = [&](int x, int) {
        if (x == 0) {
            CXRandom::draw(draws.data(), width * 2);
            for (size_t i = 0; i < distances.size(); ++i)
                distances[i] = int64_t{distanceOf(draws[2 * i + 1])} * width + distanceOf(draws[2 * i]);
        }
        return distances[static_cast<size_t>(x)];
    };
    CPlane colour = displacePlane(raster->GetDataPtr(), width, height, raster->GetPixelSize(), distance);
    if (colour)
        raster->setPlanes(std::move(colour), raster->getAlphaPlane(), width, height);
}

CWavesFilterOptions::CWavesFilterOptions()
    : CStaticFilterOptions(kWavesCode)
{
}

void CWavesFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "AMPLITUDE")
        amplitude_ = value.toNumber();
    else if (name == "DENSITY")
        density_ = value.toDouble();
    else if (name == "OFFSET")
        offset_ = value.toNumber();
    else
        CStaticFilterOptions::readOptions(name, value);
}

CWavesFilter::CWavesFilter(CWindow* owner)
    : CStaticFilter(owner)
{
    setOptions(new CWavesFilterOptions);
}

void CWavesFilter::apply(CGraphicsObject* raster, bool release)
{
    CStaticFilter::apply(raster, release);
    const auto& waves = static_cast<const CWavesFilterOptions&>(options());
    FilterPixels::wave(raster, waves.getOffset(), waves.getAmplitude(), waves.getDensity(), 0);
}
