#pragma once

#include <cmath>
#include <cstdint>

// The one rule by which a double becomes a 32-bit integer everywhere in the engine:
// truncated toward zero, held at the ends of the range, NaN read as 0.
inline int32_t truncateToInt(double value)
{
    if (std::isnan(value))
        return 0;
    if (value >= static_cast<double>(INT32_MAX))
        return INT32_MAX;
    if (value <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    return static_cast<int32_t>(value);
}
