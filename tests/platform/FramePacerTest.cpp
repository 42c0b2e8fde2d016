#include "platform/FramePacer.h"

#include "platform/HeadlessBackend.h"

#include <gtest/gtest.h>

using platform::Event;
using platform::FramePacer;
using platform::HeadlessBackend;

TEST(FramePacer, SleepsUntilTheNextFrameWhenIdle)
{
    HeadlessBackend backend;
    backend.clock().set(1000);
    FramePacer pacer;
    for (uint32_t frame = 1; frame <= 5; ++frame) {
        pacer.waitForNextFrame(backend.events());
        EXPECT_EQ(platform::tickCount(), 1000 + 10 * frame);
    }
}

TEST(FramePacer, AnEventWakesItAtOnceAndTheRegularFrameStaysDue)
{
    HeadlessBackend backend;
    FramePacer pacer(20);
    pacer.waitForNextFrame(backend.events());
    EXPECT_EQ(platform::tickCount(), 20u);

    backend.clock().advance(5);
    backend.events().inject(Event::mouseMove({1, 1}));
    pacer.waitForNextFrame(backend.events());
    EXPECT_EQ(platform::tickCount(), 25u);
    backend.events().poll();

    pacer.waitForNextFrame(backend.events());
    EXPECT_EQ(platform::tickCount(), 40u);
}

TEST(FramePacer, ALateFrameIsNotMadeUpForByABurst)
{
    HeadlessBackend backend;
    FramePacer pacer;
    pacer.waitForNextFrame(backend.events()); // 10
    backend.clock().advance(35);              // a slow frame: 45
    pacer.waitForNextFrame(backend.events());
    EXPECT_EQ(platform::tickCount(), 45u); // due long ago: at once
    pacer.waitForNextFrame(backend.events());
    EXPECT_EQ(platform::tickCount(), 55u); // then the regular pace again
}
