#include "script_graphics/CMC_Movie.h"

#include "foundation/CFile_Stream.h"
#include "graphics/CMovie.h"
#include "script/CMC_RunnerFactory.h"

#include "PictureScene.h"
#include "tests/graphics/MovieFrames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int64_t kUnitsPerMs = 10'000;

// MOVIE objects in a running scene, their signals logged by behaviours named after them. The
// fixture videos lie in the data folder as "clip.avi", "clip.mpg" and "films/Clip.avi".
class MovieObjects : public PictureScene {
protected:
    MovieObjects()
    {
        if (!videos.made())
            ADD_FAILURE() << "ffmpeg made no fixtures";
        copyFixture(videos.avi(), headless.folder().path(), "clip.avi");
        copyFixture(videos.mpeg(), headless.folder().path(), "clip.mpg");
        copyFixture(videos.avi(), headless.folder().path(), "films/Clip.avi");
        loggers({"STARTED", "FRAME", "FINISHED"});
    }

    // A MOVIE named CLIP with its signals bound, and the other properties given.
    void defineClip(const std::string& properties)
    {
        define("OBJECT=CLIP\nCLIP:TYPE=MOVIE\n" + properties
               + "CLIP:ONSTARTED=STARTED\nCLIP:ONFRAMEUPDATED=FRAME\nCLIP:ONFINISHED=FINISHED\n");
    }
    CMovie* player() { return object<CMC_Movie>("CLIP")->getMovie(); }
    void play(uint32_t ms) { frames.run(player(), ms); }
    // How often each signal was logged, in the order they first came.
    std::vector<std::string> counted()
    {
        std::vector<std::string> counts;
        for (const std::string& entry : takeLog()) {
            if (counts.empty() || counts.back().rfind(entry + " ", 0) != 0)
                counts.push_back(entry + " 1");
            else
                counts.back() = entry + " " + std::to_string(std::stoi(counts.back().substr(entry.size() + 1)) + 1);
        }
        return counts;
    }

    const VideoFixtures& videos = VideoFixtures::shared();
    MovieFrames frames{[this](uint32_t ms) { frame(ms); }};
};

} // namespace

TEST_F(MovieObjects, ADefinitionPlacesThePlayerAndItsReportsBecomeSignals)
{
    defineClip("CLIP:FILENAME=FILMS\\CLIP.AVI\nCLIP:POSITION=30,20\n");
    CMC_Movie* movie = object<CMC_Movie>("CLIP");
    EXPECT_EQ(movie->getType(), CMC_Movie::kType);
    EXPECT_NE(CMC_RunnerFactory::getRunner(CMC_Movie::kType), nullptr);
    EXPECT_EQ(CMC_Object::getTypeId("MOVIE"), -1);
    ASSERT_TRUE(player()->isOpen());
    EXPECT_EQ(screen()->getIndex(player()) >= 0 ? screen()->GetPriority(player()) : -1, 0);
    EXPECT_EQ(player()->GetPosition(), CXPoint(30, 20));

    run("CLIP^PLAY();");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"STARTED"}) << "raised inside PLAY";
    EXPECT_EQ(ask("CLIP^ISPLAYING()"), "TRUE");
    play(2100);
    EXPECT_EQ(counted(), (std::vector<std::string>{"FRAME 20", "FINISHED 1"}));
    EXPECT_EQ(ask("CLIP^ISPLAYING()"), "FALSE");
}

TEST_F(MovieObjects, APriorityBelowZeroKeepsTheMovieOffTheScreenYetItPlays)
{
    defineClip("CLIP:FILENAME=clip.mpg\nCLIP:PRIORITY=-1\n");
    EXPECT_EQ(screen()->getIndex(player()), -1);
    run("CLIP^PLAY();");
    play(500);
    EXPECT_EQ(counted(), (std::vector<std::string>{"STARTED 1", "FRAME 6"}));
    EXPECT_EQ(MovieLog::shownIndex(*player()), 5);
}

TEST_F(MovieObjects, MethodsDriveThePlayer)
{
    defineClip("CLIP:FILENAME=clip.avi\nCLIP:PRIORITY=2\n");
    struct Row {
        const char* code;
        uint32_t playMs;
        std::vector<std::string> signals;
    };
    const Row rows[] = {
        {"CLIP^PLAY();CLIP^STOP();", 0, {"STARTED 1", "FINISHED 1"}},
        {"CLIP^PLAY();CLIP^STOP(FALSE);", 0, {"STARTED 1"}},
        {"CLIP^STOP(TRUE);", 0, {"FINISHED 1"}},
        // One argument is none: the video plays once.
        {"CLIP^SETLOOP(500);CLIP^PLAY();", 2100, {"STARTED 1", "FRAME 20", "FINISHED 1"}},
        // Pictures 0 to 15, 5 to 15, then 5 to 8.
        {"CLIP^SETLOOP(500,1500);CLIP^PLAY();", 3000, {"STARTED 1", "FRAME 31"}},
        {"CLIP^STOP(FALSE);CLIP^PLAY();CLIP^SEEK(1500);", 10, {"STARTED 1", "FRAME 1"}},
        {"CLIP^PAUSE();", 1000, {}},
        {"CLIP^RESUME();", 100, {"FRAME 1"}},
        // Missing arguments do nothing.
        {"CLIP^SEEK();CLIP^SETPOSITION(5);", 100, {"FRAME 1"}},
        {"CLIP^SEEK(1800000);", 10, {"FINISHED 1"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        run(row.code);
        play(row.playMs);
        EXPECT_EQ(counted(), row.signals);
    }
    EXPECT_EQ(player()->getRangeStart(), 500 * kUnitsPerMs);
    EXPECT_EQ(player()->GetPosition(), CXPoint(0, 0));
    EXPECT_EQ(ask("CLIP^LOAD()"), "FALSE");
    EXPECT_TRUE(player()->isOpen());
    run("CLIP^SETLOOP();CLIP^SETPOSITION(7,9);");
    EXPECT_EQ(player()->getRangeEnd(), -kUnitsPerMs);
    EXPECT_EQ(player()->GetPosition(), CXPoint(7, 9));
}

TEST_F(MovieObjects, ASeekShowsItsPictureAtTheNextFrame)
{
    defineClip("CLIP:FILENAME=clip.mpg\n");
    run("CLIP^PLAY();");
    play(30);
    run("CLIP^SEEK(1500);");
    play(10);
    EXPECT_EQ(player()->shownTime(), 15'000'000);
    EXPECT_EQ(MovieLog::shownIndex(*player()), 15);
}

TEST_F(MovieObjects, AnEmptyPlayerFinishesAtOnceUntilAFileLoads)
{
    defineClip("");
    EXPECT_FALSE(player()->isOpen());
    run("CLIP^PLAY();");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"FINISHED"});
    EXPECT_EQ(ask("CLIP^LOAD(\"none.avi\")"), "FALSE");
    EXPECT_EQ(ask("CLIP^LOAD(\"clip.avi\")"), "TRUE");
    run("CLIP^PLAY();");
    play(100);
    EXPECT_EQ(counted(), (std::vector<std::string>{"STARTED 1", "FRAME 2"}));

    // Loading during play stops the video without the end signal.
    EXPECT_EQ(ask("CLIP^LOAD(\"clip.mpg\")"), "TRUE");
    EXPECT_EQ(ask("CLIP^ISPLAYING()"), "FALSE");
    play(100);
    EXPECT_EQ(takeLog(), std::vector<std::string>{});
}

TEST_F(MovieObjects, OnlyPlainSignalsAreRaised)
{
    define("OBJECT=CLIP\nCLIP:TYPE=MOVIE\nCLIP:FILENAME=clip.avi\nCLIP:ONFINISHED^X=FINISHED\n"
           "CLIP:ONSTARTED^Y=STARTED\n");
    run("CLIP^PLAY();CLIP^STOP();");
    EXPECT_EQ(takeLog(), std::vector<std::string>{});
}

TEST_F(MovieObjects, AFrameSignalMayStopTheMovieItCameFrom)
{
    define("OBJECT=CLIP\nCLIP:TYPE=MOVIE\nCLIP:FILENAME=clip.avi\nCLIP:ONFRAMEUPDATED={CLIP^STOP();}\n"
           "CLIP:ONFINISHED=FINISHED\n");
    run("CLIP^PLAY();");
    play(300);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"FINISHED"});
    EXPECT_EQ(ask("CLIP^ISPLAYING()"), "FALSE");
    EXPECT_EQ(MovieLog::shownIndex(*player()), 0);
}

TEST_F(MovieObjects, UnloadingTheScenesStopsPlayingMoviesSilently)
{
    defineClip("CLIP:FILENAME=clip.avi\n");
    define("OBJECT=HIDDEN\nHIDDEN:TYPE=MOVIE\nHIDDEN:FILENAME=clip.mpg\nHIDDEN:PRIORITY=-1\n"
           "HIDDEN:ONFINISHED=FINISHED\n");
    run("CLIP^PLAY();HIDDEN^PLAY();");
    play(300);
    takeLog();
    scene->unload();
    frames.run(nullptr, 100);
    EXPECT_EQ(takeLog(), std::vector<std::string>{});
}

TEST_F(MovieObjects, CompiledScenesReadAMovieFromTheCommonRecordButNeverWriteOne)
{
    defineClip("CLIP:FILENAME=clip.avi\n");
    define("OBJECT=N\nN:TYPE=INTEGER\nN:VALUE=7\n");
    const std::string clip = record(object<CMC_Movie>("CLIP"));
    CMC_Movie read(scene.get());
    {
        CFile_Stream file(clip.data(), static_cast<int>(clip.size()));
        CXArchive archive(&file, false);
        read.serialize(&archive);
        EXPECT_FALSE(archive.failed());
    }
    read.initializeBehaviours(scene.get(), nullptr);
    EXPECT_EQ(read.getName(), "CLIP");
    EXPECT_FALSE(read.getMovie()->isOpen());
    EXPECT_EQ(screen()->getIndex(read.getMovie()), -1);
    read.getMovie()->play();
    EXPECT_EQ(takeLog(), std::vector<std::string>{"FINISHED"}) << "the bindings came with the record";

    // A file that holds a MOVIE record reads on past it.
    const std::string file = std::string(4 * 3, '\0') + std::string("\x02\0\0\0", 4) + std::string("\xE8\x07\0\0", 4)
                             + clip + std::string("\x01\0\0\0", 4) + record(scene->getObject("N"));
    CMC_Scene node(window(), CMC_Object::TYPE_SCENE);
    {
        CFile_Stream stream(file.data(), static_cast<int>(file.size()));
        CXArchive archive(&stream, false);
        node.readCompiled(&archive);
    }
    ASSERT_NE(node.getObject("CLIP"), nullptr);
    EXPECT_EQ(node.getObject("CLIP")->getType(), CMC_Movie::kType);
    ASSERT_NE(node.getObject("N"), nullptr);
    EXPECT_EQ(node.getObject("N")->toString(), "7");

    testing::internal::CaptureStderr();
    CFile out(nullptr, "scene.bin", CFile::MODE_BINARY);
    CXArchive written(&out, true);
    EXPECT_FALSE(scene->writeCompiled(&written));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Object CLIP of SCENE1 not stored"), std::string::npos);
}
