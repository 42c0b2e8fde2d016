#include "graphics/CGraphicsObject.h"
#include "graphics/PixelGather.h"

#include "RasterMaker.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A 2-byte map from rows of text: '#' is fillable (1), anything else is not (0).
std::unique_ptr<CGraphicsObject> mapOf(const std::vector<std::string>& rows)
{
    std::vector<uint16_t> words;
    for (const std::string& row : rows)
        for (char c : row)
            words.push_back(c == '#' ? 1 : 0);
    return makeRaster(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 16, words);
}

std::vector<std::string> rowsOf(const std::vector<uint16_t>& words, int width, uint16_t colour)
{
    std::vector<std::string> rows;
    for (size_t i = 0; i < words.size(); i += width) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += words[i + x] == colour ? 'o' : '.';
        rows.push_back(row);
    }
    return rows;
}

struct Fill {
    std::vector<std::string> painted;
    std::vector<_floodfill> spans;
    CXRect box;
};

Fill floodFill(const std::vector<std::string>& map, CXPoint start)
{
    auto raster = mapOf(map);
    const int width = raster->Width();
    std::vector<uint16_t> target(static_cast<size_t>(width) * raster->Height());
    std::vector<_floodfill> spans(target.size());
    const CColor red(255, 0, 0);
    Fill fill;
    fill.box = raster->PrepareFloodFill(start, red, reinterpret_cast<char*>(target.data()), spans.data());
    fill.spans.assign(spans.begin(), spans.begin() + raster->getFFEnterances());
    fill.painted = rowsOf(target, width, 0xF800);
    return fill;
}

} // namespace

TEST(PixelOps, PutPixelWeighsEachChannelWithTwoTruncatedTerms)
{
    struct Case {
        int bpp;
        uint16_t old, colour;
        int alpha;
        bool replace;
        uint16_t expected;
    };
    const Case cases[] = {
        {16, 0x1234, 0xFFFF, 255, true, 0xF7DE},  // 31 → 30, 63 → 62: one step below
        {16, 0x0000, 0xFFFF, 128, false, 0x7BEF}, // 31 × 128 >> 8 = 15, 63 × 128 >> 8 = 31
        {16, 0xFFFF, 0x0000, 128, false, 0x7BEF}, // 31 × 127 >> 8 = 15, 63 × 127 >> 8 = 31
        {16, 0xFFFF, 0xFFFF, 128, false, 0xF7DE}, // 15 + 15, 31 + 31
        {15, 0x7FFF, 0x0000, 0, false, 0x7BDE},   // 31 × 255 >> 8 = 30
        {15, 0x0000, 0x7C00, 255, true, 0x7800},
        {24, 0x1234, 0xFFFF, 255, true, 0x1234},
    };
    for (const Case& c : cases) {
        auto raster = makeRaster(2, 1, c.bpp, {c.old, c.old});
        raster->putPixel(1, 0, static_cast<short>(c.colour), c.alpha, c.replace);
        EXPECT_EQ(wordsOf(*raster)[1], c.expected) << c.bpp << " " << c.alpha;
        EXPECT_EQ(wordsOf(*raster)[0], c.old);
    }
    auto raster = makeFilled(2, 2, 16, 0);
    for (CXPoint p : {CXPoint(-1, 0), CXPoint(2, 0), CXPoint(0, -1), CXPoint(0, 2)})
        raster->putPixel(p.x, p.y, -1, 255, true);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>(4, 0)));
}

TEST(PixelOps, InversionAndGreyScaleByDepth)
{
    auto low = makeRaster(2, 1, 15, {0x7C1F, 0x0421});
    low->InvertColors();
    EXPECT_EQ(wordsOf(*low), (std::vector<uint16_t>{0x03E0, 0x7BDE}));
    low->ToGrayScale();
    // (0 + 31 + 0) / 3 = 10; (30 + 30 + 30) / 3 = 30.
    EXPECT_EQ(wordsOf(*low), (std::vector<uint16_t>{10 | 10 << 5 | 10 << 10, 30 | 30 << 5 | 30 << 10}));

    auto high = makeRaster(2, 1, 16, {0xF800, 0x07E0});
    high->InvertColors();
    EXPECT_EQ(wordsOf(*high), (std::vector<uint16_t>{0xF800, 0x07E0}));
    high->ToGrayScale();
    EXPECT_EQ(wordsOf(*high), (std::vector<uint16_t>{10 | 10 << 6 | 10 << 11, 10 | 10 << 6 | 10 << 11}));
}

TEST(PixelOps, OutlinePaintsTheEdgesOpaque)
{
    auto raster = makeRaster(4, 3, 16, std::vector<uint16_t>(12, 0), std::vector<uint8_t>(12, 0));
    raster->outline(7, 1);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{7, 7, 7, 7, 7, 0, 0, 7, 7, 7, 7, 7}));
    EXPECT_EQ(alphaOf(*raster), (std::vector<uint8_t>{255, 255, 255, 255, 255, 0, 0, 255, 255, 255, 255, 255}));
    raster->outline(9, 50);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>(12, 9)));

    auto opaque = makeFilled(3, 3, 16, 0);
    opaque->outline(7, 1);
    auto thin = makeRaster(3, 3, 16, std::vector<uint16_t>(9, 0), std::vector<uint8_t>(9, 0));
    thin->outline(7, 0);
    thin->outline(7, -3);
    EXPECT_EQ(wordsOf(*opaque), (std::vector<uint16_t>(9, 0)));
    EXPECT_EQ(wordsOf(*thin), (std::vector<uint16_t>(9, 0)));
}

TEST(PixelOps, CropKeepsThePartInsideTheRaster)
{
    struct Case {
        CXRect r;
        int width, height;
        std::vector<uint16_t> words;
    };
    // The raster: 1 2 3 / 4 5 6.
    const Case cases[] = {
        {{-5, -5, 50, 50}, 3, 2, {1, 2, 3, 4, 5, 6}},
        {{-1, 1, 2, 2}, 2, 1, {4, 5}},
        {{1, 0, 3, 2}, 2, 2, {2, 3, 5, 6}},
        {{1, 1, 1, 2}, 3, 2, {1, 2, 3, 4, 5, 6}},
        {{5, 5, 9, 9}, 3, 2, {1, 2, 3, 4, 5, 6}},
    };
    for (const Case& c : cases) {
        auto raster = makeRaster(3, 2, 16, {1, 2, 3, 4, 5, 6}, {11, 12, 13, 14, 15, 16});
        raster->crop(c.r);
        ASSERT_EQ(raster->Size().width, c.width) << c.r.left << "," << c.r.top;
        ASSERT_EQ(raster->Size().height, c.height);
        EXPECT_EQ(wordsOf(*raster), c.words);
        EXPECT_EQ(alphaOf(*raster).front(), c.words.front() + 10);
        EXPECT_EQ(raster->GetPitch(), c.width);
    }
}

TEST(PixelOps, ScalingTakesTheNearestPixel)
{
    auto raster = makeRaster(2, 2, 16, {1, 2, 3, 4}, {5, 6, 7, 8});
    raster->Scale(2.0, 2.0);
    EXPECT_EQ(raster->Size().width, 4);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));
    EXPECT_EQ(alphaOf(*raster)[15], 8);

    raster->Scale(0.75, 0.5);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{1, 1, 2, 3, 3, 4}));

    for (double factor : {0.0, -1.0, 0.1, 1e9})
        raster->Scale(factor, 1.0);
    EXPECT_EQ(raster->Size().width, 3);

    auto big = makeRaster(5, 3, 16, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
    big->Scale2x();
    EXPECT_EQ(big->Size().width, 2);
    EXPECT_EQ(big->Size().height, 1);
    EXPECT_EQ(wordsOf(*big), (std::vector<uint16_t>{1, 3}));
    auto one = makeRaster(1, 1, 16, {1});
    one->Scale2x();
    EXPECT_EQ(one->Size().width, 1);
}

TEST(PixelOps, CopiesAreDeepAndTakeTheClippedPart)
{
    auto source = makeRaster(3, 2, 16, {1, 2, 3, 4, 5, 6}, {11, 12, 13, 14, 15, 16});
    source->setFileName("picture");
    source->SetPosition(7, 8);
    CGraphicsObject copy(nullptr);
    copy.Copy(source.get());
    EXPECT_EQ(copy.getFileName(), "picturecopy");
    EXPECT_EQ(copy.GetPosition(), CXPoint(7, 8));
    EXPECT_NE(copy.GetDataPtr(), source->GetDataPtr());
    EXPECT_EQ(wordsOf(copy), wordsOf(*source));
    EXPECT_TRUE(copy.ownsPlanes());

    source->SetClippingRect(1, 1, 9, 9);
    copy.Copy(source.get());
    EXPECT_EQ(wordsOf(copy), (std::vector<uint16_t>{5, 6}));
    EXPECT_EQ(alphaOf(copy), (std::vector<uint8_t>{15, 16}));
    EXPECT_TRUE(copy.GetClippingRect().IsEmpty());

    CGraphicsObject part(nullptr);
    part.Copy(source.get(), CXRect(2, 0, 5, 2));
    EXPECT_EQ(part.getFileName(), "picture");
    EXPECT_EQ(part.GetPosition(), CXPoint(2, 0));
    EXPECT_EQ(wordsOf(part), (std::vector<uint16_t>{3, 6}));
    part.Copy(source.get(), CXRect(1, 1, 1, 2));
    EXPECT_EQ(wordsOf(part), (std::vector<uint16_t>{3, 6}));
}

TEST(PixelOps, ChannelsSplitAndJoinInBlueGreenRedOrder)
{
    CGraphicsObject raster(nullptr, CXSize(2, 1), 24);
    std::memcpy(raster.GetDataPtr(), "\x01\x02\x03\x04\x05\x06", 6);
    raster.Split();
    EXPECT_EQ(raster.GetDataPtr(), nullptr);
    EXPECT_EQ(raster.BlueChannel(nullptr)[1], 4);
    EXPECT_EQ(raster.GreenChannel(nullptr)[0], 2);
    EXPECT_EQ(raster.GetPixel(CHANNEL_RED, CXPoint(1, 0)), 6);
    raster.JoinChannels();
    EXPECT_EQ(raster.GetBpp(), 24);
    EXPECT_EQ(std::string(raster.GetDataPtr(), 6), "\x01\x02\x03\x04\x05\x06");

    raster.AlphaChannel(new char[2]{'\x7F', '\x00'});
    std::unique_ptr<char[]> records(raster.Join2Channels());
    EXPECT_EQ(std::string(records.get(), 8), std::string("\x01\x02\x03\x7F\x04\x05\x06\x00", 8));
    records[0] = 9;
    raster.SplitOn2(records.get(), 2);
    EXPECT_EQ(std::string(raster.GetDataPtr(), 6), "\x09\x02\x03\x04\x05\x06");
    EXPECT_EQ(alphaOf(raster), (std::vector<uint8_t>{0x7F, 0}));
    raster.SplitOn2(records.get(), 1);
    EXPECT_EQ(std::string(raster.GetDataPtr(), 6), std::string("\x09\x02\x03\x00\x00\x00", 6));
}

TEST(PixelOps, AlphaStampsAreUndoneBeforeTheNextStamp)
{
    auto picture = makeRaster(4, 2, 16, {}, std::vector<uint8_t>(8, 50));
    auto mask = makeRaster(2, 2, 16, {}, {1, 2, 3, 4});
    picture->mergeAlpha(CXPoint(3, 0), mask.get());
    EXPECT_EQ(alphaOf(*picture), (std::vector<uint8_t>{50, 50, 50, 1, 50, 50, 50, 3}));
    picture->mergeAlpha(CXPoint(-1, -1), mask.get());
    EXPECT_EQ(alphaOf(*picture), (std::vector<uint8_t>{4, 50, 50, 50, 50, 50, 50, 50}));
    picture->mergeAlpha(CXPoint(4, 0), mask.get());
    EXPECT_EQ(alphaOf(*picture), (std::vector<uint8_t>(8, 50)));
    picture->mergeAlpha(CXPoint(-9, 0), mask.get());
    EXPECT_EQ(alphaOf(*picture), (std::vector<uint8_t>(8, 50)));

    auto opaque = makeRaster(2, 2, 16, {});
    picture->mergeAlpha(CXPoint(0, 0), opaque.get());
    opaque->mergeAlpha(CXPoint(0, 0), mask.get());
    EXPECT_EQ(alphaOf(*picture), (std::vector<uint8_t>(8, 50)));

    auto holes = makeRaster(3, 1, 16, {}, {0, 9, 9});
    holes->mergeAlpha2(CXPoint(1, 0), mask.get(), false);
    EXPECT_EQ(alphaOf(*holes), (std::vector<uint8_t>{0, 1, 2}));
    holes->mergeAlpha2(CXPoint(-1, -1), mask.get(), true);
    EXPECT_EQ(alphaOf(*holes), (std::vector<uint8_t>{4, 255, 255}));
}

TEST(PixelOps, DisplacementKeepsPixelsWhoseSourceLiesOutside)
{
    auto raster = makeRaster(3, 1, 16, {1, 2, 3}, {10, 20, 30});
    std::vector<CXPoint> offsets = {{1, 0}, {5, 0}, {-1, 0}};
    char* oldColour = raster->GetDataPtr();
    unsigned char* oldAlpha = raster->GetAlphaPtr();
    raster->displacementFilter(offsets.data(), true, false);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{2, 2, 2}));
    EXPECT_EQ(alphaOf(*raster), (std::vector<uint8_t>{20, 20, 20}));
    // Left to the caller, who still reads and frees it.
    EXPECT_EQ(oldColour[0], 1);
    EXPECT_EQ(oldAlpha[0], 10);
    delete[] oldColour;
    delete[] reinterpret_cast<char*>(oldAlpha);

    offsets = {{0, 1}, {0, 0}, {-3, 0}};
    raster->displacementFilter(offsets.data(), false, true);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{2, 2, 2}));
    EXPECT_EQ(alphaOf(*raster), (std::vector<uint8_t>{20, 20, 20}));
}

// Rows whose sources all lie inside go eight pixels at a time; the others pixel by pixel.
TEST(PixelOps, DisplacementOfLargerRastersTakesEachPixelFromItsSource)
{
    constexpr int kWidth = 37;
    constexpr int kHeight = 11;
    TestNoise noise(5);
    std::vector<uint16_t> words(kWidth * kHeight);
    std::vector<uint8_t> alpha(kWidth * kHeight);
    std::vector<CXPoint> offsets(kWidth * kHeight);
    for (size_t i = 0; i < words.size(); ++i) {
        words[i] = static_cast<uint16_t>(noise.next() * 2);
        alpha[i] = static_cast<uint8_t>(noise.next());
        offsets[i] = CXPoint(static_cast<int>(noise.next() % 5) - 2, static_cast<int>(noise.next() % 5) - 2);
    }
    auto raster = makeRaster(kWidth, kHeight, 16, words, alpha);
    raster->displacementFilter(offsets.data(), true, true);
    for (int i = 0; i < kWidth * kHeight; ++i) {
        const int source = i + offsets[static_cast<size_t>(i)].y * kWidth + offsets[static_cast<size_t>(i)].x;
        const int taken = source >= 0 && source < kWidth * kHeight ? source : i;
        ASSERT_EQ(wordsOf(*raster)[static_cast<size_t>(i)], words[static_cast<size_t>(taken)]) << i;
        ASSERT_EQ(alphaOf(*raster)[static_cast<size_t>(i)], alpha[static_cast<size_t>(taken)]) << i;
    }
}

// Cells are gathered eight at a time up to the plane's last, which a wider read would pass.
TEST(PixelOps, GathersTakeEveryCellUpToThePlanesEnd)
{
    constexpr int kCells = 37;
    std::vector<uint16_t> words(kCells);
    std::vector<uint8_t> bytes(kCells);
    std::vector<int32_t> indices(kCells);
    for (int i = 0; i < kCells; ++i) {
        words[static_cast<size_t>(i)] = static_cast<uint16_t>(0x1001 * i);
        bytes[static_cast<size_t>(i)] = static_cast<uint8_t>(7 * i);
        indices[static_cast<size_t>(i)] = (i * 11 + 5) % kCells;
    }
    indices[3] = kCells - 1;
    std::vector<uint16_t> gatheredWords(kCells);
    std::vector<uint8_t> gatheredBytes(kCells);
    gatherWords(words.data(), kCells, indices.data(), kCells, gatheredWords.data());
    gatherBytes(bytes.data(), kCells, indices.data(), kCells, gatheredBytes.data());
    for (int i = 0; i < kCells; ++i) {
        EXPECT_EQ(gatheredWords[static_cast<size_t>(i)], words[static_cast<size_t>(indices[static_cast<size_t>(i)])]);
        EXPECT_EQ(gatheredBytes[static_cast<size_t>(i)], bytes[static_cast<size_t>(indices[static_cast<size_t>(i)])]);
    }
}

TEST(PixelOps, FloodFillRecordsItsSpans)
{
    struct Case {
        const char* what;
        std::vector<std::string> map;
        CXPoint start;
        std::vector<std::string> painted;
        size_t spans;
        CXRect box;
    };
    const Case cases[] = {
        {"a region touching the right edge fills the last column", {"..##", ".###", "...#"}, {3, 1}, {"..oo", ".ooo", "...o"}, 3,
         {1, 0, 4, 2}},
        {"a lone pixel is one span of one", {"...", ".#.", "..."}, {1, 1}, {"...", ".o.", "..."}, 1, {1, 1, 2, 1}},
        {"a U shape is reached around its bend",
         {"#.#", "#.#", "###"},
         {0, 0},
         {"o.o", "o.o", "ooo"},
         5,
         {0, 0, 3, 2}},
        {"a start on an unfillable pixel fills nothing", {"#.#"}, {1, 0}, {"..."}, 0, {}},
        {"a start outside fills nothing", {"##"}, {2, 0}, {".."}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Fill fill = floodFill(c.map, c.start);
        EXPECT_EQ(fill.painted, c.painted);
        EXPECT_EQ(fill.spans.size(), c.spans);
        EXPECT_EQ(fill.box, c.box);
    }
    const Fill lone = floodFill({"...", ".#.", "..."}, {1, 1});
    EXPECT_EQ(lone.spans[0].length, 1);
}

TEST(PixelOps, FloodFillFollowsLongPathsWithoutADeepCallStack)
{
    // One column: every row is a span found from the one above, as deep as spans can count.
    constexpr int kTall = 32767;
    const Fill column = floodFill(std::vector<std::string>(kTall, "#"), {0, 0});
    EXPECT_EQ(column.spans.size(), static_cast<size_t>(kTall));
    EXPECT_EQ(column.box, CXRect(0, 0, 1, kTall - 1));
    EXPECT_TRUE(floodFill(std::vector<std::string>(kTall + 1, "#"), {0, 0}).spans.empty());

    // A serpentine corridor.
    constexpr int kSide = 401;
    std::vector<std::string> maze;
    for (int y = 0; y < kSide; ++y) {
        std::string row(kSide, '#');
        if (y % 2 == 1)
            row.assign(kSide, '.'), row[(y / 2) % 2 == 0 ? kSide - 1 : 0] = '#';
        maze.push_back(row);
    }
    const Fill fill = floodFill(maze, {0, 0});
    EXPECT_EQ(fill.spans.size(), static_cast<size_t>(kSide));
    EXPECT_EQ(fill.painted, rowsOf(wordsOf(*mapOf(maze)), kSide, 1));
    EXPECT_EQ(fill.box, CXRect(0, 0, kSide, kSide - 1));

    auto raster = mapOf({"##", "##"});
    std::vector<uint16_t> target(4), again(4);
    std::vector<_floodfill> spans(4);
    raster->PrepareFloodFill({0, 0}, CColor(0, 0, 255), reinterpret_cast<char*>(target.data()), spans.data());
    raster->FloodFill(CColor(0, 255, 0), reinterpret_cast<char*>(again.data()));
    EXPECT_EQ(again, (std::vector<uint16_t>(4, 0x07E0)));
}

TEST(PixelOps, TableBlendFillsEverySecondRowFromRow35)
{
    constexpr int kWidth = 4, kHeight = 39;
    CGraphicsObject screen(nullptr, CXSize(kWidth, kHeight), 16);
    std::memset(screen.GetDataPtr(), 0, kWidth * kHeight * 2);
    CGraphicsObject source(nullptr, CXSize(kWidth, kHeight), 16);
    source.SetDestiny(&screen);

    // Sub-table 1 (level 4) holds byte i × 3 at offset i.
    std::vector<int> table(64 * 4096 / sizeof(int));
    auto* bytes = reinterpret_cast<unsigned char*>(table.data());
    for (int i = 0; i < 4096; ++i)
        bytes[4096 + i] = static_cast<unsigned char>(i * 3);
    std::vector<uint16_t> triples(kWidth * kHeight * 3);
    for (size_t i = 0; i < triples.size(); i += 3)
        triples[i] = 2, triples[i + 1] = 4, triples[i + 2] = 5;

    source.Blend(reinterpret_cast<char*>(triples.data()), table.data(), 2, 4);
    const std::vector<uint16_t> words = wordsOf(screen);
    // (T[2] << 8) | T[5] | W(4) = 0x0600 | 0x000F | 0x0F0C.
    // Two bytes of offset move each written row by one pixel.
    for (int i = 0; i < kWidth * kHeight; ++i) {
        const bool written = (i > 35 * kWidth && i <= 36 * kWidth) || (i > 37 * kWidth && i <= 38 * kWidth);
        EXPECT_EQ(words[i], written ? 0x0F0F : 0) << i;
    }

    CGraphicsObject tall(nullptr, CXSize(kWidth, kHeight + 1), 16);
    tall.SetDestiny(&screen);
    tall.Blend(reinterpret_cast<char*>(triples.data()), table.data(), 0, 0);
    source.Blend(reinterpret_cast<char*>(triples.data()), table.data(), 1 << 20, 0);
    EXPECT_EQ(wordsOf(screen), words);
}
