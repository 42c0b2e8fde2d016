#include "platform/PathResolver.h"
#include "platform/VideoSource.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"
#include "VideoFixtures.h"

#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

using platform::AudioFormat;
using platform::VideoFrame;
using platform::VideoPixelFormat;
using platform::VideoSource;

namespace {

constexpr int64_t kMillisecond = platform::kVideoTimeUnitsPerSecond / 1000;

struct Picture {
    int index;
    int64_t time;
    bool operator==(const Picture&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Picture& picture)
{
    return out << "picture " << picture.index << " at " << picture.time;
}

Picture expectedPicture(int index)
{
    return {index, index * VideoFixtures::kFrameTime};
}

std::unique_ptr<VideoSource> openVideo(const std::string& path, std::optional<AudioFormat> audio = std::nullopt,
                                       VideoPixelFormat pixels = VideoPixelFormat::Rgb565)
{
    return VideoSource::open(path, pixels, audio);
}

std::optional<Picture> nextPicture(VideoSource& source)
{
    VideoFrame frame;
    if (!source.readFrame(frame))
        return std::nullopt;
    return Picture {VideoFixtures::bandIndex(frame, source.pixelFormat()), frame.time};
}

std::vector<Picture> remainingPictures(VideoSource& source)
{
    std::vector<Picture> pictures;
    while (std::optional<Picture> picture = nextPicture(source))
        pictures.push_back(*picture);
    return pictures;
}

std::vector<Picture> picturesFrom(int first)
{
    std::vector<Picture> pictures;
    for (int index = first; index < VideoFixtures::kFrameCount; ++index)
        pictures.push_back(expectedPicture(index));
    return pictures;
}

struct Container {
    const char* name;
    std::string (VideoFixtures::*clip)() const;
};

class VideoSourceTest : public ::testing::TestWithParam<Container> {
protected:
    void SetUp() override { ASSERT_TRUE(VideoFixtures::shared().made()) << "ffmpeg could not make the fixtures"; }
    std::string clip() const { return (VideoFixtures::shared().*GetParam().clip)(); }
};

void PrintTo(const Container& container, std::ostream* out)
{
    *out << container.name;
}

std::string containerName(const ::testing::TestParamInfo<Container>& info)
{
    return info.param.name;
}

} // namespace

TEST_P(VideoSourceTest, ReadsEveryPictureAtTheStreamSizeWithItsTime)
{
    std::unique_ptr<VideoSource> source = openVideo(clip());
    ASSERT_TRUE(source);
    EXPECT_EQ(source->width(), VideoFixtures::kWidth);
    EXPECT_EQ(source->height(), VideoFixtures::kHeight);
    EXPECT_EQ(remainingPictures(*source), picturesFrom(0));
    VideoFrame frame;
    EXPECT_FALSE(source->readFrame(frame)); // the end stays the end
}

TEST_P(VideoSourceTest, SeeksExactlyToThePictureShownAtTheTime)
{
    std::unique_ptr<VideoSource> source = openVideo(clip());
    ASSERT_TRUE(source);
    const struct {
        int64_t ms;
        int picture;
    } cases[] = {
        {1500, 15}, {1550, 15}, {700, 7}, {0, 0}, {1999, 19}, {50, 0}, {1200, 12}, {-40, 0},
    };
    for (const auto& seek : cases) {
        SCOPED_TRACE(seek.ms);
        ASSERT_TRUE(source->seek(seek.ms * kMillisecond));
        EXPECT_EQ(nextPicture(*source), expectedPicture(seek.picture));
        const std::optional<Picture> following =
            seek.picture + 1 < VideoFixtures::kFrameCount ? std::optional(expectedPicture(seek.picture + 1)) : std::nullopt;
        EXPECT_EQ(nextPicture(*source), following) << "after the picture found, decoding goes on in order";
    }
    ASSERT_TRUE(source->seek(1500 * kMillisecond));
    EXPECT_EQ(remainingPictures(*source), picturesFrom(15));
}

TEST_P(VideoSourceTest, ASeekPastTheEndLeavesNoPictureAndASeekBackPlaysAgain)
{
    std::unique_ptr<VideoSource> source = openVideo(clip());
    ASSERT_TRUE(source);
    EXPECT_TRUE(source->seek(2500 * kMillisecond));
    EXPECT_EQ(nextPicture(*source), std::nullopt);
    EXPECT_TRUE(source->seek(int64_t {1} << 62)); // far beyond any 32-bit time
    EXPECT_EQ(nextPicture(*source), std::nullopt);
    remainingPictures(*source);
    ASSERT_TRUE(source->seek(0));
    EXPECT_EQ(remainingPictures(*source), picturesFrom(0));
}

INSTANTIATE_TEST_SUITE_P(Containers, VideoSourceTest,
                         ::testing::Values(Container {"Avi", &VideoFixtures::avi}, Container {"MpegProgram", &VideoFixtures::mpeg},
                                           Container {"MpegElementary", &VideoFixtures::elementary}),
                         containerName);

namespace {

struct ToneMeasure {
    double seconds = 0;
    double frequency = 0;
    int peak = 0;
    bool channelsEqual = true;
};

ToneMeasure measureTone(const std::vector<int16_t>& samples, AudioFormat format)
{
    ToneMeasure measure;
    const size_t frames = samples.size() / format.channels;
    measure.seconds = static_cast<double>(frames) / format.sampleRate;
    // Rises through a band around 0, so that the codec's faint noise at the very end counts for nothing.
    constexpr int kBand = 500;
    int crossings = 0;
    size_t firstCrossing = 0;
    size_t lastCrossing = 0;
    bool low = false;
    for (size_t i = 0; i < frames; ++i) {
        const int16_t sample = samples[i * format.channels];
        measure.peak = std::max(measure.peak, std::abs(static_cast<int>(sample)));
        low = low || sample < -kBand;
        if (low && sample > kBand) {
            low = false;
            firstCrossing = crossings++ == 0 ? i : firstCrossing;
            lastCrossing = i;
        }
        for (int channel = 1; channel < format.channels; ++channel)
            measure.channelsEqual = measure.channelsEqual && samples[i * format.channels + channel] == sample;
    }
    if (crossings > 1)
        measure.frequency = (crossings - 1) * static_cast<double>(format.sampleRate) / (lastCrossing - firstCrossing);
    return measure;
}

std::vector<int16_t> audioToTheEnd(VideoSource& source)
{
    std::vector<int16_t> samples;
    VideoFrame frame;
    while (source.readFrame(frame))
        source.takeAudio(samples);
    source.takeAudio(samples);
    return samples;
}

const Container kContainersWithSound[] = {{"Avi", &VideoFixtures::avi}, {"MpegProgram", &VideoFixtures::mpeg}};

} // namespace

TEST(VideoSourceAudio, TheToneComesResampledToTheFormatAskedFromTheSeekOn)
{
    ASSERT_TRUE(VideoFixtures::shared().made());
    const AudioFormat format {22050, 2};
    for (const Container& container : kContainersWithSound) {
        SCOPED_TRACE(container.name);
        std::unique_ptr<VideoSource> source = openVideo((VideoFixtures::shared().*container.clip)(), format);
        ASSERT_TRUE(source);
        ASSERT_TRUE(source->audioFormat());
        EXPECT_EQ(source->audioFormat()->sampleRate, 22050);
        EXPECT_EQ(source->audioFormat()->channels, 2);

        ToneMeasure whole = measureTone(audioToTheEnd(*source), format);
        EXPECT_NEAR(whole.seconds, 2.0, 0.05);
        EXPECT_NEAR(whole.frequency, VideoFixtures::kToneFrequency, 2);
        EXPECT_GT(whole.peak, 2000);
        EXPECT_TRUE(whole.channelsEqual) << "the mono tone is on both channels";

        ASSERT_TRUE(source->seek(1200 * kMillisecond));
        ToneMeasure rest = measureTone(audioToTheEnd(*source), format);
        EXPECT_NEAR(rest.seconds, 0.8, 0.05) << "the audio starts where the seek went";
        EXPECT_NEAR(rest.frequency, VideoFixtures::kToneFrequency, 2);
    }
}

TEST(VideoSourceAudio, NoAudioUnlessAskedOrPresent)
{
    ASSERT_TRUE(VideoFixtures::shared().made());
    const struct {
        std::string clip;
        std::optional<AudioFormat> asked;
    } cases[] = {
        {VideoFixtures::shared().avi(), std::nullopt},
        {VideoFixtures::shared().avi(), AudioFormat {0, 2}},
        {VideoFixtures::shared().elementary(), AudioFormat {44100, 2}},
    };
    for (const auto& test : cases) {
        std::unique_ptr<VideoSource> source = openVideo(test.clip, test.asked);
        ASSERT_TRUE(source);
        EXPECT_FALSE(source->audioFormat());
        EXPECT_TRUE(audioToTheEnd(*source).empty());
    }
}

TEST(VideoSourcePixels, FifteenBitPicturesKeepTheTopBitClear)
{
    ASSERT_TRUE(VideoFixtures::shared().made());
    std::unique_ptr<VideoSource> source = openVideo(VideoFixtures::shared().avi(), std::nullopt, VideoPixelFormat::Rgb555);
    ASSERT_TRUE(source);
    VideoFrame frame;
    for (int index = 0; source->readFrame(frame); ++index) {
        ASSERT_EQ(frame.pixels.size(), size_t {VideoFixtures::kWidth * VideoFixtures::kHeight});
        EXPECT_EQ(VideoFixtures::bandIndex(frame, VideoPixelFormat::Rgb555), index);
        EXPECT_TRUE(std::all_of(frame.pixels.begin(), frame.pixels.end(), [](uint16_t pixel) { return pixel < 0x8000; }));
    }
}

TEST(VideoSourceFiles, ANameIsResolvedTheWindowsWay)
{
    ASSERT_TRUE(VideoFixtures::shared().made());
    CurrentFolderGuard guard;
    TempFolder temp;
    std::filesystem::create_directories(temp.path() / "dane" / "filmy");
    std::filesystem::copy_file(VideoFixtures::shared().avi(), temp.file("dane/filmy/intro.avi"));
    ASSERT_TRUE(platform::changeFolder(temp.path().string()));
    std::unique_ptr<VideoSource> source = openVideo("DANE\\Filmy\\INTRO.AVI");
    ASSERT_TRUE(source);
    EXPECT_EQ(nextPicture(*source), expectedPicture(0));
}

TEST(VideoSourceFiles, WhatIsNoVideoDoesNotOpen)
{
    ASSERT_TRUE(VideoFixtures::shared().made());
    TempFolder temp;
    const std::string avi = VideoFixtures::shared().folder().read("clip.avi");
    std::filesystem::create_directory(temp.path() / "folder.avi");
    const std::string names[] = {
        temp.file("missing.avi"),
        temp.write("notes.avi", "This is no video, only a text.\r\nSecond line.\r\n"),
        temp.write("empty.avi", ""),
        temp.write("header.avi", avi.substr(0, 200)),
        temp.file("folder.avi"),
        VideoFixtures::shared().sound(),
    };
    for (const std::string& name : names)
        EXPECT_FALSE(openVideo(name, AudioFormat {22050, 2})) << name;
}

TEST(VideoSourceFiles, DamageEndsTheVideoWithoutHarm)
{
    ASSERT_TRUE(VideoFixtures::shared().made());
    TempFolder temp;
    for (const Container& container : kContainersWithSound) {
        SCOPED_TRACE(container.name);
        const std::string clip = VideoFixtures::shared().folder().read(
            std::filesystem::path((VideoFixtures::shared().*container.clip)()).filename().string());
        std::string scrambled = clip;
        uint32_t noise = 12345;
        for (size_t i = clip.size() / 5; i < clip.size() * 3 / 5; ++i) {
            noise = noise * 214013 + 2531011;
            scrambled[i] = static_cast<char>(noise >> 16);
        }
        const std::string damaged[] = {
            temp.write("cut", clip.substr(0, clip.size() * 2 / 5)),
            temp.write("scrambled", scrambled),
        };
        for (const std::string& path : damaged) {
            std::unique_ptr<VideoSource> source = openVideo(path, AudioFormat {22050, 2});
            if (!source)
                continue;
            VideoFrame frame;
            int pictures = 0;
            while (pictures <= VideoFixtures::kFrameCount && source->readFrame(frame))
                ++pictures;
            EXPECT_LE(pictures, VideoFixtures::kFrameCount);
            EXPECT_FALSE(source->readFrame(frame)) << "the end stays the end";
            source->seek(1500 * kMillisecond);
            while (pictures <= 2 * VideoFixtures::kFrameCount && source->readFrame(frame))
                ++pictures;
            EXPECT_LE(pictures, 2 * VideoFixtures::kFrameCount);
        }
    }
}
