#include "plugins/world/PathMesh.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Wall {
    float x1, y1, x2, y2;
};

// Whether a segment crosses an axis-aligned rectangle (slab test).
bool crosses(const PathPoint& a, const PathPoint& b, const Wall& wall)
{
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

class PathMeshTest : public ::testing::Test {
protected:
    PathMesh::SightTest sight()
    {
        return [this](const PathPoint& a, const PathPoint& b) {
            ++sightTests;
            return std::none_of(walls.begin(), walls.end(), [&](const Wall& wall) { return crosses(a, b, wall); });
        };
    }
    std::optional<std::vector<PathPoint>> find(PathPoint start, PathPoint goal, bool useMesh = true)
    {
        return mesh.findPath(start, goal, useMesh, sight(), sight());
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
    mesh.invalidateLinks();
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
    mesh.invalidateLinks();
    EXPECT_EQ(find({-200, 0}, {200, 0}), std::nullopt);
}
