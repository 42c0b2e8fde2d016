#include "media/CMC_Keyboard.h"
#include "platform/KeyCodes.h"
#include "platform/SdlKeyMap.h"

#include <SDL.h>

#include <set>

#include "InputScene.h"

using namespace platform::key;
using platform::Event;
using Log = std::vector<std::string>;

namespace {

// A KEYBOARD defined under another name, with the given signal properties, and the
// behaviours DOWN, UP and CHAR that log the latest key, and LEFTKEY and SPACE that log
// only themselves.
class KeyboardObject : public InputScene {
protected:
    CMC_Keyboard* defineKeyboard(const std::vector<std::string>& bindings)
    {
        logger("DOWN", [this] { return ":" + latestKey(); });
        logger("UP", [this] { return ":" + latestKey(); });
        logger("CHAR", [this] { return ":" + latestKey(); });
        logger("LEFTKEY");
        std::string definition = "OBJECT=KEYS\nKEYS:TYPE=KEYBOARD\n";
        for (const std::string& binding : bindings)
            definition += "KEYS:" + binding + "\n";
        define(definition);
        return dynamic_cast<CMC_Keyboard*>(scene->getObject("KEYBOARD"));
    }
    std::string latestKey() { return keyboard()->getLatestKey().c_str(); }
    CMC_Keyboard* keyboard() { return static_cast<CMC_Keyboard*>(scene->getObject("KEYBOARD")); }
};

const std::vector<std::string> kAllThree = {"ONKEYDOWN=DOWN", "ONKEYUP=UP", "ONCHAR=CHAR"};

Event down(int key) { return Event::keyDown(key); }
Event up(int key) { return Event::keyUp(key); }

struct Frame {
    std::vector<Event> events;
    uint32_t ms = 10;
};

struct KeyCase {
    const char* name;
    const char* locale;
    const char* before; // code run before the frames
    std::vector<std::string> bindings;
    std::vector<Frame> frames;
    Log expected;
};

} // namespace

// Every key that scripts know by name can be typed on the desktop: some SDL scancode gives it.
TEST(KeyNames, EveryNamedKeyCanBeTypedOnTheDesktop)
{
    std::set<int> typed;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode)
        typed.insert(platform::keyCodeOfSdlScancode(scancode));
    int named = 0;
    for (int key = 0; key < 256; ++key) {
        if (!CMC_Keyboard::getKeySignal(key).IsString())
            continue;
        ++named;
        EXPECT_EQ(typed.count(key), 1u) << std::hex << key;
    }
    EXPECT_EQ(named, 79);
}

// Injected key events go through the pump, the keyboard device, the window and its key
// listeners to the KEYBOARD's behaviours.
TEST_F(KeyboardObject, KeysReachTheBehavioursByNameAndCharacter)
{
    const Frame idle{};
    const KeyCase cases[] = {
        {"a key held over five flushes repeats at each", "0415", "", kAllThree,
         {{{down(A)}}, idle, idle, idle, idle, {{up(A)}}},
         {"DOWN:A", "CHAR:a", "DOWN:A", "CHAR:a", "DOWN:A", "CHAR:a", "DOWN:A", "CHAR:a", "DOWN:A", "CHAR:a", "UP:A"}},
        {"a tap in one frame is delivered once with auto-repeat on", "0415", "", kAllThree,
         {{{down(A), up(A)}}, idle},
         {"DOWN:A", "UP:A", "CHAR:a"}},
        {"a tap in one frame with auto-repeat off", "0415", "KEYBOARD^SETAUTOREPEAT(FALSE);", kAllThree,
         {{{down(A), up(A)}}, idle},
         {"DOWN:A", "UP:A", "CHAR:a"}},
        {"a held key does not repeat within 10 ms of its last repeat; a new key goes at once", "0415", "", kAllThree,
         {{{down(A)}}, {{}, 5}, {{down(S)}, 3}, {{}, 2}},
         {"DOWN:A", "CHAR:a", "DOWN:S", "CHAR:s", "DOWN:A", "DOWN:S", "CHAR:a", "CHAR:s"}},
        {"auto-repeat off: one press, one character", "0415", "KEYBOARD^SETAUTOREPEAT(FALSE);", kAllThree,
         {{{down(A)}}, idle, idle, {{up(A)}}},
         {"DOWN:A", "CHAR:a", "UP:A"}},
        {"Shift with A gives a capital; the space bar a blank", "0415", "KEYBOARD^SETAUTOREPEAT(FALSE);", kAllThree,
         {{{down(LeftShift), down(A), down(Space)}}},
         {"DOWN:LSHIFT", "DOWN:A", "DOWN:SPACE", "CHAR:A", "CHAR: "}},
        {"language 2 swaps Y and Z and gives letters only", "0405", "KEYBOARD^SETAUTOREPEAT(FALSE);", kAllThree,
         {{{down(Z), down(Digit1), down(Space)}}},
         {"DOWN:Z", "DOWN:1", "DOWN:SPACE", "CHAR:y"}},
        {"language 6 swaps Y and Z too", "040E", "KEYBOARD^SETAUTOREPEAT(FALSE);", kAllThree,
         {{{down(Y)}}},
         {"DOWN:Y", "CHAR:z"}},
        {"Alt with x gives the code page's letter", "0415", "KEYBOARD^SETAUTOREPEAT(FALSE);", kAllThree,
         {{{down(LeftAlt), down(X)}}},
         {"DOWN:LALT", "DOWN:X", "CHAR:\x9F"}},
        {"Alt and Shift with Z", "0415", "KEYBOARD^SETAUTOREPEAT(FALSE);", kAllThree,
         {{{down(RightAlt), down(RightShift), down(Z)}}},
         {"DOWN:RALT", "DOWN:RSHIFT", "DOWN:Z", "CHAR:\xAF"}},
        {"the numeric pad's digits are named as the top row's; keys without a name raise the plain signal",
         "0415", "KEYBOARD^SETAUTOREPEAT(FALSE);", kAllThree,
         {{{down(Numpad7), down(Backspace)}}},
         {"DOWN:7", "DOWN:", "CHAR:7"}},
        {"a disabled KEYBOARD raises nothing", "0415", "KEYBOARD^DISABLE();", kAllThree,
         {{{down(A), up(A)}}},
         {}},
        {"only ONKEYDOWN^LEFT bound: the left arrow runs it, Q runs nothing", "0415", "", {"ONKEYDOWN^LEFT=LEFTKEY"},
         {{{down(Left), up(Left)}}, {{down(Q), up(Q)}}},
         {"LEFTKEY"}},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        language.setLanguageFolder(c.locale);
        defineKeyboard(c.bindings);
        if (*c.before != '\0')
            run(c.before);
        for (const Frame& f : c.frames)
            frame(f.events, f.ms);
        EXPECT_EQ(takeLog(), c.expected);
        run("KEYBOARD^SETAUTOREPEAT(TRUE);");
        scene->unload();
        // Every key goes up before the next case.
        window->OnActivateApp(false);
        window->OnActivateApp(true);
        frame();
    }
}

TEST_F(KeyboardObject, ParameterisedSignalsAreTriedFirstAndTheLatestKeyNeedsABinding)
{
    CMC_Keyboard* keyboard = defineKeyboard({});
    frame({down(A), up(A)});
    EXPECT_EQ(ask("KEYBOARD^GETLATESTKEY()"), "");

    logger("SPACE");
    keyboard->addBehaviour(CXString("ONCHAR^ "), static_cast<CMC_Behaviour*>(scene->getObject("SPACE")), nullptr,
                           scene.get(), false);
    keyboard->addBehaviour(CXString("ONKEYDOWN"), static_cast<CMC_Behaviour*>(scene->getObject("DOWN")), nullptr,
                           scene.get(), false);
    frame({down(Space), up(Space)});
    EXPECT_EQ(takeLog(), (Log{"DOWN:SPACE", "SPACE"}));
    EXPECT_EQ(ask("KEYBOARD^GETLATESTKEY()"), " ");
    EXPECT_EQ(ask("KEYBOARD^ISENABLED()"), "TRUE");

    // Nothing queues latest keys: nothing reaches the named object, whatever it is.
    define("OBJECT=NUMBER\nNUMBER:TYPE=INTEGER\nNUMBER:VALUE=5\n");
    run("KEYBOARD^GETLATESTKEYS(\"NUMBER\", TRUE);KEYBOARD^GETLATESTKEYS(\"NOSUCH\");KEYBOARD^GETLATESTKEYS();");
    EXPECT_EQ(ask("NUMBER"), "5");
}

// ISKEYDOWN asks the device by the device's key names, then by the first character.
TEST_F(KeyboardObject, IsKeyDownAsksByNameThenByTheFirstCharacter)
{
    defineKeyboard(kAllThree);
    run("KEYBOARD^SETAUTOREPEAT(FALSE);");
    frame({down(RightShift), down(A), down(E), down(Digit0)});
    const std::pair<const char*, const char*> questions[] = {
        {"\"SHIFT\"", "TRUE"}, {"\"rshift\"", "TRUE"}, {"\"lshift\"", "FALSE"}, {"\"a\"", "FALSE"},
        {"\"Apple\"", "TRUE"}, {"\"\"", "FALSE"},     {"\"ESC\"", "TRUE"},     {"\"F1\"", "FALSE"},
        {"\"0\"", "TRUE"},     {"\"space\"", "FALSE"},
    };
    for (const auto& [name, answer] : questions)
        EXPECT_EQ(ask(std::string("KEYBOARD^ISKEYDOWN(") + name + ")"), answer) << name;
    EXPECT_EQ(ask("KEYBOARD^ISKEYDOWN()"), "TRUE");

    // Flushing never changes what is down, whatever the mode.
    frame();
    EXPECT_EQ(ask("KEYBOARD^ISKEYDOWN(\"A\")"), "TRUE");

    run("KEYBOARD^DISABLE();");
    EXPECT_EQ(ask("KEYBOARD^ISKEYDOWN(\"A\")"), "FALSE");
    EXPECT_EQ(ask("KEYBOARD^ISKEYDOWN()"), "TRUE");
    EXPECT_EQ(ask("KEYBOARD^ISENABLED()"), "FALSE");
    run("KEYBOARD^ENABLE();");
    frame({up(RightShift), up(A), up(E), up(Digit0)});
    EXPECT_EQ(ask("KEYBOARD^ISKEYDOWN()"), "FALSE");
}

// A key held when the program loses the focus is released then: its key-up comes with the
// next frame, and it repeats no more.
TEST_F(KeyboardObject, KeysHeldWhenTheFocusGoesAreReleased)
{
    defineKeyboard(kAllThree);
    frame({down(A)});
    EXPECT_EQ(takeLog(), (Log{"DOWN:A", "CHAR:a"}));
    frame({Event::activate(false)});
    EXPECT_EQ(ask("KEYBOARD^ISKEYDOWN()"), "FALSE");
    frame({Event::activate(true), up(A)});
    EXPECT_EQ(takeLog(), (Log{"UP:A"}));
    frame();
    EXPECT_TRUE(takeLog().empty());
}

// One KEYBOARD per window is the rule: a definition in a scene whose parent has one binds
// its signals to that one instead of building another.
TEST_F(KeyboardObject, ADefinitionRebindsTheKeyboardThatExists)
{
    CMC_Keyboard* keyboard = defineKeyboard({"ONKEYDOWN=DOWN"});
    CMC_ObjectsContainer child(window.get(), nullptr, CXString("CHILD"), CMC_Object::TYPE_SCENE);
    child.setParent(scene.get());
    define("OBJECT=KEYBOARD\nKEYBOARD:TYPE=KEYBOARD\nKEYBOARD:ONKEYUP=UP\n", &child, 1);
    EXPECT_EQ(child.getObjectId(CXString("KEYBOARD")), -1);
    frame({down(Q), up(Q)});
    EXPECT_EQ(takeLog(), (Log{"DOWN:Q", "UP:Q"}));
    EXPECT_EQ(keyboard, scene->getObject("KEYBOARD"));
    child.unload();
}

// The record of a compiled scene: the common object record, the bindings waiting until the
// scene's behaviours are there.
TEST_F(KeyboardObject, TheRecordKeepsTheBindings)
{
    CMC_Keyboard* read = roundTrip(defineKeyboard({"ONKEYDOWN^LEFT=LEFTKEY", "ONCHAR=CHAR"}));
    EXPECT_EQ(read->getName(), "KEYBOARD");
    frame({down(Left), down(B)});
    EXPECT_EQ(takeLog(), (Log{"LEFTKEY", "CHAR:b"}));
}
