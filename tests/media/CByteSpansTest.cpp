#include "media/CByteSpans.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// Each step adds a piece (offset, length) and expects the count of bytes it newly filled.
TEST(CByteSpans, PiecesCountOnlyTheBytesTheyAdd)
{
    struct Step {
        int64_t offset;
        int64_t n;
        int64_t fresh;
    };
    const std::vector<std::pair<const char*, std::vector<Step>>> cases = {
        {"in order", {{0, 10, 10}, {10, 10, 10}, {20, 5, 5}}},
        {"backwards", {{20, 5, 5}, {10, 10, 10}, {0, 10, 10}}},
        {"twice", {{0, 10, 10}, {0, 10, 0}, {2, 3, 0}}},
        {"overlapping", {{0, 10, 10}, {5, 10, 5}, {12, 8, 5}}},
        {"bridging gaps", {{0, 5, 5}, {10, 5, 5}, {20, 5, 5}, {3, 20, 10}, {0, 25, 0}}},
        {"empty", {{4, 0, 0}, {4, -3, 0}, {0, 4, 4}}},
    };
    for (const auto& [name, steps] : cases) {
        CByteSpans spans;
        for (size_t i = 0; i < steps.size(); ++i)
            EXPECT_EQ(spans.add(steps[i].offset, steps[i].n), steps[i].fresh) << name << ", step " << i;
    }
}
