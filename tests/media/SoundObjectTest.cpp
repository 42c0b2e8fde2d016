#include "app/CMC_Application.h"
#include "app/CMC_Episode.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "media/CMC_Sound.h"
#include "media/CSoundManager.h"

#include "SoundTestKit.h"
#include "app/ApplicationWorld.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// A 16-bit mono WAV at 44,100 Hz of a sine at half of full scale.
std::string sineWav(double hz, int frames)
{
    std::vector<int16_t> samples(static_cast<size_t>(frames));
    for (int i = 0; i < frames; ++i)
        samples[static_cast<size_t>(i)] = static_cast<int16_t>(std::lrint(16384 * std::sin(2 * std::numbers::pi * hz * i / 44100)));
    return wav::riff(wav::fmt(1, 1, 44100, 16) + wav::chunk("data", wav::samples16(samples)));
}

std::string soundObject(const std::string& name, const std::string& file, const std::string& more = "")
{
    return "OBJECT=" + name + "\n" + name + ":TYPE=SOUND\n" + name + ":FILENAME=" + file + "\n" + more;
}

// Handlers that log the object's signals to the application's LOG as "NAME.signal".
std::string logged(const std::string& name)
{
    std::string text;
    for (const char* signal : {"STARTED", "FINISHED", "RESUMED"}) {
        std::string lower(signal);
        for (char& c : lower)
            c = static_cast<char>(std::tolower(c));
        text += name + ":ON" + signal + "={LOG^ADD(\"" + name + "." + lower + "\");}\n";
    }
    return text;
}

// Where the left channel of the mix first differs from the samples by more than one step;
// -1 when nowhere.
long firstMismatch(const std::vector<float>& mix, const std::vector<int16_t>& samples)
{
    for (size_t frame = 0; frame < mix.size() / 2; ++frame) {
        const int expected = frame < samples.size() ? samples[frame] : 0;
        if (std::abs(outputSample(mix, frame * 2) - expected) > 1)
            return static_cast<long>(frame);
    }
    return -1;
}

// The samples of the ramp (rampWav) from the given one on, count of them.
std::vector<int16_t> rampFrom(int first, int count)
{
    std::vector<int16_t> samples(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        samples[static_cast<size_t>(i)] = static_cast<int16_t>(first + i);
    return samples;
}

// The application APP with its ARRAY LOG and the episode E of the scenes A and B, whose
// objects each test gives; the sound effects lie in "Wavs". Every frame follows 10 ms of
// sound rendered on the loopback device.
class SoundGame : public ::testing::Test {
protected:
    SoundGame()
    {
        world.write("Wavs/ramp.wav", rampWav(22050));
        world.write("Wavs/beep.wav", sineWav(1000, 44100 / 5));
        world.write("Wavs/tone.wav", sineWav(1000, 44100));
        world.write("Dane/APP.cnv", "OBJECT=LOG\nLOG:TYPE=ARRAY\n");
    }

    // Starts the application in scene A; scenes A and B get the objects, and the music.
    void start(const std::string& sceneA, const std::string& sceneB = "", const std::string& music = "")
    {
        world.write("Dane/application.def", "OBJECT=A\nA:TYPE=SCENE\nA:PATH=E\\A\nA:MUSIC=" + music
                                                 + "\nOBJECT=B\nB:TYPE=SCENE\nB:PATH=E\\B\nB:MUSIC=" + music
                                                 + "\nOBJECT=E\nE:TYPE=EPISODE\nE:SCENES=A, B\nE:PATH=E\n"
                                                   "OBJECT=APP\nAPP:TYPE=APPLICATION\nAPP:EPISODES=E\n");
        world.write("Dane/E/A/A.cnv", sceneA);
        world.write("Dane/E/B/B.cnv", sceneB);
        ASSERT_NE(world.start(), nullptr);
        ASSERT_EQ(world.running(), "A");
    }

    CMC_Scene* scene() { return world.application()->getCurrentScene()->getCurrentScene(); }
    CMC_Sound* sound(const char* name) { return dynamic_cast<CMC_Sound*>(scene()->getObject(name)); }
    std::string run(const std::string& code) { return world.run(scene(), code); }
    platform::SoundDevice* device() { return CSound4::getDirectSound(); }
    int soundsAlive() { return world.shell->getSoundManagerIfc()->getCount(); }
    // The scene B from the next frame on.
    void switchToB() { world.run(world.episode("E"), "E^GOTO(\"B\")"); }

    // That much sound, a frame after every 10 ms of it.
    std::vector<float> play(uint32_t ms)
    {
        std::vector<float> mix;
        for (uint32_t done = 0; done < ms; done += 10) {
            const std::vector<float> part = device()->render(platform::SoundDevice::kRate / 100);
            mix.insert(mix.end(), part.begin(), part.end());
            world.frame(10);
        }
        return mix;
    }

    ApplicationWorld world;
};

} // namespace

TEST_F(SoundGame, PlayPauseResumeAndStopDriveTheSoundAndItsSignals)
{
    start(soundObject("S", "ramp.wav") + logged("S"));
    run("S^PLAY()");
    EXPECT_EQ(world.log(), (std::vector<std::string>{"S.started"}));
    EXPECT_EQ(firstMismatch(play(100), rampFrom(1, 4410)), -1);
    EXPECT_EQ(run("S^ISPLAYING()"), "TRUE");

    // A paused sound is silent and has not finished; it resumes where it was.
    run("S^PAUSE()");
    EXPECT_EQ(firstMismatch(play(50), {}), -1);
    EXPECT_EQ(run("S^ISPLAYING()"), "FALSE");
    run("S^RESUME()");
    EXPECT_EQ(world.log(), (std::vector<std::string>{"S.resumed"}));
    EXPECT_EQ(firstMismatch(play(50), rampFrom(4411, 2205)), -1);

    // STOP reports the end at the next frame; STOP(FALSE) ends the sound silently.
    run("S^STOP()");
    EXPECT_EQ(world.log(), std::vector<std::string>{});
    EXPECT_EQ(firstMismatch(play(10), {}), -1);
    EXPECT_EQ(world.log(), (std::vector<std::string>{"S.finished"}));
    run("S^PLAY()");
    play(10);
    run("S^STOP(FALSE)");
    play(20);
    EXPECT_EQ(world.log(), (std::vector<std::string>{"S.started"}));

    // PLAY on a paused sound starts it from the beginning as a resumption.
    run("S^PLAY()");
    play(10);
    run("S^PAUSE()");
    run("S^PLAY()");
    EXPECT_EQ(world.log(), (std::vector<std::string>{"S.started", "S.resumed"}));
    EXPECT_EQ(firstMismatch(play(600), rampFrom(1, 22050)), -1);
    EXPECT_EQ(world.log(), (std::vector<std::string>{"S.finished"}));
}

TEST_F(SoundGame, SoundsOfOneFileAreSharedInTheSceneAndLetGoWhenItIsLeft)
{
    start(soundObject("A", "beep.wav", "A:FLUSHAFTERPLAYED=TRUE\n") + logged("A") + soundObject("B", "BEEP.WAV") + logged("B")
          + soundObject("C", "tone.wav"));
    CSound4* shared = sound("A")->getSound();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(sound("B")->getSound(), shared);
    EXPECT_NE(sound("C")->getSound(), shared);
    EXPECT_EQ(soundsAlive(), 2);

    // Every sharer hears the sound that one of them plays; the first decided the flush.
    run("B^PLAY()");
    EXPECT_EQ(world.log(), (std::vector<std::string>{"A.started", "B.started"}));
    EXPECT_TRUE(shared->isLoaded());
    play(300);
    EXPECT_EQ(world.log(), (std::vector<std::string>{"A.finished", "B.finished"}));
    EXPECT_FALSE(shared->isLoaded());
    run("A^PLAY()");
    EXPECT_EQ(run("A^ISPLAYING()"), "TRUE");
    EXPECT_EQ(world.log(), (std::vector<std::string>{"A.started", "B.started"}));

    // A clone shares the sound and its handlers; once gone, it leaves the sound to the others.
    run("A^CLONE(1)");
    EXPECT_EQ(sound("A_1")->getSound(), shared);
    run("A^PLAY()");
    EXPECT_EQ(world.log(), (std::vector<std::string>{"A.started", "B.started", "A.started"}));
    CMC_Object* clone = sound("A_1");
    scene()->removeObject(clone);
    delete clone;
    run("B^PLAY()");
    EXPECT_EQ(run("B^ISPLAYING()"), "TRUE");

    switchToB();
    play(10);
    EXPECT_EQ(world.running(), "B");
    EXPECT_EQ(soundsAlive(), 0);
}

// Every row starts the tone anew with the script levels of its code, set before the sound
// has its buffer; the levels of its 1000 Hz tone (or the tone the frequency moved it to) on
// either side, in decibels against the file's; silence as -inf.
TEST_F(SoundGame, VolumePanAndFrequencyReachTheDeviceInItsUnits)
{
    constexpr double kSilent = -std::numeric_limits<double>::infinity();
    struct Row {
        const char* code;
        double hz;
        double left;
        double right;
    };
    const Row rows[] = {
        {"T^SETVOLUME(800)", 1000, 0, 0},
        {"T^SETVOLUME(26)", 1000, -30.96, -30.96},
        {"T^SETVOLUME(25)", 1000, kSilent, kSilent},
        {"T^SETVOLUME(700)", 1000, -4, -4},
        {"T^SETVOLUME(1000)", 1000, 0, 0},
        {"T^SETPAN(600)", 1000, -4, 0},
        {"T^SETPAN(1950)", 1000, kSilent, 0},
        {"T^SETPAN(-1150)", 1000, 0, kSilent},
        {"T^SETFREQ(88200)", 2000, 0, 0},
    };
    // The sound lets go of its buffer at each end.
    start(soundObject("T", "tone.wav", "T:FLUSHAFTERPLAYED=TRUE\n"));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        for (const char* reset : {"T^SETVOLUME(800)", "T^SETPAN(400)", "T^SETFREQ(0)", row.code})
            run(reset);
        run("T^PLAY()");
        const std::vector<float> mix = play(100);
        for (int channel : {0, 1}) {
            const double level = toneLevel(mix, 2, channel, row.hz, 0, 4410);
            const double expected = channel == 0 ? row.left : row.right;
            if (expected == kSilent)
                EXPECT_LT(level, 1e-4) << channel;
            else
                EXPECT_NEAR(decibels(level / 0.5), expected, 0.5) << channel;
        }
        run("T^STOP()");
        play(10);
        ASSERT_FALSE(sound("T")->getSound()->isLoaded());
    }
}

TEST_F(SoundGame, LoadCreateAndRecordsNameFilesOnceAndSoundsOutsideScenesAreTheirOwn)
{
    world.write("Dane/E/A/near.wav", rampWav(4410));
    world.write("Dane/APP.cnv", "OBJECT=LOG\nLOG:TYPE=ARRAY\n" + soundObject("X", "beep.wav"));
    start(soundObject("S", "beep.wav") + soundObject("R", "tone.wav"));
    auto* outside = dynamic_cast<CMC_Sound*>(world.application()->getObject("X"));
    ASSERT_NE(outside, nullptr);
    EXPECT_NE(outside->getSound(), sound("S")->getSound());

    // LOAD takes the name as it is, without the sound-effects folder.
    EXPECT_EQ(run("S^LOAD(\"beep.wav\")"), "FALSE");
    EXPECT_EQ(run("S^LOAD(\"near.wav\")"), "TRUE");
    run("S^PLAY()");
    EXPECT_EQ(firstMismatch(play(100), rampFrom(1, 4410)), -1);

    // A created SOUND has no sound until it loads one.
    run("@CREATE(\"SOUND\",\"MADE\")");
    EXPECT_EQ(sound("MADE")->getSound(), nullptr);
    run("MADE^PLAY()");
    EXPECT_EQ(run("MADE^ISPLAYING()"), "FALSE");
    EXPECT_EQ(run("MADE^LOAD(\"near.wav\")"), "TRUE");
    run("MADE^PLAY()");
    EXPECT_EQ(run("MADE^ISPLAYING()"), "TRUE");

    // A record holds the name the sound has: one already in the folder is not put there
    // again, one that is not yet is.
    const auto readBack = [this](CMC_Sound* stored) {
        const std::string file = world.headless.folder().file("record.bin");
        {
            CFile out(nullptr, CXString(file.c_str()), CFile::MODE_BINARY);
            CXArchive archive(&out, true);
            stored->serialize(&archive);
        }
        const std::string bytes = world.headless.folder().read("record.bin");
        auto* read = new CMC_Sound(scene());
        CFile_Stream in(bytes.data(), static_cast<int>(bytes.size()));
        CXArchive archive(&in, false);
        read->serialize(&archive);
        EXPECT_FALSE(archive.failed());
        return std::unique_ptr<CMC_Sound>(read);
    };
    EXPECT_EQ(readBack(sound("R"))->getSound(), sound("R")->getSound());
    {
        CMC_Sound relative(scene());
        relative.load("tone.wav");
        EXPECT_EQ(readBack(&relative)->getSound(), sound("R")->getSound());
    }

    // The application's SOUND keeps its sound across scenes, and takes it along when it goes.
    switchToB();
    play(10);
    EXPECT_EQ(soundsAlive(), 1);
    world.application()->removeObject(outside);
    delete outside;
    EXPECT_EQ(soundsAlive(), 0);
}

TEST_F(SoundGame, TheMusicPlaysOnAcrossASceneSwitchAndEachLoopReachesTheRunningScene)
{
    constexpr int kThemeFrames = 44100 / 2;
    world.write("theme.wav", rampWav(kThemeFrames));
    start("OBJECT=A\nA:ONMUSICLOOPED={LOG^ADD(\"A.looped\");}\n", "OBJECT=B\nB:ONMUSICLOOPED={LOG^ADD(\"B.looped\");}\n",
          "theme.wav");
    std::vector<float> mix = play(1500);
    const std::vector<std::string> inA = world.log();
    switchToB();
    const std::vector<float> more = play(1500);
    EXPECT_EQ(world.running(), "B");
    const std::vector<std::string> inB = world.log();
    mix.insert(mix.end(), more.begin(), more.end());

    // The loops of 1.5 s of a 0.5 s theme, each in the scene running when it was found.
    EXPECT_EQ(inA, std::vector<std::string>(3, "A.looped"));
    EXPECT_EQ(inB, std::vector<std::string>(3, "B.looped"));
    size_t start = 0;
    while (start < mix.size() / 2 && outputSample(mix, start * 2) == 0)
        ++start;
    ASSERT_LT(start, 4410u);
    const std::vector<float> heard(mix.begin() + static_cast<long>(start * 2), mix.end());
    std::vector<int16_t> repeated;
    while (repeated.size() < heard.size() / 2)
        for (int16_t sample : rampFrom(1, kThemeFrames))
            repeated.push_back(sample);
    EXPECT_EQ(firstMismatch(heard, repeated), -1);
}
