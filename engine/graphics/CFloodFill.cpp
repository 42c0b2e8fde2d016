#include "graphics/CFloodFill.h"

#include "graphics/CGraphicsObject.h"

#include <algorithm>

CFloodFill::CFloodFill(const uint16_t* map, uint16_t* target, int width, int height, uint16_t colour)
    : map_(map)
    , target_(target)
    , width_(width)
    , height_(height)
    , colour_(colour)
{
}

bool CFloodFill::fillable(int x, int y) const
{
    const size_t i = static_cast<size_t>(y) * width_ + x;
    return map_[i] != 0 && target_[i] != colour_;
}

int CFloodFill::findFillable(int y, int x, int right, int skipFrom, int skipTo) const
{
    if (y < 0 || y >= height_)
        return -1;
    for (; x <= right; ++x) {
        if (x >= skipFrom && x < skipTo) {
            x = skipTo - 1;
            continue;
        }
        if (fillable(x, y))
            return x;
    }
    return -1;
}

void CFloodFill::paintSpan(Search& search, _floodfill* spans, int& count)
{
    int left = search.x;
    while (left > 0 && fillable(left - 1, search.y))
        --left;
    int right = search.x;
    while (right < width_ - 1 && fillable(right + 1, search.y))
        ++right;
    spans[count++] = {static_cast<int16_t>(left), static_cast<int16_t>(search.y), static_cast<int16_t>(right - left + 1)};
    std::fill(target_ + static_cast<size_t>(search.y) * width_ + left, target_ + static_cast<size_t>(search.y) * width_ + right + 1,
              colour_);
    search.left = left;
    search.right = right;
    search.next = left;
}

int CFloodFill::run(CXPoint start, _floodfill* spans)
{
    if (start.x < 0 || start.x >= width_ || start.y < 0 || start.y >= height_ || !fillable(start.x, start.y))
        return 0;
    int count = 0;
    std::vector<Search> stack;
    stack.push_back({start.x, start.y, 1, start.x, start.x});
    paintSpan(stack.back(), spans, count);
    while (!stack.empty()) {
        Search& search = stack.back();
        // First every fillable column of the next row in the search's direction, then the
        // columns of the row behind it that the parent span did not cover, going back.
        int x = -1;
        if (!search.returning) {
            x = findFillable(search.y + search.dir, search.next, search.right, 0, 0);
            if (x < 0) {
                search.returning = true;
                search.next = search.left;
            }
        }
        if (search.returning)
            x = findFillable(search.y - search.dir, search.next, search.right, search.parentLeft, search.parentRight);
        if (x < 0) {
            stack.pop_back();
            continue;
        }
        search.next = x + 1;
        const int dir = search.returning ? -search.dir : search.dir;
        Search child{x, search.y + dir, dir, search.left, search.right};
        paintSpan(child, spans, count);
        stack.push_back(child);
    }
    return count;
}
