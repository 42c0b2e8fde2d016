#include "plugins/world/ITolvan.h"
#include "plugins/world/WorldFile.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include "platform/PathResolver.h"

#include <gtest/gtest.h>

namespace {

const char kGoodWorld[] = "# a level\r\n"
                          "KESTRUM-WORLD 1\r\n"
                          "\r\n"
                          "gravity 0 -9.5e2 0\r\n"
                          "; the floor\r\n"
                          "BODY 100 box Static 0 -200 0 300 10 0 0 0.25 0\r\n"
                          "BODY 7\tCIRCLE DYNAMIC -12.5 40 3 8 0 0 2 1 250\r\n"
                          "WAYPOINT 1 0 150 0\r\n"
                          "WAYPOINT 2 10 -150 0\r\n"
                          "WAYPOINT 1 5 160 0\r\n";

} // namespace

TEST(WorldFile, ReadsBodiesWayPointsAndGravity)
{
    WorldDescription world;
    ASSERT_EQ(WorldFile::parse(kGoodWorld, &world), ITolvan::OK);
    ASSERT_TRUE(world.gravity.has_value());
    EXPECT_EQ(*world.gravity, (PathPoint{0, -950}));
    ASSERT_EQ(world.bodies.size(), 2u);
    const BodyDescription& floor = world.bodies[0];
    EXPECT_EQ(floor.id, 100u);
    EXPECT_EQ(floor.shape, ITolvan::SHAPE_BOX);
    EXPECT_EQ(floor.kind, ITolvan::KIND_STATIC);
    EXPECT_EQ(floor.y, -200);
    EXPECT_EQ(floor.rx, 300);
    EXPECT_EQ(floor.ry, 10);
    EXPECT_EQ(floor.restitution, 0.25f);
    const BodyDescription& ball = world.bodies[1];
    EXPECT_EQ(ball.id, 7u);
    EXPECT_EQ(ball.shape, ITolvan::SHAPE_CIRCLE);
    EXPECT_EQ(ball.kind, ITolvan::KIND_DYNAMIC);
    EXPECT_EQ(ball.x, -12.5f);
    EXPECT_EQ(ball.z, 3);
    EXPECT_EQ(ball.mass, 2);
    EXPECT_EQ(ball.maxSpeed, 250);
    ASSERT_EQ(world.wayPoints.size(), 3u);
    EXPECT_EQ(world.wayPoints[2].number, 1u);
    EXPECT_EQ(world.wayPoints[2].at, (PathPoint{5, 160}));
}

TEST(WorldFile, DamagedTextsAreRefusedWhole)
{
    const char* const cases[] = {
        "",
        "# only a comment\n",
        "KESTRUM-WORLD 2\n",
        "GRAVITY 0 -10 0\n",
        "KESTRUM-WORLD 1\nGRAVITY 0 -10\n",
        "KESTRUM-WORLD 1\nGRAVITY 0 nan 0\n",
        "KESTRUM-WORLD 1\nGRAVITY 0 inf 0\n",
        "KESTRUM-WORLD 1\nGRAVITY 0 1e999 0\n",
        "KESTRUM-WORLD 1\nGRAVITY 0 -10x 0\n",
        "KESTRUM-WORLD 1\nPLANET 1 2 3\n",
        "KESTRUM-WORLD 1\nBODY 1 CIRCLE DYNAMIC 0 0 0 10 0 0 1 0\n",
        "KESTRUM-WORLD 1\nBODY -1 CIRCLE DYNAMIC 0 0 0 10 0 0 1 0 0\n",
        "KESTRUM-WORLD 1\nBODY 1 TRIANGLE DYNAMIC 0 0 0 10 0 0 1 0 0\n",
        "KESTRUM-WORLD 1\nBODY 1 CIRCLE FLOATING 0 0 0 10 0 0 1 0 0\n",
        "KESTRUM-WORLD 1\nBODY 1 CIRCLE DYNAMIC 0 0 0 -10 0 0 1 0 0\n",
        "KESTRUM-WORLD 1\nBODY 1 CIRCLE DYNAMIC 0 0 0 0 0 0 1 0 0\n",
        "KESTRUM-WORLD 1\nBODY 1 BOX STATIC 0 0 0 10 0 0 0 0 0\n",
        "KESTRUM-WORLD 1\nBODY 1 CIRCLE DYNAMIC 0 0 0 10 0 0 0 0 0\n",
        "KESTRUM-WORLD 1\nBODY 1 CIRCLE DYNAMIC 0 0 0 10 0 0 -1 0 0\n",
        "KESTRUM-WORLD 1\nBODY 1 CIRCLE DYNAMIC 0 0 0 10 0 0 1 -0.5 0\n",
        "KESTRUM-WORLD 1\nBODY 1 CIRCLE DYNAMIC 0 0 0 10 0 0 1 0 -5\n",
        "KESTRUM-WORLD 1\nBODY 1 CIRCLE DYNAMIC 0 0 0 10 0 0 1 0 0\nBODY 1 BOX STATIC 0 0 0 5 5 0 0 0 0\n",
        "KESTRUM-WORLD 1\nWAYPOINT 1 0 0\n",
        "KESTRUM-WORLD 1\nWAYPOINT 4294967296 0 0 0\n",
    };
    for (const char* text : cases) {
        WorldDescription world;
        world.wayPoints.push_back({9, {1, 2}});
        EXPECT_EQ(WorldFile::parse(text, &world), ITolvan::DAMAGED_FILE) << text;
        EXPECT_EQ(world.wayPoints.size(), 1u) << text;
    }
}

TEST(WorldFile, FindsFilesByTheEngineNameRulesAndReportsMissingOnes)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "Worlds");
    folder.write("Worlds/level.wld", kGoodWorld);
    CurrentFolderGuard guard;
    ASSERT_TRUE(platform::changeFolder(folder.path().string()));

    WorldDescription world;
    EXPECT_EQ(WorldFile::read("WORLDS\\Level.WLD", &world), ITolvan::OK);
    EXPECT_EQ(world.bodies.size(), 2u);
    EXPECT_EQ(WorldFile::read("worlds\\other.wld", &world), ITolvan::UNREADABLE_FILE);
    EXPECT_EQ(WorldFile::read("Worlds", &world), ITolvan::UNREADABLE_FILE);
    EXPECT_EQ(WorldFile::read("", &world), ITolvan::UNREADABLE_FILE);
    EXPECT_EQ(WorldFile::read(nullptr, &world), ITolvan::UNREADABLE_FILE);
    EXPECT_EQ(world.bodies.size(), 2u);
}
