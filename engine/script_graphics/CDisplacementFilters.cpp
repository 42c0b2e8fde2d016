#include "script_graphics/CDisplacementFilters.h"

#include "foundation/CXRandom.h"
#include "foundation/CpuClones.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/PlaneDisplacement.h"

#include <vector>

namespace {

constexpr int kRandomJitterCode = 200;
constexpr int kWavesCode = 201;
// Draws are 15 bits: a larger MAXJITTER leaves them as they are.
constexpr int kDrawLimit = 0x8000;

// How far a draw moves a pixel along one axis: half - draw mod jitter. Below kDrawLimit the
// quotient is (draw × m) >> shift, with m = ceil(2^shift / jitter) and 2^shift the least power
// of two from 2^15 × jitter: exact for every draw, and m below 2^16 + 1 keeps the product
// within 32 bits.
struct Jitter {
    explicit Jitter(int jitter)
        : jitter(jitter)
        , half(jitter / 2)
    {
        while (shift < 46 && (int64_t{1} << shift) < int64_t{kDrawLimit} * jitter)
            ++shift;
        multiplier = static_cast<uint32_t>(((uint64_t{1} << shift) + static_cast<uint64_t>(jitter) - 1) / static_cast<uint64_t>(jitter));
    }

    int operator()(int draw) const
    {
        if (jitter >= kDrawLimit)
            return half - draw;
        const auto quotient = static_cast<int>((static_cast<uint32_t>(draw) * multiplier) >> shift);
        return half - (draw - jitter * quotient);
    }

    int jitter;
    int half;
    int shift = 0;
    uint32_t multiplier = 0;
};

// The distances of a row from its pairs of draws, where they stay far within 32 bits.
KESTRUM_CPU_CLONES void smallDistances(const int* __restrict draws, int width, Jitter jitter,
                                                                       int32_t* __restrict distances)
{
    for (int x = 0; x < width; ++x)
        distances[x] = jitter(draws[2 * x + 1]) * width + jitter(draws[2 * x]);
}

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
    // Each axis moves from half - (jitter - 1) to half; a row's distance counts width pixels.
    const int half = jitter / 2;
    const int64_t count = int64_t{width} * height;
    const auto held = [count](int64_t distance) { return PlaneDisplacement::heldDistance(distance, count); };
    const int64_t least = int64_t{half} - (jitter - 1);
    const Jitter jitterOf(jitter);
    std::vector<int> draws(static_cast<size_t>(width) * 2);
    // Small jitters on rasters of a common size stay far within 32 bits.
    const bool small = int64_t{jitter} * (width + 1) < (int64_t{1} << 30);
    const auto distancesOf = [&](int, int32_t* distances) {
        CXRandom::draw(draws.data(), width * 2);
        const int* pairs = draws.data();
        if (small) {
            smallDistances(pairs, width, jitterOf, distances);
            return;
        }
        for (int x = 0; x < width; ++x)
            distances[x] = held(int64_t{jitterOf(pairs[2 * x + 1])} * width + jitterOf(pairs[2 * x]));
    };
    DisplacedPlanes displaced = displacePlanes(raster->GetDataPtr(), raster->GetPixelSize(), nullptr, width, height,
                                               held(least * width + least), held(int64_t{half} * width + half), distancesOf);
    if (displaced.colour)
        raster->setPlanes(std::move(displaced.colour), raster->getAlphaPlane(), width, height);
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
