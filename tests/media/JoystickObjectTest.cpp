#include "media/CMC_Joystick.h"

#include "InputScene.h"

using Log = std::vector<std::string>;

namespace {

// A JOYSTICK with the given signal properties over a headless controller of four buttons,
// and behaviours that log their names.
class JoystickObject : public InputScene {
protected:
    CMC_Joystick* defineJoystick(const std::vector<std::string>& bindings, CMC_ObjectsContainer* into = nullptr)
    {
        for (const char* name : {"AXIS", "DIRECTION", "MOVED", "DOWN", "UP", "ZAXIS", "PRESSED0", "PRESSED", "RELEASED"})
            if (scene->getObject(name) == nullptr)
                logger(name);
        std::string definition = "OBJECT=PAD\nPAD:TYPE=JOYSTICK\n";
        for (const std::string& binding : bindings)
            definition += "PAD:" + binding + "\n";
        define(definition, into);
        return CMC_Joystick::getIfc();
    }
    // One frame after the controller's state changed as told.
    void poll(const std::function<void(platform::JoystickState&)>& change = {})
    {
        platform::JoystickState state = backend.joystick().state();
        if (change)
            change(state);
        backend.joystick().setState(state);
        frame();
    }
    static std::function<void(platform::JoystickState&)> x(int value)
    {
        return [value](platform::JoystickState& s) { s.x = value; };
    }
    static std::function<void(platform::JoystickState&)> button(int n, bool held)
    {
        return [n, held](platform::JoystickState& s) { s.buttons.at(static_cast<size_t>(n)) = held ? 0x80 : 0; };
    }
};

} // namespace

TEST_F(JoystickObject, BeforeAnyMovementTheStickIsLeft)
{
    backend.joystick().plug(4);
    defineJoystick({});
    poll();
    EXPECT_EQ(ask("JOYSTICK^ISLEFT()"), "TRUE");
    EXPECT_EQ(ask("JOYSTICK^ISRIGHT()"), "FALSE");
    EXPECT_EQ(ask("JOYSTICK^GETPOSITION(\"X\")"), "0");
    EXPECT_EQ(ask("JOYSTICK^GETPOSITION(\"W\")"), "0");
}

// The stick moved from 0 to 40 reports nothing; on to 60 (more than 50 from the last report)
// it reports the axis, else the direction, else the plain signal.
TEST_F(JoystickObject, AMovementOfTheFirstAxisTriesTheAxisThenTheDirectionThenThePlainSignal)
{
    const std::pair<std::vector<std::string>, Log> cases[] = {
        {{"ONMOVE^X=AXIS", "ONMOVE^RIGHT=DIRECTION", "ONMOVE=MOVED"}, {"AXIS"}},
        {{"ONMOVE^RIGHT=DIRECTION", "ONMOVE=MOVED"}, {"DIRECTION"}},
        {{"ONMOVE=MOVED"}, {"MOVED"}},
        {{"ONMOVE^LEFT=DIRECTION"}, {}},
    };
    backend.joystick().plug(4);
    for (const auto& [bindings, expected] : cases) {
        defineJoystick(bindings);
        poll(x(0));
        poll(x(40));
        EXPECT_TRUE(takeLog().empty());
        poll(x(60));
        EXPECT_EQ(takeLog(), expected) << bindings.front();
        EXPECT_EQ(ask("JOYSTICK^ISRIGHT()"), "TRUE");
        scene->unload();
        poll(x(0));
    }
}

// The other axes report after more than three polls of a large change, and only until a
// quiet poll.
TEST_F(JoystickObject, TheOtherAxesReportAfterFourPollsOfALargeChange)
{
    backend.joystick().plug(4);
    defineJoystick({"ONMOVE^DOWN=DOWN", "ONMOVE^UP=UP", "ONMOVE^Z=ZAXIS"});
    const auto y = [](int value) { return [value](platform::JoystickState& s) { s.y = value; }; };
    for (int i = 0; i < 3; ++i)
        poll(y(1000));
    EXPECT_TRUE(takeLog().empty());
    poll(y(1000));
    EXPECT_EQ(takeLog(), (Log{"DOWN"}));
    poll(y(1000));
    EXPECT_TRUE(takeLog().empty());
    EXPECT_EQ(ask("JOYSTICK^GETPOSITION(\"Y\")"), std::to_string(1000 * 800 / 65535));

    // A quiet poll in between starts the count again.
    poll(y(0));
    poll(y(0));
    poll(y(1000));
    poll(y(0));
    poll(y(0));
    poll(y(0));
    EXPECT_TRUE(takeLog().empty());
    poll(y(0));
    EXPECT_EQ(takeLog(), (Log{"UP"}));

    for (int i = 0; i < 4; ++i)
        poll([](platform::JoystickState& s) { s.z = 40000; });
    EXPECT_EQ(takeLog(), (Log{"ZAXIS"}));
    EXPECT_EQ(ask("JOYSTICK^GETPOSITION(\"Z\")"), std::to_string(40000 * 800 / 65535));
}

TEST_F(JoystickObject, ButtonsRaiseTheirNumberFirstAndAnswerTheirState)
{
    backend.joystick().plug(4);
    defineJoystick({"ONBUTTONDOWN^0=PRESSED0", "ONBUTTONDOWN=PRESSED", "ONBUTTONUP=RELEASED"});
    poll(button(0, true));
    EXPECT_EQ(takeLog(), (Log{"PRESSED0"}));
    poll(button(3, true));
    EXPECT_EQ(takeLog(), (Log{"PRESSED"}));
    const std::pair<const char*, const char*> states[] = {
        {"0", "1"}, {"1", "0"}, {"3", "1"}, {"4", "0"}, {"-1", "0"}, {"99", "0"},
    };
    for (const auto& [n, state] : states)
        EXPECT_EQ(ask(std::string("JOYSTICK^GETBUTTONSTATE(") + n + ")"), state) << n;
    poll(button(0, false));
    EXPECT_EQ(takeLog(), (Log{"RELEASED"}));
    EXPECT_EQ(ask("JOYSTICK^GETBUTTONSTATE(0)"), "0");
}

// Without a controller, or after it was unplugged, ticks do nothing, and nothing waits for
// one; once one is attached again, it is read from the next frame on.
TEST_F(JoystickObject, ATickWithoutAControllerDoesNothingUntilOneComes)
{
    defineJoystick({"ONBUTTONDOWN=PRESSED", "ONMOVE=MOVED"});
    frame();
    EXPECT_EQ(ask("JOYSTICK^GETBUTTONSTATE(0)"), "0");
    EXPECT_EQ(ask("JOYSTICK^ISLEFT()"), "TRUE");

    backend.joystick().plug(2);
    poll(button(1, true));
    EXPECT_EQ(takeLog(), (Log{"PRESSED"}));

    backend.joystick().unplug();
    poll(x(1000));
    poll(button(0, true));
    EXPECT_TRUE(takeLog().empty());
    EXPECT_EQ(ask("JOYSTICK^GETBUTTONSTATE(0)"), "0");

    backend.joystick().plug(6);
    poll(button(5, true));
    EXPECT_EQ(takeLog(), (Log{"PRESSED"}));
    EXPECT_EQ(ask("JOYSTICK^GETBUTTONSTATE(5)"), "1");
}

// The window ticks the JOYSTICK made last; an older one that goes takes nothing with it.
TEST_F(JoystickObject, TheLastMadeIsTheOneThatIsTicked)
{
    backend.joystick().plug(4);
    CMC_ObjectsContainer other(window.get(), nullptr, CXString("OTHER"), CMC_Object::TYPE_SCENE);
    CMC_Joystick* older = defineJoystick({"ONBUTTONDOWN=PRESSED"}, &other);
    CMC_Joystick* newer = defineJoystick({"ONBUTTONDOWN=PRESSED0"});
    EXPECT_NE(older, newer);
    EXPECT_EQ(CMC_Joystick::getIfc(), newer);
    other.unload();
    EXPECT_EQ(CMC_Joystick::getIfc(), newer);
    poll(button(0, true));
    EXPECT_EQ(takeLog(), (Log{"PRESSED0"}));
    scene->unload();
    EXPECT_EQ(CMC_Joystick::getIfc(), nullptr);
    frame();
}

TEST_F(JoystickObject, TheRecordKeepsTheBindings)
{
    backend.joystick().plug(4);
    CMC_Joystick* read = roundTrip(defineJoystick({"ONBUTTONDOWN^1=PRESSED"}));
    EXPECT_EQ(read->getName(), "JOYSTICK");
    EXPECT_EQ(CMC_Joystick::getIfc(), read);
    poll(button(1, true));
    EXPECT_EQ(takeLog(), (Log{"PRESSED"}));
}
