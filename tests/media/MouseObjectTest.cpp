#include "graphics/CHotSpot.h"
#include "media/CMC_Mouse.h"

#include "InputScene.h"

using platform::Event;
using platform::MouseButton;
using platform::Point;
using platform::Rect;
using platform::SystemCursor;
using Log = std::vector<std::string>;

namespace {

// A MOUSE defined under another name with the given signal properties, and behaviours that
// log their names: MOVED, CLICKED, RELEASED, DOUBLE, RIGHTCLICK, LEFTCLICK, RIGHTRELEASE.
class MouseObject : public InputScene {
protected:
    CMC_Mouse* defineMouse(const std::vector<std::string>& bindings, const std::string& more = "")
    {
        for (const char* name : {"MOVED", "CLICKED", "RELEASED", "DOUBLE", "RIGHTCLICK", "LEFTCLICK", "RIGHTRELEASE"})
            logger(name);
        std::string definition = more + "OBJECT=POINTER\nPOINTER:TYPE=MOUSE\n";
        for (const std::string& binding : bindings)
            definition += "POINTER:" + binding + "\n";
        define(definition);
        return dynamic_cast<CMC_Mouse*>(scene->getObject("MOUSE"));
    }
    void click(MouseButton button, Point at) { frame({Event::mouseDown(button, at), Event::mouseUp(button, at)}); }
    const platform::HeadlessCursorShape* shape() { return backend.cursors().current(); }

    ~MouseObject() override
    {
        CMC_Mouse::reset(true);
        CHotSpot::done();
    }
};

// Writes its left presses into the log with their place.
class Spot : public CHotSpot {
public:
    Spot(CWindow* window, Log& log, CXRect area) : CHotSpot(window), log_(log) { SetActiveRect(area, EVENT_NONE, 0); }
    int OnLButtonDown(CXPoint p, int, void*) override
    {
        log_.push_back("spot@" + std::to_string(p.x) + "," + std::to_string(p.y));
        return 1;
    }

private:
    Log& log_;
};

struct MouseCase {
    const char* name;
    std::vector<std::string> bindings;
    const char* before; // code run before the events
    std::vector<Event> events;
    Log expected;
    std::vector<std::pair<const char*, const char*>> answers;
};

} // namespace

TEST_F(MouseObject, SignalsFollowTheBindingsAndTheSwitchesWhileThePlacesFollowTheMouse)
{
    const MouseCase cases[] = {
        {"only ONCLICK^RIGHT bound: a right click runs it, a left click nothing",
         {"ONCLICK^RIGHT=RIGHTCLICK"}, "",
         {Event::mouseDown(MouseButton::Right, {5, 6}), Event::mouseUp(MouseButton::Right, {5, 6}),
          Event::mouseDown(MouseButton::Left, {7, 8}), Event::mouseUp(MouseButton::Left, {7, 8}),
          Event::mouseDown(MouseButton::Right, {9, 9})},
         {"RIGHTCLICK", "RIGHTCLICK"},
         {{"MOUSE^GETLASTCLICKPOSX()", "7"}, {"MOUSE^GETLASTCLICKPOSY()", "8"}}},
        {"plain signals run when nothing is bound to the button's form",
         {"ONMOVE=MOVED", "ONCLICK=CLICKED", "ONRELEASE=RELEASED", "ONRELEASE^RIGHT=RIGHTRELEASE", "ONDBLCLICK=DOUBLE"}, "",
         {Event::mouseMove({100, 50}), Event::mouseDown(MouseButton::Middle, {100, 50}),
          Event::mouseUp(MouseButton::Middle, {100, 50}), Event::mouseUp(MouseButton::Right, {100, 50}),
          Event::doubleClick({100, 50})},
         {"DOUBLE", "MOVED", "CLICKED", "RELEASED", "RIGHTRELEASE"},
         {{"MOUSE^GETPOSX()", "100"}, {"MOUSE^GETPOSY()", "50"}}},
        {"DISABLESIGNAL: no signal, but the places follow", {"ONMOVE=MOVED", "ONCLICK=CLICKED"},
         "MOUSE^DISABLESIGNAL();",
         {Event::mouseMove({30, 40}), Event::mouseDown(MouseButton::Left, {31, 41})},
         {},
         {{"MOUSE^GETPOSX()", "30"}, {"MOUSE^GETLASTCLICKPOSX()", "31"}}},
        {"ENABLESIGNAL again", {"ONMOVE=MOVED"}, "MOUSE^DISABLESIGNAL();MOUSE^ENABLESIGNAL();",
         {Event::mouseMove({30, 40})},
         {"MOVED"},
         {}},
        {"DISABLE: the window hears no mouse at all", {"ONMOVE=MOVED", "ONCLICK=CLICKED"}, "MOUSE^DISABLE();",
         {Event::mouseMove({30, 40}), Event::mouseDown(MouseButton::Left, {31, 41})},
         {},
         {{"MOUSE^GETPOSX()", "0"}, {"MOUSE^GETLASTCLICKPOSX()", "0"}}},
    };
    for (const MouseCase& c : cases) {
        SCOPED_TRACE(c.name);
        backend.cursors().moveTo({0, 0});
        defineMouse(c.bindings);
        if (*c.before != '\0')
            run(c.before);
        frame(c.events);
        EXPECT_EQ(takeLog(), c.expected);
        for (const auto& [call, answer] : c.answers)
            EXPECT_EQ(ask(call), answer) << call;
        run("MOUSE^ENABLE();");
        scene->unload();
    }
}

TEST_F(MouseObject, TheCursorShowsHidesAndTakesItsKindByExactName)
{
    defineMouse({});
    run("MOUSE^HIDE();MOUSE^HIDE();MOUSE^SHOW();");
    EXPECT_TRUE(backend.cursors().isVisible());
    run("MOUSE^HIDE();");
    EXPECT_FALSE(backend.cursors().isVisible());
    run("MOUSE^SHOW();MOUSE^SHOW();MOUSE^HIDE();MOUSE^SHOW();");
    EXPECT_TRUE(backend.cursors().isVisible());

    const std::pair<const char*, SystemCursor> kinds[] = {
        {"MOUSE^SET(\"WAIT\");", SystemCursor::Wait},     {"MOUSE^SET(\"Arrow\");", SystemCursor::Wait},
        {"MOUSE^SET(\"ACTIVE\");", SystemCursor::Hand},   {"MOUSE^SET(\"ARROW\");", SystemCursor::Arrow},
        {"MOUSE^SET(\"Wait\");", SystemCursor::Arrow},    {"MOUSE^DISABLE();", SystemCursor::Wait},
        {"MOUSE^ENABLE();", SystemCursor::Arrow},         {"MOUSE^LOCKACTIVECURSOR(TRUE);MOUSE^SET(\"ACTIVE\");", SystemCursor::Arrow},
        {"MOUSE^LOCKACTIVECURSOR(FALSE);MOUSE^SET(\"ACTIVE\");", SystemCursor::Hand},
    };
    for (const auto& [code, kind] : kinds) {
        run(code);
        ASSERT_NE(shape(), nullptr);
        EXPECT_EQ(shape()->kind(), kind) << code;
    }
}

TEST_F(MouseObject, SetPositionAndMoveWarpThePointer)
{
    defineMouse({});
    frame({Event::mouseMove({100, 50})});
    run("MOUSE^MOVE(5, 0);");
    EXPECT_EQ(backend.cursors().position(), (Point{105, 50}));
    EXPECT_EQ(ask("MOUSE^GETPOSX()"), "105");
    run("MOUSE^SETPOSITION(7, 9);");
    EXPECT_EQ(backend.cursors().position(), (Point{7, 9}));
    EXPECT_EQ(ask("MOUSE^GETPOSY()"), "9");

    // A new MOUSE starts where the pointer is.
    scene->unload();
    CMC_Mouse* again = defineMouse({});
    EXPECT_EQ(again->getPosX(), 7);
    EXPECT_EQ(again->getPosY(), 9);
}

// The rectangle belongs to the class: it goes while the program is inactive and comes back
// with the focus, unless it has no area; four zeros forget it.
TEST_F(MouseObject, TheClipRectangleFollowsTheFocus)
{
    backend.display().setClientOrigin({200, 100});
    defineMouse({});
    const auto refocus = [this] {
        window->OnActivateApp(false);
        EXPECT_EQ(backend.cursors().clip(), std::nullopt);
        window->OnActivateApp(true);
    };
    run("MOUSE^SETCLIPRECT(10, 10, 110, 200);");
    EXPECT_EQ(backend.cursors().clip(), (Rect{10, 10, 110, 200}));
    EXPECT_EQ(CMC_Mouse::getClipRect(), CXRect(210, 110, 310, 300));
    refocus();
    EXPECT_EQ(backend.cursors().clip(), (Rect{10, 10, 110, 200}));

    run("MOUSE^SETCLIPRECT(10, 10, 10, 200);");
    EXPECT_EQ(backend.cursors().clip(), std::nullopt);
    refocus();
    EXPECT_EQ(backend.cursors().clip(), std::nullopt);

    run("MOUSE^SETCLIPRECT(10, 10, 110, 200);MOUSE^SETCLIPRECT(0, 0, 0, 0);");
    EXPECT_EQ(backend.cursors().clip(), std::nullopt);
    EXPECT_EQ(CMC_Mouse::getClipRect(), CXRect());
    refocus();
    EXPECT_EQ(backend.cursors().clip(), std::nullopt);
}

// CLICK and MOUSERELEASE run the window's whole mouse path inside the behaviour: the hot
// spots, then the listeners, the MOUSE itself among them.
TEST_F(MouseObject, ClickRunsTheWindowsWholeMousePath)
{
    Spot spot(window.get(), log, CXRect(0, 0, 50, 50));
    defineMouse({"ONCLICK^LEFT=LEFTCLICK", "ONRELEASE^RIGHT=RIGHTRELEASE"});
    backend.cursors().moveTo({400, 300});
    run("MOUSE^CLICK(20, 30);");
    EXPECT_EQ(takeLog(), (Log{"spot@20,30", "LEFTCLICK"}));
    EXPECT_EQ(ask("MOUSE^GETLASTCLICKPOSX()"), "20");
    EXPECT_EQ(ask("MOUSE^GETLASTCLICKPOSY()"), "30");
    EXPECT_EQ(backend.cursors().position(), (Point{400, 300}));

    run("MOUSE^CLICK(20, 30, \"left\");MOUSE^CLICK(20, 30, \"MIDDLE\");MOUSE^MOUSERELEASE(5, 5, \"RIGHT\");");
    EXPECT_EQ(takeLog(), (Log{"RIGHTRELEASE"}));

    run("MOUSE^DISABLE();MOUSE^CLICK(20, 30);MOUSE^ENABLE();");
    EXPECT_TRUE(takeLog().empty());
}

TEST_F(MouseObject, ClicksNestedTooDeepInTheirHandlersDoNothing)
{
    defineMouse({"ONCLICK^LEFT=AGAIN"}, "OBJECT=COUNT\nCOUNT:TYPE=INTEGER\nCOUNT:VALUE=0\n"
                                        "OBJECT=AGAIN\nAGAIN:TYPE=BEHAVIOUR\nAGAIN:CODE={ COUNT^INC(); MOUSE^CLICK(1, 1); }\n");
    run("MOUSE^CLICK(1, 1);");
    EXPECT_EQ(ask("COUNT"), std::to_string(CMC_Mouse::kMaxSimulationDepth));
    run("MOUSE^CLICK(1, 1);");
    EXPECT_EQ(ask("COUNT"), std::to_string(2 * CMC_Mouse::kMaxSimulationDepth));
}

TEST_F(MouseObject, TheMouseListensAboveEveryoneAndConsumesNothing)
{
    struct Below : CMouseListener {
        bool onMouseMove(CXPoint) override
        {
            ++moves;
            return true;
        }
        int moves = 0;
    } below;
    window->registerMouseListener(&below, CMC_Mouse::PRIORITY - 1);
    defineMouse({"ONMOVE=MOVED"});
    frame({Event::mouseMove({1, 2})});
    EXPECT_EQ(takeLog(), (Log{"MOVED"}));
    EXPECT_EQ(below.moves, 1);
    window->removeMouseListener(&below);
}

TEST_F(MouseObject, TheRecordKeepsTheBindings)
{
    CMC_Mouse* read = roundTrip(defineMouse({"ONCLICK^LEFT=LEFTCLICK", "ONMOVE=MOVED"}));
    EXPECT_EQ(read->getName(), "MOUSE");
    frame({Event::mouseMove({3, 4}), Event::mouseDown(MouseButton::Left, {3, 4})});
    EXPECT_EQ(takeLog(), (Log{"MOVED", "LEFTCLICK"}));
}
