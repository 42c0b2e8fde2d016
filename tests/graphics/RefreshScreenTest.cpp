#include "graphics/CRefreshScreen.h"

#include "graphics/CCanvasObserver.h"
#include "graphics/CDirectDrawSurface.h"
#include "graphics/CImage.h"
#include "graphics/CRefreshRegion.h"

#include "RasterMaker.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace {

// Which pixels of a 100 x 100 corner the rectangles cover, and how often.
using Coverage = std::vector<int>;

Coverage coverageOf(const std::vector<CXRect>& rects)
{
    Coverage covered(100 * 100, 0);
    for (const CXRect& r : rects)
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, 100); ++y)
            for (int x = std::max(r.left, 0); x < std::min(r.right, 100); ++x)
                ++covered[static_cast<size_t>(y) * 100 + x];
    return covered;
}

std::vector<CXRect> rectsOf(const CRefreshRegion& region)
{
    std::vector<CXRect> rects;
    for (int i = 0; i < region.getCount(); ++i)
        rects.push_back(*region.rectAt(i));
    return rects;
}

// Back surfaces of the screen's size, their pixels read by place.
class Back {
public:
    Back() : surface(nullptr, CXSize(800, 600), 16, false) { fill(0); }
    void fill(uint16_t word)
    {
        auto* pixels = reinterpret_cast<uint16_t*>(surface.GetDataPtr());
        std::fill(pixels, pixels + 800 * 600, word);
    }
    uint16_t at(int x, int y) { return reinterpret_cast<uint16_t*>(surface.GetDataPtr())[y * 800 + x]; }

    CDirectDrawSurface surface;
};

class CodeLog : public CCanvasObserver {
public:
    void onInitialUpdate() override { codes.push_back(0); }
    void onUpdate() override { codes.push_back(1); }
    void onUpdated() override { codes.push_back(2); }
    void onFocusOn() override { codes.push_back(3); }
    void onFocusOff() override { codes.push_back(4); }
    std::vector<int> codes;
};

// A pixel word that tells the background's place it came from.
uint16_t placeWord(int x, int y)
{
    return static_cast<uint16_t>(x * 31 + y * 977 + 1);
}

std::unique_ptr<CGraphicsObject> placePicture(int width, int height)
{
    std::vector<uint16_t> words;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            words.push_back(placeWord(x, y));
    return makeRaster(width, height, 16, words);
}

} // namespace

TEST(CRefreshRegion, KeepsDisjointRectanglesThatCoverExactlyWhatWasAdded)
{
    struct Case {
        const char* name;
        std::vector<CXRect> added;
        int count; // -1 where the shapes of the cut are free
    };
    const Case cases[] = {
        {"apart", {{0, 0, 10, 10}, {20, 20, 30, 30}}, 2},
        {"equal", {{5, 5, 15, 15}, {5, 5, 15, 15}}, 1},
        {"inside", {{0, 0, 20, 20}, {5, 5, 15, 15}}, 1},
        {"around two", {{10, 10, 20, 20}, {30, 30, 40, 40}, {0, 0, 50, 50}}, 1},
        {"corner", {{0, 0, 10, 10}, {5, 5, 15, 15}}, 3},
        {"middle of an edge", {{10, 0, 20, 10}, {0, 5, 30, 15}}, 4},
        {"band across", {{0, 10, 100, 20}, {40, 0, 60, 30}}, 3},
        {"touching edges", {{0, 0, 10, 10}, {10, 0, 20, 10}}, 2},
        {"three overlapping", {{0, 0, 30, 30}, {20, 20, 50, 50}, {10, 40, 60, 45}}, -1},
    };
    for (const Case& c : cases) {
        CRefreshRegion region(false);
        region.removeAll();
        for (const CXRect& r : c.added)
            region.add(&r);
        const std::vector<CXRect> stored = rectsOf(region);
        if (c.count >= 0)
            EXPECT_EQ(static_cast<int>(stored.size()), c.count) << c.name;
        const Coverage covered = coverageOf(stored);
        EXPECT_TRUE(std::all_of(covered.begin(), covered.end(), [](int n) { return n <= 1; })) << c.name;
        Coverage wanted = coverageOf(c.added);
        std::transform(wanted.begin(), wanted.end(), wanted.begin(), [](int n) { return n > 0 ? 1 : 0; });
        EXPECT_EQ(covered, wanted) << c.name;
    }
}

TEST(CRefreshRegion, TheWholeScreenTakesOverUntilEmptied)
{
    CRefreshRegion region(true);
    EXPECT_TRUE(region.isWholeScreen());
    ASSERT_EQ(region.getCount(), 1);
    EXPECT_EQ(region.rectAt(0), nullptr);

    region.removeAll();
    const CXRect small(1, 1, 2, 2);
    region.add(&small);
    region.add(&CRefreshRegion::kWholeScreen);
    region.add(&small);
    ASSERT_EQ(region.getCount(), 1);
    EXPECT_EQ(region.rectAt(0), nullptr);

    region.removeAll();
    EXPECT_FALSE(region.isWholeScreen());
    region.add(nullptr);
    EXPECT_TRUE(region.isWholeScreen());
}

TEST(CRefreshScreen, DrawListRunsInPriorityOrderAndForgetsObjectsTakenOff)
{
    CRefreshScreen screen(nullptr);
    CGraphicsObject back(nullptr), middle(nullptr), front(nullptr), sameAsMiddle(nullptr);
    screen.put(&front, 10);
    screen.put(&middle, 5);
    screen << &back;
    screen.put(&sameAsMiddle, 5);
    screen.put(&back, 99);
    screen.put(nullptr, 1);

    EXPECT_EQ(screen.getIndex(&back), 0);
    EXPECT_EQ(screen.getIndex(&middle), 1);
    EXPECT_EQ(screen.getIndex(&sameAsMiddle), 2);
    EXPECT_EQ(screen.getIndex(&front), 3);
    EXPECT_EQ(screen.GetPriority(&back), 0);

    // Moving to the same priority goes behind the others of it; the flags start again.
    EXPECT_TRUE(screen.SetFlags(&middle, 1));
    screen.SetPriority(&middle, 5);
    EXPECT_EQ(screen.getIndex(&middle), 2);
    EXPECT_EQ(screen.GetFlags(&middle), 0);
    EXPECT_FALSE(screen.SetFlags(&screen, 1));
    screen.SetPriority(&screen, 1);
    EXPECT_EQ(screen.getIndex(&screen), -1);

    screen >> &middle >> nullptr;
    EXPECT_EQ(screen.getIndex(&middle), -1);
    EXPECT_EQ(screen.GetPriority(&middle), -1);
    EXPECT_EQ(screen.getIndex(&front), 2);
}

TEST(CRefreshScreen, APassDrawsLowerPrioritiesFirstAndEqualOnesInTheirOrder)
{
    CRefreshScreen screen(nullptr);
    Back back;
    auto bottom = makeFilled(10, 10, 16, 0x1111);
    auto firstTop = makeFilled(4, 4, 16, 0x2222);
    auto secondTop = makeFilled(4, 4, 16, 0x3333);
    firstTop->SetPosition(2, 2);
    secondTop->SetPosition(4, 4);
    screen.put(secondTop.get(), 7);
    screen.put(firstTop.get(), 7);
    screen.put(bottom.get(), 1);

    EXPECT_TRUE(screen.Redraw(&back.surface, nullptr, nullptr));
    EXPECT_EQ(back.at(0, 0), 0x1111);
    EXPECT_EQ(back.at(2, 2), 0x2222);
    EXPECT_EQ(back.at(4, 4), 0x2222);
    EXPECT_EQ(back.at(7, 7), 0x3333);
    EXPECT_EQ(back.at(10, 10), 0);
    EXPECT_EQ(screen.getFrameCounter(), 1);

    // A pass over a clean region draws nothing new; a rectangle redraws only inside itself.
    screen.validate();
    back.fill(0);
    EXPECT_FALSE(screen.Redraw(&back.surface, nullptr, nullptr));
    EXPECT_EQ(back.at(0, 0), 0);
    CXRect corner(0, 0, 3, 3);
    screen.Invalidate(&corner);
    EXPECT_TRUE(screen.Redraw(&back.surface, nullptr, nullptr));
    EXPECT_EQ(back.at(2, 2), 0x2222);
    EXPECT_EQ(back.at(0, 0), 0x1111);
    EXPECT_EQ(back.at(3, 3), 0);

    // A moved object is drawn whole, over what its old place shows.
    screen.validate();
    firstTop->Move(1, 0);
    EXPECT_TRUE(screen.Redraw(&back.surface, nullptr, nullptr));
    EXPECT_EQ(back.at(2, 2), 0x1111);
    EXPECT_EQ(back.at(6, 3), 0x2222);
}

TEST(CRefreshScreen, HitTestsFindTheTopmostObjectWithinThePriorities)
{
    CRefreshScreen screen(nullptr);
    auto low = makeFilled(10, 10, 16, 1);
    auto high = makeRaster(2, 1, 16, {2, 2}, {255, 0});
    auto sameHigh = makeFilled(1, 1, 16, 3);
    auto below = makeFilled(10, 10, 16, 5);
    high->SetPosition(5, 5);
    sameHigh->SetPosition(5, 5);
    screen.put(low.get(), 1);
    screen.put(high.get(), 8);
    screen.put(sameHigh.get(), 8);
    screen.put(below.get(), -2);

    struct Case {
        int x, y;
        int minPriority, maxPriority;
        bool ignoreAlpha;
        CGraphicsObject* expected;
    };
    const Case cases[] = {
        {5, 5, -1, -1, false, sameHigh.get()}, // the later of equal priorities, drawn on top
        {5, 5, -1, 7, false, low.get()},
        {5, 5, 9, -1, false, nullptr},
        {6, 5, -1, -1, false, low.get()}, // transparent there
        {6, 5, -1, -1, true, high.get()},
        {0, 0, -1, -1, false, low.get()},
        {50, 50, -1, -1, false, nullptr},
    };
    for (const Case& c : cases)
        EXPECT_EQ(screen.getGraphicsAt(c.x, c.y, true, c.minPriority, c.maxPriority, c.ignoreAlpha), c.expected)
            << c.x << "," << c.y << " " << c.minPriority << ".." << c.maxPriority;

    // Priorities below -1 are never hit.
    screen >> low.get();
    EXPECT_EQ(screen.getGraphicsAt(0, 0, true, -1, -1, false), nullptr);
}

TEST(CRefreshScreen, ObserversHearOnlyWhileNotifyingIsOn)
{
    CRefreshScreen screen(nullptr);
    Back back;
    auto raster = makeFilled(2, 2, 16, 1);
    screen.put(raster.get(), 0);
    CodeLog log;
    screen.addNotifier(&log);

    screen.Redraw(&back.surface, nullptr, nullptr);
    screen.onFocusOn();
    EXPECT_TRUE(log.codes.empty());

    screen.enableNotifyFlag(true);
    screen.Redraw(&back.surface, nullptr, nullptr);
    screen.onFocusOff();
    screen.onFocusOn();
    screen.notify(5);
    EXPECT_EQ(log.codes, (std::vector<int>{1, 2, 4, 3}));

    screen.removeNotifier(&log);
    screen.onFocusOn();
    EXPECT_EQ(log.codes.size(), 4u);
}

TEST(CRefreshScreen, TheGreyFlagTurnsEveryFrameGrey)
{
    CRefreshScreen screen(nullptr);
    Back back;
    auto red = makeFilled(2, 2, 16, 0xF800);
    screen.put(red.get(), 0);
    screen.SetFlags(nullptr, CRefreshScreen::kGreyFlag);
    screen.Redraw(&back.surface, nullptr, nullptr);
    const uint16_t grey = back.at(0, 0);
    const int r = grey >> 11, g = grey >> 6 & 31, b = grey & 31;
    EXPECT_TRUE(r == g && g == b && r != 0) << std::hex << grey;
}

TEST(CRefreshScreen, BackgroundsScrollWithTheirPositionAndWrap)
{
    struct Probe {
        int x, y;       // on the screen
        int bx, by;     // where on the background; -1 when the background does not reach there
    };
    struct Case {
        const char* name;
        int width, height;
        CXPoint position;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"larger, scrolled", 900, 700, {50, 30}, {{0, 0, 50, 30}, {799, 599, 849, 629}}},
        {"as high, wrapping sideways", 1000, 600, {-300, 0}, {{0, 0, 700, 0}, {299, 10, 999, 10}, {300, 10, 0, 10}, {799, 599, 499, 599}}},
        {"as wide, wrapping down", 800, 1000, {0, 900}, {{5, 0, 5, 900}, {5, 99, 5, 999}, {5, 100, 5, 0}}},
        {"smaller, plain", 300, 200, {0, 0}, {{0, 0, 0, 0}, {299, 199, 299, 199}, {300, 0, -1, -1}, {0, 200, -1, -1}}},
        {"smaller, scrolled sideways", 300, 200, {100, 0}, {{0, 0, 100, 0}, {199, 0, 299, 0}, {200, 0, 0, 0}, {0, 199, 100, 199}}},
    };
    for (const Case& c : cases) {
        CRefreshScreen screen(nullptr);
        auto picture = placePicture(c.width, c.height);
        screen.SetBackground(picture.get());
        screen.getBackgroundIfc()->SetPosition(c.position);
        Back back;
        back.fill(0xDEAD);
        screen.Redraw(&back.surface, nullptr, nullptr);
        for (const Probe& p : c.probes) {
            const uint16_t expected = p.bx < 0 ? 0xDEAD : placeWord(p.bx, p.by);
            EXPECT_EQ(back.at(p.x, p.y), expected) << c.name << " at " << p.x << "," << p.y;
        }
    }
}

TEST(CRefreshScreen, BackgroundsFromColoursAndFiles)
{
    TempFolder folder;
    CRefreshScreen screen(nullptr);
    Back back;
    screen.SetBackground(static_cast<CColor*>(nullptr));
    screen.Redraw(&back.surface, nullptr, nullptr);
    EXPECT_EQ(back.at(400, 300), CColor(7, 7, 7).GetInBPP(16));

    auto picture = makeFilled(800, 600, 16, 0x1234);
    ASSERT_EQ(picture->Save(CXString(folder.file("back.img").c_str()), COMPRESSION_NONE), 0);
    screen.SetBackground(CXString(folder.file("back.img").c_str()));
    screen.SetBackground(CXString(folder.file("missing.img").c_str()));
    screen.Invalidate(static_cast<CXRect*>(nullptr));
    screen.Redraw(&back.surface, nullptr, nullptr);
    EXPECT_EQ(back.at(400, 300), 0x1234);

    screen.SetBackground(static_cast<CGraphicsObject*>(nullptr));
    EXPECT_EQ(screen.getBackgroundIfc(), nullptr);
}

TEST(CRefreshScreen, AScreenShotWritesTheLastComposedFrame)
{
    TempFolder folder;
    const CXString shot(folder.file("shot.img").c_str());
    CRefreshScreen screen(nullptr);
    screen.Save(shot, COMPRESSION_NONE);
    EXPECT_FALSE(std::filesystem::exists(folder.file("shot.img")));

    Back back;
    auto raster = makeFilled(2, 2, 16, 0x4321);
    screen.put(raster.get(), 0);
    screen.Redraw(&back.surface, nullptr, nullptr);
    EXPECT_EQ(screen.Save(shot, COMPRESSION_NONE), 0);
    CImage loaded(nullptr, shot);
    ASSERT_EQ(loaded.LastError(), 0);
    EXPECT_EQ(loaded.Width(), 800);
    EXPECT_EQ(wordsOf(loaded)[801], 0x4321);
    EXPECT_EQ(wordsOf(loaded)[802], 0);
}
