#include "media/CByteSpans.h"

#include <algorithm>
#include <iterator>

int64_t CByteSpans::add(int64_t offset, int64_t n)
{
    if (n <= 0)
        return 0;
    const int64_t end = offset + n;
    int64_t mergedStart = offset;
    int64_t mergedEnd = end;
    int64_t already = 0;
    auto span = spans_.upper_bound(offset);
    if (span != spans_.begin() && std::prev(span)->second >= offset)
        --span;
    while (span != spans_.end() && span->first <= end) {
        already += std::max<int64_t>(0, std::min(span->second, end) - std::max(span->first, offset));
        mergedStart = std::min(mergedStart, span->first);
        mergedEnd = std::max(mergedEnd, span->second);
        span = spans_.erase(span);
    }
    spans_.emplace(mergedStart, mergedEnd);
    return n - already;
}
