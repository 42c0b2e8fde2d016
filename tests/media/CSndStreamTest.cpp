#include "foundation/CBigFile.h"
#include "foundation/CFile.h"
#include "media/CMusic.h"
#include "media/CSndStream.h"
#include "media/CStreamedWAV.h"
#include "platform/Clock.h"

#include "SoundTestKit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

namespace {

// A stream that counts the loops it is told of, and checks that it is told on this thread.
class LoopCountingStream : public CSndStream {
public:
    using CSndStream::CSndStream;
    void loopStarted() override
    {
        ++loops;
        if (std::this_thread::get_id() != mainThread)
            ++loopsElsewhere;
    }

    int loops = 0;
    int loopsElsewhere = 0;
    const std::thread::id mainThread = std::this_thread::get_id();
};

std::string monoWav(const std::vector<int16_t>& samples, const std::string& before = "", const std::string& after = "")
{
    return wav::riff(wav::fmt(1, 1, 44100, 16) + before + wav::chunk("data", wav::samples16(samples)) + after);
}

// Where the left channel of the mix first differs from the samples followed by silence, by
// more than one step; -1 when nowhere.
long firstMismatch(const std::vector<float>& mix, const std::vector<int16_t>& samples, int channels = 1, int channel = 0)
{
    const size_t frames = mix.size() / 2;
    const size_t length = samples.size() / static_cast<size_t>(channels);
    for (size_t frame = 0; frame < frames; ++frame) {
        const int expected = frame < length ? samples[frame * static_cast<size_t>(channels) + static_cast<size_t>(channel)] : 0;
        if (std::abs(outputSample(mix, frame * 2 + static_cast<size_t>(channel)) - expected) > 1)
            return static_cast<long>(frame);
    }
    return -1;
}

} // namespace

TEST(CSndStream, ALoopingMusicRepeatsItsDataWithoutAGapAndSignalsEachLoopOnTheMainThread)
{
    SoundWorld world;
    ASSERT_TRUE(sox("-n -r 44100 -b 16 -c 2 " + world.folder().file("music.wav") + " synth 5 whitenoise vol 0.5"));
    const std::vector<int16_t> data = wav::asSamples(wav::dataChunkOf(world.folder().read("music.wav")));
    ASSERT_EQ(data.size(), 5u * 44100 * 2);
    LoopCountingStream stream(world.window(), "music.wav");
    stream.Play(true);

    const std::vector<float> mix = world.run(12000);
    ASSERT_EQ(mix.size(), 12u * 44100 * 2);
    std::vector<int16_t> repeated;
    while (repeated.size() < mix.size())
        repeated.insert(repeated.end(), data.begin(), data.end());
    repeated.resize(mix.size());
    EXPECT_EQ(firstMismatch(mix, repeated, 2, 0), -1);
    EXPECT_EQ(firstMismatch(mix, repeated, 2, 1), -1);
    EXPECT_EQ(stream.loops, 2);
    EXPECT_EQ(stream.loopsElsewhere, 0);
    EXPECT_TRUE(stream.IsPlaying());
}

// A frame loop that sleeps while nothing is due must not sleep on a loop that waits for its
// signal.
TEST(CSndStream, ALoopFoundBetweenFramesWantsTheNextFrame)
{
    SoundWorld world;
    world.write("loop.wav", monoWav(noise(44100 / 2, 3)));
    LoopCountingStream stream(world.window(), "loop.wav");
    stream.Play(true);
    world.device()->render(platform::SoundDevice::kRate * 3 / 2);
    EXPECT_TRUE(CSndStream::hasLoopsToSignal());
    const std::optional<uint32_t> due = world.window()->nextWorkDue();
    ASSERT_TRUE(due.has_value());
    EXPECT_LE(static_cast<int32_t>(*due - platform::tickCount()), 0);

    world.window()->Tick();
    EXPECT_GT(stream.loops, 0);
    EXPECT_FALSE(CSndStream::hasLoopsToSignal());
    EXPECT_GT(static_cast<int32_t>(*world.window()->nextWorkDue() - platform::tickCount()), 1000);
}

TEST(CSndStream, OnTheSpeakersTheRefillsKeepTheWallClockBesideTheMainThread)
{
    SoundWorld world(platform::SoundOutput::Speakers);
    ASSERT_NE(world.device(), nullptr);
    world.write("loop.wav", monoWav(noise(44100 / 4, 7)));
    LoopCountingStream stream(world.window(), "loop.wav");
    stream.Play(true);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(800);
    for (int volume = 0; std::chrono::steady_clock::now() < end; volume = (volume - 100) % 2000) {
        world.window()->Tick();
        stream.setVolume(volume);
        EXPECT_TRUE(stream.IsPlaying());
        std::this_thread::sleep_for(std::chrono::milliseconds(SoundWorld::kFrameMs));
    }
    stream.Stop();
    EXPECT_FALSE(stream.IsPlaying());
    EXPECT_GT(stream.loops, 0);
    EXPECT_EQ(stream.loopsElsewhere, 0);
}

TEST(CSndStream, AMusicThatDoesNotLoopPlaysOnceThenIsSilentAndDone)
{
    SoundWorld world;
    const std::vector<int16_t> samples = noise(44100 * 3, 1);
    world.write("music.wav", monoWav(samples));
    LoopCountingStream stream(world.window(), "music.wav");
    stream.Play(false);
    std::vector<float> mix = world.run(2900);
    EXPECT_TRUE(stream.IsPlaying());
    const std::vector<float> rest = world.run(1100);
    mix.insert(mix.end(), rest.begin(), rest.end());
    EXPECT_EQ(firstMismatch(mix, samples), -1);
    EXPECT_FALSE(stream.IsPlaying());
    EXPECT_EQ(stream.loops, 0);
}

TEST(CSndStream, AShortFileFillsTheRingOverAndOverThenPlaysOut)
{
    SoundWorld world;
    const std::vector<int16_t> samples = noise(22050, 2); // 0.5 s against a ring of 1.2 s
    world.write("short.wav", monoWav(samples));
    CSndStream stream(world.window(), "short.wav");
    stream.Play(false);
    const std::vector<float> mix = world.run(2500);
    std::vector<int16_t> thrice;
    for (int i = 0; i < 3; ++i)
        thrice.insert(thrice.end(), samples.begin(), samples.end());
    EXPECT_EQ(firstMismatch(mix, thrice), -1);
    EXPECT_FALSE(stream.IsPlaying());
}

TEST(CSndStream, EmptyDataPlaysSilenceAndNeverHangs)
{
    SoundWorld world;
    world.write("empty.wav", monoWav({}));
    for (bool loop : {true, false}) {
        LoopCountingStream stream(world.window(), "empty.wav");
        stream.Play(loop);
        const std::vector<float> mix = world.run(2000);
        EXPECT_EQ(firstMismatch(mix, {}), -1) << loop;
        EXPECT_EQ(stream.IsPlaying(), loop);
        EXPECT_EQ(stream.loops, 0) << loop;
    }
}

TEST(CSndStream, ResumeStartsTwoRingsBackButNeverBeforeTheData)
{
    SoundWorld world;
    const std::vector<int16_t> samples = noise(44100 * 5, 3);
    world.write("music.wav", monoWav(samples, wav::chunk("LIST", "INFO")));
    CSndStream stream(world.window(), "music.wav");
    stream.Play(true);
    world.run(500);
    stream.Stop();
    EXPECT_FALSE(stream.IsPlaying());
    EXPECT_EQ(firstMismatch(world.run(100), {}), -1);

    // Halfway through, the reader stands 1.2 s ahead of what was heard: 1.7 s, less than two
    // rings, so the music starts again at its first sample, never in the file's header.
    stream.Resume();
    EXPECT_TRUE(stream.IsPlaying());
    EXPECT_EQ(firstMismatch(world.run(4000), std::vector<int16_t>(samples.begin(), samples.begin() + 44100 * 4)), -1);

    stream.Stop();
    stream.Play(false); // without Resume: what was still queued, and then nothing more
    EXPECT_FALSE(stream.IsPlaying());
    const std::vector<float> after = world.run(1500);
    EXPECT_EQ(outputSample(after, 2 * 44100 * 13 / 10), 0);
}

TEST(CStreamedWAV, TheRingHoldsOnePointTwoSecondsInWholeFrames)
{
    SoundWorld world;
    struct Case {
        int channels;
        uint32_t rate;
        int bits;
        uint32_t ring;
    };
    const Case cases[] = {{2, 22050, 16, 105840}, {1, 11025, 8, 13230}, {2, 44100, 16, 211680}};
    for (const Case& c : cases) {
        world.write("ring.wav", wav::riff(wav::fmt(1, c.channels, c.rate, c.bits) + wav::chunk("data", "abcd")));
        platform::WaveFormat format;
        platform::SoundQueue* buffer = nullptr;
        CStreamedWAV reader(world.window(), "ring.wav", &buffer, &format);
        EXPECT_NE(buffer, nullptr);
        EXPECT_EQ(reader.GetBufferSize(), c.ring) << c.rate;
    }
}

TEST(CStreamedWAV, FilesThatCannotStreamGiveNoSound)
{
    SoundWorld world;
    struct Case {
        const char* name;
        std::string file;
        int error;
    };
    const Case cases[] = {
        {"missing.wav", "", CStreamedWAV::ERROR_OPEN},
        {"adpcm.wav", wav::riff(wav::fmt(2, 1, 22050, 4) + wav::chunk("data", "abcd")), 0},
        {"no-data.wav", wav::riff(wav::fmt(1, 1, 22050, 16)), 0},
        {"huge-rate.wav", wav::riff(wav::chunk("fmt ", wav::le16(1) + wav::le16(2) + wav::le32(44100) + wav::le32(0xFFFFFFF0) + wav::le16(4) + wav::le16(16)) + wav::chunk("data", "abcd")), 0},
        {"not-riff.wav", "just text", 0},
    };
    for (const Case& c : cases) {
        if (!c.file.empty())
            world.write(c.name, c.file);
        platform::WaveFormat format;
        platform::SoundQueue* buffer = nullptr;
        CStreamedWAV reader(world.window(), c.name, &buffer, &format);
        EXPECT_EQ(reader.LastError(), c.error) << c.name;
        EXPECT_EQ(buffer, nullptr) << c.name;
        CSndStream stream(world.window(), c.name);
        stream.Play(true);
        stream.setVolume(-100);
        world.run(100);
        EXPECT_FALSE(stream.IsPlaying()) << c.name;
        EXPECT_EQ(stream.getVolume(), 0) << c.name;
    }
}

TEST(CStreamedWAV, AMusicInTheArchiveStreamsExactlyItsSamplesThroughAFileOfItsOwn)
{
    SoundWorld world;
    const std::vector<int16_t> samples = noise(44100 * 2, 4);
    std::filesystem::create_directory(world.folder().path() / "pack");
    world.write("pack/music.wav", monoWav(samples, wav::chunk("LIST", "INFOodd"), wav::chunk("LIST", "not sound")));
    world.write("pack/other.txt", "other");
    testing::internal::CaptureStdout();
    const bool packed = CBigFile().Create("pack", "data.bf", "data.bf");
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(packed);
    // The archive is the process's: later tests must not find it open.
    struct ClosedAtTheEnd {
        ~ClosedAtTheEnd() { CFile::closeBigFile(); }
    } archive;
    CFile::openBigFile("data.bf");
    ASSERT_NE(CFile::getBigFileIfc(), nullptr);
    CFile* shared = CFile::getBigFileHandle();
    shared->Seek(7, SEEK_SET);

    platform::WaveFormat format;
    platform::SoundQueue* buffer = nullptr;
    CStreamedWAV reader(world.window(), "music.wav", &buffer, &format);
    ASSERT_EQ(reader.LastError(), 0);
    EXPECT_NE(buffer, nullptr);
    std::string read;
    unsigned char piece[999];
    for (int count; (count = reader.Read(sizeof piece, piece)) > 0;) {
        read.append(reinterpret_cast<const char*>(piece), static_cast<size_t>(count));
        EXPECT_EQ(shared->Tell(), 7);
    }
    EXPECT_EQ(read, wav::samples16(samples));

    CSndStream stream(world.window(), "music.wav");
    stream.Play(false);
    EXPECT_EQ(firstMismatch(world.run(3000), samples), -1);
    EXPECT_FALSE(stream.IsPlaying());
}

TEST(CMusic, TheWindowKeepsOneMusicAndRestartsOnlyWhatIsNotPlaying)
{
    SoundWorld world;
    const std::vector<int16_t> theme = noise(44100 * 2, 5);
    const std::vector<int16_t> other = noise(44100, 6);
    world.write("theme.wav", monoWav(theme));
    world.write("other.wav", monoWav(other));
    CWindow* window = world.window();
    // Whether the next 100 ms of sound are the samples from a frame on.
    auto nextPlays = [&](const std::vector<int16_t>& samples, size_t from) {
        const std::vector<int16_t> expected(samples.begin() + from, samples.begin() + from + 4410);
        return firstMismatch(world.run(100), expected) == -1;
    };
    EXPECT_FALSE(window->isMusicPlaying());
    EXPECT_EQ(window->getMusicVolume(), 0);

    window->StartMusic("theme.wav", false);
    EXPECT_TRUE(window->isMusicPlaying());
    EXPECT_EQ(window->getMusicInterface()->getFileName(), CWindow::rootPath + "theme.wav");
    EXPECT_TRUE(nextPlays(theme, 0));
    window->StartMusic("THEME.WAV", false); // the same file: it plays on
    EXPECT_TRUE(nextPlays(theme, 4410));

    window->StartMusic("other.wav", true);
    EXPECT_TRUE(nextPlays(other, 0));
    window->StartMusic("theme.wav", false);
    EXPECT_TRUE(nextPlays(theme, 0));
    world.run(2000);
    EXPECT_FALSE(window->isMusicPlaying()); // played out: a new request starts it again
    window->StartMusic("theme.wav", false);
    EXPECT_TRUE(window->isMusicPlaying());
    EXPECT_TRUE(nextPlays(theme, 0));
    window->setMusicVolume(-1000);
    EXPECT_EQ(window->getMusicVolume(), -1000);

    window->StartMusic("missing.wav", true); // silent; the last good name stays
    EXPECT_FALSE(window->isMusicPlaying());
    EXPECT_EQ(window->getMusicInterface()->getFileName(), CWindow::rootPath + "theme.wav");
    window->setMusicPan(500);
    window->setMusicFreq(22050);
    EXPECT_EQ(window->getMusicVolume(), 0);

    window->MusicOn(false);
    window->StartMusic("theme.wav", false);
    EXPECT_FALSE(window->isMusicPlaying());
    window->MusicOn(true);
    window->StartMusic("theme.wav", false);
    EXPECT_TRUE(window->isMusicPlaying());
    window->StopMusic();
    EXPECT_FALSE(window->isMusicPlaying());
    EXPECT_TRUE(nextPlays(std::vector<int16_t>(4410), 0));
}

TEST(CMusic, ANewStartEndsTheStreamBeforeIt)
{
    SoundWorld world;
    const std::vector<int16_t> second = noise(44100 * 2, 9);
    world.write("first.wav", monoWav(noise(44100 * 2, 8)));
    world.write("second.wav", monoWav(second));
    CMusic music(world.window());
    music.start("first.wav", true);
    music.start("second.wav", false);
    EXPECT_EQ(music.getFileName(), "second.wav");
    EXPECT_EQ(firstMismatch(world.run(3000), second), -1);
}
