// The filter kinds on 4 × 4 rasters with alpha, against pixel words worked out by hand, in
// 5-6-5 (a 16-bit screen) and 5-5-5 (a 15-bit one).
#include "script_graphics/CBlurFilter.h"
#include "script_graphics/CColourFilters.h"
#include "script_graphics/CDisplacementFilters.h"
#include "script_graphics/CGeometryFilters.h"
#include "script_graphics/CWaterFilter.h"
#include "script_graphics/CWavingFilter.h"

#include "foundation/CXRandom.h"
#include "foundation/DoubleToInt.h"

#include "tests/app/HeadlessWindow.h"
#include "tests/graphics/RasterMaker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Words = std::vector<uint16_t>;
using Bytes = std::vector<uint8_t>;

// Red, green, blue, white; black, grey, two mixtures; and so on, in 5-6-5 and in 5-5-5.
const Words k565 = {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x8410, 0x1234, 0xABCD,
                    0x7BEF, 0x4208, 0x0841, 0xF81F, 0x07FF, 0xFFE0, 0x5555, 0xAAAA};
const Words k555 = {0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0000, 0x4210, 0x1234, 0x2BCD,
                    0x3DEF, 0x2108, 0x0421, 0x7C1F, 0x03FF, 0x7FE0, 0x5555, 0x2AAA};
// Transparent at 2 and 7; 1 at 12.
const Bytes kAlpha = {255, 255, 0, 255, 128, 255, 255, 0, 255, 255, 255, 255, 1, 255, 255, 255};

using Options = std::vector<std::pair<const char*, const char*>>;

template <typename Kind>
std::function<std::unique_ptr<CFilter>(CWindow*)> kind()
{
    return [](CWindow* owner) { return std::make_unique<Kind>(owner); };
}

struct Case {
    const char* title;
    std::function<std::unique_ptr<CFilter>(CWindow*)> make;
    Options options;
    int bpp;
    Words words;
    Bytes alpha;
};

// A kind that changes the raster's size and place.
struct ShapeCase {
    Case kind;
    int width;
    int height;
    CXPoint position;
};

class FilterKinds : public ::testing::Test {
protected:
    FilterKinds() { headless.open(); }

    // The screen at 16 or 15 bits per pixel, and the fixture raster of that depth.
    std::unique_ptr<CGraphicsObject> raster(int bpp, bool alpha = true)
    {
        EXPECT_EQ(headless.window().SetDisplayMode(0, 0, bpp), 0);
        return makeRaster(4, 4, bpp, bpp == 15 ? k555 : k565, alpha ? kAlpha : Bytes{});
    }
    std::unique_ptr<CFilter> made(const std::function<std::unique_ptr<CFilter>(CWindow*)>& make, const Options& options)
    {
        std::unique_ptr<CFilter> filter = make(&headless.window());
        for (const auto& [name, value] : options)
            filter->setProperty(CXString(name), CXString(value));
        return filter;
    }
    static void apply(CFilter& filter, CGraphicsObject& picture, bool release = true)
    {
        dynamic_cast<CStaticFilter&>(filter).apply(&picture, release);
    }
    // The case's kind on the fixture raster of its depth gives its words, alpha and shape.
    void check(const Case& c, int width, int height, CXPoint position)
    {
        SCOPED_TRACE(c.title);
        auto picture = raster(c.bpp);
        apply(*made(c.make, c.options), *picture);
        EXPECT_EQ(picture->Width(), width);
        EXPECT_EQ(picture->Height(), height);
        EXPECT_EQ(picture->GetPosition(), position);
        EXPECT_EQ(wordsOf(*picture), c.words);
        EXPECT_EQ(alphaOf(*picture), c.alpha);
    }

    HeadlessWindow headless;
};

} // namespace

// Each kind once in each layout where the layout matters; the edge cases that change nothing.
TEST_F(FilterKinds, StillKindsGiveTheWordsWorkedOutByHand)
{
    const Words rgb565 = {0xF800, 0x0000, 0x001F, 0xF81F, 0x0000, 0x8010, 0x1014, 0xA80D,
                          0x780F, 0x4008, 0x0801, 0xF81F, 0x001F, 0xF800, 0x5015, 0xA80A};
    const Case cases[] = {
        // Red and blue kept; green's lowest bit goes with green.
        {"COLORCHANNEL RB", kind<CColorChannelFilter>(), {{"CHANNELS", "RB"}}, 16, rgb565, kAlpha},
        // Only the upper green bits, the letter found anywhere in the text.
        {"COLORCHANNEL G", kind<CColorChannelFilter>(), {{"CHANNELS", "xGy"}}, 15,
         {0x0000, 0x03C0, 0x0000, 0x03C0, 0x0000, 0x0200, 0x0200, 0x03C0, 0x01C0, 0x0100, 0x0000, 0x0000, 0x03C0, 0x03C0,
          0x0140, 0x0280},
         kAlpha},
        {"COLORCHANNEL rgb", kind<CColorChannelFilter>(), {{"CHANNELS", "rgb"}}, 16, Words(16, 0), kAlpha},
        {"GRAYSCALE 16", kind<CGrayScaleFilter>(), {}, 16,
         {0x528A, 0x528A, 0x528A, 0xFFDF, 0x0000, 0x8410, 0x528A, 0x8410, 0x7BCF, 0x4208, 0x0841, 0xA514, 0xA514, 0xA514,
          0x8C51, 0x6B4D},
         kAlpha},
        {"GRAYSCALE 15", kind<CGrayScaleFilter>(), {}, 15,
         {0x294A, 0x294A, 0x294A, 0x7FFF, 0x0000, 0x4210, 0x35AD, 0x4631, 0x3DEF, 0x2108, 0x0421, 0x5294, 0x5294, 0x5294,
          0x4631, 0x35AD},
         kAlpha},
        // Transparent pixels keep their words.
        {"NEGATIVE 565", kind<CNegativeFilter>(), {}, 16,
         {0x07DF, 0xF81F, 0x001F, 0x0000, 0xFFDF, 0x7BCF, 0xEDCB, 0xABCD, 0x8410, 0xBDD7, 0xF79E, 0x07C0, 0xF800, 0x001F,
          0xAA8A, 0x5555},
         kAlpha},
        {"NEGATIVE 555", kind<CNegativeFilter>(), {}, 15,
         {0x03DF, 0x7C1F, 0x001F, 0x0000, 0x7FDF, 0x3DCF, 0x6DCB, 0x2BCD, 0x4210, 0x5ED7, 0x7BDE, 0x03C0, 0x7C00, 0x001F,
          0x2A8A, 0x5555},
         kAlpha},
        // The four inner pixels only: (1, 1) from r 16, g 32, b 16 and neighbours summing to
        // 57, 129 and 75: (16 + 57 / 8) / 2, (32 + 129 / 8) / 2, (16 + 75 / 8) / 2 = 11, 24, 12.
        {"BLUR 3 565", kind<CBlurFilter>(), {}, 16,
         {0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x5B0C, 0x3AB2, 0xABCD, 0x7BEF, 0x42EA, 0x49C7, 0xF81F, 0x07FF, 0xFFE0,
          0x5555, 0xAAAA},
         kAlpha},
        {"BLUR 3 555", kind<CBlurFilter>(), {}, 15,
         {0x7C00, 0x03E0, 0x001F, 0x7FFF, 0x0000, 0x2D8C, 0x21F2, 0x2BCD, 0x3DEF, 0x256A, 0x2107, 0x7C1F, 0x03FF, 0x7FE0,
          0x5555, 0x2AAA},
         kAlpha},
        // An even SIZE takes the square of SIZE + 1, which leaves no inner pixel here.
        {"BLUR 4", kind<CBlurFilter>(), {{"SIZE", "4"}}, 16, k565, kAlpha},
        {"BLUR 1", kind<CBlurFilter>(), {{"SIZE", "1"}}, 16, k565, kAlpha},
        // Factors of 0 or less are ignored.
        {"SCALE by -1", kind<CScaleFilter>(), {{"FACTORX", "-1"}, {"FACTORY", "0"}}, 16, k565, kAlpha},
        // Columns shifted by trunc(2 sin x) = 0, 1, 1, 0 rows and OFFSET 1 column, in row order:
        // a source past the plane's end keeps the pixel's own word and alpha.
        {"WAVES", kind<CWavesFilter>(), {{"AMPLITUDE", "2"}, {"OFFSET", "1"}}, 16,
         {0x07E0, 0x1234, 0xABCD, 0x0000, 0x8410, 0x0841, 0xF81F, 0x7BEF, 0x4208, 0x5555, 0xAAAA, 0x07FF, 0xFFE0, 0xFFE0,
          0x5555, 0xAAAA},
         {255, 255, 0, 128, 255, 255, 255, 255, 255, 255, 255, 1, 255, 255, 255, 255}},
        {"RANDOMJITTER 0", kind<CRandomJitterFilter>(), {{"MAXJITTER", "0"}}, 16, k565, kAlpha},
    };
    for (const Case& c : cases)
        check(c, 4, 4, CXPoint(0, 0));
}

TEST_F(FilterKinds, TurnedAndScaledRastersKeepTheirCentre)
{
    const ShapeCase cases[] = {
        // Turned a quarter: sources outside or transparent give transparent black.
        {{"ROTATE 90", kind<CRotateFilter>(), {{"ANGLE", "90"}}, 16,
          {0x07FF, 0x7BEF, 0x0000, 0xF800, 0x07FF, 0x7BEF, 0x8410, 0x07E0, 0xFFE0, 0x4208, 0x0841, 0x1234, 0x0000,
           0x5555, 0x0841, 0x0000},
          {1, 255, 128, 255, 1, 255, 255, 255, 255, 255, 255, 255, 0, 255, 255, 0}},
         4, 4, CXPoint(0, 0)},
        // Thirty degrees: a 5 × 5 box, its centre (2, 2) where the picture's was.
        {{"ROTATE 30", kind<CRotateFilter>(), {{"ANGLE", "30"}}, 16,
          {0x0000, 0xF800, 0x07E0, 0x07E0, 0x0000, 0x7BEF, 0x0000, 0x8410, 0x0000, 0xFFFF, 0x7BEF, 0x4208, 0x0841,
           0x1234, 0x0000, 0x07FF, 0xFFE0, 0x0841, 0xF81F, 0x0000, 0x0000, 0x0000, 0x5555, 0xAAAA, 0x0000},
          {128, 255, 255, 255, 0, 255, 128, 255, 0, 255, 255, 255, 255, 255, 0, 1, 255, 255, 255, 0, 0, 0, 255, 255, 0}},
         5, 5, CXPoint(0, 0)},
        // No ANGLE set is 0: the picture stays, its transparent pixels turned black.
        {{"ROTATE", kind<CRotateFilter>(), {}, 16,
          {0xF800, 0x07E0, 0x0000, 0xFFFF, 0x0000, 0x8410, 0x1234, 0x0000, 0x7BEF, 0x4208, 0x0841, 0xF81F, 0x07FF,
           0xFFE0, 0x5555, 0xAAAA},
          kAlpha},
         4, 4, CXPoint(0, 0)},
        // Half as wide, twice as high, by the nearest pixels; BYCENTER keeps the centre.
        {{"SCALE", kind<CScaleFilter>(), {{"FACTORX", "0.5"}, {"FACTORY", "2.0"}, {"BYCENTER", "TRUE"}}, 16,
          {0xF800, 0x001F, 0xF800, 0x001F, 0x0000, 0x1234, 0x0000, 0x1234, 0x7BEF, 0x0841, 0x7BEF, 0x0841, 0x07FF,
           0x5555, 0x07FF, 0x5555},
          {255, 0, 255, 0, 128, 255, 128, 255, 255, 255, 255, 255, 1, 255, 1, 255}},
         2, 8, CXPoint(1, -2)},
    };
    for (const ShapeCase& c : cases)
        check(c.kind, c.width, c.height, c.position);
}

// Draws 1, 2, ... of the generator seeded with 1 pick, for each pixel in turn, its column and
// then its row among -1, 0 and 1.
TEST_F(FilterKinds, RandomJitterTakesTheGeneratorsDrawsInRowOrder)
{
    auto picture = raster(16);
    CXRandom::seed(1);
    apply(*made(kind<CRandomJitterFilter>(), {}), *picture);
    EXPECT_EQ(wordsOf(*picture), (Words{0xF800, 0x07E0, 0x07E0, 0x7BEF, 0xF800, 0xF800, 0x0841, 0xFFFF, 0x0000, 0x5555,
                                        0xAAAA, 0x5555, 0x07FF, 0x0841, 0x4208, 0xAAAA}));
    EXPECT_EQ(alphaOf(*picture), kAlpha);
    // 32 draws were taken: the next is the 33rd.
    CXRandom::seed(1);
    int draws[33];
    CXRandom::draw(draws, 33);
    CXRandom::seed(1);
    apply(*made(kind<CRandomJitterFilter>(), {}), *picture);
    EXPECT_EQ(CXRandom::draw(), draws[32]);
}

// In place on a plane that no one else keeps; on a copy where the caller keeps it. Without an
// alpha plane every pixel counts as opaque, and a clipping rectangle limits the area.
TEST_F(FilterKinds, NegativeWorksInPlaceOnlyWhereNoOneKeepsThePlane)
{
    const auto filter = made(kind<CNegativeFilter>(), {});
    auto kept = raster(16, false);
    const CPlane original = kept->getColourPlane();
    apply(*filter, *kept, false);
    EXPECT_EQ(wordsOf(*kept), (Words{0x07DF, 0xF81F, 0xFFC0, 0x0000, 0xFFDF, 0x7BCF, 0xEDCB, 0x5412, 0x8410, 0xBDD7,
                                     0xF79E, 0x07C0, 0xF800, 0x001F, 0xAA8A, 0x5555}));
    EXPECT_EQ(std::vector<uint16_t>(reinterpret_cast<uint16_t*>(original.get()), reinterpret_cast<uint16_t*>(original.get()) + 16),
              k565);
    // Twice gives the picture back with the lowest green bit cleared.
    apply(*filter, *kept);
    EXPECT_EQ(wordsOf(*kept), (Words{0xF800, 0x07C0, 0x001F, 0xFFDF, 0x0000, 0x8410, 0x1214, 0xABCD, 0x7BCF, 0x4208,
                                     0x0841, 0xF81F, 0x07DF, 0xFFC0, 0x5555, 0xAA8A}));

    auto clipped = raster(16);
    clipped->SetClippingRect(CXRect(1, 1, 3, 3));
    apply(*filter, *clipped);
    EXPECT_EQ(wordsOf(*clipped), (Words{0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x7BCF, 0xEDCB, 0xABCD, 0x7BEF, 0xBDD7,
                                        0xF79E, 0xF81F, 0x07FF, 0xFFE0, 0x5555, 0xAAAA}));
    // A clipping rectangle without width is none.
    auto unclipped = raster(16);
    unclipped->SetClippingRect(CXRect(2, 0, 2, 4));
    apply(*filter, *unclipped);
    EXPECT_EQ(wordsOf(*unclipped)[0], 0x07DF);
}

// A packed raster is unpacked first, and stays so.
TEST_F(FilterKinds, PackedRastersAreUnpackedFirst)
{
    auto picture = raster(16);
    picture->Compress(COMPRESSION_RLE);
    ASSERT_EQ(picture->GetCompression(), COMPRESSION_RLE);
    apply(*made(kind<CColorChannelFilter>(), {{"CHANNELS", "RB"}}), *picture);
    EXPECT_EQ(picture->GetCompression(), COMPRESSION_NONE);
    EXPECT_EQ(wordsOf(*picture)[1], 0x0000);
    EXPECT_EQ(wordsOf(*picture)[3], 0xF81F);
}

// Ripples at ticks 1 and 2 with FACTOR 3, both from the picture as linked: n =
// trunc(3 sin(d + t)), the source clamped into the raster; transparent pixels never change.
TEST_F(FilterKinds, WaterSamplesTheUnfilteredPictureAlongTheDiagonal)
{
    auto picture = raster(16);
    auto filter = made(kind<CWaterFilter>(), {{"FACTOR", "3"}});
    auto& water = dynamic_cast<CWaterFilter&>(*filter);
    water.link(picture.get(), nullptr);
    water.start(picture.get());
    water.onTimer(0);
    EXPECT_EQ(wordsOf(*picture), (Words{0xF800, 0x07E0, 0x001F, 0xFFFF, 0x0000, 0x0841, 0xAAAA, 0xABCD, 0x7BEF, 0xAAAA,
                                        0xAAAA, 0xAAAA, 0x07FF, 0x5555, 0xAAAA, 0xAAAA}));
    water.onTimer(0);
    EXPECT_EQ(wordsOf(*picture), (Words{0xF800, 0xF800, 0x001F, 0x07E0, 0xF800, 0x8410, 0x1234, 0xABCD, 0xF800, 0x4208,
                                        0xAAAA, 0xF81F, 0x0000, 0xFFE0, 0x5555, 0xAAAA}));
    // A larger picture in the raster is taken again, with its own tables.
    auto larger = makeFilled(6, 6, 16, 0x1111);
    picture->setPlanes(larger->getColourPlane(), CPlane(), 6, 6);
    water.onTimer(0);
    EXPECT_EQ(wordsOf(*picture), Words(36, 0x1111));
}

// Phase 0 shifts the columns by trunc(2 sin x) rows, phase 10 by trunc(2 sin(x + 1)), each from
// the undisturbed picture; the ticks between change nothing.
TEST_F(FilterKinds, WavingDrawsEveryTenthPhaseFromTheUndisturbedPicture)
{
    auto picture = raster(16);
    auto filter = made(kind<CWavingFilter>(), {{"AMPLITUDE", "2"}});
    auto& waving = dynamic_cast<CWavingFilter&>(*filter);
    waving.link(picture.get(), nullptr);
    waving.start(picture.get());
    waving.onTimer(0);
    const Words phase0 = {0xF800, 0x8410, 0x1234, 0xFFFF, 0x0000, 0x4208, 0x0841, 0xABCD,
                          0x7BEF, 0xFFE0, 0x5555, 0xF81F, 0x07FF, 0xFFE0, 0x5555, 0xAAAA};
    EXPECT_EQ(wordsOf(*picture), phase0);
    EXPECT_EQ(alphaOf(*picture), (Bytes{255, 255, 255, 255, 128, 255, 255, 0, 255, 255, 255, 255, 1, 255, 255, 255}));
    for (int tick = 1; tick < 10; ++tick)
        waving.onTimer(0);
    EXPECT_EQ(wordsOf(*picture), phase0);
    waving.onTimer(0);
    EXPECT_EQ(wordsOf(*picture), (Words{0x0000, 0x8410, 0x001F, 0xFFFF, 0x7BEF, 0x4208, 0x1234, 0xFFFF, 0x07FF, 0xFFE0,
                                        0x0841, 0xABCD, 0x07FF, 0xFFE0, 0x5555, 0xF81F}));
    // A raster without alpha waves its colour alone.
    auto opaque = raster(16, false);
    waving.link(opaque.get(), nullptr);
    waving.start(opaque.get());
    waving.onTimer(0);
    EXPECT_EQ(wordsOf(*opaque)[1], 0x8410);
    EXPECT_EQ(opaque->GetAlphaPtr(), nullptr);
}

namespace {

// What the kinds are defined to give, pixel by pixel, over larger rasters of noise whose rows
// and columns are no multiples of eight: the kinds' quicker ways must agree with it.
class KindDefinitions : public FilterKinds {
protected:
    static constexpr int kWidth = 37;
    static constexpr int kHeight = 29;

    KindDefinitions()
    {
        TestNoise noise(11);
        for (int i = 0; i < kWidth * kHeight; ++i) {
            words.push_back(static_cast<uint16_t>(noise.next() * 2 + (i & 1)));
            opacity.push_back(static_cast<uint8_t>(noise.next() % 5 == 0 ? 0 : 1 + noise.next() % 255));
        }
    }
    std::unique_ptr<CGraphicsObject> picture() { return makeRaster(kWidth, kHeight, 16, words, opacity); }
    static size_t at(int x, int y) { return static_cast<size_t>(y) * kWidth + x; }

    Words words;
    Bytes opacity;
};

} // namespace

TEST_F(KindDefinitions, WaterTakesEachShiftedPixel)
{
    ASSERT_EQ(headless.window().SetDisplayMode(0, 0, 16), 0);
    for (const char* factor : {"1.1", "3", "20", "9000"}) {
        SCOPED_TRACE(factor);
        auto raster = picture();
        auto filter = made(kind<CWaterFilter>(), {{"FACTOR", factor}});
        auto& water = dynamic_cast<CWaterFilter&>(*filter);
        water.link(raster.get(), nullptr);
        water.start(raster.get());
        for (int tick = 1; tick <= 3; ++tick) {
            water.onTimer(0);
            const auto phaseSine = static_cast<float>(std::sin(tick));
            const auto phaseCosine = static_cast<float>(std::cos(tick));
            for (int y = 0; y < kHeight; ++y)
                for (int x = 0; x < kWidth; ++x) {
                    const int dx = kWidth / 2 - x;
                    const int dy = kHeight / 2 - y;
                    const double distance = std::sqrt(static_cast<double>(dx * dx + dy * dy));
                    const float wave = phaseSine * static_cast<float>(std::cos(distance))
                                       + phaseCosine * static_cast<float>(std::sin(distance));
                    const int n = truncateToInt(CXString(factor).toDouble() * wave);
                    const uint16_t expected =
                        opacity[at(x, y)] == 0 ? words[at(x, y)]
                                               : words[at(std::clamp(x + n, 0, kWidth - 1), std::clamp(y + n, 0, kHeight - 1))];
                    ASSERT_EQ(wordsOf(*raster)[at(x, y)], expected) << tick << " " << x << "," << y;
                }
        }
    }
}

TEST_F(KindDefinitions, BlurAveragesEachSquare)
{
    for (int bpp : {16, 15}) {
        ASSERT_EQ(headless.window().SetDisplayMode(0, 0, bpp), 0);
        const int redShift = bpp == 16 ? 11 : 10;
        const unsigned greenField = bpp == 16 ? 0x3F : 0x1F;
        const auto field = [&](uint16_t p, int which) {
            return which == 0 ? p >> redShift & 0x1F : which == 1 ? p >> 5 & greenField : p & 0x1F;
        };
        for (int size : {3, 5, 6, 9}) {
            SCOPED_TRACE(std::to_string(bpp) + " " + std::to_string(size));
            auto raster = picture();
            apply(*made(kind<CBlurFilter>(), {{"SIZE", std::to_string(size).c_str()}}), *raster);
            const int half = size / 2;
            for (int y = half; y < kHeight - half; ++y)
                for (int x = half; x < kWidth - half; ++x) {
                    unsigned fields[3];
                    for (int which = 0; which < 3; ++which) {
                        unsigned sum = 0;
                        for (int v = -half; v <= half; ++v)
                            for (int u = -half; u <= half; ++u)
                                if (u != 0 || v != 0)
                                    sum += field(words[at(x + u, y + v)], which);
                        const unsigned own = field(words[at(x, y)], which);
                        fields[which] = (own + sum % 65536 / (size * size - 1)) / 2;
                    }
                    const auto expected = static_cast<uint16_t>((fields[0] & 0x1F) << redShift
                                                                | (fields[1] << 5 & greenField << 5) | (fields[2] & 0x1F));
                    ASSERT_EQ(wordsOf(*raster)[at(x, y)], expected) << x << "," << y;
                }
        }
    }
}

TEST_F(KindDefinitions, RandomJitterAndWavesTakeEachDisplacedPixel)
{
    ASSERT_EQ(headless.window().SetDisplayMode(0, 0, 16), 0);
    const auto displaced = [&](const std::function<int(int, int)>& distance) {
        Words expected(words.size());
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int i = static_cast<int>(at(x, y));
                const int64_t source = int64_t{i} + distance(x, y);
                expected[static_cast<size_t>(i)] = words[static_cast<size_t>(source >= 0 && source < kWidth * kHeight ? source : i)];
            }
        return expected;
    };
    for (int jitter : {3, 4, 8, 40000}) {
        SCOPED_TRACE(jitter);
        auto raster = picture();
        CXRandom::seed(7);
        apply(*made(kind<CRandomJitterFilter>(), {{"MAXJITTER", std::to_string(jitter).c_str()}}), *raster);
        CXRandom::seed(7);
        EXPECT_EQ(wordsOf(*raster), displaced([jitter](int, int) {
            const int dx = jitter / 2 - CXRandom::draw() % jitter;
            const int dy = jitter / 2 - CXRandom::draw() % jitter;
            return dy * kWidth + dx;
        }));
    }
    for (int amplitude : {3, 50}) {
        SCOPED_TRACE(amplitude);
        auto raster = picture();
        apply(*made(kind<CWavesFilter>(), {{"AMPLITUDE", std::to_string(amplitude).c_str()}, {"DENSITY", "0.7"}, {"OFFSET", "2"}}),
              *raster);
        EXPECT_EQ(wordsOf(*raster), displaced([amplitude](int x, int) {
            return truncateToInt(amplitude * std::sin(x * 0.7)) * kWidth + 2;
        }));
    }
}

// Rows wide enough for the quick way's whole registers, and an odd rest beside them.
TEST_F(KindDefinitions, WavesMoveWideRowsAlphaAlike)
{
    constexpr int kWide = 301;
    constexpr int kRows = 13;
    Words wideWords;
    Bytes wideOpacity;
    TestNoise noise(5);
    for (int i = 0; i < kWide * kRows; ++i) {
        wideWords.push_back(static_cast<uint16_t>(noise.next()));
        wideOpacity.push_back(static_cast<uint8_t>(noise.next()));
    }
    auto raster = makeRaster(kWide, kRows, 16, wideWords, wideOpacity);
    apply(*made(kind<CWavesFilter>(), {{"AMPLITUDE", "4"}, {"OFFSET", "-3"}}), *raster);
    for (int i = 0; i < kWide * kRows; ++i) {
        const int64_t source = i + int64_t{truncateToInt(4 * std::sin(i % kWide * 1.0))} * kWide - 3;
        const auto taken = static_cast<size_t>(source >= 0 && source < kWide * kRows ? source : i);
        ASSERT_EQ(wordsOf(*raster)[static_cast<size_t>(i)], wideWords[taken]) << i;
        ASSERT_EQ(alphaOf(*raster)[static_cast<size_t>(i)], wideOpacity[taken]) << i;
    }
}

TEST_F(KindDefinitions, RotateAndScaleTakeEachSourcePixel)
{
    ASSERT_EQ(headless.window().SetDisplayMode(0, 0, 16), 0);
    for (double angle : {30.0, 90.0, 137.5, 180.0, 270.0, -90.0}) {
        SCOPED_TRACE(angle);
        auto raster = picture();
        apply(*made(kind<CRotateFilter>(), {{"ANGLE", CXString::toString(angle).c_str()}}), *raster);
        const double a = angle * -0.017453233333333335;
        const double s = std::sin(a);
        const double c = std::cos(a);
        const int width = raster->Width();
        const int height = raster->Height();
        for (int j = 0; j < height; ++j)
            for (int i = 0; i < width; ++i) {
                const double du = i - width / 2;
                const double dv = j - height / 2;
                const int sx = truncateToInt(du * c - dv * s + kWidth / 2);
                const int sy = truncateToInt(du * s + dv * c + kHeight / 2);
                const bool shown = sx >= 0 && sx < kWidth && sy >= 0 && sy < kHeight && opacity[at(sx, sy)] > 0;
                const size_t to = static_cast<size_t>(j) * width + i;
                ASSERT_EQ(wordsOf(*raster)[to], shown ? words[at(sx, sy)] : 0) << i << "," << j;
                ASSERT_EQ(alphaOf(*raster)[to], shown ? opacity[at(sx, sy)] : 0) << i << "," << j;
            }
    }
    for (const auto& [factorX, factorY] : {std::pair{0.5, 2.0}, std::pair{1.7, 0.3}}) {
        auto raster = picture();
        apply(*made(kind<CScaleFilter>(), {{"FACTORX", CXString::toString(factorX).c_str()},
                                           {"FACTORY", CXString::toString(factorY).c_str()}}),
              *raster);
        ASSERT_EQ(raster->Width(), static_cast<int>(kWidth * factorX));
        for (int y = 0; y < raster->Height(); ++y)
            for (int x = 0; x < raster->Width(); ++x)
                ASSERT_EQ(wordsOf(*raster)[static_cast<size_t>(y) * raster->Width() + x],
                          words[at(std::min(static_cast<int>(x / factorX), kWidth - 1),
                                   std::min(static_cast<int>(y / factorY), kHeight - 1))]);
    }
}
