#pragma once

#include "MeshLinks.h"
#include "PathPoint.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

// The way points that all bodies of a world share, joined where they see each other, and
// the search for the shortest way over them. What blocks a line is the caller's business:
// the links are brought up to date, lazily, after it says which obstacles changed.
class PathMesh {
public:
    // True when nothing blocks the straight line between the two points.
    using SightTest = std::function<bool(const PathPoint& from, const PathPoint& to)>;

    // Way point number `number` at a point; a number in use moves its way point.
    void setWayPoint(uint32_t number, const PathPoint& at);
    void clear();
    // The obstacle moved, turned, changed its shape or whether it blocks, came or went.
    void obstacleChanged(uint32_t obstacle) { links_.obstacleChanged(obstacle); }

    // The shortest way from start to goal (A* over the way points, only the straight line
    // when useMesh is false): the points after start, goal last; none when no way exists.
    // meshObstacles block the lines between way points (and are what their links keep);
    // endSees tests the lines from the start and to the goal.
    std::optional<std::vector<PathPoint>> findPath(const PathPoint& start, const PathPoint& goal, bool useMesh,
                                                   MeshObstacles& meshObstacles, const SightTest& endSees);

private:
    std::map<uint32_t, size_t> indexOfNumber_;
    std::vector<PathPoint> points_;
    MeshLinks links_;
};
