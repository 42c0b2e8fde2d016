#include "script_graphics/CDisplacementFilters.h"

#include "foundation/CXRandom.h"
#include "foundation/CpuClones.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/PlaneDisplacement.h"
#include "script_graphics/FilterPixels.h"

#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

// The code of each pixel of a row from its pair of draws: the row's remainder × jitter + the
// column's, for jitters of 2 to 4, whose squares codes tell apart. Each remainder is
// draw - jitter × ((draw × ceil(2^16 / jitter)) >> 16), exact for 15-bit draws at these jitters.
class JitterCodes {
public:
    explicit JitterCodes(int jitter)
        : jitter_(jitter)
        , multiplier_(static_cast<uint16_t>((0x10000 + jitter - 1) / jitter))
    {
    }

    void operator()(const int* draws, int width, uint16_t* codes) const
    {
        int x = 0;
#if defined(__x86_64__)
        if (__builtin_cpu_supports("avx512bw"))
            x = thirtyTwos(draws, width, codes);
        else if (__builtin_cpu_supports("avx2"))
            x = sixteens(draws, width, codes);
#endif
        for (; x < width; ++x)
            codes[x] = static_cast<uint16_t>(remainder(draws[2 * x + 1]) * jitter_ + remainder(draws[2 * x]));
    }

private:
    int remainder(int draw) const
    {
        return draw - jitter_ * static_cast<int>((static_cast<uint32_t>(draw) * multiplier_) >> 16);
    }

#if defined(__x86_64__)
    // Sixteen pixels at a time: their 32 draws packed to 16 bits, remainders in 16-bit lanes, each
    // pair summed by one multiply-add. The pixels done.
    __attribute__((target("avx2"))) int sixteens(const int* draws, int width, uint16_t* codes) const
    {
        const __m256i multiplier = _mm256_set1_epi16(static_cast<short>(multiplier_));
        const __m256i jitter = _mm256_set1_epi16(static_cast<short>(jitter_));
        const __m256i weights = _mm256_set1_epi32(jitter_ << 16 | 1);
        int x = 0;
        for (; x + 16 <= width; x += 16) {
            __m256i pairs[2];
            for (int half = 0; half < 2; ++half) {
                const int* at = draws + 2 * x + 16 * half;
                const __m256i draws16 = inOrder(_mm256_packus_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)),
                                                                    _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 8))));
                const __m256i quotients = _mm256_mulhi_epu16(draws16, multiplier);
                const __m256i remainders = _mm256_sub_epi16(draws16, _mm256_mullo_epi16(quotients, jitter));
                pairs[half] = _mm256_madd_epi16(remainders, weights);
            }
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(codes + x), inOrder(_mm256_packus_epi32(pairs[0], pairs[1])));
        }
        return x;
    }

    // As sixteens does, on registers twice as wide.
    __attribute__((target("avx512f,avx512bw"))) int thirtyTwos(const int* draws, int width, uint16_t* codes) const
    {
        const __m512i multiplier = _mm512_set1_epi16(static_cast<short>(multiplier_));
        const __m512i jitter = _mm512_set1_epi16(static_cast<short>(jitter_));
        const __m512i weights = _mm512_set1_epi32(jitter_ << 16 | 1);
        // packus works within 128-bit quarters: they are put back in order.
        const __m512i quarters = _mm512_set_epi64(7, 5, 3, 1, 6, 4, 2, 0);
        int x = 0;
        for (; x + 32 <= width; x += 32) {
            __m512i pairs[2];
            for (int half = 0; half < 2; ++half) {
                const int* at = draws + 2 * x + 32 * half;
                const __m512i draws16 = _mm512_permutexvar_epi64(
                    quarters, _mm512_packus_epi32(_mm512_loadu_si512(at), _mm512_loadu_si512(at + 16)));
                const __m512i quotients = _mm512_mulhi_epu16(draws16, multiplier);
                const __m512i remainders = _mm512_sub_epi16(draws16, _mm512_mullo_epi16(quotients, jitter));
                pairs[half] = _mm512_madd_epi16(remainders, weights);
            }
            _mm512_storeu_si512(codes + x, _mm512_permutexvar_epi64(quarters, _mm512_packus_epi32(pairs[0], pairs[1])));
        }
        return x;
    }

    // packus works within 128-bit halves: the quarters are put back in order.
    __attribute__((target("avx2"))) static __m256i inOrder(__m256i packed) { return _mm256_permute4x64_epi64(packed, 0xD8); }
#endif

    int jitter_;
    uint16_t multiplier_;
};

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

CRandomJitterFilter::CRandomJitterFilter(ScriptGraphicsWindow* owner)
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
    const auto displacedPlanes = [&]() {
        // Few enough distances for codes: each pixel's pair of draws picks one.
        const auto kinds = static_cast<size_t>(jitter) * static_cast<size_t>(jitter);
        if (raster->GetPixelSize() == 2 && jitter >= 2 && kinds <= FilterPixels::kMostCodedDistances) {
            std::vector<int32_t> distances;
            for (int rowDraw = 0; rowDraw < jitter; ++rowDraw)
                for (int columnDraw = 0; columnDraw < jitter; ++columnDraw)
                    distances.push_back(held(int64_t{half - rowDraw} * width + half - columnDraw));
            std::vector<uint16_t> codes(static_cast<size_t>(width));
            const JitterCodes jitterCodes(jitter);
            const auto codesOf = [&](int) {
                CXRandom::draw(draws.data(), width * 2);
                jitterCodes(draws.data(), width, codes.data());
                return FilterPixels::CodedRow{codes.data(), nullptr};
            };
            return FilterPixels::displaceByCodes(reinterpret_cast<const uint16_t*>(raster->GetDataPtr()), nullptr, width,
                                                 height, distances, codesOf);
        }
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
        return displacePlanes(raster->GetDataPtr(), raster->GetPixelSize(), nullptr, width, height,
                              held(least * width + least), held(int64_t{half} * width + half), distancesOf);
    };
    DisplacedPlanes displaced = displacedPlanes();
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

CWavesFilter::CWavesFilter(ScriptGraphicsWindow* owner)
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
