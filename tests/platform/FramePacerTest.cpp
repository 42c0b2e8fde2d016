#include "platform/FramePacer.h"

#include "platform/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

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

// Paced by work: from 1000, with the regular frames due at 1010, 1020, ...
TEST(FramePacer, RegularFramesBeforeTheWorkAreSkippedAndTheFirstOneFromItRuns)
{
    HeadlessBackend backend;
    backend.clock().set(1000);
    FramePacer pacer;
    const struct {
        std::optional<uint32_t> workDue;
        uint32_t frameAt;
    } turns[] = {
        {1055, 1060},     // the first regular frame at or after the work
        {1070, 1070},     // work due at a regular frame: that frame
        {1072, 1080},     // work due by the next regular frame: the regular pace
        {1080, 1090},     // work due now: the next regular frame
        {1000, 1100},     // work overdue: the same
        {std::nullopt, 1100 + FramePacer::kLongestIdleMs},
    };
    for (const auto& turn : turns) {
        pacer.waitForNextFrame(backend.events(), turn.workDue);
        EXPECT_EQ(platform::tickCount(), turn.frameAt) << turn.frameAt;
    }
}

TEST(FramePacer, AnEventEndsTheSleepAndTheSkippedFramesStaySkipped)
{
    HeadlessBackend backend;
    backend.clock().set(1000);
    FramePacer pacer;
    pacer.waitForNextFrame(backend.events(), 1500);
    EXPECT_EQ(platform::tickCount(), 1500u);

    backend.clock().set(1542);
    backend.events().inject(Event::keyDown(1));
    pacer.waitForNextFrame(backend.events(), 2000);
    EXPECT_EQ(platform::tickCount(), 1542u);
    backend.events().poll();
    // Work due now: the regular frame after the event, not one at once for those skipped.
    pacer.waitForNextFrame(backend.events(), 1542);
    EXPECT_EQ(platform::tickCount(), 1550u);

    // A late frame with work due runs at once, as without the work.
    backend.clock().set(1575);
    pacer.waitForNextFrame(backend.events(), 1575);
    EXPECT_EQ(platform::tickCount(), 1575u);
}

TEST(FramePacer, AWakeFromAnotherThreadEndsTheSleepAtOnceEvenBeforeItBegins)
{
    HeadlessBackend backend(HeadlessBackend::Time::System);
    FramePacer pacer;
    backend.events().wake();
    const auto start = std::chrono::steady_clock::now();
    pacer.waitForNextFrame(backend.events(), std::nullopt);
    std::thread waker([&backend] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        backend.events().wake();
    });
    pacer.waitForNextFrame(backend.events(), std::nullopt);
    waker.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}
