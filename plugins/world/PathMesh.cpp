#include "PathMesh.h"

#include <algorithm>
#include <limits>
#include <queue>

void PathMesh::setWayPoint(uint32_t number, const PathPoint& at)
{
    const auto [slot, added] = indexOfNumber_.try_emplace(number, points_.size());
    if (added)
        points_.push_back(at);
    else
        points_[slot->second] = at;
    links_.invalidate();
}

void PathMesh::clear()
{
    indexOfNumber_.clear();
    points_.clear();
    links_.invalidate();
}

std::optional<std::vector<PathPoint>> PathMesh::findPath(const PathPoint& start, const PathPoint& goal, bool useMesh,
                                                        MeshObstacles& meshObstacles, const SightTest& endSees)
{
    // A straight line is the shortest way whenever it is open.
    if (endSees(start, goal))
        return std::vector<PathPoint>{goal};
    if (!useMesh || points_.empty())
        return std::nullopt;
    links_.update(points_, meshObstacles);

    // Nodes: the way points, then the start, then the goal.
    const uint32_t count = static_cast<uint32_t>(points_.size());
    const uint32_t startNode = count;
    const uint32_t goalNode = count + 1;
    auto pointOf = [&](uint32_t node) { return node == startNode ? start : node == goalNode ? goal : points_[node]; };

    constexpr float unreached = std::numeric_limits<float>::infinity();
    std::vector<float> cost(count + 2, unreached);
    std::vector<uint32_t> previous(count + 2, startNode);
    std::vector<bool> done(count + 2, false);
    using Entry = std::pair<float, uint32_t>; // estimated whole length, node
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;

    auto reach = [&](uint32_t from, uint32_t to, float length) {
        const float reached = cost[from] + length;
        if (done[to] || reached >= cost[to])
            return;
        cost[to] = reached;
        previous[to] = from;
        open.push({reached + distanceBetween(pointOf(to), goal), to});
    };

    cost[startNode] = 0;
    open.push({distanceBetween(start, goal), startNode});
    while (!open.empty()) {
        const uint32_t node = open.top().second;
        open.pop();
        if (done[node])
            continue;
        done[node] = true;
        if (node == goalNode)
            break;
        if (node == startNode) {
            for (uint32_t wayPoint = 0; wayPoint < count; ++wayPoint) {
                if (endSees(start, points_[wayPoint]))
                    reach(node, wayPoint, distanceBetween(start, points_[wayPoint]));
            }
            continue;
        }
        // The links keep no lengths, as they change while obstacles move: a length is worked
        // out where it may count, towards a way point not done yet.
        links_.forEachLinkOf(node, [&](uint32_t to) {
            if (!done[to])
                reach(node, to, distanceBetween(points_[node], points_[to]));
        });
        if (endSees(points_[node], goal))
            reach(node, goalNode, distanceBetween(points_[node], goal));
    }
    if (!done[goalNode])
        return std::nullopt;

    std::vector<PathPoint> path;
    for (uint32_t node = goalNode; node != startNode; node = previous[node])
        path.push_back(pointOf(node));
    std::reverse(path.begin(), path.end());
    return path;
}
