#include "app/CApplication.h"
#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "media/CDXMouse.h"
#include "media/CKeyListener.h"
#include "media/CKeyboard.h"
#include "media/CMouseListener.h"
#include "platform/Clock.h"
#include "platform/KeyCodes.h"

#include "tests/CurrentFolderGuard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform::key;

namespace {

using Log = std::vector<std::string>;

class Recorder : public CKeyListener, public CMouseListener {
public:
    void onKeyDown(int key) override { log.push_back("down" + std::to_string(key)); }
    void onKeyUp(int key) override { log.push_back("up" + std::to_string(key)); }
    void onChar(unsigned char c) override { log.push_back("char" + std::to_string(c)); }
    bool onMouseMove(CXPoint p) override { return note("move", p); }
    bool onClick(int button, CXPoint p) override { return note("click" + std::to_string(button), p); }
    bool onRelease(int button, CXPoint p) override { return note("release" + std::to_string(button), p); }

    Log log;

private:
    bool note(const std::string& what, CXPoint p)
    {
        log.push_back(what + "@" + std::to_string(p.x) + "," + std::to_string(p.y));
        return false;
    }
};

// A window with its application on the manual clock, its devices fed by hand.
class InputDevices : public ::testing::Test {
protected:
    InputDevices()
    {
        platform::setClock(&clock);
        window.registerKeyListener(&recorder);
        window.registerMouseListener(&recorder, 0);
    }
    ~InputDevices() override
    {
        window.removeKeyListener(&recorder);
        window.removeMouseListener(&recorder);
        platform::setClock(nullptr);
        CWindow::rootPath = savedRoot;
        CWindow::exePath = savedExe;
    }

    // Posts the records, then a tick and a flush 10 ms after the previous one.
    void frame(std::initializer_list<std::pair<int, bool>> records = {})
    {
        for (const auto& [key, down] : records)
            keyboard->post(key, down);
        clock.advance(CKeyboard::kFlushIntervalMs);
        keyboard->tick();
        keyboard->flushSignals(true);
    }
    Log taken()
    {
        Log log = std::move(recorder.log);
        recorder.log.clear();
        return log;
    }

    CurrentFolderGuard guard;
    CXString savedRoot = CWindow::rootPath;
    CXString savedExe = CWindow::exePath;
    platform::ManualClock clock{1000};
    CLanguageOSVer language;
    CWindow window{&language, ""};
    CApplication application{&window, "", "", nullptr};
    CKeyboard* keyboard = window.getKeyboardInterface();
    Recorder recorder;
};

std::string down(int key) { return "down" + std::to_string(key); }
std::string up(int key) { return "up" + std::to_string(key); }
std::string typed(unsigned char c) { return "char" + std::to_string(c); }

} // namespace

TEST_F(InputDevices, AHeldKeyRepeatsAtEveryFlushUntilItIsReleased)
{
    frame({{A, true}});
    for (int i = 0; i < 4; ++i)
        frame({{A, true}});
    frame({{A, false}});
    Log expected;
    for (int i = 0; i < 5; ++i)
        expected.insert(expected.end(), {down(A), typed('a')});
    expected.push_back(up(A));
    EXPECT_EQ(taken(), expected);
}

// Auto-repeat on, a press taken off the queues by its release before any flush would never
// be delivered: a tap between two flushes is delivered once in either mode.
TEST_F(InputDevices, ATapBetweenFlushesIsDeliveredOnceInEitherMode)
{
    frame({{A, true}, {A, false}});
    EXPECT_EQ(taken(), (Log{down(A), up(A), typed('a')}));
    frame();
    EXPECT_TRUE(taken().empty());

    // Tapped and pressed again: the tap once, then the held press repeats.
    frame({{A, true}, {A, false}, {A, true}});
    EXPECT_EQ(taken(), (Log{down(A), down(A), up(A), typed('a'), typed('a')}));
    frame({{A, false}});
    EXPECT_EQ(taken(), (Log{up(A)}));

    keyboard->setAutoRepeat(false);
    frame({{A, true}, {A, false}});
    EXPECT_EQ(taken(), (Log{down(A), up(A), typed('a')}));
    frame({{S, true}});
    frame();
    EXPECT_EQ(taken(), (Log{down(S), typed('s')}));
}

// A character takes the Shift and Alt of the moment its key went down, so a quick chord that
// ends before the next flush keeps them; a held key's repeats take those of each flush.
TEST_F(InputDevices, ACharacterTakesTheModifiersOfItsPress)
{
    frame({{LeftShift, true}, {A, true}, {A, false}, {LeftShift, false}});
    EXPECT_EQ(taken(), (Log{down(LeftShift), down(A), up(A), up(LeftShift), typed('A')}));

    frame({{RightAlt, true}, {X, true}, {RightAlt, false}});
    frame();
    frame({{X, false}});
    EXPECT_EQ(taken(), (Log{down(RightAlt), down(X), up(RightAlt), typed(0x9F), down(X), typed('x'), up(X)}));
}

// Frames come every 10 ms and whenever input wakes the loop. Holding back everything for
// 10 ms after a flush made a key wait for a second frame whenever a frame's work pushed its
// flush past the 10 ms mark: only held keys' repeats wait now.
TEST_F(InputDevices, HeldKeysRepeatAtMostOnceInTenMillisecondsWhileNewEventsGoAtOnce)
{
    frame({{A, true}});
    EXPECT_EQ(taken(), (Log{down(A), typed('a')}));
    clock.advance(CKeyboard::kFlushIntervalMs - 1);
    keyboard->flushSignals(true);
    EXPECT_TRUE(taken().empty());

    keyboard->post(S, true);
    keyboard->tick();
    keyboard->flushSignals(true);
    EXPECT_EQ(taken(), (Log{down(S), typed('s')}));
    keyboard->post(A, false);
    keyboard->tick();
    keyboard->flushSignals(true);
    EXPECT_EQ(taken(), (Log{up(A)}));

    clock.advance(1);
    keyboard->flushSignals(true);
    EXPECT_EQ(taken(), (Log{down(S), typed('s')}));
}

TEST_F(InputDevices, CharactersFollowShiftAltAndTheLanguage)
{
    keyboard->setAutoRepeat(false);
    struct Case {
        std::vector<int> held;
        int key;
        const char* language; // system locale folder
        int character;        // -1: none
    };
    const Case cases[] = {
        {{}, A, "0415", 'a'},
        {{LeftShift}, A, "0415", 'A'},
        {{RightShift}, Digit1, "0415", '1'},
        {{LeftAlt}, X, "0415", 0x9F},
        {{LeftAlt, LeftShift}, Z, "0415", 0xAF},
        {{LeftAlt}, Q, "0415", 'q'},
        {{}, Numpad7, "0415", '7'},
        {{}, Return, "0415", -1},
        {{}, Y, "0405", 'z'},
        {{}, Z, "0405", 'y'},
        {{}, Digit1, "0405", -1},
        {{}, Space, "040E", -1},
    };
    for (const Case& c : cases) {
        language.setLanguageFolder(c.language);
        keyboard->initLanguage();
        for (int key : c.held)
            keyboard->post(key, true);
        frame({{c.key, true}, {c.key, false}});
        for (int key : c.held)
            keyboard->post(key, false);
        frame();
        Log chars;
        for (const std::string& entry : taken())
            if (entry.rfind("char", 0) == 0)
                chars.push_back(entry);
        const Log expected = c.character < 0 ? Log{} : Log{typed(static_cast<unsigned char>(c.character))};
        EXPECT_EQ(chars, expected) << c.key << " in " << c.language;
    }
}

TEST_F(InputDevices, TheMouseDeviceHandsOverItsEventsInOrder)
{
    CDXMouse* mouse = window.getDXMouseInterface();
    EXPECT_EQ(CDXMouse::getSingleton(), mouse);
    mouse->postButton(0, true, CXPoint(7, 8));
    mouse->postMove(CXPoint(100, 50));
    mouse->postButton(2, true, CXPoint(100, 50));
    mouse->postButton(2, false, CXPoint(100, 50));
    mouse->postButton(1, true, CXPoint(101, 50));
    mouse->postButton(3, true, CXPoint(1, 1));
    mouse->tick();
    EXPECT_EQ(mouse->getPosition(), CXPoint(101, 50));
    mouse->flushSignals(true);
    EXPECT_EQ(taken(), (Log{"click0@7,8", "move@100,50", "click2@100,50", "release2@100,50", "click1@101,50"}));

    mouse->postMove(CXPoint(3, 3));
    mouse->tick();
    mouse->flushSignals(false);
    mouse->flushSignals(true);
    EXPECT_TRUE(taken().empty());
}

// The device made last is the singleton until its own end; an older one's end leaves it.
TEST_F(InputDevices, TheMouseSingletonIsTheLastDeviceWhileItLives)
{
    auto* older = new CDXMouse(&window);
    {
        CDXMouse newer(&window);
        delete older;
        EXPECT_EQ(CDXMouse::getSingleton(), &newer);
    }
    EXPECT_EQ(CDXMouse::getSingleton(), nullptr);
}

TEST_F(InputDevices, KeysWorkFromTheProgramsFirstMillisecond)
{
    // The tick count starts at 0 with the program: a press then still counts, and the first
    // flush delivers.
    clock.set(0);
    keyboard->setAutoRepeat(false);
    keyboard->post(A, true);
    keyboard->post(A, false);
    keyboard->tick();
    keyboard->flushSignals(true);
    EXPECT_EQ(taken(), (Log{down(A), up(A), typed('a')}));
}
