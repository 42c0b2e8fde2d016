#include "media/CSound4.h"
#include "media/CSoundManager.h"
#include "script/CMElement.h"

#include "SoundTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr size_t kFramesPer10Ms = 441;

// The left channel's sample at a frame of the mix.
int16_t leftAt(const std::vector<float>& mix, size_t frame)
{
    return outputSample(mix, frame * 2);
}

// A sound of 100 ms whose samples count up, played in a fresh engine.
class SoundPlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        world.write("ramp.wav", rampWav(4410));
        sound = std::make_unique<CSound4>(world.window(), "ramp.wav", false, false);
        sound->addNotifier(&log);
    }
    void TearDown() override { sound.reset(); }

    SoundWorld world;
    PlayLog log;
    std::unique_ptr<CSound4> sound;
};

} // namespace

TEST_F(SoundPlay, PlayStartsAndTheEndIsReportedOnceAtTheNextFrame)
{
    sound->play();
    EXPECT_TRUE(sound->isLoaded());
    EXPECT_EQ(log.take(), std::vector<std::string>{"started"});
    std::vector<float> mix = world.run(50);
    EXPECT_EQ(leftAt(mix, 0), 1);
    EXPECT_EQ(leftAt(mix, 2204), 2205);
    sound->play(); // again, before the end: from the start
    mix = world.run(90);
    EXPECT_EQ(leftAt(mix, 0), 1);
    EXPECT_EQ(log.take(), std::vector<std::string>{"started"});
    mix = world.run(20);
    EXPECT_EQ(leftAt(mix, 441), 0);
    EXPECT_EQ(log.take(), std::vector<std::string>{"finished"});
    world.run(50);
    EXPECT_TRUE(log.take().empty());
}

TEST_F(SoundPlay, PauseAndResumeGoOnAtTheByteWhereItStopped)
{
    sound->pause(); // not playing: nothing
    sound->resume(); // not paused: nothing
    EXPECT_TRUE(log.take().empty());
    EXPECT_EQ(sound->getStatus(), 0u);

    sound->play();
    world.run(30);
    sound->pause();
    EXPECT_TRUE(sound->isPaused());
    EXPECT_EQ(sound->getStartPosition(), static_cast<int32_t>(3 * kFramesPer10Ms * 2));
    std::vector<float> mix = world.run(200);
    EXPECT_EQ(leftAt(mix, 100), 0);
    EXPECT_EQ(log.take(), std::vector<std::string>{"started"}); // no end while paused
    sound->resume();
    EXPECT_EQ(log.take(), std::vector<std::string>{"resumed"});
    mix = world.run(10);
    EXPECT_EQ(leftAt(mix, 0), 3 * kFramesPer10Ms + 1);

    sound->pause();
    sound->play(); // from paused: from the start, yet "resumed"
    EXPECT_EQ(log.take(), std::vector<std::string>{"resumed"});
    mix = world.run(10);
    EXPECT_EQ(leftAt(mix, 0), 1);
}

TEST_F(SoundPlay, StoppingReportsTheEndUnlessToldNotTo)
{
    struct Case {
        const char* name;
        void (*stop)(CSound4&);
        std::vector<std::string> reported;
    };
    const Case cases[] = {
        {"stop(false)", [](CSound4& s) { s.stop(false); }, {}},
        {"stop(true)", [](CSound4& s) { s.stop(true); }, {"finished"}},
        {"Stop()", [](CSound4& s) { s.Stop(); }, {"finished"}},
    };
    for (const Case& c : cases) {
        sound->play();
        world.run(20);
        log.take();
        c.stop(*sound);
        const std::vector<float> mix = world.run(30);
        EXPECT_EQ(leftAt(mix, 0), 0) << c.name;
        EXPECT_EQ(log.take(), c.reported) << c.name;
    }
    sound->play(); // the flag is set again: a played-out end is reported
    world.run(150);
    EXPECT_EQ(log.take(), (std::vector<std::string>{"started", "finished"}));
}

TEST_F(SoundPlay, PlayWithLoopingGoesOnAndIsNeverReportedFinished)
{
    sound->Play(true);
    EXPECT_EQ(log.take(), std::vector<std::string>{"started"});
    const std::vector<float> mix = world.run(250);
    EXPECT_EQ(leftAt(mix, 4410), 1);
    EXPECT_EQ(leftAt(mix, 9000), 9000 - 2 * 4410 + 1);
    EXPECT_TRUE(sound->IsPlaying());
    sound->Stop();
    world.run(30);
    EXPECT_TRUE(log.take().empty());
}

TEST_F(SoundPlay, FlushAfterPlayedReleasesAndReloadsEachTime)
{
    CSound4 flushed(world.window(), "ramp.wav", true, true);
    EXPECT_TRUE(flushed.isLoaded());
    for (int round = 0; round < 2; ++round) {
        flushed.play();
        const std::vector<float> mix = world.run(120);
        EXPECT_EQ(leftAt(mix, 10), 11) << round;
        EXPECT_FALSE(flushed.isLoaded()) << round;
    }
}

TEST_F(SoundPlay, LevelsGivenBeforeTheBufferExistsApplyWhenItIsMade)
{
    sound->setVolume(-2000); // a tenth of the amplitude
    sound->setPanning(10000); // the left channel silent
    sound->play();
    const std::vector<float> mix = world.run(10);
    EXPECT_EQ(leftAt(mix, 400), 0);
    EXPECT_NEAR(outputSample(mix, 400 * 2 + 1), 40.1, 0.6);
}

TEST_F(SoundPlay, WithTheWindowsSoundOffItPlaysUnheardYetStartsAndEndsAsWithSound)
{
    const auto silent = [](const std::vector<float>& mix) {
        return std::all_of(mix.begin(), mix.end(), [](float sample) { return sample == 0.0f; });
    };
    world.window()->SoundOn(false);
    sound->play();
    sound->setVolume(0);
    EXPECT_TRUE(silent(world.run(90)));
    EXPECT_EQ(log.take(), std::vector<std::string>{"started"});
    EXPECT_TRUE(silent(world.run(30)));
    EXPECT_EQ(log.take(), std::vector<std::string>{"finished"});
    sound->Play(true);
    EXPECT_TRUE(silent(world.run(150)));
    EXPECT_TRUE(sound->IsPlaying());
    sound->Stop();

    // Switched on again, the next start is heard, fully from the mixer's second piece on: the
    // first fades up from the silence before.
    world.window()->SoundOn(true);
    sound->play();
    EXPECT_EQ(leftAt(world.run(20), 441 + 10), 441 + 11);
}

TEST(CSound4, FilesThatCannotLoadStaySilent)
{
    SoundWorld world;
    world.write("voice.spx", rampWav(100));
    world.write("damaged.wav", wav::riff(wav::chunk("LIST", "no format here")));
    world.write("adpcm-tag.wav", wav::riff(wav::fmt(0x55, 1, 22050, 16) + wav::chunk("data", "abcd")));
    world.write("twenty-four-bits.wav", wav::riff(wav::fmt(1, 1, 22050, 24) + wav::chunk("data", "abcdef")));
    for (const char* name : {"voice.spx", "damaged.wav", "adpcm-tag.wav", "twenty-four-bits.wav", "missing.wav"}) {
        CSound4 sound(world.window(), name, false, false);
        PlayLog log;
        sound.addNotifier(&log);
        EXPECT_FALSE(sound.load()) << name;
        sound.play();
        sound.Play(true);
        sound.setVolume(-100);
        EXPECT_FALSE(sound.IsPlaying()) << name;
        EXPECT_FALSE(sound.isLoaded()) << name;
        EXPECT_TRUE(log.events.empty()) << name;
    }
}

TEST(CSound4, WithoutADeviceSoundsStaySilentWithoutError)
{
    SoundWorld world;
    world.write("ramp.wav", rampWav(100));
    CSound4::DestroySoundBuffer();
    CSound4 sound(world.window(), "ramp.wav", false, true);
    EXPECT_FALSE(sound.isLoaded());
    sound.play();
    EXPECT_FALSE(sound.IsPlaying());
    EXPECT_EQ(world.window()->LastError(), 0);
}

TEST(CSound4, ADefinitionNamesItsFileInTheSoundEffectsFolder)
{
    SoundWorld world;
    std::filesystem::create_directory(world.folder().path() / "Wavs");
    world.write("Wavs/ramp.wav", rampWav(100));
    EXPECT_EQ(world.window()->GetSoundFXFullPath("ramp.wav"), "ramp.wav");
    world.window()->SetSoundFXPath("Wavs");
    EXPECT_EQ(world.application()->getWAVPath("ramp.wav"), "Wavs\\ramp.wav");
    CMElement definition("SOUND");
    definition.addProperty("FILENAME", "ramp.wav");
    definition.addProperty("PRELOAD", "TRUE");
    definition.addProperty("LOOP", "TRUE");
    definition.addProperty("FLUSHAFTERPLAYED", "TRUE");
    const int registered = world.application()->getSoundManagerIfc()->getCount();

    CSound4 sound(world.window(), &definition);
    EXPECT_EQ(sound.getFileName(), "Wavs\\ramp.wav");
    EXPECT_TRUE(sound.isLoaded());
    EXPECT_TRUE(sound.isLooped());
    EXPECT_TRUE(sound.isFlushedAfterPlayed());
    EXPECT_EQ(world.application()->getSoundManagerIfc()->getCount(), registered);
    EXPECT_EQ(sound.getType(), 0); // only the engine's constructor makes a sound of type 1
    EXPECT_EQ(CSound4(world.window(), "ramp.wav", false, false).getType(), CSound4::kType);
}

TEST(CSound4, TwoTonesKeepTheirLevelsPerChannelAndFollowStopAndFrequency)
{
    SoundWorld world;
    ASSERT_TRUE(sox("-n -r 22050 -b 16 -c 1 " + world.folder().file("low.wav") + " synth 3 sine 440 vol 0.5"));
    ASSERT_TRUE(sox("-n -r 44100 -b 16 -c 2 " + world.folder().file("high.wav") + " synth 3 sine 1000 vol 0.5"));
    // The tones' own amplitudes, over 0.4 s: whole periods of both.
    auto fileLevel = [&](const char* name, int channels, double hz, double rate) {
        const std::vector<int16_t> samples = wav::asSamples(wav::dataChunkOf(world.folder().read(name)));
        std::vector<float> scaled(samples.begin(), samples.end());
        for (float& value : scaled)
            value /= 32768.0f;
        return toneLevel(scaled, channels, 0, hz, static_cast<size_t>(rate / 10), static_cast<size_t>(rate * 0.4), rate);
    };
    const double low = fileLevel("low.wav", 1, 440, 22050);
    const double high = fileLevel("high.wav", 2, 1000, 44100);

    CSound4 lowSound(world.window(), "low.wav", false, false);
    CSound4 highSound(world.window(), "high.wav", false, false);
    lowSound.setVolume(-600);
    lowSound.setPanning(2000);
    highSound.setPanning(-1500);
    lowSound.play();
    highSound.play();
    auto levelOf = [](const std::vector<float>& mix, int channel, double hz) {
        return toneLevel(mix, 2, channel, hz, 4410, 17640);
    };
    std::vector<float> mix = world.run(500);
    EXPECT_NEAR(decibels(levelOf(mix, 0, 440) / low), -26, 0.5);
    EXPECT_NEAR(decibels(levelOf(mix, 1, 440) / low), -6, 0.5);
    EXPECT_NEAR(decibels(levelOf(mix, 0, 1000) / high), 0, 0.5);
    EXPECT_NEAR(decibels(levelOf(mix, 1, 1000) / high), -15, 0.5);

    lowSound.Stop();
    mix = world.run(500);
    EXPECT_LT(decibels(levelOf(mix, 1, 440) / low), -60);
    EXPECT_NEAR(decibels(levelOf(mix, 0, 1000) / high), 0, 0.5);

    highSound.setFrequency(2 * 44100);
    mix = world.run(500);
    EXPECT_NEAR(decibels(levelOf(mix, 0, 2000) / high), 0, 0.5);
    EXPECT_NEAR(decibels(levelOf(mix, 1, 2000) / high), -15, 0.5);
    EXPECT_LT(decibels(levelOf(mix, 0, 1000) / high), -40);
}
