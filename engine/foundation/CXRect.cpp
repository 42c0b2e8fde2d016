#include "foundation/CXRect.h"

#include "foundation/CXArray.h"

#include <algorithm>
#include <array>

CXRect::CXRect(const CXRect* r)
{
    if (r != nullptr)
        *this = *r;
}

bool CXRect::IsPartOf(const CXRect& o) const
{
    return o.left <= left && o.top <= top && right <= o.right && bottom <= o.bottom;
}

CXRect& CXRect::operator+=(const CXPoint& p)
{
    left += p.x;
    right += p.x;
    top += p.y;
    bottom += p.y;
    return *this;
}

CXRect& CXRect::Explode(int dx, int dy)
{
    left -= dx;
    right += dx;
    top -= dy;
    bottom += dy;
    return *this;
}

CXRect& CXRect::Sum(const CXRect& o)
{
    left = std::min(left, o.left);
    top = std::min(top, o.top);
    right = std::max(right, o.right);
    bottom = std::max(bottom, o.bottom);
    return *this;
}

CXRect CXRect::Common(const CXRect& o) const
{
    const CXRect common(std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                        std::min(bottom, o.bottom));
    if (common.left > common.right || common.top > common.bottom)
        return CXRect();
    return common;
}

CXPoint CXRect::CenterPoint() const
{
    return {Width() / 2 + left, Height() / 2 + top};
}

void CXRect::addRect(CXArray* list, int left, int top, int right, int bottom)
{
    if (top < bottom && left < right)
        list->add(new CXRect(left, top, right, bottom));
}

namespace {
// The edges a piece of a rectangle difference is cut along: this rectangle's (T)
// or the subtracted one's (O), in the order left, top, right, bottom.
enum Edge : uint8_t { TL, TT, TR, TB, OL, OT, OR, OB };

struct Piece {
    Edge left, top, right, bottom;
};

struct Pieces {
    int count;
    std::array<Piece, 4> piece;
};

// Where O lies along one axis of T: over all of it, over its start (left or top),
// over its end (right or bottom), or strictly inside.
enum Span { Whole, Start, End, Inside };

Span spanOf(int oStart, int oEnd, int tStart, int tEnd)
{
    if (oStart > tStart)
        return oEnd < tEnd ? Inside : End;
    return oEnd < tEnd ? Start : Whole;
}

// The uncovered pieces of T by how O lies horizontally, then vertically.
constexpr Pieces kPieces[4][4] = {
    {
        {0, {}},
        {1, {{{TL, OB, TR, TB}}}},
        {1, {{{TL, TT, TR, OT}}}},
        {2, {{{TL, TT, TR, OT}, {TL, OB, TR, TB}}}},
    },
    {
        {1, {{{OR, TT, TR, TB}}}},
        {2, {{{TL, OB, TR, TB}, {OR, TT, TR, OB}}}},
        {2, {{{TL, TT, TR, OT}, {OR, OT, TR, TB}}}},
        {3, {{{TL, TT, TR, OT}, {OR, OT, TR, OB}, {TL, OB, TR, TB}}}},
    },
    {
        {1, {{{TL, TT, OL, TB}}}},
        {2, {{{TL, TT, OL, TB}, {OL, OB, TR, TB}}}},
        {2, {{{TL, TT, OL, TB}, {OL, TT, TR, OT}}}},
        {3, {{{TL, TT, TR, OT}, {TL, OT, OL, OB}, {TL, OB, TR, TB}}}},
    },
    {
        {2, {{{TL, TT, OL, TB}, {OR, TT, TR, TB}}}},
        {3, {{{TL, TT, OL, TB}, {OL, OB, OR, TB}, {OR, TT, TR, TB}}}},
        {3, {{{TL, TT, OL, TB}, {OL, TT, OR, OT}, {OR, TT, TR, TB}}}},
        {4, {{{TL, TT, OL, TB}, {OL, TT, TR, OT}, {OL, OB, TR, TB}, {OR, OT, TR, OB}}}},
    },
};
} // namespace

CXArray* CXRect::sub(const CXRect& o) const
{
    auto* pieces = new CXArray(5, 0.75f);
    const CXRect common = Common(o);
    if (common.Width() == 0 || common.Height() == 0)
        return pieces;
    const int edges[] = {left, top, right, bottom, o.left, o.top, o.right, o.bottom};
    const Pieces& uncovered =
        kPieces[spanOf(o.left, o.right, left, right)][spanOf(o.top, o.bottom, top, bottom)];
    for (int i = 0; i < uncovered.count; ++i) {
        const Piece& p = uncovered.piece[i];
        addRect(pieces, edges[p.left], edges[p.top], edges[p.right], edges[p.bottom]);
    }
    return pieces;
}
