// The blitters. Every channel blends as floor((s × a + d × (256 − a)) / 256), the weight a being
// out of 256, which is what the blend table gives; the row loops below compute it in 16-bit
// lanes so that the compiler vectorises them, and skip or copy whole runs of transparent or
// opaque alpha bytes.
#include "graphics/CGraphicsObject.h"

#include "graphics/AlphaRuns.h"
#include "graphics/CSurface.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

using AlphaRuns::walkAlpha;

uint16_t* mulArray = nullptr;

bool isSet(const CXRect& r)
{
    return r.right != r.left && r.bottom != r.top;
}

bool isTwoByte(int bpp)
{
    return bpp == 15 || bpp == 16;
}

// The rectangle a blitter draws: the first pixel and the row length in bytes of each buffer.
struct Area {
    const uint8_t* source;
    const uint8_t* alpha;
    uint8_t* target;
    uint8_t* targetAlpha;
    int width;
    int height;
    size_t sourceRow;
    size_t alphaRow;
    size_t targetRow;
    size_t targetAlphaRow;
};

enum class SetUp { Draw, Nothing, Refused };

// Limits one axis of the drawn rectangle to both buffers, moving its source and target starts
// together.
void clipAxis(int64_t& from, int64_t& to, int64_t& length, int sourceLength, int targetLength)
{
    const int64_t cut = std::max({int64_t{0}, -from, -to});
    from += cut;
    to += cut;
    length = std::min({length - cut, sourceLength - from, targetLength - to});
}

// The source clipping rectangle picks the part of the source and moves its target; the source
// window then picks a part of that, drawn where the clipped part would start.
SetUp setUp(const _canvas& source, const _canvas& target, int sourcePixel, int targetPixel, Area& area)
{
    if (source.data == nullptr || target.data == nullptr || source.width <= 0 || source.height <= 0)
        return SetUp::Refused;
    int64_t fromX = 0, fromY = 0;
    int64_t width = source.width, height = source.height;
    int64_t toX = source.x, toY = source.y;
    if (isSet(source.rect)) {
        fromX = source.rect.left;
        fromY = source.rect.top;
        width = int64_t{source.rect.right} - source.rect.left;
        height = int64_t{source.rect.bottom} - source.rect.top;
        toX += fromX;
        toY += fromY;
    }
    if (isSet(target.rect)) {
        fromX += target.rect.left;
        fromY += target.rect.top;
        width = int64_t{target.rect.right} - target.rect.left;
        height = int64_t{target.rect.bottom} - target.rect.top;
    }
    if (width < 0 || height < 0)
        return SetUp::Refused;
    clipAxis(fromX, toX, width, source.width, target.width);
    clipAxis(fromY, toY, height, source.height, target.height);
    if (width <= 0 || height <= 0)
        return SetUp::Nothing;

    const size_t sourcePixelIndex = static_cast<size_t>(fromY) * source.width + static_cast<size_t>(fromX);
    const size_t targetPixelIndex = static_cast<size_t>(toY) * target.width + static_cast<size_t>(toX);
    area.source = reinterpret_cast<const uint8_t*>(source.data) + sourcePixelIndex * sourcePixel;
    area.alpha = source.alpha == nullptr ? nullptr : source.alpha + sourcePixelIndex;
    area.target = reinterpret_cast<uint8_t*>(target.data) + targetPixelIndex * targetPixel;
    area.targetAlpha = target.alpha == nullptr ? nullptr : target.alpha + targetPixelIndex;
    area.width = static_cast<int>(width);
    area.height = static_cast<int>(height);
    area.sourceRow = static_cast<size_t>(source.width) * sourcePixel;
    area.alphaRow = static_cast<size_t>(source.width);
    area.targetRow = static_cast<size_t>(target.width) * targetPixel;
    area.targetAlphaRow = static_cast<size_t>(target.width);
    return SetUp::Draw;
}

// Runs the row function over every row of the area: (source, alpha, target, target alpha, width).
template <typename Row>
bool forEachRow(const _canvas* source, const _canvas* target, int targetPixel, Row row)
{
    Area area;
    const SetUp result = setUp(*source, *target, 2, targetPixel, area);
    if (result != SetUp::Draw)
        return result == SetUp::Nothing;
    for (int y = 0; y < area.height; ++y) {
        row(reinterpret_cast<const uint16_t*>(area.source), area.alpha, area.target, area.targetAlpha, area.width);
        area.source += area.sourceRow;
        area.target += area.targetRow;
        if (area.alpha != nullptr)
            area.alpha += area.alphaRow;
        if (area.targetAlpha != nullptr)
            area.targetAlpha += area.targetAlphaRow;
    }
    return true;
}

// One channel of at most 6 bits: s × a + d × (256 − a) stays below 2^15.
inline uint16_t mix(uint16_t s, uint16_t d, uint16_t a)
{
    return static_cast<uint16_t>(static_cast<uint16_t>(s * a + d * (256 - a)) >> 8);
}

// A 2-byte pixel's blue (bits 0-4), green (GreenMask bits from GreenShift) and red (5 bits
// from RedShift), each blended and put back; the target's bits in Kept stay, the others come
// out 0. With a weight of 0 every field keeps the target's value.
template <int GreenShift, int GreenMask, int RedShift, int Kept>
inline uint16_t blendPixel(uint16_t s, uint16_t d, uint16_t a)
{
    const uint16_t blue = mix(s & 31, d & 31, a);
    const uint16_t green = mix(s >> GreenShift & GreenMask, d >> GreenShift & GreenMask, a);
    const uint16_t red = mix(s >> RedShift & 31, d >> RedShift & 31, a);
    return static_cast<uint16_t>(blue | green << GreenShift | red << RedShift | (d & Kept));
}

// 5-5-5 keeps the target's top bit; the 5-bit green of 5-6-5 drops the lowest green bit.
using Blend555 = std::integer_sequence<int, 5, 31, 10, 0x8000>;
using Blend565Green5 = std::integer_sequence<int, 6, 31, 11, 0>;
using Blend565Green6 = std::integer_sequence<int, 5, 63, 11, 0>;

template <typename Fields>
struct Blender;

template <int GreenShift, int GreenMask, int RedShift, int Kept>
struct Blender<std::integer_sequence<int, GreenShift, GreenMask, RedShift, Kept>> {
    static uint16_t pixel(uint16_t s, uint16_t d, uint16_t a)
    {
        return blendPixel<GreenShift, GreenMask, RedShift, Kept>(s, d, a);
    }

    // Alpha 0 keeps the target, 255 takes the source, anything else blends.
    static void alphaSpan(const uint16_t* __restrict s, const uint8_t* __restrict a, uint16_t* __restrict d, int n)
    {
        for (int i = 0; i < n; ++i) {
            const uint16_t weight = a[i];
            uint16_t out = pixel(s[i], d[i], weight);
            out = weight == 0 ? d[i] : out;
            d[i] = weight == 255 ? s[i] : out;
        }
    }

    // As alphaSpan, and the target's alpha rises by the source's, up to 255.
    static void canvasSpan(const uint16_t* __restrict s, const uint8_t* __restrict a, uint16_t* __restrict d,
                           uint8_t* __restrict da, int n)
    {
        alphaSpan(s, a, d, n);
        for (int i = 0; i < n; ++i)
            da[i] = static_cast<uint8_t>(std::min(255, da[i] + a[i]));
    }

    static void weightSpan(const uint16_t* __restrict s, uint16_t* __restrict d, int n, uint16_t weight)
    {
        for (int i = 0; i < n; ++i)
            d[i] = pixel(s[i], d[i], weight);
    }

    // Weight (alpha × opacity) >> 8. A weight of 0 keeps the target by itself in the layouts
    // that keep every target bit; the compiler turns a test for it into an unvectorisable
    // overflow check.
    static void alphaOpacitySpan(const uint16_t* __restrict s, const uint8_t* __restrict a, uint16_t* __restrict d,
                                 int n, uint16_t opacity)
    {
        static_assert((GreenMask << GreenShift | 31 << RedShift | 31 | Kept) == 0xFFFF);
        for (int i = 0; i < n; ++i) {
            const uint16_t alpha = a[i];
            d[i] = pixel(s[i], d[i], static_cast<uint16_t>(static_cast<uint16_t>(alpha * opacity) >> 8));
        }
    }
};

// Every pixel whose alpha byte is not 0 is copied.
inline void maskSpan(const uint16_t* __restrict s, const uint8_t* __restrict a, uint16_t* __restrict d, int n)
{
    for (int i = 0; i < n; ++i) {
        const auto copied = static_cast<uint16_t>(-static_cast<uint16_t>(a[i] != 0));
        d[i] = static_cast<uint16_t>((s[i] & copied) | (d[i] & ~copied));
    }
}

template <typename Fields>
bool alphaBlit(const _canvas* source, const _canvas* target)
{
    if (source->alpha == nullptr)
        return false;
    return forEachRow(source, target, 2, [](const uint16_t* s, const uint8_t* a, uint8_t* t, uint8_t*, int width) {
        auto* d = reinterpret_cast<uint16_t*>(t);
        walkAlpha(
            a, width, [&](int from, int n) { std::memcpy(d + from, s + from, static_cast<size_t>(n) * 2); },
            [&](int from, int n) { Blender<Fields>::alphaSpan(s + from, a + from, d + from, n); });
    });
}

template <typename Fields>
bool canvasBlit(const _canvas* source, const _canvas* target)
{
    if (source->alpha == nullptr)
        return forEachRow(source, target, 2, [](const uint16_t* s, const uint8_t*, uint8_t* t, uint8_t* ta, int width) {
            std::memcpy(t, s, static_cast<size_t>(width) * 2);
            std::memset(ta, 255, static_cast<size_t>(width));
        });
    return forEachRow(source, target, 2, [](const uint16_t* s, const uint8_t* a, uint8_t* t, uint8_t* ta, int width) {
        auto* d = reinterpret_cast<uint16_t*>(t);
        walkAlpha(
            a, width,
            [&](int from, int n) {
                std::memcpy(d + from, s + from, static_cast<size_t>(n) * 2);
                std::memset(ta + from, 255, static_cast<size_t>(n));
            },
            [&](int from, int n) { Blender<Fields>::canvasSpan(s + from, a + from, d + from, ta + from, n); });
    });
}

// The opacity travels as a 16-bit lane value: the row loops then vectorise.
template <typename Fields>
bool opacityBlit(const _canvas* source, const _canvas* target, uint16_t opacity)
{
    if (opacity == 0)
        return true;
    return forEachRow(source, target, 2, [opacity](const uint16_t* s, const uint8_t*, uint8_t* t, uint8_t*, int width) {
        Blender<Fields>::weightSpan(s, reinterpret_cast<uint16_t*>(t), width, opacity);
    });
}

template <typename Fields>
bool alphaOpacityBlit(const _canvas* source, const _canvas* target, uint16_t opacity)
{
    if (source->alpha == nullptr)
        return false;
    if (opacity == 0)
        return true;
    const auto opaqueWeight = static_cast<uint16_t>(255 * opacity >> 8);
    return forEachRow(source, target, 2,
                      [opacity, opaqueWeight](const uint16_t* s, const uint8_t* a, uint8_t* t, uint8_t*, int width) {
                          auto* d = reinterpret_cast<uint16_t*>(t);
                          walkAlpha(
                              a, width, [&](int from, int n) { Blender<Fields>::weightSpan(s + from, d + from, n, opaqueWeight); },
                              [&, opacity](int from, int n) {
                                  Blender<Fields>::alphaOpacitySpan(s + from, a + from, d + from, n, opacity);
                              });
                      });
}

// 32-bit targets: the target's channels are cut to 5 bits, blended with the source's 5-bit
// blue, green (its top 5 bits) and red through the blend table, and the 5-6-5 result widened
// by the surface's table.
inline unsigned mixByTable(const uint16_t* mul, unsigned s, unsigned d, unsigned a)
{
    return static_cast<uint16_t>(mul[(s - d + 256) * 256 + a] + d * 256) >> 8;
}

uint32_t blendTo32(uint16_t s, uint32_t d, unsigned a, const uint16_t* mul, const uint32_t* widen)
{
    const unsigned blue = mixByTable(mul, s & 31, (d & 0xFF) >> 3, a);
    const unsigned green = mixByTable(mul, s >> 6 & 31, (d >> 8 & 0xFF) >> 3, a);
    const unsigned red = mixByTable(mul, s >> 11 & 31, (d >> 16 & 0xFF) >> 3, a);
    return widen[blue | green << 6 | red << 11];
}

// Runs pixel(source pixel, alpha or 255, target pixel) over a 32-bit target; it returns
// whether the target pixel changed.
template <typename Pixel>
bool blitTo32(const _canvas* source, const _canvas* target, Pixel pixel)
{
    if (!isTwoByte(source->bpp) || target->bpp != 32)
        return false;
    return forEachRow(source, target, 4, [&pixel](const uint16_t* s, const uint8_t* a, uint8_t* t, uint8_t*, int width) {
        auto* d = reinterpret_cast<uint32_t*>(t);
        for (int i = 0; i < width; ++i)
            d[i] = pixel(s[i], a == nullptr ? 255u : a[i], d[i]);
    });
}

const uint16_t* blendTable()
{
    CGraphicsObject::__initialize_mul_array();
    return CGraphicsObject::__get_mul_array();
}

bool bothAt(int bpp, const _canvas* source, const _canvas* target)
{
    return source->bpp == bpp && target->bpp == bpp;
}

bool sameTwoByteDepth(const _canvas* source, const _canvas* target)
{
    return isTwoByte(source->bpp) && source->bpp == target->bpp;
}

} // namespace

void CGraphicsObject::__initialize_mul_array()
{
    if (mulArray != nullptr)
        return;
    mulArray = new uint16_t[512 * 256];
    for (int r = 0; r < 512; ++r)
        for (int k = 0; k < 256; ++k)
            mulArray[r * 256 + k] = static_cast<uint16_t>((r - 256) * k);
}

const uint16_t* CGraphicsObject::__get_mul_array()
{
    return mulArray;
}

void CGraphicsObject::__done_mul_array()
{
    delete[] mulArray;
    mulArray = nullptr;
}

void CGraphicsObject::ReleaseGraphics()
{
    __done_mul_array();
}

bool CGraphicsObject::__copy(_canvas* source, _canvas* destination)
{
    if (sameTwoByteDepth(source, destination))
        return __copy_bpp15_16(source, destination);
    if (isTwoByte(source->bpp) && destination->bpp == 24)
        return true;
    if (isTwoByte(source->bpp) && destination->bpp == 32)
        return __copy_bpp32(source, destination);
    return false;
}

bool CGraphicsObject::__copy_bpp15_16(_canvas* source, _canvas* destination)
{
    if (!sameTwoByteDepth(source, destination))
        return false;
    return forEachRow(source, destination, 2, [](const uint16_t* s, const uint8_t*, uint8_t* t, uint8_t*, int width) {
        std::memcpy(t, s, static_cast<size_t>(width) * 2);
    });
}

bool CGraphicsObject::__copy_bpp32(_canvas* source, _canvas* destination)
{
    const uint32_t* widen = CSurface::getBppConversionTable();
    return blitTo32(source, destination, [widen](uint16_t s, unsigned, uint32_t) { return widen[s]; });
}

bool CGraphicsObject::__copy_alpha(_canvas* source, _canvas* destination)
{
    if (source->bpp == 15 && destination->bpp == 15)
        return __copy_alpha15(source, destination);
    if (source->bpp == 16 && destination->bpp == 16)
        return __copy_alpha16(source, destination);
    if (isTwoByte(source->bpp) && destination->bpp == 24)
        return false;
    if (isTwoByte(source->bpp) && destination->bpp == 32)
        return __copy_alpha32(source, destination);
    return true;
}

bool CGraphicsObject::__copy_alpha15(_canvas* source, _canvas* destination)
{
    return bothAt(15, source, destination) && alphaBlit<Blend555>(source, destination);
}

bool CGraphicsObject::__copy_alpha16(_canvas* source, _canvas* destination)
{
    return bothAt(16, source, destination) && alphaBlit<Blend565Green5>(source, destination);
}

bool CGraphicsObject::__copy_alpha32(_canvas* source, _canvas* destination)
{
    if (source->alpha == nullptr)
        return false;
    const uint16_t* mul = blendTable();
    const uint32_t* widen = CSurface::getBppConversionTable();
    return blitTo32(source, destination, [mul, widen](uint16_t s, unsigned a, uint32_t d) {
        if (a == 0)
            return d;
        return a == 255 ? widen[s] : blendTo32(s, d, a, mul, widen);
    });
}

bool CGraphicsObject::__copy_alpha_as_mask(_canvas* source, _canvas* destination)
{
    if (source->alpha == nullptr || !isTwoByte(source->bpp))
        return false;
    if (destination->bpp == 32) {
        const uint32_t* widen = CSurface::getBppConversionTable();
        return blitTo32(source, destination, [widen](uint16_t s, unsigned a, uint32_t d) { return a != 0 ? widen[s] : d; });
    }
    if (!isTwoByte(destination->bpp))
        return destination->bpp == 24;
    return forEachRow(source, destination, 2, [](const uint16_t* s, const uint8_t* a, uint8_t* t, uint8_t*, int width) {
        auto* d = reinterpret_cast<uint16_t*>(t);
        walkAlpha(
            a, width, [&](int from, int n) { std::memcpy(d + from, s + from, static_cast<size_t>(n) * 2); },
            [&](int from, int n) { maskSpan(s + from, a + from, d + from, n); });
    });
}

bool CGraphicsObject::__copy_blend(_canvas* source, _canvas* destination, unsigned char opacity)
{
    const bool withAlpha = source->alpha != nullptr;
    if (source->bpp == 15 && destination->bpp == 15)
        return withAlpha ? __copy_alpha_blend15(source, destination, opacity) : __copy_blend15(source, destination, opacity);
    if (source->bpp == 16 && destination->bpp == 16)
        return withAlpha ? __copy_alpha_blend16(source, destination, opacity) : __copy_blend16(source, destination, opacity);
    if (isTwoByte(source->bpp) && destination->bpp == 32)
        return withAlpha ? __copy_alpha_blend32(source, destination, opacity) : __copy_blend32(source, destination, opacity);
    if (isTwoByte(source->bpp) && destination->bpp == 24)
        return false;
    return true;
}

bool CGraphicsObject::__copy_blend15(_canvas* source, _canvas* destination, unsigned char opacity)
{
    return bothAt(15, source, destination) && opacityBlit<Blend555>(source, destination, opacity);
}

bool CGraphicsObject::__copy_blend16(_canvas* source, _canvas* destination, unsigned char opacity)
{
    return bothAt(16, source, destination) && opacityBlit<Blend565Green6>(source, destination, opacity);
}

bool CGraphicsObject::__copy_blend32(_canvas* source, _canvas* destination, unsigned char opacity)
{
    if (opacity == 0)
        return true;
    const uint16_t* mul = blendTable();
    const uint32_t* widen = CSurface::getBppConversionTable();
    _canvas opaque = *source;
    opaque.alpha = nullptr;
    return blitTo32(&opaque, destination, [mul, widen, opacity](uint16_t s, unsigned, uint32_t d) {
        return blendTo32(s, d, opacity, mul, widen);
    });
}

bool CGraphicsObject::__copy_alpha_blend15(_canvas* source, _canvas* destination, unsigned char opacity)
{
    return bothAt(15, source, destination) && alphaOpacityBlit<Blend555>(source, destination, opacity);
}

bool CGraphicsObject::__copy_alpha_blend16(_canvas* source, _canvas* destination, unsigned char opacity)
{
    return bothAt(16, source, destination) && alphaOpacityBlit<Blend565Green6>(source, destination, opacity);
}

bool CGraphicsObject::__copy_alpha_blend32(_canvas* source, _canvas* destination, unsigned char opacity)
{
    if (source->alpha == nullptr)
        return false;
    const uint16_t* mul = blendTable();
    const uint32_t* widen = CSurface::getBppConversionTable();
    return blitTo32(source, destination, [mul, widen, opacity](uint16_t s, unsigned a, uint32_t d) {
        const unsigned weight = a * opacity >> 8;
        return weight == 0 ? d : blendTo32(s, d, weight, mul, widen);
    });
}

bool CGraphicsObject::copyToCanvas(_canvas* source, _canvas* destination)
{
    if (!sameTwoByteDepth(source, destination))
        return true;
    if (destination->alpha == nullptr)
        return false;
    return source->bpp == 15 ? canvasBlit<Blend555>(source, destination) : canvasBlit<Blend565Green5>(source, destination);
}
