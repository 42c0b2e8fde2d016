#include "media/CPrinter.h"

#include "CurrentFolderGuard.h"
#include "NoPrintServer.h"
#include "PngReader.h"
#include "TempFolder.h"
#include "graphics/RasterMaker.h"
#include "platform/PathResolver.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>


namespace {

using Rgb = std::array<uint8_t, 3>;

struct Block {
    uint16_t word;
    Rgb colour; // the word widened to 8 bits per channel
};

// Words with channel values whose widening shows: low bits repeated from the top ones.
const Block kBlocks565[] = {
    {0xF800, {255, 0, 0}},     {0x07E0, {0, 255, 0}},    {0x001F, {0, 0, 255}},    {0x0000, {0, 0, 0}},
    {0x8408, {132, 130, 66}}, {0x18F8, {24, 28, 198}}, {0xE7E1, {231, 255, 8}}, {0x7BEF, {123, 125, 123}},
};
const Block kBlocks555[] = {{0x4208, {132, 132, 66}}, {0x03E0, {0, 255, 0}}};

// An 800 x 600 screen of flat blocks, laid out in `columns` columns, row by row.
struct Screen {
    Screen(int bpp, const Block* blocks, int count, int columns)
        : blocks(blocks, blocks + count)
        , columns(columns)
        , blockWidth(800 / columns)
        , blockHeight(600 / (count / columns))
    {
        std::vector<uint16_t> words(800 * 600);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                words[y * 800 + x] = blocks[(y / blockHeight) * columns + x / blockWidth].word;
        raster = makeRaster(800, 600, bpp, words);
    }

    CXRect blockRect(int i) const
    {
        const int left = i % columns * blockWidth;
        const int top = i / columns * blockHeight;
        return CXRect(left, top, left + blockWidth, top + blockHeight);
    }

    std::vector<Block> blocks;
    int columns;
    int blockWidth;
    int blockHeight;
    std::unique_ptr<CGraphicsObject> raster;
};

Rgb pixelAt(const DecodedPng& page, int x, int y)
{
    const uint8_t* p = page.at(x, y);
    return {p[0], p[1], p[2]};
}

// Checks one printed page: white outside the picture, and every block's colour at the
// centre of the place the fit maps its visible part to.
void expectPage(const DecodedPng& page, const Screen& screen, const CXRect& shown)
{
    ASSERT_EQ(page.width, 3300);
    ASSERT_EQ(page.height, 2550);
    const CXRect place = CPrinter::fitOnPage(CXSize(shown.Width(), shown.Height()), CXSize(3300, 2550));
    long stray = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (!place.IsInRect(x, y) && pixelAt(page, x, y) != Rgb{255, 255, 255})
                ++stray;
    EXPECT_EQ(stray, 0) << "pixels that are not white outside the picture";

    int seen = 0;
    for (size_t i = 0; i < screen.blocks.size(); ++i) {
        const CXRect part = screen.blockRect(static_cast<int>(i)).Common(shown);
        if (part.Width() <= 0 || part.Height() <= 0)
            continue;
        ++seen;
        const double centreX = (part.left + part.right) / 2.0 - shown.left;
        const double centreY = (part.top + part.bottom) / 2.0 - shown.top;
        const int x = place.left + static_cast<int>(centreX * place.Width() / shown.Width());
        const int y = place.top + static_cast<int>(centreY * place.Height() / shown.Height());
        EXPECT_EQ(pixelAt(page, x, y), screen.blocks[i].colour) << "block " << i << " at " << x << ", " << y;
    }
    EXPECT_GT(seen, 0);
    // The picture reaches each edge of its place.
    for (const CXPoint corner : {place.LeftTop(), place.RightBottom() - CXPoint(1, 1)})
        EXPECT_NE(pixelAt(page, corner.x, corner.y), (Rgb{255, 255, 255}));
}

// Runs a print and returns what it wrote on standard error.
std::string printed(CGraphicsObject* image, CXRect r, const std::string& printTo)
{
    testing::internal::CaptureStderr();
    CPrinter printer(image, r, printTo);
    return testing::internal::GetCapturedStderr();
}

void expectOneLine(const std::string& text, const std::string& cause)
{
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_EQ(text.rfind("Nothing printed: ", 0), 0u) << text;
    EXPECT_NE(text.find(cause), std::string::npos) << text;
}

} // namespace

TEST(CPrinter, TheFitKeepsTheProportionsAndCentres)
{
    struct Case {
        CXSize picture;
        CXRect place;
    };
    const Case cases[] = {
        {{800, 600}, {0, 37, 3300, 2512}},    // wider than the page: full width
        {{600, 800}, {694, 0, 2606, 2550}},   // taller: full height, centred across
        {{599, 800}, {695, 0, 2604, 2550}},   // an odd margin: the extra pixel goes right
        {{1, 1}, {375, 0, 2925, 2550}},       // a square
        {{22, 17}, {0, 0, 3300, 2550}},       // the page's own proportion fills it
        {{23, 17}, {0, 55, 3300, 2494}},      // one pixel wider than it
        {{21, 17}, {75, 0, 3225, 2550}},      // one pixel narrower
        {{800, 1}, {0, 1273, 3300, 1277}},    // a line
    };
    for (const Case& c : cases)
        EXPECT_EQ(CPrinter::fitOnPage(c.picture, CXSize(3300, 2550)), c.place)
            << c.picture.width << " x " << c.picture.height;
}

TEST(CPrinter, APagePrintsTheAreaScaledCentredAndWidened)
{
    const Screen screen565(16, kBlocks565, 8, 4);
    const Screen screen555(15, kBlocks555, 2, 2);
    struct Case {
        const Screen* screen;
        CXRect area;  // as asked for
        CXRect shown; // clipped to the screen
    };
    const Case cases[] = {
        {&screen565, {0, 0, 800, 600}, {0, 0, 800, 600}},         // the whole screen
        {&screen565, {150, 100, 450, 500}, {150, 100, 450, 500}}, // a tall bounding box
        {&screen565, {600, 450, 1000, 700}, {600, 450, 800, 600}}, // four integers beyond the edge
        {&screen555, {0, 0, 800, 600}, {0, 0, 800, 600}},
    };
    TempFolder temp;
    const std::string folder = temp.file("pages");
    int pages = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.area.left << ", " << c.area.top << ", " << c.area.right << ", "
                                        << c.area.bottom << " at " << c.screen->raster->GetBpp() << " bits");
        EXPECT_EQ(printed(c.screen->raster.get(), c.area, folder), "");
        char name[32];
        std::snprintf(name, sizeof name, "page-%04d.png", ++pages);
        const std::optional<DecodedPng> page = readPngFile(folder + "/" + name);
        ASSERT_TRUE(page) << name;
        expectPage(*page, *c.screen, c.shown);
    }
    EXPECT_EQ(namesIn(folder).size(), static_cast<size_t>(pages));
}

TEST(CPrinter, AnEmptyAreaPrintsNothing)
{
    const Screen screen(16, kBlocks565, 8, 4);
    TempFolder temp;
    for (const CXRect area : {CXRect(900, 700, 1000, 800), CXRect(0, 100, 800, 100), CXRect(500, 0, 400, 600)}) {
        expectOneLine(printed(screen.raster.get(), area, temp.file("pages")), "empty");
        EXPECT_TRUE(namesIn(temp.path()).empty());
    }
}

TEST(CPrinter, WithoutAPrintServerNothingIsWritten)
{
    const Screen screen(16, kBlocks565, 8, 4);
    NoPrintServer noServer;
    TempFolder temp;
    CurrentFolderGuard guard;
    ASSERT_TRUE(platform::changeFolder(temp.path().string()));
    expectOneLine(printed(screen.raster.get(), CXRect(0, 0, 800, 600), ""), "no print server answers");
    EXPECT_TRUE(namesIn(temp.path()).empty());
}

TEST(CPrinter, AFolderThatIsAFileGetsNoPage)
{
    const Screen screen(16, kBlocks565, 8, 4);
    TempFolder temp;
    const std::string path = temp.write("pages", "keep");
    expectOneLine(printed(screen.raster.get(), CXRect(0, 0, 800, 600), path), path);
    EXPECT_EQ(temp.read("pages"), "keep");
    EXPECT_EQ(namesIn(temp.path()), std::vector<std::string>{"pages"});
}
