#pragma once

#include "PathPoint.h"

#include <bit>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

// What stands between way points, as the mesh's owner knows it: obstacles by number.
class MeshObstacles {
public:
    virtual ~MeshObstacles() = default;
    // An obstacle that blocks the straight line between two points; none when it is open.
    virtual std::optional<uint32_t> blockerOf(const PathPoint& from, const PathPoint& to) = 0;
    // Whether the obstacle, as it is now, blocks the line: as blockerOf finds it, for that one
    // obstacle.
    virtual bool blocks(uint32_t obstacle, const PathPoint& from, const PathPoint& to) = 0;
    // A box that no line the obstacle blocks passes by; none when it blocks nothing (gone,
    // switched off or no longer an obstacle).
    virtual std::optional<PathBox> boundsOf(uint32_t obstacle) = 0;
};

// Which way points see each other. A pair that does not is kept with the obstacle found in its
// way. Once obstacles change, a pair that its obstacle no longer blocks is tested again, and a
// link that a changed obstacle now crosses is tested against that obstacle: what a moved body
// can change costs what it reaches, not what the mesh holds, and the links come out as testing
// every pair would find them.
class MeshLinks {
public:
    // Every pair is tested again at the next update (the way points changed).
    void invalidate();
    // The obstacle moved, turned, changed its shape or whether it blocks, came or went.
    void obstacleChanged(uint32_t obstacle);
    // Brings the links of the way points up to date with the obstacles.
    void update(const std::vector<PathPoint>& points, MeshObstacles& obstacles);

    // Calls visit(other) for every way point from firstOther on that `point` sees, by
    // increasing number.
    template <typename Visit>
    void forEachLinkOf(uint32_t point, Visit visit, uint32_t firstOther = 0) const;

private:
    struct Pair {
        uint32_t a;
        uint32_t b;
    };
    struct ChangedObstacle {
        uint32_t number;
        PathBox bounds;
    };

    void linkAll(const std::vector<PathPoint>& points, MeshObstacles& obstacles);
    void relinkAroundChanges(const std::vector<PathPoint>& points, MeshObstacles& obstacles);
    // Keeps the links that none of the obstacles blocks now.
    void cutLinksBlockedBy(const std::vector<ChangedObstacle>& changed, const std::vector<PathPoint>& points,
                           MeshObstacles& obstacles);
    // Links the pair, or keeps it with an obstacle in its way.
    void test(Pair pair, const std::vector<PathPoint>& points, MeshObstacles& obstacles);
    void keepBlocked(Pair pair, uint32_t obstacle);
    void setLinked(Pair pair, bool linked);

    // A row of bits for every way point: bit b of row a is set when a and b see each other.
    std::vector<uint64_t> rows_;
    size_t wordsPerRow_ = 0;
    // For every way point, a box around it and every way point it has been linked to since
    // every pair was tested: no link of it leaves the box.
    std::vector<PathBox> reach_;
    std::map<uint32_t, std::vector<Pair>> blockedBy_;
    std::set<uint32_t> changed_;
    bool linked_ = false;
};

template <typename Visit>
void MeshLinks::forEachLinkOf(uint32_t point, Visit visit, uint32_t firstOther) const
{
    const uint64_t* row = rows_.data() + size_t{point} * wordsPerRow_;
    for (size_t word = firstOther / 64; word < wordsPerRow_; ++word) {
        uint64_t bits = row[word];
        if (word == firstOther / 64)
            bits &= ~uint64_t{0} << firstOther % 64;
        for (; bits != 0; bits &= bits - 1)
            visit(static_cast<uint32_t>(word * 64 + static_cast<size_t>(std::countr_zero(bits))));
    }
}
