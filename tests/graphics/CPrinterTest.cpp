#include "graphics/CPrinter.h"

#include "app/CWindow.h"
#include "graphics/CDirectDrawSurface.h"
#include "graphics/CRefreshScreen.h"

#include "NoPrintServer.h"
#include "PrintedPage.h"
#include "TempFolder.h"
#include "app/HeadlessWindow.h"
#include "graphics/RasterMaker.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// An active window on the headless display at 16 bits (15 where 16 is refused) with the
// options given, whose screen shows the flat blocks of the colours in `columns` columns.
class Screen {
public:
    Screen(int bpp, const std::vector<PrintColour>& colours, int columns, const std::vector<std::string>& options = {})
        : headless_(options)
        , layout_(colours, columns)
    {
        if (bpp == 15)
            headless_.display().refuseDepth(16);
        window().OnActivateApp(true);
        EXPECT_EQ(window().SetDisplayMode(0, 0, bpp), 0);
        raster_ = makeRaster(800, 600, bpp, layout_.words);
        window().GetRefreshScreenInterface()->put(raster_.get(), 0);
    }

    CWindow& window() { return headless_.window(); }
    platform::HeadlessDisplay& display() { return headless_.display(); }
    const std::vector<ColourBlock>& blocks() const { return layout_.blocks; }

    // Prints the area and returns what was written on standard error.
    std::string print(CXRect area)
    {
        testing::internal::CaptureStderr();
        CPrinter printer(&window(), area);
        return testing::internal::GetCapturedStderr();
    }

private:
    HeadlessWindow headless_;
    BlockScreen layout_;
    std::unique_ptr<CGraphicsObject> raster_;
};

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
    TempFolder temp;
    const std::string folder = temp.file("pages");
    Screen screen565(16, kColours565, 4, {"-printto", folder});
    Screen screen555(15, kColours555, 2, {"-printto", folder});
    struct Case {
        Screen* screen;
        CXRect area;  // as asked for
        CXRect shown; // clipped to the screen
    };
    const Case cases[] = {
        {&screen565, {0, 0, 800, 600}, {0, 0, 800, 600}},         // the whole screen
        {&screen565, {150, 100, 450, 500}, {150, 100, 450, 500}}, // a tall area
        {&screen565, {600, 450, 1000, 700}, {600, 450, 800, 600}}, // an area beyond the edge
        {&screen555, {0, 0, 800, 600}, {0, 0, 800, 600}},
    };
    int pages = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.area.left << ", " << c.area.top << ", " << c.area.right << ", "
                                        << c.area.bottom << " at " << c.screen->window().GetBpp() << " bits");
        EXPECT_EQ(c.screen->print(c.area), "");
        const std::optional<DecodedPng> page = readPngFile(folder + "/" + pageName(++pages));
        ASSERT_TRUE(page);
        expectPage(*page, c.screen->blocks(), c.shown);
    }
    EXPECT_EQ(namesIn(folder).size(), static_cast<size_t>(pages));
}

TEST(CPrinter, ThePictureIsTheClientAreaDrawnAgainWhole)
{
    TempFolder temp;
    Screen screen(16, kColours565, 4, {"-printto", temp.path().string()});
    platform::HeadlessDisplay& display = screen.display();
    // A window with a caption and a border: the client area lies inside the frame.
    display.setClientOrigin({40, 30});
    // What the screen shows is drawn and then overwritten in the back buffer: only a redraw of
    // the whole window before the print gives the blocks back.
    screen.window().Redraw();
    std::memset(screen.window().GetSurface()->GetDataPtr(), 0xFF, 800 * 600 * 2);
    const int presented = display.presentCount();
    EXPECT_EQ(screen.print(CXRect(0, 0, 800, 600)), "");
    EXPECT_EQ(display.presentCount(), presented + 1);
    const std::optional<DecodedPng> page = readPngFile(temp.file(pageName(1)));
    ASSERT_TRUE(page);
    expectPage(*page, screen.blocks(), CXRect(0, 0, 800, 600));
}

TEST(CPrinter, AnEmptyAreaOrNoPictureToPrintPrintsNothing)
{
    TempFolder temp;
    Screen screen(16, kColours565, 4, {"-printto", temp.file("pages")});
    for (const CXRect area : {CXRect(900, 700, 1000, 800), CXRect(0, 100, 800, 100), CXRect(500, 0, 400, 600)}) {
        expectNothingPrinted(screen.print(area), "empty");
        EXPECT_TRUE(namesIn(temp.path()).empty());
    }

    HeadlessWindow closed;
    testing::internal::CaptureStderr();
    CPrinter printer(&closed.window(), CXRect(0, 0, 800, 600));
    expectNothingPrinted(testing::internal::GetCapturedStderr(), "no 15- or 16-bit picture");
}

TEST(CPrinter, WithoutAPrintServerNothingIsWritten)
{
    Screen screen(16, kColours565, 4);
    NoPrintServer noServer;
    expectNothingPrinted(screen.print(CXRect(0, 0, 800, 600)), "no print server answers");
    EXPECT_TRUE(namesIn(platform::currentFolder()).empty());
}

TEST(CPrinter, AFolderThatIsAFileGetsNoPage)
{
    TempFolder temp;
    const std::string path = temp.write("pages", "keep");
    Screen screen(16, kColours565, 4, {"-printto", path});
    expectNothingPrinted(screen.print(CXRect(0, 0, 800, 600)), path);
    EXPECT_EQ(temp.read("pages"), "keep");
    EXPECT_EQ(namesIn(temp.path()), std::vector<std::string>{"pages"});
}
