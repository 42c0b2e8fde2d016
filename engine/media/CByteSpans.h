#pragma once

#include <cstdint>
#include <map>

// The parts of a buffer filled so far, whatever the order and overlap of the pieces: a piece
// that comes twice, or covers bytes already in, counts only for what it adds.
class CByteSpans {
public:
    // Marks bytes offset to offset + n - 1 filled; the number of them that were not before.
    int64_t add(int64_t offset, int64_t n);

private:
    // Disjoint, non-touching spans: first byte -> one past the last.
    std::map<int64_t, int64_t> spans_;
};
