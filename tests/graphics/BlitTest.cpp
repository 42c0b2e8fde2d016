#include "graphics/CGraphicsObject.h"
#include "graphics/CSurface.h"

#include "RasterMaker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

// The blend of one channel as the blend table gives it, the slow and obvious way.
unsigned tableMix(unsigned s, unsigned d, unsigned a)
{
    const uint16_t* mul = CGraphicsObject::__get_mul_array();
    return static_cast<uint16_t>(mul[(s - d + 256) * 256 + a] + d * 256) >> 8;
}

// The target bits in kept stay as they were.
struct Fields {
    int greenShift;
    unsigned greenMask;
    int redShift;
    unsigned kept;
};
constexpr Fields k555{5, 31, 10, 0x8000};
constexpr Fields k565Green5{6, 31, 11, 0};
constexpr Fields k565Green6{5, 63, 11, 0};

uint16_t tableBlend(uint16_t s, uint16_t d, unsigned a, Fields f)
{
    const unsigned blue = tableMix(s & 31, d & 31, a);
    const unsigned green = tableMix(s >> f.greenShift & f.greenMask, d >> f.greenShift & f.greenMask, a);
    const unsigned red = tableMix(s >> f.redShift & 31, d >> f.redShift & 31, a);
    return static_cast<uint16_t>(blue | green << f.greenShift | red << f.redShift | (d & f.kept));
}

uint32_t tableBlend32(uint16_t s, uint32_t d, unsigned a)
{
    const unsigned blue = tableMix(s & 31, (d & 0xFF) >> 3, a);
    const unsigned green = tableMix(s >> 6 & 31, (d >> 8 & 0xFF) >> 3, a);
    const unsigned red = tableMix(s >> 11 & 31, (d >> 16 & 0xFF) >> 3, a);
    return CSurface::getBppConversionTable()[blue | green << 6 | red << 11];
}

// What one routine does to one pixel: source word, alpha byte (255 without an alpha plane),
// opacity, target pixel and target alpha byte.
using Reference2 = std::function<uint16_t(uint16_t s, unsigned a, unsigned opacity, uint16_t d, uint8_t& da)>;
using Reference32 = std::function<uint32_t(uint16_t s, unsigned a, unsigned opacity, uint32_t d)>;
using Blitter = std::function<bool(_canvas*, _canvas*, unsigned char)>;

Reference2 alphaReference(Fields f)
{
    return [f](uint16_t s, unsigned a, unsigned, uint16_t d, uint8_t&) -> uint16_t {
        return a == 0 ? d : a == 255 ? s : tableBlend(s, d, a, f);
    };
}

Reference2 canvasReference(Fields f)
{
    return [f](uint16_t s, unsigned a, unsigned, uint16_t d, uint8_t& da) -> uint16_t {
        da = static_cast<uint8_t>(std::min(255u, da + a));
        return a == 0 ? d : a == 255 ? s : tableBlend(s, d, a, f);
    };
}

Reference2 opacityReference(Fields f)
{
    return [f](uint16_t s, unsigned, unsigned opacity, uint16_t d, uint8_t&) -> uint16_t {
        return opacity == 0 ? d : tableBlend(s, d, opacity, f);
    };
}

Reference2 alphaOpacityReference(Fields f)
{
    return [f](uint16_t s, unsigned a, unsigned opacity, uint16_t d, uint8_t&) -> uint16_t {
        const unsigned weight = a * opacity >> 8;
        return weight == 0 ? d : tableBlend(s, d, weight, f);
    };
}

uint16_t maskReference(uint16_t s, unsigned a, unsigned, uint16_t d, uint8_t&)
{
    return a != 0 ? s : d;
}

struct Routine2 {
    std::string name;
    int bpp;
    bool sourceAlpha;
    bool targetAlpha;
    Blitter blit;
    Reference2 reference;
};

struct Routine32 {
    std::string name;
    bool sourceAlpha;
    Blitter blit;
    Reference32 reference;
};

Blitter plain(bool (*routine)(_canvas*, _canvas*))
{
    return [routine](_canvas* s, _canvas* d, unsigned char) { return routine(s, d); };
}

const std::vector<Routine2>& routines2()
{
    static const std::vector<Routine2> routines = {
        {"copy_alpha15", 15, true, false, plain(CGraphicsObject::__copy_alpha15), alphaReference(k555)},
        {"copy_alpha16", 16, true, false, plain(CGraphicsObject::__copy_alpha16), alphaReference(k565Green5)},
        {"copyToCanvas15", 15, true, true, plain(CGraphicsObject::copyToCanvas), canvasReference(k555)},
        {"copyToCanvas16", 16, true, true, plain(CGraphicsObject::copyToCanvas), canvasReference(k565Green5)},
        {"copy_blend15", 15, false, false, CGraphicsObject::__copy_blend15, opacityReference(k555)},
        {"copy_blend16", 16, false, false, CGraphicsObject::__copy_blend16, opacityReference(k565Green6)},
        {"copy_alpha_blend15", 15, true, false, CGraphicsObject::__copy_alpha_blend15, alphaOpacityReference(k555)},
        {"copy_alpha_blend16", 16, true, false, CGraphicsObject::__copy_alpha_blend16, alphaOpacityReference(k565Green6)},
        {"copy_alpha_as_mask16", 16, true, false, plain(CGraphicsObject::__copy_alpha_as_mask), maskReference},
        {"copy_bpp15_16", 16, false, false, plain(CGraphicsObject::__copy_bpp15_16),
         [](uint16_t s, unsigned, unsigned, uint16_t, uint8_t&) { return s; }},
    };
    return routines;
}

const std::vector<Routine32>& routines32()
{
    static const std::vector<Routine32> routines = {
        {"copy_alpha32", true, plain(CGraphicsObject::__copy_alpha32),
         [](uint16_t s, unsigned a, unsigned, uint32_t d) {
             return a == 0 ? d : a == 255 ? CSurface::getBppConversionTable()[s] : tableBlend32(s, d, a);
         }},
        {"copy_blend32", false, CGraphicsObject::__copy_blend32,
         [](uint16_t s, unsigned, unsigned opacity, uint32_t d) { return opacity == 0 ? d : tableBlend32(s, d, opacity); }},
        {"copy_alpha_blend32", true, CGraphicsObject::__copy_alpha_blend32,
         [](uint16_t s, unsigned a, unsigned opacity, uint32_t d) {
             const unsigned weight = a * opacity >> 8;
             return weight == 0 ? d : tableBlend32(s, d, weight);
         }},
        {"copy_alpha_as_mask32", true, plain(CGraphicsObject::__copy_alpha_as_mask),
         [](uint16_t s, unsigned a, unsigned, uint32_t d) { return a != 0 ? CSurface::getBppConversionTable()[s] : d; }},
        {"copy_bpp32", false, plain(CGraphicsObject::__copy_bpp32),
         [](uint16_t s, unsigned, unsigned, uint32_t) { return CSurface::getBppConversionTable()[s]; }},
    };
    return routines;
}

// A source or target buffer with its canvas record.
struct Buffer {
    int width = 0;
    int height = 0;
    int bpp = 16;
    std::vector<uint16_t> words;
    std::vector<uint32_t> longs;
    std::vector<uint8_t> alpha;

    _canvas canvas(int x = 0, int y = 0, CXRect rect = CXRect())
    {
        char* data = bpp == 32 ? reinterpret_cast<char*>(longs.data()) : reinterpret_cast<char*>(words.data());
        return {data, alpha.empty() ? nullptr : alpha.data(), nullptr, bpp, x, y, width, height, rect};
    }
};

std::vector<uint32_t> longsOf(CGraphicsObject& raster)
{
    std::vector<uint32_t> longs(static_cast<size_t>(raster.Width()) * raster.Height());
    std::memcpy(longs.data(), raster.GetDataPtr(), longs.size() * 4);
    return longs;
}

bool isSet(const CXRect& r)
{
    return r.right != r.left && r.bottom != r.top;
}

// The pixels a blit covers, worked out pixel by pixel: the clipping rectangle picks the part of
// the source and moves it in the target, the source window picks a part of that, and only
// pixels inside both buffers count.
template <typename Visit>
void coveredPixels(const _canvas& s, const _canvas& d, Visit visit)
{
    int fromX = 0, fromY = 0, width = s.width, height = s.height, toX = s.x, toY = s.y;
    if (isSet(s.rect)) {
        fromX = s.rect.left;
        fromY = s.rect.top;
        width = s.rect.Width();
        height = s.rect.Height();
        toX += fromX;
        toY += fromY;
    }
    if (isSet(d.rect)) {
        fromX += d.rect.left;
        fromY += d.rect.top;
        width = d.rect.Width();
        height = d.rect.Height();
    }
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) {
            const int sx = fromX + i, sy = fromY + j, tx = toX + i, ty = toY + j;
            if (sx >= 0 && sx < s.width && sy >= 0 && sy < s.height && tx >= 0 && tx < d.width && ty >= 0 && ty < d.height)
                visit(sy * s.width + sx, ty * d.width + tx);
        }
}

Buffer randomSource(int width, int height, int bpp, bool withAlpha, TestNoise& noise)
{
    Buffer b;
    b.width = width;
    b.height = height;
    b.bpp = bpp;
    for (int i = 0; i < width * height; ++i)
        b.words.push_back(static_cast<uint16_t>(noise.next() << 1 ^ noise.next()));
    // Alpha in runs of transparent, opaque and partial bytes of 1 to 20 pixels.
    while (withAlpha && static_cast<int>(b.alpha.size()) < width * height) {
        const unsigned kind = noise.next() % 3;
        for (unsigned n = 1 + noise.next() % 20; n > 0; --n)
            b.alpha.push_back(static_cast<uint8_t>(kind == 0 ? 0 : kind == 1 ? 255 : noise.next() % 256));
    }
    b.alpha.resize(withAlpha ? width * height : 0);
    return b;
}

Buffer randomTarget(int width, int height, int bpp, bool withAlpha, TestNoise& noise)
{
    Buffer b = randomSource(width, height, bpp == 32 ? 16 : bpp, false, noise);
    b.bpp = bpp;
    for (int i = 0; bpp == 32 && i < width * height; ++i)
        b.longs.push_back(static_cast<uint32_t>(noise.next()) << 17 ^ noise.next());
    for (int i = 0; withAlpha && i < width * height; ++i)
        b.alpha.push_back(static_cast<uint8_t>(noise.next()));
    return b;
}

struct Placement {
    int x, y;
    CXRect clip, window;
};

// Places that cross 8-pixel groups, row ends and every edge of the target, with clipping
// rectangles and source windows, some reaching beyond the source.
std::vector<Placement> placements(int width, int height)
{
    std::vector<Placement> all;
    for (int x : {-9, -1, 0, 1, 5, 8, 40 - width + 3})
        for (int y : {-1, 0, 4})
            all.push_back({x, y, CXRect(), CXRect()});
    all.push_back({3, 1, CXRect(1, 0, width, height), CXRect()});
    all.push_back({3, 1, CXRect(2, 1, width + 30, height + 9), CXRect()});
    all.push_back({-4, -2, CXRect(-3, -5, width - 1, height), CXRect()});
    all.push_back({2, 0, CXRect(), CXRect(1, 0, width, height)});
    all.push_back({2, 1, CXRect(), CXRect(width / 2, 1, width + 17, height + 3)});
    return all;
}

std::string describe(const std::string& name, int width, int height, const Placement& p, int opacity)
{
    return name + " " + std::to_string(width) + "x" + std::to_string(height) + " at " + std::to_string(p.x) + "," +
           std::to_string(p.y) + " clip " + std::to_string(p.clip.left) + "," + std::to_string(p.clip.top) + "," +
           std::to_string(p.clip.right) + "," + std::to_string(p.clip.bottom) + " window " + std::to_string(p.window.left) +
           "," + std::to_string(p.window.top) + "," + std::to_string(p.window.right) + "," +
           std::to_string(p.window.bottom) + " opacity " + std::to_string(opacity);
}

class BlitSweep : public ::testing::Test {
protected:
    void SetUp() override { CGraphicsObject::__initialize_mul_array(); }
};

} // namespace

// Worked out by hand from the blend rule floor((s × a + d × (256 − a)) / 256).
TEST(Blit, HandWorkedPixels)
{
    struct Case {
        const char* what;
        int bpp;
        uint16_t source, target;
        int alpha;
        int opacity;
        uint16_t expected;
    };
    const Case cases[] = {
        {"alpha 255 copies", 16, 0x1234, 0xABCD, 255, 255, 0x1234},
        {"alpha 254 keeps 2/256 of the target", 16, 0xFFFF, 0x0000, 254, 255, 0xF79E},
        {"alpha 0 leaves the target", 16, 0x1234, 0xABCD, 0, 255, 0xABCD},
        {"alpha path at 128 clears bit 5", 16, 0x0000, 0xFFFF, 128, 255, 0x7BCF},
        {"opacity path at 128 keeps six green bits", 16, 0x0000, 0xFFFF, -1, 128, 0x7BEF},
        {"opacity 254 with alpha 255 weighs 253", 16, 0xFFFF, 0x0000, 255, 254, 0xF7DE},
        {"opacity 1 with alpha 255 weighs 0: skipped", 16, 0x0000, 0xFFFF, 255, 1, 0xFFFF},
        {"opacity 0 draws nothing", 16, 0x0000, 0xFFFF, -1, 0, 0xFFFF},
        {"5-5-5 fields at 128", 15, 0x7FFF, 0x0000, 128, 255, 0x3DEF},
        {"5-5-5 red over blue at 64", 15, 0x7C00, 0x001F, 64, 255, 0x1C17},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto source = c.alpha < 0 ? makeRaster(1, 1, c.bpp, {c.source})
                                  : makeRaster(1, 1, c.bpp, {c.source}, {static_cast<uint8_t>(c.alpha)});
        auto target = makeRaster(1, 1, c.bpp, {c.target});
        source->SetOpacity(static_cast<unsigned char>(c.opacity));
        source->redraw(target.get());
        EXPECT_EQ(wordsOf(*target)[0], c.expected);
    }
}

TEST(Blit, DrawingOntoAnAlphaPlaneRaisesItAndSaturates)
{
    auto source = makeRaster(5, 1, 16, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF}, {100, 100, 255, 0, 128});
    auto target = makeRaster(5, 1, 16, {0, 0, 0, 0, 0}, {200, 10, 3, 77, 0});
    source->redraw(target.get());
    EXPECT_EQ(alphaOf(*target), (std::vector<uint8_t>{255, 110, 255, 77, 128}));
    EXPECT_EQ(wordsOf(*target), (std::vector<uint16_t>{0x630C, 0x630C, 0xFFFF, 0x0000, 0x7BCF}));

    auto opaque = makeRaster(2, 1, 16, {0x1111, 0x2222});
    opaque->redraw(target.get());
    EXPECT_EQ(alphaOf(*target)[1], 255);
    EXPECT_EQ(wordsOf(*target)[0], 0x1111);
}

TEST(Blit, ThirtyTwoBitTargetsGoThroughTheWideningTable)
{
    const uint32_t* widen = CSurface::getBppConversionTable();
    EXPECT_EQ(widen[0xFFFF], 0x00F8FCF8u);
    EXPECT_EQ(widen[0xF800], 0x00F80000u);
    EXPECT_EQ(widen[0x07E0], 0x0000FC00u);
    EXPECT_EQ(widen[0x001F], 0x000000F8u);

    auto source = makeRaster(3, 1, 16, {0xFFFF, 0xFFFF, 0x0000}, {255, 128, 128});
    CGraphicsObject target(nullptr, CXSize(3, 1), 32);
    const uint32_t before[] = {0, 0, 0x00FFFFFF};
    std::memcpy(target.GetDataPtr(), before, sizeof before);
    source->redraw(&target);
    EXPECT_EQ(longsOf(target), (std::vector<uint32_t>{0x00F8FCF8, 0x00787878, 0x00787878}));
}

TEST(Blit, TwentyFourBitTargetsGetNothing)
{
    auto source = makeRaster(2, 1, 16, {0xFFFF, 0xFFFF}, {255, 128});
    CGraphicsObject target(nullptr, CXSize(2, 1), 24);
    std::memset(target.GetDataPtr(), 0x5A, 6);
    for (int opacity : {255, 100}) {
        source->SetOpacity(static_cast<unsigned char>(opacity));
        source->redraw(&target);
        source->setAlphaAsMask(true);
        source->redraw(&target);
    }
    _canvas s, d;
    s.data = source->GetDataPtr();
    s.bpp = 16;
    s.width = 2;
    s.height = 1;
    d.data = target.GetDataPtr();
    d.bpp = 24;
    d.width = 2;
    d.height = 1;
    EXPECT_TRUE(CGraphicsObject::__copy(&s, &d));
    EXPECT_FALSE(CGraphicsObject::__copy_blend(&s, &d, 100));
    EXPECT_EQ(std::string(target.GetDataPtr(), 6), std::string(6, '\x5A'));
}

TEST(Blit, MaskWritesWholePixelsOfTheTargetDepth)
{
    auto source = makeRaster(3, 1, 16, {0xF800, 0x07E0, 0x001F}, {1, 0, 255});
    source->setAlphaAsMask(true);
    auto target16 = makeRaster(3, 1, 16, {0x1111, 0x2222, 0x3333});
    source->redraw(target16.get());
    EXPECT_EQ(wordsOf(*target16), (std::vector<uint16_t>{0xF800, 0x2222, 0x001F}));

    CGraphicsObject target32(nullptr, CXSize(3, 1), 32);
    std::memset(target32.GetDataPtr(), 0, 12);
    source->redraw(&target32);
    EXPECT_EQ(longsOf(target32), (std::vector<uint32_t>{0x00F80000, 0, 0x000000F8}));
}

// Every (source, target, weight) triple of every channel width, against the table.
TEST_F(BlitSweep, EveryChannelValueAndWeightMatchesTheTable)
{
    constexpr int kSide = 1024;
    for (const Routine2& routine : routines2()) {
        SCOPED_TRACE(routine.name);
        // Opacity-only routines take every weight over a grid of channel pairs; the others
        // take every alpha byte with every channel pair.
        const bool weightIsOpacity = routine.name.find("copy_blend") != std::string::npos;
        const bool weighsAlpha = routine.name.find("alpha_blend") != std::string::npos;
        Buffer source, target;
        source.width = target.width = kSide;
        source.height = target.height = weightIsOpacity ? 4 : kSide;
        source.bpp = target.bpp = routine.bpp;
        const int count = source.width * source.height;
        for (int i = 0; i < count; ++i) {
            const unsigned x = weightIsOpacity ? i & 63 : i >> 8 & 63;
            const unsigned y = weightIsOpacity ? i >> 6 & 63 : i >> 14 & 63;
            const unsigned mask = routine.bpp == 15 ? 31 : 63;
            const int shift = routine.bpp == 15 ? 10 : 11;
            const unsigned topBit = routine.bpp == 15 ? (x & 32) << 10 : 0;
            source.words.push_back(static_cast<uint16_t>((y & 31) << shift | (x & mask) << 5 | (x & 31)));
            target.words.push_back(static_cast<uint16_t>((x & 31) << shift | (y & mask) << 5 | (y & 31) | topBit));
            if (routine.sourceAlpha)
                source.alpha.push_back(static_cast<uint8_t>(i));
            if (routine.targetAlpha)
                target.alpha.push_back(static_cast<uint8_t>(i * 7 >> 3));
        }
        std::vector<int> weights = weighsAlpha ? std::vector<int>{1, 100, 128, 254} : std::vector<int>{255};
        if (weightIsOpacity) {
            weights.clear();
            for (int w = 0; w < 255; ++w)
                weights.push_back(w);
        }
        for (int opacity : weights) {
            Buffer expected = target;
            Buffer actual = target;
            for (int i = 0; i < count; ++i) {
                const unsigned a = routine.sourceAlpha ? source.alpha[i] : 255;
                uint8_t da = routine.targetAlpha ? expected.alpha[i] : 0;
                expected.words[i] = routine.reference(source.words[i], a, opacity, expected.words[i], da);
                if (routine.targetAlpha)
                    expected.alpha[i] = da;
            }
            _canvas s = source.canvas(), d = actual.canvas();
            ASSERT_TRUE(routine.blit(&s, &d, static_cast<unsigned char>(opacity)));
            ASSERT_EQ(actual.words, expected.words) << "opacity " << opacity;
            ASSERT_EQ(actual.alpha, expected.alpha) << "opacity " << opacity;
        }
    }
}

// Small rasters at places that cut 8-pixel groups and rows anywhere, against the pixel-by-pixel
// reference.
TEST_F(BlitSweep, ClippedPlacementsMatchThePixelByPixelReference)
{
    TestNoise noise(7);
    for (const Routine2& routine : routines2())
        for (int width : {1, 3, 7, 8, 9, 16, 17, 23, 33})
            for (int height : {1, 3})
                for (const Placement& p : placements(width, height))
                    for (int opacity : {routine.sourceAlpha ? 200 : 0, 128, 255}) {
                        SCOPED_TRACE(describe(routine.name, width, height, p, opacity));
                        Buffer source = randomSource(width, height, routine.bpp, routine.sourceAlpha, noise);
                        Buffer target = randomTarget(40, 6, routine.bpp, routine.targetAlpha, noise);
                        Buffer expected = target;
                        _canvas s = source.canvas(p.x, p.y, p.clip), d = target.canvas(0, 0, p.window);
                        coveredPixels(s, d, [&](int from, int to) {
                            uint8_t da = routine.targetAlpha ? expected.alpha[to] : 0;
                            expected.words[to] = routine.reference(
                                source.words[from], routine.sourceAlpha ? source.alpha[from] : 255, opacity, expected.words[to], da);
                            if (routine.targetAlpha)
                                expected.alpha[to] = da;
                        });
                        ASSERT_TRUE(routine.blit(&s, &d, static_cast<unsigned char>(opacity)));
                        ASSERT_EQ(target.words, expected.words);
                        ASSERT_EQ(target.alpha, expected.alpha);
                    }
}

TEST_F(BlitSweep, ThirtyTwoBitRoutinesMatchThePixelByPixelReference)
{
    TestNoise noise(11);
    for (const Routine32& routine : routines32())
        for (int width : {1, 8, 9, 17})
            for (const Placement& p : placements(width, 3))
                for (int opacity : {0, 1, 128, 254, 255}) {
                    SCOPED_TRACE(describe(routine.name, width, 3, p, opacity));
                    Buffer source = randomSource(width, 3, 16, routine.sourceAlpha, noise);
                    Buffer target = randomTarget(40, 6, 32, false, noise);
                    Buffer expected = target;
                    _canvas s = source.canvas(p.x, p.y, p.clip), d = target.canvas(0, 0, p.window);
                    coveredPixels(s, d, [&](int from, int to) {
                        expected.longs[to] = routine.reference(source.words[from], routine.sourceAlpha ? source.alpha[from] : 255,
                                                               opacity, expected.longs[to]);
                    });
                    ASSERT_TRUE(routine.blit(&s, &d, static_cast<unsigned char>(opacity)));
                    ASSERT_EQ(target.longs, expected.longs);
                }
}

TEST(Blit, RasterHalfOutsideDrawsOnlyItsVisiblePart)
{
    struct Case {
        int x, y;
        std::vector<uint16_t> expected;
        CXRect clip;
    };
    // A 2 x 2 source (1, 2 / 3, 4) onto a 3 x 2 target of zeros.
    const Case cases[] = {
        {-1, 0, {2, 0, 0, 4, 0, 0}, CXRect(1, 0, 2, 2)},
        {2, 1, {0, 0, 0, 0, 0, 1}, CXRect(0, 0, 1, 1)},
        {1, -1, {0, 3, 4, 0, 0, 0}, CXRect(0, 1, 2, 2)},
        {3, 0, {0, 0, 0, 0, 0, 0}, CXRect()},
        {-2, 0, {0, 0, 0, 0, 0, 0}, CXRect()},
        {0, 2, {0, 0, 0, 0, 0, 0}, CXRect()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        auto source = makeRaster(2, 2, 16, {1, 2, 3, 4});
        auto target = makeFilled(3, 2, 16, 0);
        source->SetPosition(c.x, c.y);
        source->redraw(target.get());
        EXPECT_EQ(wordsOf(*target), c.expected);
        EXPECT_EQ(source->GetClippingRect(), c.clip);
    }
}

TEST(Blit, AutoClipOffWithAnOversizeClipStaysInsideBothBuffers)
{
    auto source = makeRaster(2, 2, 16, {1, 2, 3, 4}, {255, 255, 255, 255});
    auto target = makeFilled(3, 3, 16, 0);
    source->SetAutoClip(false);
    source->SetClippingRect(-5, -5, 50, 50);
    source->SetPosition(2, 2);
    source->redraw(target.get());
    EXPECT_EQ(wordsOf(*target), (std::vector<uint16_t>{0, 0, 0, 0, 0, 0, 0, 0, 1}));

    source->SetClippingRect(CXRect());
    source->SetSourceWindow(CXRect(1, 1, 9, 9));
    source->SetPosition(0, 0);
    source->redraw(target.get());
    EXPECT_EQ(wordsOf(*target), (std::vector<uint16_t>{4, 0, 0, 0, 0, 0, 0, 0, 1}));
}
