#include "graphics/CPattern.h"

#include "RasterMaker.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// A grid of 4 × 3 cells of 10 × 10 pixels in two layers, at (100, 50), drawing into a frame.
class Grid : public ::testing::Test {
protected:
    Grid()
    {
        pattern.SetPosition(100, 50);
        pattern.SetDestiny(frame.get());
    }

    // A tile of one word, its alpha plane of one byte.
    CGraphicsObject* tile(uint16_t word, uint8_t alpha = 255, int side = 5)
    {
        const size_t count = static_cast<size_t>(side) * side;
        tiles.push_back(makeRaster(side, side, 16, std::vector<uint16_t>(count, word), std::vector<uint8_t>(count, alpha)));
        return tiles.back().get();
    }
    uint16_t at(int x, int y) { return wordsOf(*frame)[static_cast<size_t>(y) * 200 + x]; }

    std::unique_ptr<CGraphicsObject> frame = makeFilled(200, 100, 16, 0);
    CPattern pattern{nullptr, CXSize(45, 30), CXSize(10, 10), 2};
    std::vector<std::unique_ptr<CGraphicsObject>> tiles;
};

} // namespace

TEST_F(Grid, CellsOutsideTheGridHoldNothing)
{
    EXPECT_EQ(pattern.getColumns(), 4);
    EXPECT_EQ(pattern.getRows(), 3);
    CGraphicsObject* object = tile(1);
    for (auto [column, row, layer] : {std::tuple{4, 0, 0}, {0, 3, 0}, {0, 0, 2}, {-1, 0, 0}, {0, 0, -1}})
        EXPECT_FALSE(pattern.add("A", column, row, layer, object, 0, "")) << column << " " << row << " " << layer;
    EXPECT_FALSE(pattern.add("A", 0, 0, 0, &pattern, 0, ""));
    EXPECT_FALSE(pattern.contains(object));
    CPattern empty(nullptr, CXSize(45, 30), CXSize(0, 10), 1);
    EXPECT_FALSE(empty.add("A", 0, 0, 0, object, 0, ""));
}

TEST_F(Grid, HigherLayersDrawOverLowerOnesAndPlacedObjectsGoBack)
{
    CGraphicsObject* low = tile(0x1111);
    CGraphicsObject* high = tile(0x2222);
    low->SetPosition(7, 7);
    pattern.add("LOW", 1, 1, 0, low, 0, "");
    pattern.add("HIGH", 1, 1, 1, high, 0, "");
    pattern.add("AGAIN", 3, 2, 0, low, 0, "");
    pattern.Redraw();
    EXPECT_EQ(at(110, 60), 0x2222);
    EXPECT_EQ(at(130, 70), 0x1111);
    EXPECT_EQ(at(109, 60), 0);
    EXPECT_EQ(low->GetPosition(), CXPoint(7, 7));
    EXPECT_EQ(low->GetDestiny(), nullptr);

    // A smaller cell draws the same cells closer together.
    pattern.setGrid(CXSize(5, 5));
    pattern.Redraw();
    EXPECT_EQ(at(115, 60), 0x1111);
    EXPECT_EQ(pattern.getColumns(), 4);
}

TEST_F(Grid, LockedMovedAndSwitchedCells)
{
    CGraphicsObject* a = tile(1);
    auto* b = new CGraphicsObject(nullptr, CXSize(5, 5), 16);
    pattern.add("A", 0, 0, 0, a, 0, "");
    pattern.add("B", 0, 2, 0, b, 0, "");
    pattern.lock(0, 0, true);
    EXPECT_EQ(pattern.getEntryAt(101, 51, 0, false, true), nullptr);
    pattern.lock(0, 0, false);
    EXPECT_EQ(pattern.getEntryAt(101, 51, 0, false, true)->object, a);

    // Nothing for a delta of 0 or a target outside the grid; onto an occupied cell the
    // occupant's object goes.
    pattern.moveDown(0, 0, 0);
    pattern.moveDown(0, 0, 5);
    EXPECT_EQ(pattern.get(0, 0, 0)->object, a);
    pattern.moveDown(0, 0, 2);
    EXPECT_EQ(pattern.get(0, 0, 0), nullptr);
    EXPECT_EQ(pattern.get(0, 2, 0)->object, a);
    EXPECT_TRUE(pattern.get(0, 2, 0)->locked);
    EXPECT_FALSE(pattern.contains(b));

    pattern._switch(0, 2, 3, 1);
    EXPECT_EQ(pattern.get(3, 1, 0)->object, a);
    EXPECT_EQ(pattern.get(3, 1, 0)->column, 3);
    EXPECT_EQ(pattern.get(0, 2, 0), nullptr);
}

TEST_F(Grid, ObjectsDestroyedElsewhereLeaveTheGridAndChangesMarkTheirCells)
{
    auto placed = makeFilled(5, 5, 16, 3);
    pattern.add("A", 1, 0, 0, placed.get(), 0, "");
    pattern.add("B", 2, 0, 1, placed.get(), 0, "");
    placed.reset();
    EXPECT_EQ(pattern.get(1, 0, 0), nullptr);
    EXPECT_EQ(pattern.get(2, 0, 1), nullptr);
    EXPECT_EQ(pattern.getAliasEntry("B"), nullptr);

    // The placed object's change reaches the observers of the pattern at its cells.
    struct Watch : CInvalidateObserver {
        void onInvalidate(CGraphicsObject*, CXRect* r) override { areas.push_back(*r); }
        void onDestroy(CGraphicsObject*) override {}
        std::vector<CXRect> areas;
    } watch;
    pattern.addInvalidateObserver(&watch);
    CGraphicsObject* changed = tile(4);
    pattern.add("C", 2, 1, 0, changed, 0, "");
    changed->Invalidate();
    ASSERT_EQ(watch.areas.size(), 1U);
    EXPECT_EQ(watch.areas[0], CXRect(120, 60, 125, 65));
    pattern.removeInvalidateObserver(&watch);
}
