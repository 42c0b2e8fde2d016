#include "platform/SoundDevice.h"

#include "platform/DebugOutput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using platform::SoundDevice;
using platform::SoundLevels;
using platform::WaveFormat;

WaveFormat pcm(uint16_t channels, uint16_t bits, uint32_t rate)
{
    WaveFormat format;
    format.formatTag = WaveFormat::kPcm;
    format.channels = channels;
    format.bitsPerSample = bits;
    format.samplesPerSec = rate;
    format.blockAlign = static_cast<uint16_t>(channels * bits / 8);
    format.avgBytesPerSec = rate * format.blockAlign;
    return format;
}

// 16-bit samples counting up from `first` in steps of `step`, as raw bytes.
std::vector<uint8_t> ramp(size_t count, int first, int step)
{
    std::vector<uint8_t> bytes(count * 2);
    for (size_t i = 0; i < count; ++i) {
        const auto value = static_cast<int16_t>(first + static_cast<int>(i) * step);
        std::memcpy(&bytes[i * 2], &value, 2);
    }
    return bytes;
}

int16_t sampleAt(const std::vector<uint8_t>& bytes, size_t index)
{
    int16_t value;
    std::memcpy(&value, &bytes[index * 2], 2);
    return value;
}

int outputAt(const std::vector<float>& mix, size_t frame, int channel)
{
    return static_cast<int>(std::lrint(mix[frame * 2 + channel] * 32768.0f));
}

class LoopbackDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        SoundDevice::setOutput(platform::SoundOutput::Loopback);
        device = SoundDevice::open();
        ASSERT_NE(device, nullptr);
    }

    std::unique_ptr<SoundDevice> device;
};

} // namespace

TEST(SoundLevels, VolumeAndPanLowerTheChannelsByTheLaw)
{
    struct Case {
        int32_t volume;
        int32_t pan;
        double leftDb;
        double rightDb;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {-600, 2000, -26, -6},
        {0, -1500, 0, -15},
        {-2000, 0, -20, -20},
        {0, 10000, -200, 0}, // the far side is silent
    };
    for (const Case& c : cases) {
        SoundLevels levels;
        ASSERT_TRUE(levels.setVolume(c.volume));
        ASSERT_TRUE(levels.setPan(c.pan));
        auto db = [](float gain) { return gain == 0.0f ? -200.0 : 20.0 * std::log10(gain); };
        EXPECT_NEAR(db(levels.leftGain()), c.leftDb, 1e-3) << c.volume << " " << c.pan;
        EXPECT_NEAR(db(levels.rightGain()), c.rightDb, 1e-3) << c.volume << " " << c.pan;
    }
    SoundLevels silent;
    ASSERT_TRUE(silent.setVolume(SoundLevels::kSilent));
    EXPECT_EQ(silent.leftGain(), 0.0f);
    EXPECT_EQ(silent.rightGain(), 0.0f);
}

TEST(SoundLevels, ValuesOutOfRangeAreRefusedAndTheOldOnesStay)
{
    SoundLevels levels;
    ASSERT_TRUE(levels.setVolume(-300));
    EXPECT_FALSE(levels.setVolume(1));
    EXPECT_FALSE(levels.setVolume(-10001));
    EXPECT_EQ(levels.volume(), -300);
    EXPECT_FALSE(levels.setPan(10001));
    EXPECT_EQ(levels.pan(), 0);
    ASSERT_TRUE(levels.setFrequency(22050));
    for (int32_t refused : {99, 200001, -5})
        EXPECT_FALSE(levels.setFrequency(refused)) << refused;
    EXPECT_EQ(levels.frequency(), 22050);
    EXPECT_FLOAT_EQ(levels.pitch(11025), 2.0f);
    ASSERT_TRUE(levels.setFrequency(SoundLevels::kOriginalFrequency));
    EXPECT_FLOAT_EQ(levels.pitch(11025), 1.0f);
}

TEST(WaveFormat, PlayableFormats)
{
    EXPECT_TRUE(pcm(1, 8, 8000).isPlayable());
    EXPECT_TRUE(pcm(2, 16, 44100).isPlayable());
    EXPECT_FALSE(pcm(3, 16, 44100).isPlayable());
    EXPECT_FALSE(pcm(2, 24, 44100).isPlayable());
    EXPECT_FALSE(pcm(1, 16, 50).isPlayable());
    WaveFormat adpcm = pcm(1, 16, 22050);
    adpcm.formatTag = 2;
    EXPECT_FALSE(adpcm.isPlayable());
    WaveFormat torn = pcm(2, 16, 22050);
    torn.blockAlign = 3;
    EXPECT_FALSE(torn.isPlayable());
}

TEST_F(LoopbackDevice, ABufferPlaysItsSamplesExactlyAndStopsAtItsEnd)
{
    const std::vector<uint8_t> samples = ramp(2000, -1000, 1); // stereo: left even, right odd
    auto buffer = device->createBuffer(pcm(2, 16, 44100), static_cast<uint32_t>(samples.size()));
    ASSERT_NE(buffer, nullptr);
    ASSERT_TRUE(buffer->fill(samples.data()));
    buffer->play(false);
    const std::vector<float> mix = device->render(1100);
    for (size_t frame = 0; frame < 1000; ++frame) {
        ASSERT_EQ(outputAt(mix, frame, 0), sampleAt(samples, frame * 2)) << frame;
        ASSERT_EQ(outputAt(mix, frame, 1), sampleAt(samples, frame * 2 + 1)) << frame;
    }
    EXPECT_EQ(outputAt(mix, 1050, 0), 0);
    EXPECT_FALSE(buffer->isPlaying());
}

TEST_F(LoopbackDevice, EightBitMonoReachesBothChannels)
{
    const std::vector<uint8_t> samples = {0x80, 0xC0, 0x40, 0xFF};
    auto buffer = device->createBuffer(pcm(1, 8, 44100), 4);
    ASSERT_NE(buffer, nullptr);
    ASSERT_TRUE(buffer->fill(samples.data()));
    buffer->play(false);
    const std::vector<float> mix = device->render(4);
    const int expected[] = {0, 64 * 256, -64 * 256, 127 * 256};
    for (size_t frame = 0; frame < 4; ++frame) {
        EXPECT_EQ(outputAt(mix, frame, 0), expected[frame]) << frame;
        EXPECT_EQ(outputAt(mix, frame, 1), expected[frame]) << frame;
    }
}

TEST_F(LoopbackDevice, StopKeepsThePositionAndPlayGoesOnOrStartsWhereSet)
{
    const std::vector<uint8_t> samples = ramp(4000, 0, 1);
    auto buffer = device->createBuffer(pcm(1, 16, 44100), static_cast<uint32_t>(samples.size()));
    ASSERT_TRUE(buffer->fill(samples.data()));
    buffer->setPosition(200);
    buffer->play(false);
    EXPECT_EQ(outputAt(device->render(10), 0, 0), 100);
    buffer->stop();
    EXPECT_EQ(buffer->position(), 220u);
    EXPECT_EQ(outputAt(device->render(10), 0, 0), 0);
    buffer->play(false);
    EXPECT_EQ(outputAt(device->render(1), 0, 0), 110);
    buffer->setPosition(6000);
    EXPECT_EQ(outputAt(device->render(1), 0, 0), 3000);
    buffer->setPosition(8000); // past the end: refused
    EXPECT_EQ(outputAt(device->render(1), 0, 0), 3001);
}

TEST_F(LoopbackDevice, ALoopingBufferStartsOverWithoutAGap)
{
    const std::vector<uint8_t> samples = ramp(100, 1, 1);
    auto buffer = device->createBuffer(pcm(1, 16, 44100), 200);
    ASSERT_TRUE(buffer->fill(samples.data()));
    buffer->play(true);
    const std::vector<float> mix = device->render(350);
    for (size_t frame = 0; frame < 350; ++frame)
        ASSERT_EQ(outputAt(mix, frame, 1), static_cast<int>(frame % 100) + 1) << frame;
    EXPECT_TRUE(buffer->isPlaying());
    buffer->play(false);
    device->render(100);
    EXPECT_FALSE(buffer->isPlaying());
}

TEST_F(LoopbackDevice, RefusedFormatsAndEmptySizesMakeNoBuffer)
{
    EXPECT_EQ(device->createBuffer(pcm(3, 16, 44100), 600), nullptr);
    EXPECT_EQ(device->createBuffer(pcm(2, 16, 44100), 3), nullptr);
    EXPECT_EQ(device->createQueue(pcm(1, 32, 44100)), nullptr);
}

TEST_F(LoopbackDevice, QueuedBlocksPlayInOrderAndComeBackOncePlayed)
{
    auto queue = device->createQueue(pcm(1, 16, 44100));
    ASSERT_NE(queue, nullptr);
    for (int block = 0; block < 3; ++block) {
        const std::vector<uint8_t> samples = ramp(100, block * 100, 1);
        ASSERT_TRUE(queue->queue(samples.data(), 200));
    }
    EXPECT_EQ(queue->queuedBytes(), 600u);
    queue->play();
    std::vector<float> mix = device->render(150);
    EXPECT_EQ(queue->unqueuePlayed(), 200u);
    const std::vector<float> rest = device->render(200);
    mix.insert(mix.end(), rest.begin(), rest.end());
    for (size_t frame = 0; frame < 300; ++frame)
        ASSERT_EQ(outputAt(mix, frame, 0), static_cast<int>(frame)) << frame;
    EXPECT_EQ(outputAt(mix, 320, 0), 0);
    EXPECT_FALSE(queue->isPlaying());
    EXPECT_EQ(queue->unqueuePlayed(), 400u);
    EXPECT_EQ(queue->queuedBytes(), 0u);
}

TEST_F(LoopbackDevice, TasksRunAfterEveryPeriodOfRenderedSound)
{
    std::atomic<int> ticks{0};
    std::atomic<bool> onItsOwnThread{true};
    const auto caller = std::this_thread::get_id();
    auto task = device->startTask(50, [&] {
        ++ticks;
        if (std::this_thread::get_id() == caller)
            onItsOwnThread = false;
    });
    device->render(2204);
    EXPECT_EQ(ticks, 0);
    device->render(1);
    EXPECT_EQ(ticks, 1);
    device->renderUntil(1000); // from the device's start: 20 periods in all
    EXPECT_EQ(ticks, 20);
    EXPECT_TRUE(onItsOwnThread);
    EXPECT_TRUE(task->stop());
    device->render(44100);
    EXPECT_EQ(ticks, 20);
}

TEST_F(LoopbackDevice, ATaskCannotStopItselfButStopsFromOutside)
{
    std::atomic<int> refusals{0};
    std::unique_ptr<platform::PeriodicTask> task;
    task = device->startTask(50, [&] {
        if (!task->stop())
            ++refusals;
    });
    device->render(2205 * 2);
    EXPECT_EQ(refusals, 2);
    EXPECT_TRUE(task->stop());
}

TEST(PeriodicTask, OnTheWallClockItRunsUntilStopped)
{
    std::atomic<int> ticks{0};
    platform::PeriodicTask task(5, [&] { ++ticks; }, nullptr);
    while (ticks < 3)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_TRUE(task.stop());
    const int stoppedAt = ticks;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(ticks, stoppedAt);
}

TEST_F(LoopbackDevice, LoopingCanBeSwitchedOnWhilePlaying)
{
    const std::vector<uint8_t> samples = ramp(100, 1, 1);
    auto buffer = device->createBuffer(pcm(1, 16, 44100), 200);
    ASSERT_TRUE(buffer->fill(samples.data()));
    buffer->play(false);
    device->render(10);
    buffer->play(true);
    device->render(300);
    EXPECT_TRUE(buffer->isPlaying());
}

TEST(SoundDevice, TheSpeakersPlayThroughSdlInRealTime)
{
    // SDL's silent driver takes the mix at the pace of a real output.
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SoundDevice::setOutput(platform::SoundOutput::Speakers);
    std::unique_ptr<SoundDevice> device = SoundDevice::open();
    SoundDevice::setOutput(platform::SoundOutput::Loopback);
    unsetenv("SDL_AUDIODRIVER");
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->kind(), platform::SoundOutput::Speakers);
    EXPECT_TRUE(device->render(100).empty()); // only the loopback renders for its caller

    const std::vector<uint8_t> samples = ramp(2205, 0, 1); // 50 ms
    auto buffer = device->createBuffer(pcm(1, 16, 44100), static_cast<uint32_t>(samples.size()));
    ASSERT_TRUE(buffer->fill(samples.data()));
    std::atomic<int> ticks{0};
    auto task = device->startTask(10, [&] { ++ticks; });
    ASSERT_TRUE(device->start());
    buffer->play(false);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((buffer->isPlaying() || ticks < 3) && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(buffer->isPlaying());
    EXPECT_GE(ticks, 3);
    task->stop();
}

// Where no output opens (here ALSA asked for a card that is not there), the speakers give no
// device, and ALSA's complaints reach standard error only as debug output, beside SDL's cause.
TEST(SoundDevice, WithoutAnOutputTheSpeakersOpenNothingAndAlsaSpeaksOnlyInTheDebugOutput)
{
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("AUDIODEV", "hw:57", 1);
    SoundDevice::setOutput(platform::SoundOutput::Speakers);
    for (const bool debug : {false, true}) {
        SCOPED_TRACE(debug);
        platform::setDebugOutputEnabled(debug);
        testing::internal::CaptureStderr();
        const std::unique_ptr<SoundDevice> device = SoundDevice::open();
        const std::string errors = testing::internal::GetCapturedStderr();
        EXPECT_EQ(device, nullptr);
        if (debug) {
            EXPECT_NE(errors.find("ALSA lib "), std::string::npos) << errors;
            EXPECT_NE(errors.find("SDL audio: "), std::string::npos) << errors;
        } else {
            EXPECT_EQ(errors, "");
        }
    }
    platform::setDebugOutputEnabled(false);
    SoundDevice::setOutput(platform::SoundOutput::Loopback);
    unsetenv("AUDIODEV");
    unsetenv("SDL_AUDIODRIVER");
}
