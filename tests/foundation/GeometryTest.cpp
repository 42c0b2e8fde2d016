#include "foundation/CXArray.h"
#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"
#include "foundation/CXSize.h"
#include "graphics/CGraphicsObject.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

static std::ostream& operator<<(std::ostream& out, const CXRect& r)
{
    return out << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

namespace {
// Takes the pieces out of a difference and frees what sub handed over.
std::vector<CXRect> takePieces(CXArray* pieces)
{
    std::vector<CXRect> result;
    for (int i = 0; i < pieces->getCount(); ++i) {
        auto* piece = static_cast<CXRect*>(pieces->at(i));
        result.push_back(*piece);
        delete piece;
    }
    delete pieces;
    return result;
}

int area(const CXRect& r)
{
    return r.Width() * r.Height();
}

class Sized : public CGraphicsObject {
public:
    Sized(int width, int height)
        : CGraphicsObject(nullptr)
        , width_(width)
        , height_(height)
    {
    }
    int Width() override { return width_; }
    int Height() override { return height_; }

private:
    int width_;
    int height_;
};
} // namespace

TEST(CXRect, RightAndBottomEdgesAreExclusive)
{
    const CXRect r(0, 0, 10, 10);
    EXPECT_TRUE(r.IsInRect(0, 0));
    EXPECT_TRUE(r.IsInRect(CXPoint(9, 9)));
    EXPECT_FALSE(r.IsInRect(10, 5));
    EXPECT_FALSE(r.IsInRect(5, 10));
    EXPECT_EQ(r.Width(), 10);
    EXPECT_EQ(r.Height(), 10);

    EXPECT_TRUE(CXRect(5, 5, 5, 9).IsEmpty());
    EXPECT_FALSE(CXRect(5, 5, 4, 9).IsEmpty());
    EXPECT_TRUE(CXRect().IsEmpty());
    EXPECT_TRUE(CXRect(2, 2, 5, 5).IsPartOf(r));
    EXPECT_TRUE(r.isInside(r));
    EXPECT_FALSE(CXRect(-1, 2, 5, 5).IsPartOf(r));

    EXPECT_EQ(CXRect(static_cast<const CXRect*>(nullptr)), CXRect());
    EXPECT_EQ(CXRect(&r), r);
    EXPECT_EQ(CXRect(CXPoint(1, 2), CXPoint(3, 4)), CXRect(1, 2, 3, 4));
}

TEST(CXRect, CommonAndSum)
{
    struct Case {
        CXRect a, b, common;
    };
    const Case cases[] = {
        {{0, 0, 10, 10}, {10, 0, 20, 10}, {10, 0, 10, 10}},
        {{0, 0, 10, 10}, {11, 0, 20, 10}, {}},
        {{0, 0, 10, 10}, {0, 11, 10, 20}, {}},
        {{0, 0, 10, 10}, {5, -5, 15, 5}, {5, 0, 10, 5}},
        {{0, 0, 10, 10}, {2, 2, 5, 5}, {2, 2, 5, 5}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.a.Common(c.b), c.common) << c.a << c.b;
        CXRect out(7);
        c.b.Common(c.a, &out);
        EXPECT_EQ(out, c.common) << c.a << c.b;
    }

    CXRect r(5, 5, 6, 6);
    EXPECT_EQ(r.Sum(CXRect()), CXRect(0, 0, 6, 6));
    EXPECT_EQ(CXRect(0, 0, 1, 1).Sum(CXRect(-3, 4, 2, 9)), CXRect(-3, 0, 2, 9));
}

TEST(CXRect, MovingGrowingAndCentring)
{
    CXRect r(10, 10, 20, 20);
    EXPECT_EQ(r.Explode(2), CXRect(8, 8, 22, 22));
    EXPECT_EQ(r.Explode(CXSize(1, 3)), CXRect(7, 5, 23, 25));
    EXPECT_EQ(r + CXPoint(1, 2), CXRect(8, 7, 24, 27));
    EXPECT_EQ(r - CXPoint(1, 2), CXRect(6, 3, 22, 23));

    EXPECT_EQ(CXRect(0, 0, 5, 5).CenterPoint(), CXPoint(2, 2));
    EXPECT_EQ(CXRect(-5, -5, 0, 0).CenterPoint(), CXPoint(-3, -3));
    EXPECT_EQ(r.RightBottom(), CXPoint(23, 25));
    EXPECT_EQ(r.TopLeft(), CXPoint(7, 5));

    Sized small(30, 20), large(110, 61);
    EXPECT_EQ(CXRect(0, 0, 100, 50).GetCenteredPosition(&small), CXPoint(35, 15));
    EXPECT_EQ(CXRect(0, 0, 100, 50).GetCenteredPosition(&large), CXPoint(-5, -5));

    EXPECT_EQ(CXPoint(3) + CXPoint(1, 2) - 1, CXPoint(3, 4));
    EXPECT_EQ(CXSize(-3, 4).AbsSum(), 7);
    EXPECT_EQ(CXSize(-3, 4).Sum(), 1);
    EXPECT_EQ(CXSize(3).mul(), 9);
}

TEST(CXRect, AddRectSkipsPiecesWithoutArea)
{
    CXArray list;
    CXRect::addRect(&list, 5, 0, 5, 10);
    CXRect::addRect(&list, 0, 5, 10, 5);
    CXRect::addRect(&list, 6, 0, 5, 10);
    EXPECT_EQ(list.getCount(), 0);
    CXRect::addRect(&list, 0, 0, 1, 1);
    ASSERT_EQ(list.getCount(), 1);
    delete static_cast<CXRect*>(list.at(0));
}

// T is (0, 0, 10, 10). Along each axis O covers T whole (-5 to 15), its start (-5 to 4),
// its end (6 to 15) or lies inside (3 to 7); rows go horizontally, then vertically.
TEST(CXRect, SubCutsTheUncoveredPiecesInTheirOrder)
{
    struct Case {
        CXRect o;
        std::vector<CXRect> pieces;
    };
    const CXRect t(0, 0, 10, 10);
    const std::vector<Case> cases = {
        {{-5, -5, 15, 15}, {}},
        {{-5, -5, 15, 4}, {{0, 4, 10, 10}}},
        {{-5, 6, 15, 15}, {{0, 0, 10, 6}}},
        {{-5, 3, 15, 7}, {{0, 0, 10, 3}, {0, 7, 10, 10}}},
        {{-5, -5, 4, 15}, {{4, 0, 10, 10}}},
        {{-5, -5, 4, 4}, {{0, 4, 10, 10}, {4, 0, 10, 4}}},
        {{-5, 6, 4, 15}, {{0, 0, 10, 6}, {4, 6, 10, 10}}},
        {{-5, 3, 4, 7}, {{0, 0, 10, 3}, {4, 3, 10, 7}, {0, 7, 10, 10}}},
        {{6, -5, 15, 15}, {{0, 0, 6, 10}}},
        {{6, -5, 15, 4}, {{0, 0, 6, 10}, {6, 4, 10, 10}}},
        {{6, 6, 15, 15}, {{0, 0, 6, 10}, {6, 0, 10, 6}}},
        {{6, 3, 15, 7}, {{0, 0, 10, 3}, {0, 3, 6, 7}, {0, 7, 10, 10}}},
        {{3, -5, 7, 15}, {{0, 0, 3, 10}, {7, 0, 10, 10}}},
        {{3, -5, 7, 4}, {{0, 0, 3, 10}, {3, 4, 7, 10}, {7, 0, 10, 10}}},
        {{3, 6, 7, 15}, {{0, 0, 3, 10}, {3, 0, 7, 6}, {7, 0, 10, 10}}},
        {{3, 3, 7, 7}, {{0, 0, 3, 10}, {3, 0, 10, 3}, {3, 7, 10, 10}, {7, 3, 10, 7}}},
        {{2, 2, 5, 5}, {{0, 0, 2, 10}, {2, 0, 10, 2}, {2, 5, 10, 10}, {5, 2, 10, 5}}},
        {{5, -5, 15, 15}, {{0, 0, 5, 10}}},
        {{20, 20, 30, 30}, {}},
        {{10, 0, 20, 10}, {}},
        {{-1, -1, 11, 11}, {}},
        {{0, 0, 10, 10}, {}},
        {{0, 0, 10, 5}, {{0, 5, 10, 10}}},
    };
    for (const Case& c : cases) {
        const std::vector<CXRect> pieces = takePieces(t.sub(c.o));
        EXPECT_EQ(pieces, c.pieces) << c.o;

        const CXRect covered = t.Common(c.o);
        int total = area(covered);
        for (size_t i = 0; i < pieces.size(); ++i) {
            total += area(pieces[i]);
            EXPECT_TRUE(pieces[i].IsPartOf(t)) << c.o << pieces[i];
            EXPECT_EQ(area(pieces[i].Common(c.o)), 0) << c.o << pieces[i];
            for (size_t j = i + 1; j < pieces.size(); ++j)
                EXPECT_EQ(area(pieces[i].Common(pieces[j])), 0) << c.o << pieces[i] << pieces[j];
        }
        if (area(covered) > 0) {
            EXPECT_EQ(total, area(t)) << c.o;
        }
    }
}
