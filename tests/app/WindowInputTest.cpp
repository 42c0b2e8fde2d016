#include "app/CApplication.h"
#include "app/CWindow.h"
#include "graphics/CHotSpot.h"
#include "media/CKeyListener.h"
#include "media/CMouseListener.h"
#include "platform/KeyCodes.h"

#include "app/HeadlessWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

std::string at(const char* what, CXPoint p)
{
    return std::string(what) + "(" + std::to_string(p.x) + "," + std::to_string(p.y) + ")";
}

// Writes every call it gets into the shared log, under its name; consumes the operations named.
class Listener : public CMouseListener {
public:
    Listener(std::string name, Log& log, std::vector<std::string> consumes = {})
        : name_(std::move(name))
        , log_(log)
        , consumes_(std::move(consumes))
    {
    }
    bool onMouseMove(CXPoint p) override { return note(at("move", p)); }
    bool onClick(int button, CXPoint p) override { return note(at(("click" + std::to_string(button)).c_str(), p)); }
    bool onClick(CXPoint p) override { return note(at("click", p)); }
    bool onRelease(int button, CXPoint p) override
    {
        return note(at(("release" + std::to_string(button)).c_str(), p));
    }
    bool onRelease(CXPoint p) override { return note(at("release", p)); }
    bool onDblClick(CXPoint p) override { return note(at("dblclick", p)); }
    void onSetFocus() override { note("setfocus"); }
    void onLooseFocus() override { note("loosefocus"); }

    std::function<void()> whenCalled;

private:
    bool note(const std::string& call)
    {
        log_.push_back(name_ + ":" + call);
        if (whenCalled)
            whenCalled();
        const std::string operation = call.substr(0, call.find('('));
        return std::find(consumes_.begin(), consumes_.end(), operation) != consumes_.end();
    }

    std::string name_;
    Log& log_;
    std::vector<std::string> consumes_;
};

class KeyLog : public CKeyListener {
public:
    KeyLog(std::string name, Log& log) : name_(std::move(name)), log_(log) {}
    void onKeyUp(int key) override { log_.push_back(name_ + ":up" + std::to_string(key)); }
    void onKeyDown(int key) override
    {
        log_.push_back(name_ + ":down" + std::to_string(key));
        if (whenCalled)
            whenCalled();
    }
    void onChar(unsigned char c) override { log_.push_back(name_ + ":char" + std::string(1, static_cast<char>(c))); }

    std::function<void()> whenCalled;

private:
    std::string name_;
    Log& log_;
};

class SpotLog : public CHotSpot {
public:
    SpotLog(CWindow* window, Log& log, CXRect area, int priority) : CHotSpot(window), log_(log)
    {
        SetActiveRect(area, EVENT_NONE, 0);
        setPriority(priority);
    }
    int OnMouseMove(CXPoint p, int, void*) override { return note(at("spot-move", p)); }
    int OnLButtonDown(CXPoint p, int, void*) override { return note(at("spot-down", p)); }
    int OnLButtonUp(CXPoint p, int, void*) override { return note(at("spot-up", p)); }
    int OnFocusOn(CXPoint p, int, void*) override { return note(at("spot-enter", p)); }

private:
    int note(const std::string& call)
    {
        log_.push_back(call);
        return 1;
    }

    Log& log_;
};

class WindowInput : public ::testing::Test {
protected:
    WindowInput() { headless.open(); }

    HeadlessWindow headless;
    CWindow& window = headless.window();
    Log log;
};

} // namespace

TEST_F(WindowInput, EachEntryPointAsksTheListenersInItsOrder)
{
    Listener listener("a", log);
    window.registerMouseListener(&listener, 0);
    const CXPoint p(3, 4);
    struct Case {
        std::function<int()> call;
        Log heard;
    };
    const Case cases[] = {
        {[&] { return window.OnMouseMove(p, 0); }, {"a:move(3,4)"}},
        {[&] { return window.OnLButtonDown(p, 0); }, {"a:click(3,4)", "a:click0(3,4)"}},
        {[&] { return window.OnLButtonUp(p, 0); }, {"a:release(3,4)", "a:release0(3,4)"}},
        {[&] { return window.OnLButtonDblClk(p, 0); }, {"a:dblclick(3,4)"}},
        {[&] { return window.OnMButtonDown(p, 0); }, {"a:click1(3,4)"}},
        {[&] { return window.OnMButtonUp(p, 0); }, {"a:release1(3,4)"}},
        {[&] { return window.OnRButtonDown(p, 0); }, {"a:click2(3,4)"}},
        {[&] { return window.OnRButtonUp(p, 0); }, {"a:release2(3,4)"}},
    };
    for (const Case& c : cases) {
        log.clear();
        EXPECT_EQ(c.call(), 0);
        EXPECT_EQ(log, c.heard);
    }

    window.enableMouse(false);
    log.clear();
    for (const Case& c : cases)
        EXPECT_EQ(c.call(), 0);
    EXPECT_TRUE(log.empty());
    window.removeMouseListener(&listener);
}

TEST_F(WindowInput, HigherPrioritiesAndLaterEqualsGoFirstUntilOneConsumes)
{
    Listener low("low", log), first("first", log), second("second", log, {"click"}), high("high", log);
    window.registerMouseListener(&low, 1);
    window.registerMouseListener(&first, 5);
    window.registerMouseListener(&second, 5);
    window.registerMouseListener(&high, 9);

    window.OnMouseMove(CXPoint(1, 1), 0);
    EXPECT_EQ(log, (Log{"high:move(1,1)", "second:move(1,1)", "first:move(1,1)", "low:move(1,1)"}));

    // The position-only press consumes: its button form and the listeners below hear nothing.
    log.clear();
    window.OnLButtonDown(CXPoint(1, 1), 0);
    EXPECT_EQ(log, (Log{"high:click(1,1)", "high:click0(1,1)", "second:click(1,1)"}));

    // The caption goes above everything registered so far, and both tops are told.
    log.clear();
    window.setMouseCaption(&low);
    window.setMouseCaption(&low);
    window.OnMouseMove(CXPoint(2, 2), 0);
    EXPECT_EQ(log, (Log{"high:loosefocus", "low:setfocus", "low:move(2,2)", "high:move(2,2)", "second:move(2,2)",
                        "first:move(2,2)"}));

    for (Listener* l : {&low, &first, &second, &high})
        window.removeMouseListener(l);
    window.removeMouseListener(&low);
}

TEST_F(WindowInput, ListenersChangedDuringAnEventFollowTheSnapshot)
{
    Listener top("top", log), removed("removed", log), added("added", log);
    window.registerMouseListener(&top, 3);
    window.registerMouseListener(&removed, 1);
    top.whenCalled = [&] {
        window.removeMouseListener(&removed);
        window.registerMouseListener(&added, 2);
        top.whenCalled = nullptr;
    };
    window.OnMouseMove(CXPoint(0, 0), 0);
    EXPECT_EQ(log, (Log{"top:move(0,0)"}));
    log.clear();
    window.OnMouseMove(CXPoint(0, 0), 0);
    EXPECT_EQ(log, (Log{"top:move(0,0)", "added:move(0,0)"}));
    window.removeMouseListener(&top);
    window.removeMouseListener(&added);

    KeyLog a("a", log), b("b", log), c("c", log);
    CApplication application(&window, "", "", nullptr);
    window.registerKeyListener(&a);
    window.registerKeyListener(&b);
    a.whenCalled = [&] {
        window.removeKeyListener(&b);
        window.registerKeyListener(&c);
    };
    log.clear();
    window.OnKeyDown(30, 0);
    EXPECT_EQ(log, (Log{"a:down30"}));
    window.removeKeyListener(&a);
    window.removeKeyListener(&c);
}

TEST_F(WindowInput, KeyPressesNeedTheApplicationReleasesAndCharactersDoNot)
{
    KeyLog a("a", log), b("b", log);
    window.registerKeyListener(&a);
    window.registerKeyListener(&b);
    EXPECT_EQ(window.OnKeyDown(30, 0), 0);
    EXPECT_TRUE(log.empty());
    window.OnKeyUp(30, 0);
    window.OnChar('x', 0);
    EXPECT_EQ(log, (Log{"a:up30", "b:up30", "a:charx", "b:charx"}));

    class FirstToKnow : public CApplication {
    public:
        FirstToKnow(CWindow* window, Log& log) : CApplication(window, "", "", nullptr), log_(log) {}
        int OnKeyDown(int key, int) override
        {
            log_.push_back("application:down" + std::to_string(key));
            return 7;
        }

    private:
        Log& log_;
    } application(&window, log);
    log.clear();
    EXPECT_EQ(window.OnKeyDown(30, 0), 7);
    EXPECT_EQ(log, (Log{"application:down30", "a:down30", "b:down30"}));
    window.removeKeyListener(&a);
    window.removeKeyListener(&b);
}

TEST_F(WindowInput, InjectedEventsReachTheHotSpotsThenTheListeners)
{
    CApplication application(&window, "", "", nullptr);
    SpotLog spot(&window, log, CXRect(10, 10, 50, 50), 5);
    Listener listener("listener", log);
    window.registerMouseListener(&listener, 0);
    KeyLog keys("keys", log);
    window.registerKeyListener(&keys);

    platform::HeadlessEvents& events = headless.backend().events();
    events.inject(platform::Event::mouseMove({20, 30}));
    events.inject(platform::Event::mouseDown(platform::MouseButton::Left, {20, 30}));
    events.inject(platform::Event::keyDown(platform::key::A));
    headless.turn();
    // The keys are flushed before the mouse.
    EXPECT_EQ(log, (Log{"keys:down30", "keys:chara", "spot-move(20,30)", "spot-enter(20,30)", "listener:move(20,30)",
                        "spot-down(20,30)", "listener:click(20,30)", "listener:click0(20,30)"}));

    // The hot spot took the press, yet the listener heard of it: only listeners consume.
    log.clear();
    events.inject(platform::Event::keyUp(platform::key::A));
    events.inject(platform::Event::mouseUp(platform::MouseButton::Left, {60, 30}));
    headless.backend().clock().advance(10);
    headless.turn();
    EXPECT_EQ(log, (Log{"keys:up30", "listener:release(60,30)", "listener:release0(60,30)"}));

    // Pointer shapes: the active cursor over the spot, the main one when it is left.
    platform::HeadlessCursors& cursors = headless.backend().cursors();
    window.SetActiveCursor(cursors.systemCursor(platform::SystemCursor::Hand));
    events.inject(platform::Event::mouseMove({20, 20}));
    headless.turn();
    EXPECT_EQ(cursors.current()->kind(), platform::SystemCursor::Hand);
    events.inject(platform::Event::mouseMove({200, 20}));
    headless.turn();
    EXPECT_EQ(cursors.current()->kind(), platform::SystemCursor::Arrow);

    window.removeMouseListener(&listener);
    window.removeKeyListener(&keys);
}

TEST_F(WindowInput, CursorsFollowTheLocksAndTheMouseSwitch)
{
    platform::HeadlessCursors& cursors = headless.backend().cursors();
    window.SetWaitCursor(cursors.systemCursor(platform::SystemCursor::Wait));
    window.SetActiveCursor(cursors.systemCursor(platform::SystemCursor::Hand));

    window.enableMouse(false);
    EXPECT_EQ(cursors.current()->kind(), platform::SystemCursor::Wait);
    window.enableMouse(true);
    EXPECT_EQ(cursors.current()->kind(), platform::SystemCursor::Arrow);

    window.lockActiveCursor(true);
    window.BeginActiveCursor();
    EXPECT_EQ(cursors.current()->kind(), platform::SystemCursor::Arrow);
    window.lockActiveCursor(false);
    window.LockCursor();
    window.BeginActiveCursor();
    EXPECT_EQ(cursors.current()->kind(), platform::SystemCursor::Arrow);
    window.UnLockCursor();
    window.BeginActiveCursor();
    EXPECT_EQ(cursors.current()->kind(), platform::SystemCursor::Hand);

    window.HideCursor();
    window.HideCursor();
    window.ShowCursor();
    EXPECT_FALSE(cursors.isVisible());
    window.ShowCursor();
    EXPECT_TRUE(cursors.isVisible());
}

TEST(WindowKeys, TranslationTables)
{
    using namespace platform::key;
    const std::pair<int, unsigned char> characters[] = {
        {Q, 'Q'}, {A, 'A'}, {M, 'M'}, {Digit1, '1'}, {Digit0, '0'}, {Space, ' '},
        {Return, 0}, {Numpad7, 0}, {Escape, 0}, {-1, 0}, {300, 0},
    };
    for (const auto& [key, expected] : characters)
        EXPECT_EQ(CWindow::tranlateToChar(key), expected) << key;

    const std::tuple<int, int, int> virtualKeys[] = {
        {13, 0, -50}, {16, 0x1D0001, -45}, {16, 0x2A0001, -44}, {17, 0x2A0001, -48}, {17, 0x1D0001, -47},
        {32, 0, -39}, {33, 0, -52}, {34, 0, -51}, {35, 0, -53}, {36, 0, -54}, {37, 0, -43},
        {38, 0, -41}, {39, 0, -42}, {40, 0, -40}, {45, 0, -56}, {46, 0, -55}, {65, 0, 65},
    };
    for (const auto& [virtualKey, data, expected] : virtualKeys)
        EXPECT_EQ(CWindow::__get_virtualkey_code(virtualKey, data), expected) << virtualKey;
}
