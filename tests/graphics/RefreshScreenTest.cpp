#include "graphics/CRefreshScreen.h"

#include "graphics/CCanvasObserver.h"
#include "graphics/CDirectDrawSurface.h"
#include "graphics/CImage.h"
#include "graphics/CRefreshRegion.h"

#include "RasterMaker.h"
#include "TempFolder.h"
#include "app/HeadlessWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

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

namespace {

// A raster that counts how often its box is asked for: a pass asks once for each object it
// looks at.
class CountedRaster : public CGraphicsObject {
public:
    CountedRaster(int x, int y)
        : CGraphicsObject(nullptr, CXSize(10, 10), 16)
    {
        std::fill_n(reinterpret_cast<uint16_t*>(GetDataPtr()), 100, static_cast<uint16_t>(x + y + 1));
        SetPosition(x, y);
    }
    CXRect GetBoundingBox() override
    {
        ++looks;
        return CGraphicsObject::GetBoundingBox();
    }
    int looks = 0;
};

// A raster that runs an action each time it is drawn, as a drawing that changes other objects.
class ActingRaster : public CGraphicsObject {
public:
    ActingRaster(uint16_t word, std::function<void()> action)
        : CGraphicsObject(nullptr, CXSize(4, 4), 16)
        , action_(std::move(action))
    {
        std::fill_n(reinterpret_cast<uint16_t*>(GetDataPtr()), 16, word);
    }
    void Redraw() override
    {
        CGraphicsObject::Redraw();
        if (action_)
            action_();
    }

private:
    std::function<void()> action_;
};

} // namespace

TEST(CRefreshScreen, APassOverASmallAreaLooksOnlyAtTheObjectsThatShowThere)
{
    CRefreshScreen screen(nullptr);
    Back back;
    std::vector<std::unique_ptr<CountedRaster>> rasters;
    for (int y = 0; y < 600; y += 20)
        for (int x = 0; x < 800; x += 20) {
            rasters.push_back(std::make_unique<CountedRaster>(x, y));
            screen.put(rasters.back().get(), 0);
        }
    screen.Redraw(&back.surface, nullptr, nullptr);
    screen.validate();
    for (auto& raster : rasters)
        raster->looks = 0;

    CXRect small(405, 305, 415, 315);
    screen.Invalidate(&small);
    back.fill(0);
    screen.Redraw(&back.surface, nullptr, nullptr);
    int looks = 0;
    for (auto& raster : rasters)
        looks += raster->looks;
    EXPECT_EQ(looks, 1);
    EXPECT_EQ(back.at(405, 305), 400 + 300 + 1);
    EXPECT_EQ(back.at(410, 310), 0);
}

TEST(CRefreshScreen, APassOverPartOfTheScreenFindsWhatChangedUnseen)
{
    HeadlessWindow window;
    const CXRect dirty(100, 100, 110, 110);
    auto big = std::make_unique<CGraphicsObject>(&window.window(), CXSize(300, 300), 16);
    std::fill_n(reinterpret_cast<uint16_t*>(big->GetDataPtr()), 300 * 300, static_cast<uint16_t>(0x7777));
    big->SetPosition(-150, -150);
    CRefreshScreen other(nullptr);
    struct Case {
        const char* name;
        // Changes the raster, 8 x 8 at (0, 0) and drawn once, before the area is made dirty.
        std::function<void(CRefreshScreen&, CGraphicsObject&, Back&)> change;
        // Where the pass must have drawn the raster's word 0x7777, and where it must not have.
        std::vector<CXPoint> drawn;
        std::vector<CXPoint> notDrawn;
    };
    const Case cases[] = {
        {"placed into the area, which it does not report", [](CRefreshScreen&, CGraphicsObject& r, Back&) { r.SetPosition(98, 98); },
         {{100, 100}, {105, 105}},
         {{98, 98}, {106, 106}}},
        {"placed away from the area", [](CRefreshScreen&, CGraphicsObject& r, Back&) { r.SetPosition(200, 200); },
         {},
         {{100, 100}, {200, 200}}},
        {"grown over the area from beyond the screen's corner",
         [&big](CRefreshScreen&, CGraphicsObject& r, Back&) { r.Copy(big.get()); },
         {{100, 100}, {109, 109}},
         {{0, 0}, {149, 149}}},
        {"marked dirty elsewhere: drawn whole",
         [](CRefreshScreen&, CGraphicsObject& r, Back&) {
             r.SetPosition(300, 300);
             CXRect part(300, 300, 302, 302);
             r.Invalidate(&part);
         },
         {{300, 300}, {307, 307}},
         {}},
        {"hidden while dirty, shown again by a copy that reports nothing: drawn whole",
         [&big](CRefreshScreen& screen, CGraphicsObject& r, Back& back) {
             r.Visible(false);
             screen.Redraw(&back.surface, nullptr, nullptr);
             screen.validate();
             r.Copy(big.get(), CXRect(0, 0, 8, 8));
         },
         {{0, 0}, {7, 7}},
         {}},
        {"taken off and put back higher",
         [](CRefreshScreen& screen, CGraphicsObject& r, Back&) {
             screen >> &r;
             r.SetPosition(96, 96);
             screen.put(&r, 5);
         },
         {{100, 100}},
         {}},
        {"listed by another screen too, which hears of its moves",
         [&other](CRefreshScreen&, CGraphicsObject& r, Back&) {
             other.put(&r, 0);
             r.SetPosition(104, 104);
         },
         {{104, 104}, {109, 109}},
         {{103, 103}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRefreshScreen screen(nullptr);
        Back back;
        auto raster = std::make_unique<CGraphicsObject>(&window.window(), CXSize(8, 8), 16);
        std::fill_n(reinterpret_cast<uint16_t*>(raster->GetDataPtr()), 64, static_cast<uint16_t>(0x7777));
        auto below = makeFilled(800, 600, 16, 0x1111);
        screen.put(below.get(), 0);
        screen.put(raster.get(), 1);
        screen.Redraw(&back.surface, nullptr, nullptr);
        screen.validate();
        back.fill(0);

        c.change(screen, *raster, back);
        CXRect area = dirty;
        screen.Invalidate(&area);
        screen.Redraw(&back.surface, nullptr, nullptr);
        for (const CXPoint& p : c.drawn)
            EXPECT_EQ(back.at(p.x, p.y), 0x7777) << p.x << "," << p.y;
        for (const CXPoint& p : c.notDrawn)
            EXPECT_NE(back.at(p.x, p.y), 0x7777) << p.x << "," << p.y;
        screen >> raster.get();
        other >> raster.get();
    }
}

TEST(CRefreshScreen, ChangesMadeWhileAPassDrawsReachTheObjectsItHasYetToDraw)
{
    CRefreshScreen screen(nullptr);
    Back back;
    auto earlier = makeFilled(4, 4, 16, 0x1111);
    auto later = makeFilled(4, 4, 16, 0x2222);
    auto moved = makeFilled(4, 4, 16, 0x3333);
    auto taken = makeFilled(4, 4, 16, 0x4444);
    earlier->SetPosition(200, 0);
    later->SetPosition(200, 10);
    moved->SetPosition(300, 0);
    taken->SetPosition(10, 10);
    bool armed = false;
    ActingRaster actor(0x5555, [&] {
        if (!armed)
            return;
        armed = false;
        CXRect area(200, 0, 210, 20);
        screen.Invalidate(&area);
        moved->SetPosition(12, 12);
        screen >> taken.get();
    });
    actor.SetPosition(10, 10);
    screen.put(earlier.get(), 0);
    screen.put(&actor, 1);
    screen.put(later.get(), 2);
    screen.put(moved.get(), 3);
    screen.put(taken.get(), 4);
    screen.Redraw(&back.surface, nullptr, nullptr);
    screen.validate();
    back.fill(0);

    armed = true;
    CXRect area(10, 10, 16, 16);
    screen.Invalidate(&area);
    screen.Redraw(&back.surface, nullptr, nullptr);
    // The area made dirty while the pass draws reaches the object drawn after the one that made
    // it dirty, not the one drawn before; the object moved into the drawn area is drawn at its
    // new place; the one taken off is not drawn.
    EXPECT_EQ(back.at(200, 10), 0x2222);
    EXPECT_EQ(back.at(200, 0), 0);
    EXPECT_EQ(back.at(10, 10), 0x5555);
    EXPECT_EQ(back.at(13, 13), 0x3333);
    EXPECT_EQ(back.at(15, 15), 0x3333);
}

// Inside the dirty rectangles, a pass shows what composing every object afresh shows, however
// the objects moved, changed priority, hid, showed or were taken off and put back between passes.
// The objects are opaque or cut out: one that keeps a clipping rectangle of its own is drawn
// within it once for each dirty rectangle it meets, which only a blend would show.
TEST(CRefreshScreen, InsideTheDirtyAreaAPassShowsWhatAFullCompositionShows)
{
    HeadlessWindow window;
    CRefreshScreen screen(nullptr);
    CColor grey(40, 40, 40);
    screen.SetBackground(&grey);
    Back back;
    struct Listed {
        std::unique_ptr<CGraphicsObject> raster;
        int priority;
        int serial;
        bool listed = true;
    };
    std::vector<Listed> objects;
    TestNoise noise(17);
    int serial = 0;
    for (int i = 0; i < 60; ++i) {
        const int width = 5 + static_cast<int>(noise.next() % 150);
        const int height = 5 + static_cast<int>(noise.next() % 150);
        std::vector<uint16_t> words(static_cast<size_t>(width) * height, static_cast<uint16_t>(0x0841 * (i + 1)));
        std::vector<uint8_t> alpha;
        if (i % 3 == 0)
            for (size_t k = 0; k < words.size(); ++k)
                alpha.push_back(static_cast<uint8_t>(k % 7 == 0 ? 0 : 255));
        auto raster = makeRaster(width, height, 16, words, alpha);
        auto withWindow = std::make_unique<CGraphicsObject>(&window.window(), *raster);
        withWindow->SetPosition(static_cast<int>(noise.next() % 900) - 50, static_cast<int>(noise.next() % 700) - 50);
        const int priority = static_cast<int>(noise.next() % 4);
        screen.put(withWindow.get(), priority);
        objects.push_back({std::move(withWindow), priority, serial++});
    }
    CDirectDrawSurface composed(nullptr, CXSize(800, 600), 16, false);
    for (int frame = 0; frame < 200; ++frame) {
        SCOPED_TRACE(frame);
        for (int change = 0; change < 3; ++change) {
            Listed& o = objects[noise.next() % objects.size()];
            CGraphicsObject& r = *o.raster;
            const int x = static_cast<int>(noise.next() % 900) - 50;
            const int y = static_cast<int>(noise.next() % 700) - 50;
            switch (noise.next() % 7) {
            case 0: r.SetPosition(x, y); break;
            case 1: r.Move(x / 20 - 22, y / 20 - 17); break;
            case 2:
                o.priority = static_cast<int>(noise.next() % 4);
                o.serial = serial++;
                screen.SetPriority(&r, o.priority);
                break;
            case 3: r.Visible(!r.isVisible()); break;
            case 4: {
                CXRect area(x, y, x + 30, y + 20);
                screen.Invalidate(&area);
                break;
            }
            case 5: r.Invalidate(); break;
            default:
                if (o.listed) {
                    screen >> &r;
                } else {
                    screen.put(&r, o.priority);
                    o.serial = serial++;
                }
                o.listed = !o.listed;
                break;
            }
        }
        std::vector<CXRect> dirty;
        const CRefreshRegion* region = screen.getRefreshList();
        for (int i = 0; i < region->getCount(); ++i)
            dirty.push_back(region->rectAt(i) != nullptr ? *region->rectAt(i) : CXRect(0, 0, 800, 600));
        screen.Redraw(&back.surface, nullptr, nullptr);
        screen.validate();

        composed.Fill(&grey);
        std::vector<const Listed*> order;
        for (const Listed& o : objects)
            if (o.listed && o.raster->isVisible())
                order.push_back(&o);
        std::sort(order.begin(), order.end(), [](const Listed* a, const Listed* b) {
            return std::pair(a->priority, a->serial) < std::pair(b->priority, b->serial);
        });
        for (const Listed* o : order)
            o->raster->redraw(&composed);
        int differing = 0;
        for (const CXRect& r : dirty)
            for (int y = std::max(r.top, 0); y < std::min(r.bottom, 600); ++y)
                for (int x = std::max(r.left, 0); x < std::min(r.right, 800); ++x)
                    differing += back.at(x, y) != reinterpret_cast<uint16_t*>(composed.GetDataPtr())[y * 800 + x];
        ASSERT_EQ(differing, 0);
    }
}
