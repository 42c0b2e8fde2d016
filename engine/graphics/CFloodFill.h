#pragma once

#include "foundation/CXPoint.h"

#include <cstdint>
#include <vector>

struct _floodfill;

// The scan-line search of a flood fill over 2-byte planes. A pixel may be filled when its map
// pixel is not 0 and its target pixel is not yet the fill colour; each span found is recorded
// and painted into the target, which thereby marks it as done. The search keeps its own stack,
// so no shape can exhaust the call stack.
class CFloodFill {
public:
    CFloodFill(const uint16_t* map, uint16_t* target, int width, int height, uint16_t colour);

    // Records the spans reached from start into spans, in the order of a depth-first search
    // (at most width × height of them), and returns their count.
    int run(CXPoint start, _floodfill* spans);

private:
    // A search from (x, y) going in direction dir, started from the parent span
    // [parentLeft, parentRight]; next is where its scan of a neighbouring row goes on.
    struct Search {
        int x, y, dir, parentLeft, parentRight;
        int left = 0, right = 0;
        bool returning = false;
        int next = 0;
    };

    bool fillable(int x, int y) const;
    // The first column from x to right in row y that may be filled, skipping the columns
    // from skipFrom to skipTo − 1; -1 when there is none.
    int findFillable(int y, int x, int right, int skipFrom, int skipTo) const;
    void paintSpan(Search& search, _floodfill* spans, int& count);

    const uint16_t* map_;
    uint16_t* target_;
    int width_;
    int height_;
    uint16_t colour_;
};
