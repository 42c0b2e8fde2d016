#include "MeshLinks.h"

#include <algorithm>
#include <utility>

namespace {

// Whether the segment from a to b meets the box (the slab test).
bool crosses(const PathPoint& a, const PathPoint& b, const PathBox& box)
{
    if (std::max(a.x, b.x) < box.low.x || std::min(a.x, b.x) > box.high.x || std::max(a.y, b.y) < box.low.y ||
        std::min(a.y, b.y) > box.high.y)
        return false;
    float enter = 0;
    float leave = 1;
    auto clip = [&](float start, float delta, float low, float high) {
        if (delta == 0)
            return true; // within the slab, as the test above found
        float t1 = (low - start) / delta;
        float t2 = (high - start) / delta;
        if (t1 > t2)
            std::swap(t1, t2);
        enter = std::max(enter, t1);
        leave = std::min(leave, t2);
        return enter <= leave;
    };
    return clip(a.x, b.x - a.x, box.low.x, box.high.x) && clip(a.y, b.y - a.y, box.low.y, box.high.y);
}

bool overlap(const PathBox& one, const PathBox& other)
{
    return one.low.x <= other.high.x && other.low.x <= one.high.x && one.low.y <= other.high.y &&
           other.low.y <= one.high.y;
}

void widen(PathBox& box, const PathPoint& point)
{
    box.low = {std::min(box.low.x, point.x), std::min(box.low.y, point.y)};
    box.high = {std::max(box.high.x, point.x), std::max(box.high.y, point.y)};
}

} // namespace

void MeshLinks::invalidate()
{
    linked_ = false;
    rows_.clear();
    reach_.clear();
    blockedBy_.clear();
    changed_.clear();
}

void MeshLinks::obstacleChanged(uint32_t obstacle)
{
    if (linked_)
        changed_.insert(obstacle);
}

void MeshLinks::update(const std::vector<PathPoint>& points, MeshObstacles& obstacles)
{
    if (!linked_)
        linkAll(points, obstacles);
    else if (!changed_.empty())
        relinkAroundChanges(points, obstacles);
}

void MeshLinks::linkAll(const std::vector<PathPoint>& points, MeshObstacles& obstacles)
{
    const auto count = static_cast<uint32_t>(points.size());
    wordsPerRow_ = (count + 63) / 64;
    rows_.assign(count * wordsPerRow_, 0);
    reach_.clear();
    for (const PathPoint& point : points)
        reach_.push_back({point, point});
    blockedBy_.clear();
    changed_.clear();
    for (uint32_t a = 0; a < count; ++a) {
        for (uint32_t b = a + 1; b < count; ++b)
            test({a, b}, points, obstacles);
    }
    linked_ = true;
}

void MeshLinks::relinkAroundChanges(const std::vector<PathPoint>& points, MeshObstacles& obstacles)
{
    // Every pair that an unchanged obstacle blocked stays blocked, and every link stays open
    // that no changed obstacle blocks now.
    std::vector<Pair> freed;
    std::vector<ChangedObstacle> changed;
    for (uint32_t obstacle : changed_) {
        if (auto blocked = blockedBy_.find(obstacle); blocked != blockedBy_.end()) {
            std::vector<Pair>& pairs = blocked->second;
            const auto stillBlocked = std::partition(pairs.begin(), pairs.end(), [&](Pair pair) {
                return obstacles.blocks(obstacle, points[pair.a], points[pair.b]);
            });
            freed.insert(freed.end(), stillBlocked, pairs.end());
            pairs.erase(stillBlocked, pairs.end());
            if (pairs.empty())
                blockedBy_.erase(blocked);
        }
        if (std::optional<PathBox> bounds = obstacles.boundsOf(obstacle))
            changed.push_back({obstacle, *bounds});
    }
    changed_.clear();
    cutLinksBlockedBy(changed, points, obstacles);
    for (Pair pair : freed)
        test(pair, points, obstacles);
}

void MeshLinks::cutLinksBlockedBy(const std::vector<ChangedObstacle>& changed, const std::vector<PathPoint>& points,
                                  MeshObstacles& obstacles)
{
    if (changed.empty())
        return;
    const auto count = static_cast<uint32_t>(points.size());
    for (uint32_t a = 0; a < count; ++a) {
        const bool reached = std::any_of(changed.begin(), changed.end(), [&](const ChangedObstacle& obstacle) {
            return overlap(reach_[a], obstacle.bounds);
        });
        if (!reached)
            continue;
        auto testLink = [&](uint32_t b) {
            for (const ChangedObstacle& obstacle : changed) {
                if (crosses(points[a], points[b], obstacle.bounds) &&
                    obstacles.blocks(obstacle.number, points[a], points[b])) {
                    setLinked({a, b}, false);
                    keepBlocked({a, b}, obstacle.number);
                    return;
                }
            }
        };
        forEachLinkOf(a, testLink, a + 1);
    }
}

void MeshLinks::test(Pair pair, const std::vector<PathPoint>& points, MeshObstacles& obstacles)
{
    const std::optional<uint32_t> blocker = obstacles.blockerOf(points[pair.a], points[pair.b]);
    setLinked(pair, !blocker);
    if (blocker) {
        keepBlocked(pair, *blocker);
        return;
    }
    widen(reach_[pair.a], points[pair.b]);
    widen(reach_[pair.b], points[pair.a]);
}

void MeshLinks::keepBlocked(Pair pair, uint32_t obstacle)
{
    blockedBy_[obstacle].push_back(pair);
}

void MeshLinks::setLinked(Pair pair, bool linked)
{
    auto setBit = [&](uint32_t row, uint32_t column) {
        uint64_t& word = rows_[row * wordsPerRow_ + column / 64];
        const uint64_t bit = uint64_t{1} << column % 64;
        word = linked ? word | bit : word & ~bit;
    };
    setBit(pair.a, pair.b);
    setBit(pair.b, pair.a);
}
