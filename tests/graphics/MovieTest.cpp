#include "graphics/CMovie.h"

#include "app/CApplication.h"
#include "graphics/CMovieSound.h"
#include "graphics/CRefreshScreen.h"

#include "MovieFrames.h"
#include "tests/app/HeadlessWindow.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int64_t kUnitsPerMs = 10'000;

class Movies : public ::testing::Test {
protected:
    Movies()
    {
        headless.open();
        if (!videos.made())
            ADD_FAILURE() << "ffmpeg made no fixtures";
    }

    CWindow* window() { return &headless.window(); }
    std::unique_ptr<CMovie> open(const std::string& path)
    {
        auto movie = std::make_unique<CMovie>(window(), path.c_str());
        movie->addNotifier(&log);
        return movie;
    }
    // Runs frames until the movie reports its end, at most for that long; how long it played.
    uint32_t runToTheEnd(CMovie& movie, uint32_t atMost)
    {
        const uint32_t start = frames.elapsed();
        while (frames.elapsed() - start < atMost && (log.events.empty() || log.events.back() != "F"))
            frames.step(&movie);
        return frames.elapsed() - start;
    }

    const VideoFixtures& videos = VideoFixtures::shared();
    HeadlessWindow headless;
    CApplication application{&headless.window(), "", "", nullptr};
    MovieFrames frames{[this](uint32_t ms) {
        headless.backend().clock().advance(ms);
        window()->domodal();
    }};
    MovieLog log;
};

} // namespace

TEST_F(Movies, EachPictureShowsWhenItsTimeComesAndTheEndIsReportedOnce)
{
    for (const std::string& path : {videos.avi(), videos.mpeg()}) {
        SCOPED_TRACE(path);
        auto movie = open(path);
        ASSERT_TRUE(movie->isOpen());
        EXPECT_EQ(movie->Width(), VideoFixtures::kWidth);
        EXPECT_EQ(movie->Height(), VideoFixtures::kHeight);
        const uint32_t start = frames.elapsed();
        movie->play();
        EXPECT_TRUE(movie->isPlaying());
        EXPECT_EQ(log.take(), std::vector<std::string>{"S"});

        std::vector<std::string> expected;
        for (uint32_t clock = 10; clock <= 2200; clock += 10) {
            frames.step(movie.get());
            if (clock < 2000) {
                ASSERT_EQ(MovieLog::shownIndex(*movie), static_cast<int>(clock / 100)) << clock << " ms";
                if (clock == 10 || clock % 100 == 0)
                    expected.push_back(std::to_string(clock / 100));
            } else if (clock == 2000) {
                expected.push_back("F");
                EXPECT_EQ(log.events, expected) << "the end comes with the first frame at 2 s";
            }
        }
        EXPECT_EQ(log.take(), expected);
        EXPECT_FALSE(movie->isPlaying());
        EXPECT_TRUE(frames.toneThroughout(start + 200, start + 1800));
        EXPECT_TRUE(frames.silentThroughout(start + 2100, start + 2200));
    }
}

TEST_F(Movies, ALoopRangeRepeatsItsPicturesUntilStopped)
{
    auto movie = open(videos.avi());
    movie->setRange(500, 1500);
    EXPECT_EQ(movie->getRangeEnd(), 1500 * kUnitsPerMs);
    movie->play();
    frames.run(movie.get(), 4000);
    std::vector<std::string> expected = {"S"};
    for (const std::string& tick : pictureRun(0, 15))
        expected.push_back(tick);
    while (expected.size() < log.events.size())
        for (const std::string& tick : pictureRun(5, 15))
            expected.push_back(tick);
    expected.resize(log.events.size());
    EXPECT_EQ(log.take(), expected);
    EXPECT_GT(expected.size(), 1u + 16u + 11u) << "the range repeats";

    movie->stop(true);
    EXPECT_EQ(log.take(), std::vector<std::string>{"F"});
    movie->play();
    frames.run(movie.get(), 100);
    log.take();
    movie->stop(false);
    frames.run(movie.get(), 100);
    EXPECT_EQ(log.take(), std::vector<std::string>{});

    movie->setRange(0, -1);
    movie->play();
    EXPECT_LT(runToTheEnd(*movie, 3000), 3000u) << "an end below 0 plays once";
}

TEST_F(Movies, ASeekShowsItsPictureAtTheNextFrameAndPastTheEndEndsTheMovie)
{
    for (const std::string& path : {videos.avi(), videos.mpeg()}) {
        SCOPED_TRACE(path);
        auto movie = open(path);
        movie->play();
        frames.run(movie.get(), 30);
        log.take();
        movie->seekTo(1500 * kUnitsPerMs);
        frames.step(movie.get());
        EXPECT_EQ(movie->shownTime(), 1500 * kUnitsPerMs);
        EXPECT_EQ(log.take(), std::vector<std::string>{"15"});
        movie->seekTo(2500 * kUnitsPerMs);
        frames.step(movie.get());
        EXPECT_EQ(log.take(), std::vector<std::string>{"F"});
    }
}

TEST_F(Movies, APauseHoldsPictureClockAndSoundAndResumeGoesOnFromThere)
{
    auto movie = open(videos.avi());
    movie->play();
    frames.run(movie.get(), 500);
    movie->pause();
    EXPECT_FALSE(movie->isPlaying());
    log.take();
    const uint32_t paused = frames.elapsed();
    frames.run(movie.get(), 1000);
    EXPECT_EQ(MovieLog::shownIndex(*movie), 5);
    EXPECT_EQ(log.take(), std::vector<std::string>{});
    EXPECT_TRUE(frames.silentThroughout(paused + 10, paused + 1000));

    movie->resume();
    EXPECT_TRUE(movie->isPlaying());
    frames.run(movie.get(), 90);
    EXPECT_EQ(log.take(), std::vector<std::string>{}) << "picture 5 has its time to the end";
    frames.run(movie.get(), 300);
    EXPECT_EQ(log.take(), pictureRun(6, 8));
    EXPECT_TRUE(frames.toneThroughout(paused + 1100, paused + 1390));
}

TEST_F(Movies, AnInactiveProgramFreezesPictureAndSound)
{
    auto movie = open(videos.mpeg());
    movie->play();
    frames.run(movie.get(), 500);
    log.take();
    window()->OnActivateApp(false);
    const uint32_t left = frames.elapsed();
    frames.run(movie.get(), 1000);
    EXPECT_EQ(MovieLog::shownIndex(*movie), 5);
    EXPECT_EQ(log.take(), std::vector<std::string>{});
    // What was queued ahead of the clock plays out.
    EXPECT_TRUE(frames.silentThroughout(left + CMovieSound::kLead / kUnitsPerMs + 20, left + 1000));

    window()->OnActivateApp(true);
    frames.run(movie.get(), 300);
    const std::vector<std::string> ticks = log.take();
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.front(), "6") << "the movie goes on from the held picture";
    EXPECT_TRUE(frames.toneThroughout(left + 1100, left + 1300));
}

TEST_F(Movies, FilesWithoutAVideoLeaveTheMovieEmpty)
{
    const TempFolder& folder = headless.folder();
    const std::string avi = videos.folder().read("clip.avi");
    const std::string cases[] = {
        folder.file("missing.avi"),
        folder.write("text.avi", "this is no video\r\n"),
        videos.sound(),
        folder.write("header.avi", avi.substr(0, 200)),
    };
    for (const std::string& path : cases) {
        SCOPED_TRACE(path);
        auto movie = open(videos.avi());
        ASSERT_TRUE(movie->isOpen());
        EXPECT_FALSE(movie->load(path.c_str()));
        EXPECT_FALSE(movie->isOpen());
        EXPECT_EQ(movie->GetDataPtr(), nullptr);
        EXPECT_EQ(movie->Width(), 0);
        movie->play();
        EXPECT_FALSE(movie->isPlaying());
        EXPECT_EQ(log.take(), std::vector<std::string>{"F"});
        frames.run(movie.get(), 20);
        EXPECT_EQ(log.take(), std::vector<std::string>{});
    }

    auto cut = open(folder.write("cut.avi", avi.substr(0, avi.size() / 2)));
    ASSERT_TRUE(cut->isOpen());
    cut->play();
    EXPECT_LT(runToTheEnd(*cut, 3000), 3000u);
    EXPECT_GT(log.events.size(), 3u) << "the whole part plays";
    EXPECT_EQ(log.events.back(), "F");
}

TEST_F(Movies, PlayingAgainOrLoadingKeepsOneFrameTimerAndLoadingEndsSilently)
{
    auto movie = open(videos.avi());
    movie->play();
    movie->stop(false);
    movie->play();
    movie->play();
    frames.run(movie.get(), 250);
    std::vector<std::string> expected = {"S", "S", "S"};
    for (const std::string& tick : pictureRun(0, 2))
        expected.push_back(tick);
    EXPECT_EQ(log.take(), expected) << "each picture is told of once";

    EXPECT_TRUE(movie->load(videos.mpeg().c_str()));
    EXPECT_FALSE(movie->isPlaying());
    EXPECT_EQ(log.take(), std::vector<std::string>{});
    movie->play();
    frames.run(movie.get(), 50);
    movie.reset();
    frames.run(nullptr, 50);
    EXPECT_EQ(log.take(), (std::vector<std::string>{"S", "0"})) << "deleted, the movie reports nothing";
}

TEST_F(Movies, WithSoundOffTheMoviePlaysSilently)
{
    window()->SoundOn(false);
    auto movie = open(videos.avi());
    const uint32_t start = frames.elapsed();
    movie->play();
    frames.run(movie.get(), 1000);
    EXPECT_EQ(MovieLog::shownIndex(*movie), 10);
    EXPECT_TRUE(frames.silentThroughout(start, start + 1000));
}

TEST_F(Movies, TheScreenShowsThePictureOpaqueWhereTheMovieStands)
{
    auto movie = open(videos.avi());
    window()->GetRefreshScreenInterface()->put(movie.get(), 3);
    movie->SetPosition(100, 40);
    movie->play();
    frames.run(movie.get(), 720);
    ASSERT_EQ(MovieLog::shownIndex(*movie), 7);
    const auto* pixels = reinterpret_cast<const uint16_t*>(movie->GetDataPtr());
    for (const auto& [x, y] : {std::pair{0, 0}, {63, 47}, {31, 8}, {10, 30}})
        EXPECT_EQ(headless.pixel(100 + x, 40 + y), pixels[y * VideoFixtures::kWidth + x]) << x << ", " << y;
}
