#include "plugins/world/PathMesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

struct Wall {
    float x1, y1, x2, y2;
    bool standing = true;
};

// Whether a segment crosses an axis-aligned rectangle (slab test).
bool crosses(const PathPoint& a, const PathPoint& b, const Wall& wall)
{
    if (!wall.standing)
        return false;
    float enter = 0;
    float leave = 1;
    const float start[2] = {a.x, a.y};
    const float delta[2] = {b.x - a.x, b.y - a.y};
    const float low[2] = {wall.x1, wall.y1};
    const float high[2] = {wall.x2, wall.y2};
    for (int axis = 0; axis < 2; ++axis) {
        if (delta[axis] == 0) {
            if (start[axis] < low[axis] || start[axis] > high[axis])
                return false;
            continue;
        }
        float t1 = (low[axis] - start[axis]) / delta[axis];
        float t2 = (high[axis] - start[axis]) / delta[axis];
        if (t1 > t2)
            std::swap(t1, t2);
        enter = std::max(enter, t1);
        leave = std::min(leave, t2);
    }
    return enter <= leave;
}

// The walls are the obstacles, numbered by their place in the list.
class PathMeshTest : public ::testing::Test, public MeshObstacles {
protected:
    std::optional<uint32_t> blockerOf(const PathPoint& a, const PathPoint& b) override
    {
        ++sightTests;
        for (uint32_t number = 0; number < walls.size(); ++number) {
            if (crosses(a, b, walls[number]))
                return number;
        }
        return std::nullopt;
    }
    bool blocks(uint32_t number, const PathPoint& a, const PathPoint& b) override
    {
        return number < walls.size() && crosses(a, b, walls[number]);
    }
    std::optional<PathBox> boundsOf(uint32_t number) override
    {
        if (number >= walls.size() || !walls[number].standing)
            return std::nullopt;
        const Wall& wall = walls[number];
        return PathBox{{wall.x1 - 1, wall.y1 - 1}, {wall.x2 + 1, wall.y2 + 1}};
    }
    PathMesh::SightTest sight()
    {
        return [this](const PathPoint& a, const PathPoint& b) { return !blockerOf(a, b); };
    }
    std::optional<std::vector<PathPoint>> find(PathPoint start, PathPoint goal, bool useMesh = true)
    {
        return mesh.findPath(start, goal, useMesh, *this, sight());
    }

    PathMesh mesh;
    std::vector<Wall> walls;
    int sightTests = 0;
};

} // namespace

TEST_F(PathMeshTest, OpenGroundGoesStraightToTheGoal)
{
    mesh.setWayPoint(1, {0, 500});
    EXPECT_EQ(find({-100, 0}, {100, 0}), (std::vector<PathPoint>{{100, 0}}));
}

TEST_F(PathMeshTest, GoesAroundAWallByTheShorterSide)
{
    walls.push_back({-10, -100, 10, 100});
    mesh.setWayPoint(1, {0, 150});
    mesh.setWayPoint(2, {0, -300});
    mesh.setWayPoint(3, {0, 400}); // further than 1, and seen from it
    EXPECT_EQ(find({-200, 0}, {200, 0}), (std::vector<PathPoint>{{0, 150}, {200, 0}}));
    // A way point moved under its number changes the way.
    mesh.setWayPoint(1, {0, 600});
    EXPECT_EQ(find({-200, 0}, {200, 0}), (std::vector<PathPoint>{{0, -300}, {200, 0}}));
}

TEST_F(PathMeshTest, ChainsWayPointsThatOnlySeeEachOther)
{
    // An S-bend: two walls, reached through three way points in turn.
    walls.push_back({-110, -1000, -90, 100});
    walls.push_back({90, -100, 110, 1000});
    mesh.setWayPoint(7, {-100, 150});
    mesh.setWayPoint(8, {100, -150});
    mesh.setWayPoint(9, {0, 0});
    EXPECT_EQ(find({-300, 0}, {300, 0}), (std::vector<PathPoint>{{-100, 150}, {100, -150}, {300, 0}}));
}

TEST_F(PathMeshTest, NoWayToAWalledGoalOrWithoutTheMesh)
{
    walls = {{90, -60, 110, 60}, {290, -60, 310, 60}, {90, 50, 310, 70}, {90, -70, 310, -50}};
    mesh.setWayPoint(1, {0, 200});
    mesh.setWayPoint(2, {400, 200});
    EXPECT_EQ(find({-200, 0}, {200, 0}), std::nullopt);

    walls = {{-10, -100, 10, 100}};
    for (uint32_t wall = 0; wall < 4; ++wall)
        mesh.obstacleChanged(wall);
    EXPECT_TRUE(find({-200, 0}, {200, 0}).has_value());
    EXPECT_EQ(find({-200, 0}, {200, 0}, false), std::nullopt);
}

TEST_F(PathMeshTest, LinksAreFoundOnceUntilTheObstaclesChange)
{
    walls.push_back({-10, -100, 10, 100});
    for (uint32_t i = 0; i < 20; ++i)
        mesh.setWayPoint(i, {static_cast<float>(i) * 10 - 100, 150});
    ASSERT_TRUE(find({-200, 0}, {200, 0}).has_value());
    const int first = sightTests;
    sightTests = 0;
    ASSERT_TRUE(find({-200, 0}, {200, 0}).has_value());
    EXPECT_LT(sightTests, first - 150); // the 190 links between way points are not tested again

    // A new wall over the way points is seen once the caller says so.
    walls.push_back({-1000, 140, 1000, 160});
    mesh.obstacleChanged(1);
    EXPECT_EQ(find({-200, 0}, {200, 0}), std::nullopt);
}

TEST_F(PathMeshTest, LinksKeptUpToDateFindTheWaysOfLinksFoundAnew)
{
    // Walls move, grow, fall, rise and come, one to three at a time, sometimes twice between
    // searches; every search finds the way that a mesh linking every pair anew finds.
    for (uint32_t seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        std::minstd_rand random(seed);
        auto draw = [&](float low, float high) {
            return low + (high - low) * static_cast<float>(random() % 10001) / 10000;
        };
        auto someWall = [&] {
            const float x = draw(-450, 400);
            const float y = draw(-450, 400);
            return Wall{x, y, x + draw(5, 150), y + draw(5, 150)};
        };
        walls.clear();
        for (int wall = 0; wall < 10; ++wall)
            walls.push_back(someWall());
        mesh.clear();
        std::vector<PathPoint> wayPoints;
        for (uint32_t number = 0; number < 80; ++number) {
            wayPoints.push_back({draw(-500, 500), draw(-500, 500)});
            mesh.setWayPoint(number, wayPoints.back());
        }
        find({-600, -600}, {600, 600});

        int routed = 0;
        for (int round = 0; round < 40; ++round) {
            for (uint32_t change = random() % 3; change < 3; ++change) {
                uint32_t number = static_cast<uint32_t>(random() % walls.size());
                Wall& wall = walls[number];
                const float dx = draw(-60, 60);
                const float dy = draw(-60, 60);
                switch (random() % 5) {
                case 0:
                    wall = {wall.x1 + dx, wall.y1 + dy, wall.x2 + dx, wall.y2 + dy, wall.standing};
                    break;
                case 1:
                    wall.x2 = std::max(wall.x1 + 1, wall.x2 + dx);
                    wall.y2 = std::max(wall.y1 + 1, wall.y2 + dy);
                    break;
                case 2:
                    wall.standing = !wall.standing;
                    break;
                case 3:
                    wall = someWall();
                    break;
                default:
                    walls.push_back(someWall());
                    number = static_cast<uint32_t>(walls.size() - 1);
                }
                mesh.obstacleChanged(number);
            }
            if (round % 3 == 0)
                continue;
            PathMesh anew;
            for (uint32_t number = 0; number < wayPoints.size(); ++number)
                anew.setWayPoint(number, wayPoints[number]);
            for (int search = 0; search < 10; ++search) {
                const PathPoint start{draw(-500, 500), draw(-500, 500)};
                const PathPoint goal{draw(-500, 500), draw(-500, 500)};
                const std::optional<std::vector<PathPoint>> way = find(start, goal);
                ASSERT_EQ(way, anew.findPath(start, goal, true, *this, sight()));
                routed += !way || way->size() > 1;
            }
        }
        EXPECT_GT(routed, 100); // most searches went over the mesh or found none
    }
}
