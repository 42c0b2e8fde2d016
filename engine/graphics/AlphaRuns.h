#pragma once

#include <cstdint>
#include <cstring>

// Rows of alpha bytes walked in groups of eight: what is wholly transparent, wholly opaque or
// mixed is handled a run at a time.
namespace AlphaRuns {

inline uint64_t eightBytes(const uint8_t* p)
{
    uint64_t group;
    std::memcpy(&group, p, sizeof group);
    return group;
}

inline bool isMixed(uint64_t group)
{
    return group != 0 && group != ~uint64_t{0};
}

// Walks a row of alpha bytes eight at a time: runs of transparent groups are skipped, runs of
// opaque groups go to opaque(from, count), runs of other groups and the last few bytes to
// mixed(from, count).
template <typename Opaque, typename Mixed>
inline void walkAlpha(const uint8_t* alpha, int width, Opaque opaque, Mixed mixed)
{
    int i = 0;
    while (i + 8 <= width) {
        const int start = i;
        const uint64_t group = eightBytes(alpha + i);
        if (group == 0) {
            do
                i += 8;
            while (i + 8 <= width && eightBytes(alpha + i) == 0);
        } else if (group == ~uint64_t{0}) {
            do
                i += 8;
            while (i + 8 <= width && eightBytes(alpha + i) == ~uint64_t{0});
            opaque(start, i - start);
        } else {
            do
                i += 8;
            while (i + 8 <= width && isMixed(eightBytes(alpha + i)));
            mixed(start, i - start);
        }
    }
    if (i < width)
        mixed(i, width - i);
}

} // namespace AlphaRuns
