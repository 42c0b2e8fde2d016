#include "platform/VideoDecodeWorker.h"

#include "VideoFixtures.h"

#include <gtest/gtest.h>

using platform::AudioFormat;
using platform::VideoDecodeWorker;
using platform::VideoFrame;
using platform::VideoPixelFormat;
using platform::VideoSource;

namespace {

constexpr int64_t kMillisecond = platform::kVideoTimeUnitsPerSecond / 1000;
constexpr std::chrono::seconds kPatience {10};
const AudioFormat kAudio {22050, 1};

class VideoDecodeWorkerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(VideoFixtures::shared().made()) << "ffmpeg could not make the fixtures"; }

    static std::unique_ptr<VideoSource> open(const std::string& clip)
    {
        return VideoSource::open(clip, VideoPixelFormat::Rgb565, kAudio);
    }

    // The index of the next picture, checked against its time; -1 once the video has ended.
    static int nextIndex(VideoDecodeWorker& worker)
    {
        if (!worker.waitForFrame(kPatience))
            return -1;
        VideoFrame frame;
        EXPECT_TRUE(worker.takeFrame(frame));
        const int index = VideoFixtures::bandIndex(frame, VideoPixelFormat::Rgb565);
        EXPECT_EQ(frame.time, index * VideoFixtures::kFrameTime);
        return index;
    }

    static std::vector<int> indexesToTheEnd(VideoDecodeWorker& worker)
    {
        std::vector<int> indexes;
        for (int index = nextIndex(worker); index >= 0; index = nextIndex(worker))
            indexes.push_back(index);
        return indexes;
    }

    static std::vector<int> range(int first, int end)
    {
        std::vector<int> indexes;
        for (int index = first; index < end; ++index)
            indexes.push_back(index);
        return indexes;
    }
};

} // namespace

TEST_F(VideoDecodeWorkerTest, HandsOutEveryPictureInOrderWithItsSoundThenFinishes)
{
    std::unique_ptr<VideoSource> source = open(VideoFixtures::shared().avi());
    ASSERT_TRUE(source);
    VideoDecodeWorker worker(*source);
    EXPECT_FALSE(worker.finished());
    EXPECT_EQ(indexesToTheEnd(worker), range(0, VideoFixtures::kFrameCount));
    EXPECT_TRUE(worker.finished());
    EXPECT_EQ(worker.nextFrameTime(), std::nullopt);
    VideoFrame frame;
    EXPECT_FALSE(worker.takeFrame(frame));
    std::vector<int16_t> audio;
    worker.takeAudio(audio);
    EXPECT_NEAR(static_cast<double>(audio.size()) / kAudio.sampleRate, 2.0, 0.05);
}

TEST_F(VideoDecodeWorkerTest, ASeekDropsWhatWasDecodedAheadAndGoesOnFromItsTime)
{
    for (const std::string& clip : {VideoFixtures::shared().avi(), VideoFixtures::shared().mpeg()}) {
        SCOPED_TRACE(clip);
        std::unique_ptr<VideoSource> source = open(clip);
        ASSERT_TRUE(source);
        VideoDecodeWorker worker(*source);
        EXPECT_EQ(nextIndex(worker), 0);
        EXPECT_EQ(nextIndex(worker), 1);
        std::vector<int16_t> audio;
        worker.takeAudio(audio);

        worker.seek(1500 * kMillisecond);
        EXPECT_FALSE(worker.finished());
        ASSERT_TRUE(worker.waitForFrame(kPatience));
        EXPECT_EQ(worker.nextFrameTime(), 15 * VideoFixtures::kFrameTime);
        EXPECT_EQ(indexesToTheEnd(worker), range(15, VideoFixtures::kFrameCount));
        audio.clear();
        worker.takeAudio(audio);
        EXPECT_NEAR(static_cast<double>(audio.size()) / kAudio.sampleRate, 0.5, 0.05)
            << "only the sound from the seek on";

        EXPECT_TRUE(worker.finished());
        worker.seek(500 * kMillisecond);
        EXPECT_FALSE(worker.finished()) << "a seek after the end plays again";
        EXPECT_EQ(indexesToTheEnd(worker), range(5, VideoFixtures::kFrameCount));
    }
}

TEST_F(VideoDecodeWorkerTest, SeeksInQuickSuccessionLandEachOnItsPicture)
{
    std::unique_ptr<VideoSource> source = open(VideoFixtures::shared().avi());
    ASSERT_TRUE(source);
    VideoDecodeWorker worker(*source);
    uint32_t draw = 7;
    for (int round = 0; round < 60; ++round) {
        draw = draw * 214013 + 2531011;
        const int wanted = static_cast<int>((draw >> 16) % VideoFixtures::kFrameCount);
        if (round % 3 == 0)
            worker.seek((wanted + 3) % VideoFixtures::kFrameCount * VideoFixtures::kFrameTime); // overtaken at once
        worker.seek(wanted * VideoFixtures::kFrameTime);
        ASSERT_EQ(nextIndex(worker), wanted) << "round " << round;
    }
}

TEST_F(VideoDecodeWorkerTest, EndsCleanlyWhateverItIsDoing)
{
    std::unique_ptr<VideoSource> source = open(VideoFixtures::shared().mpeg());
    ASSERT_TRUE(source);
    { VideoDecodeWorker justStarted(*source); }
    {
        VideoDecodeWorker seeking(*source);
        seeking.seek(1900 * kMillisecond);
    }
    {
        VideoDecodeWorker full(*source);
        ASSERT_TRUE(full.waitForFrame(kPatience));
    }
    VideoDecodeWorker again(*source);
    again.seek(0);
    EXPECT_EQ(nextIndex(again), 0) << "the source outlives its workers";
}
