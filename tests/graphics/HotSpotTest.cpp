#include "graphics/CHotSpot.h"
#include "graphics/CVirtualGraphicsObject.h"
#include "text/CUnit6.h"

#include "AnimationWorld.h"
#include "PictureFixtures.h"
#include "RasterMaker.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Writes its handler calls into the log under its name; answers 1 (consumed).
class Spot : public CHotSpot {
public:
    Spot(std::string name, Log& log, CXRect area, int priority, CWindow* window = nullptr)
        : CHotSpot(window)
        , name_(std::move(name))
        , log_(log)
    {
        SetActiveRect(area, EVENT_NONE, 0);
        setPriority(priority);
    }
    int OnMouseMove(CXPoint, int, void*) override { return note("move"); }
    int OnLButtonDown(CXPoint, int, void*) override { return note("down"); }
    int OnLButtonUp(CXPoint, int, void*) override
    {
        if (whenReleased)
            whenReleased();
        return note("up");
    }
    int OnRButtonDown(CXPoint, int, void*) override { return note("right"); }
    int OnFocusOn(CXPoint, int, void*) override { return note("enter"); }
    int OnFocusOff(CXPoint, int, void*) override { return note("leave"); }

    std::function<void()> whenReleased;

private:
    int note(const char* what)
    {
        log_.push_back(name_ + ":" + what);
        return 1;
    }

    std::string name_;
    Log& log_;
};

class HotSpots : public ::testing::Test {
protected:
    ~HotSpots() override
    {
        CHotSpot::setMinPriority(0);
        CHotSpot::setMaxPriority(10000000);
        CHotSpot::done();
    }
    int event(int kind, int x, int y) { return CHotSpot::OnMouseEvent(kind, CXPoint(x, y), 0); }

    Log log;
};

} // namespace

TEST_F(HotSpots, TheHighestPriorityTakesTheEventAndTheFirstAmongEquals)
{
    Spot five("five", log, CXRect(0, 0, 10, 10), 5);
    Spot seven("seven", log, CXRect(0, 0, 10, 10), 7);
    Spot alsoSeven("alsoSeven", log, CXRect(0, 0, 10, 10), 7);
    Spot negative("negative", log, CXRect(20, 0, 30, 10), -1);

    EXPECT_EQ(CHotSpot::findAt(nullptr, CXPoint(1, 1)), nullptr);
    EXPECT_EQ(event(EVENT_LBUTTONDOWN, 1, 1), 1);
    EXPECT_EQ(log, (Log{"seven:down"}));
    CHotSpot::setMinPriority(-5);
    EXPECT_EQ(event(EVENT_LBUTTONDOWN, 25, 1), 0);

    // Above the window of priorities a spot is neither found nor left; the right button
    // asks every spot hit, in registration order, until one consumes.
    CHotSpot::setMaxPriority(6);
    log.clear();
    event(EVENT_LBUTTONDOWN, 1, 1);
    event(EVENT_RBUTTONDOWN, 1, 1);
    EXPECT_EQ(log, (Log{"five:down", "five:right"}));

    // Other kinds reach no spot; unknown kinds give their value back.
    log.clear();
    for (int kind : {EVENT_RBUTTONUP, EVENT_MBUTTONDOWN, EVENT_MBUTTONUP, EVENT_LBUTTONDBLCLK})
        EXPECT_EQ(event(kind, 1, 1), 0);
    EXPECT_EQ(CHotSpot::OnMouseEvent(3, CXPoint(1, 1), 42), 42);
    EXPECT_TRUE(log.empty());
}

TEST_F(HotSpots, ThePointerEntersMovesOverAndLeaves)
{
    Spot spot("spot", log, CXRect(0, 0, 10, 10), 1);
    event(EVENT_MOUSEMOVE, 1, 1);
    event(EVENT_MOUSEMOVE, 2, 2);
    event(EVENT_MOUSEMOVE, 50, 50);
    event(EVENT_MOUSEMOVE, 60, 60);
    EXPECT_EQ(log, (Log{"spot:move", "spot:enter", "spot:move", "spot:leave"}));

    // After a release over the spot the next move enters it again.
    log.clear();
    event(EVENT_MOUSEMOVE, 1, 1);
    event(EVENT_LBUTTONUP, 1, 1);
    event(EVENT_MOUSEMOVE, 2, 2);
    EXPECT_EQ(log, (Log{"spot:move", "spot:enter", "spot:up", "spot:move", "spot:enter"}));

    // A disabled spot is never found.
    log.clear();
    spot.Enable(false);
    event(EVENT_LBUTTONDOWN, 1, 1);
    event(EVENT_RBUTTONDOWN, 1, 1);
    EXPECT_TRUE(log.empty());
}

TEST_F(HotSpots, ShapesComeFromTheRectangleOrTheObject)
{
    auto shape = makeRaster(2, 1, 16, {1, 1}, {255, 0});
    shape->SetPosition(10, 10);
    Spot spot("spot", log, CXRect(), 1);
    EXPECT_FALSE(spot.TestHit(CXPoint(10, 10)));
    spot.Set(shape.get(), EVENT_NONE, 0);
    EXPECT_TRUE(spot.TestHit(CXPoint(10, 10)));
    EXPECT_FALSE(spot.TestHit(CXPoint(11, 10)));
    // Without a screen the object's priority is unknown: the spot is never found.
    EXPECT_EQ(spot.getPriority(), -1);
    EXPECT_EQ(event(EVENT_LBUTTONDOWN, 10, 10), 0);

    spot.SetActiveRect(CXRect(0, 0, 5, 5), EVENT_NONE, 0);
    EXPECT_TRUE(spot.TestHit(CXPoint(4, 4)));
    EXPECT_FALSE(spot.TestHit(CXPoint(10, 10)));
}

TEST_F(HotSpots, SpotsDeletedByAHandlerAreNotCalledAgain)
{
    auto* doomed = new Spot("doomed", log, CXRect(0, 0, 10, 10), 1);
    class Killer : public Spot {
    public:
        Killer(Log& log, Spot*& victim) : Spot("killer", log, CXRect(0, 0, 10, 10), 2), victim_(victim) {}
        int OnRButtonDown(CXPoint p, int v, void* parent) override
        {
            delete victim_;
            victim_ = nullptr;
            Spot::OnRButtonDown(p, v, parent);
            return 0;
        }

    private:
        Spot*& victim_;
    };
    Spot* victim = doomed;
    Killer killer(log, victim);
    CHotSpot::done();
    CHotSpot::initialize(nullptr);
    CHotSpot::add(&killer);
    CHotSpot::add(doomed);
    event(EVENT_RBUTTONDOWN, 1, 1);
    EXPECT_EQ(log, (Log{"killer:right"}));
}

TEST_F(HotSpots, ASpotOfAUnitIsFoundOnlyWhileTheUnitIsActive)
{
    CUnit6 unit(nullptr, "Unit");
    Spot spot("spot", log, CXRect(0, 0, 10, 10), 1);
    spot.setUnit(&unit);
    event(EVENT_LBUTTONDOWN, 1, 1);
    EXPECT_TRUE(log.empty());
    unit.initialize(nullptr, nullptr);
    event(EVENT_LBUTTONDOWN, 1, 1);
    EXPECT_EQ(log, (Log{"spot:down"}));
}

TEST_F(HotSpots, CopiesOwnTheirRectangleAndNeitherCopiesNorStandInsAreListed)
{
    Spot original("original", log, CXRect(0, 0, 10, 10), 3);
    Spot copy(original);
    copy.SetActiveRect(CXRect(50, 50, 60, 60), EVENT_NONE, 0);
    EXPECT_TRUE(original.TestHit(CXPoint(1, 1)));
    EXPECT_FALSE(original.TestHit(CXPoint(55, 55)));
    EXPECT_TRUE(copy.TestHit(CXPoint(55, 55)));
    EXPECT_EQ(copy.getPriority(), 3);

    // A spot made for another one (a button's own) is not listed either.
    class StandIn : public CHotSpot {
    public:
        StandIn(CHotSpot* other, Log& log)
            : CHotSpot(nullptr, other, EVENT_LBUTTONDOWN, 7, nullptr)
            , log_(log)
        {
            SetActiveRect(CXRect(70, 70, 80, 80), EVENT_NONE, 0);
        }
        int OnLButtonDown(CXPoint, int, void*) override
        {
            log_.push_back("stand-in:down");
            return 1;
        }

    private:
        Log& log_;
    };
    StandIn standIn(&original, log);
    StandIn listed(nullptr, log);
    event(EVENT_LBUTTONDOWN, 55, 55);
    event(EVENT_LBUTTONDOWN, 75, 75);
    event(EVENT_LBUTTONDOWN, 5, 5);
    EXPECT_EQ(log, (Log{"stand-in:down", "original:down"}));
}

TEST_F(HotSpots, PicturesOnTheScreenTakeTheEventsOfTheWindowByTheirPriority)
{
    ScreenWorld world;
    platform::HeadlessCursors& cursors = world.backend().cursors();
    world.window()->SetActiveCursor(cursors.systemCursor(platform::SystemCursor::Hand));
    // Five covers (10, 10)-(50, 50), seven (30, 30)-(70, 70); they overlap in (30, 30)-(50, 50).
    auto fivePicture = loadPicture(world.window(), writePicture(world.folder(), "five.img", 40, 40, 0x07E0), 10, 10);
    auto sevenPicture = loadPicture(world.window(), writePicture(world.folder(), "seven.img", 40, 40, 0xF800), 30, 30);
    world.screen()->put(fivePicture.get(), 5);
    world.screen()->put(sevenPicture.get(), 7);
    auto five = std::make_unique<Spot>("five", log, CXRect(), 0, world.window());
    Spot seven("seven", log, CXRect(), 0, world.window());
    Spot negative("negative", log, CXRect(100, 100, 120, 120), -1, world.window());
    five->Set(fivePicture.get(), EVENT_NONE, 0);
    seven.Set(sevenPicture.get(), EVENT_NONE, 0);

    enum Kind { Move, Press, Release, Right };
    struct Step {
        Kind kind;
        int x;
        int y;
        Log calls;
        platform::SystemCursor cursor;
        std::function<void()> before;
    };
    using platform::SystemCursor;
    const std::vector<Step> steps = {
        {Move, 40, 40, {"seven:move", "seven:enter"}, SystemCursor::Hand, nullptr},
        {Move, 45, 45, {"seven:move"}, SystemCursor::Hand, nullptr},
        {Move, 20, 20, {"seven:leave", "five:move", "five:enter"}, SystemCursor::Hand, nullptr},
        {Move, 100, 5, {"five:leave"}, SystemCursor::Arrow, nullptr},
        {Press, 40, 40, {"seven:down"}, SystemCursor::Arrow, nullptr},
        {Release, 40, 40, {"seven:up"}, SystemCursor::Arrow, nullptr},
        // A release makes the next move over the spot an entry again.
        {Move, 41, 41, {"seven:move", "seven:enter"}, SystemCursor::Hand, nullptr},
        // Equal priorities: the spot registered first.
        {Move, 42, 42, {"five:move", "five:enter"}, SystemCursor::Hand,
         [&] { world.screen()->SetPriority(fivePicture.get(), 7); }},
        {Move, 20, 20, {"seven:leave", "five:move"}, SystemCursor::Hand,
         [&] { world.screen()->SetPriority(fivePicture.get(), 5); }},
        // Above the window of priorities five is neither found nor left, yet the right button
        // reaches it.
        {Move, 100, 5, {}, SystemCursor::Hand, [] { CHotSpot::setMaxPriority(4); }},
        {Press, 20, 20, {}, SystemCursor::Hand, nullptr},
        {Right, 20, 20, {"five:right"}, SystemCursor::Arrow, nullptr},
        // Back in the window five is left; a priority below 0 is never found, nor is a disabled
        // spot.
        {Move, 110, 110, {"five:leave"}, SystemCursor::Arrow,
         [] {
             CHotSpot::setMaxPriority(10000000);
             CHotSpot::setMinPriority(-5);
         }},
        {Move, 60, 60, {}, SystemCursor::Arrow, [&] { seven.Enable(false); }},
        {Right, 60, 60, {}, SystemCursor::Arrow, nullptr},
        // A handler deletes another spot: it hears of nothing more.
        {Release, 20, 20, {"five:up"}, SystemCursor::Arrow, nullptr},
        {Move, 21, 21, {"seven:move", "seven:enter"}, SystemCursor::Hand,
         [&] {
             seven.Enable(true);
             seven.SetActiveRect(CXRect(0, 0, 30, 30), EVENT_NONE, 0);
             seven.setPriority(6);
         }},
        {Release, 25, 25, {"seven:up"}, SystemCursor::Hand, [&] { seven.whenReleased = [&] { five.reset(); }; }},
        {Move, 20, 20, {"seven:move", "seven:enter"}, SystemCursor::Hand, nullptr},
    };
    platform::HeadlessEvents& events = world.backend().events();
    int row = 0;
    for (const Step& step : steps) {
        if (step.before)
            step.before();
        log.clear();
        const platform::Point at{step.x, step.y};
        if (step.kind == Move)
            events.inject(platform::Event::mouseMove(at));
        else if (step.kind == Right)
            events.inject(platform::Event::mouseDown(platform::MouseButton::Right, at));
        else
            events.inject(step.kind == Press ? platform::Event::mouseDown(platform::MouseButton::Left, at)
                                             : platform::Event::mouseUp(platform::MouseButton::Left, at));
        world.turn(10);
        EXPECT_EQ(log, step.calls) << "row " << row;
        EXPECT_EQ(cursors.current()->kind(), step.cursor) << "row " << row;
        ++row;
    }
}

TEST_F(HotSpots, TheSearchFollowsTheShapesAsTheyMoveAndGrow)
{
    ScreenWorld world;
    auto picture = loadPicture(world.window(), writePicture(world.folder(), "moving.img", 40, 40, 0x07E0), 10, 10);
    world.screen()->put(picture.get(), 5);
    Spot spot("spot", log, CXRect(), 0, world.window());
    spot.Set(picture.get(), EVENT_NONE, 0);
    CVirtualGraphicsObject view(world.window());
    view.setSource(picture.get());
    world.screen()->put(&view, 9);
    struct Step {
        std::function<void()> change;
        int x;
        int y;
        Log calls;
    };
    const std::vector<Step> steps = {
        {nullptr, 20, 20, {"spot:down"}},
        {[&] { picture->SetPosition(100, 100); }, 20, 20, {}},
        {nullptr, 110, 110, {"spot:down"}},
        {[&] { picture->Move(-50, 0); }, 110, 110, {}},
        {nullptr, 60, 110, {"spot:down"}},
        {[&] { picture->setSize(CXSize(80, 80)); }, 120, 170, {"spot:down"}},
        {[&] { spot.SetActiveRect(CXRect(0, 0, 5, 5), EVENT_NONE, 0); }, 60, 110, {}},
        {nullptr, 2, 2, {"spot:down"}},
        {[&] { spot.Set(picture.get(), EVENT_NONE, 0); }, 2, 2, {}},
        {nullptr, 60, 110, {"spot:down"}},
        // A view at (0, 0) shows the picture where it is: its shape reaches beyond its own box.
        {[&] { spot.Set(&view, EVENT_NONE, 0); }, 120, 170, {"spot:down"}},
        {[&] { picture->SetPosition(300, 300); }, 310, 310, {"spot:down"}},
    };
    int row = 0;
    for (const Step& step : steps) {
        if (step.change)
            step.change();
        log.clear();
        event(EVENT_LBUTTONDOWN, step.x, step.y);
        EXPECT_EQ(log, step.calls) << "row " << row;
        ++row;
    }
}
