#include "graphics/CHotSpot.h"

#include "RasterMaker.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

// Writes its handler calls into the log under its name; answers 1 (consumed).
class Spot : public CHotSpot {
public:
    Spot(std::string name, Log& log, CXRect area, int priority)
        : CHotSpot(nullptr)
        , name_(std::move(name))
        , log_(log)
    {
        SetActiveRect(area, EVENT_NONE, 0);
        setPriority(priority);
    }
    int OnMouseMove(CXPoint, int, void*) override { return note("move"); }
    int OnLButtonDown(CXPoint, int, void*) override { return note("down"); }
    int OnLButtonUp(CXPoint, int, void*) override { return note("up"); }
    int OnRButtonDown(CXPoint, int, void*) override { return note("right"); }
    int OnFocusOn(CXPoint, int, void*) override { return note("enter"); }
    int OnFocusOff(CXPoint, int, void*) override { return note("leave"); }

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
