#include "platform/HeadlessBackend.h"

#include "platform/KeyCodes.h"

#include <gtest/gtest.h>

#include <vector>

using platform::Event;
using platform::HeadlessBackend;
using platform::MouseButton;
using platform::Point;
using platform::Rect;
using platform::SystemCursor;

TEST(HeadlessBackend, HandsOutInjectedEventsInOrderAndMovesThePointerWithThem)
{
    HeadlessBackend backend;
    auto& events = backend.events();
    const std::vector<Event> injected = {
        Event::activate(true),
        Event::mouseMove({10, 20}),
        Event::mouseDown(MouseButton::Left, {11, 21}),
        Event::doubleClick({11, 21}),
        Event::keyDown(platform::key::A),
        Event::keyUp(platform::key::A),
        Event::mouseUp(MouseButton::Right, {12, 22}),
        Event::quit(),
    };
    for (const Event& event : injected)
        events.inject(event);

    std::vector<Event> taken;
    while (auto event = events.poll()) {
        taken.push_back(*event);
        if (event->isMouse()) {
            EXPECT_EQ(backend.cursors().position(), event->position);
        }
    }
    EXPECT_EQ(taken, injected);
    EXPECT_FALSE(events.poll());
}

TEST(HeadlessBackend, WaitingWithNothingInjectedMovesTheManualClockToTheDueTick)
{
    HeadlessBackend backend;
    backend.clock().set(100);
    EXPECT_EQ(platform::tickCount(), 100u);

    EXPECT_FALSE(backend.events().waitUntil(130));
    EXPECT_EQ(platform::tickCount(), 130u);
    EXPECT_FALSE(backend.events().waitUntil(120)); // already past: no time goes by
    EXPECT_EQ(platform::tickCount(), 130u);

    backend.events().inject(Event::expose());
    EXPECT_TRUE(backend.events().waitUntil(500));
    EXPECT_EQ(platform::tickCount(), 130u);
    EXPECT_EQ(backend.events().pending(), 1u); // waiting takes nothing off the queue

    // Across the wrap of the 32-bit tick count.
    backend.events().poll();
    backend.clock().set(0xFFFFFFF0u);
    EXPECT_FALSE(backend.events().waitUntil(0x10));
    EXPECT_EQ(platform::tickCount(), 0x10u);
}

TEST(HeadlessBackend, CountsCursorShowsAndHidesAsWindowsDid)
{
    HeadlessBackend backend;
    auto& cursors = backend.cursors();
    struct Step {
        bool show;
        int count;
        bool visible;
    };
    const Step steps[] = {
        {false, -1, false}, {false, -2, false}, {true, -1, false}, {true, 0, true}, {true, 1, true}, {false, 0, true},
    };
    EXPECT_TRUE(cursors.isVisible());
    for (const Step& step : steps) {
        EXPECT_EQ(step.show ? cursors.show() : cursors.hide(), step.count);
        EXPECT_EQ(cursors.isVisible(), step.visible);
    }
}

TEST(HeadlessBackend, KeepsCursorShapePlaceAndClipping)
{
    HeadlessBackend backend;
    auto& cursors = backend.cursors();
    EXPECT_EQ(cursors.current(), nullptr);
    const auto* wait = cursors.systemCursor(SystemCursor::Wait);
    ASSERT_NE(wait, nullptr);
    EXPECT_NE(wait, cursors.systemCursor(SystemCursor::Arrow));
    EXPECT_EQ(wait, cursors.systemCursor(SystemCursor::Wait));

    cursors.set(wait);
    EXPECT_EQ(cursors.current()->kind(), SystemCursor::Wait);
    cursors.set(nullptr);
    EXPECT_EQ(cursors.current()->kind(), SystemCursor::Wait);

    cursors.moveTo({300, 200});
    EXPECT_EQ(cursors.position(), (Point{300, 200}));
    cursors.clipTo(Rect{10, 10, 100, 100});
    EXPECT_EQ(cursors.clip(), (Rect{10, 10, 100, 100}));
    cursors.clipTo(std::nullopt);
    EXPECT_FALSE(cursors.clip());
}

TEST(HeadlessBackend, RecordsMessageBoxesInUtf8)
{
    HeadlessBackend backend;
    // "Błąd" and "działanie" in Windows-1250.
    backend.messageBox().show("B\xB3\xB9" "d", "dzia\xB3" "anie");
    ASSERT_EQ(backend.messageBox().shown().size(), 1u);
    EXPECT_EQ(backend.messageBox().shown()[0].caption, "Błąd");
    EXPECT_EQ(backend.messageBox().shown()[0].text, "działanie");
}

TEST(HeadlessBackend, GivesTheSystemClockBackWhenGone)
{
    {
        HeadlessBackend backend;
        backend.clock().set(123456);
        EXPECT_EQ(platform::tickCount(), 123456u);
    }
    EXPECT_LT(platform::tickCount(), 123456u); // this test program has not run for two minutes

    platform::BackendOptions options;
    options.noGraphics = true;
    const auto chosen = platform::createBackend(options);
    EXPECT_NE(dynamic_cast<HeadlessBackend*>(chosen.get()), nullptr);
}
