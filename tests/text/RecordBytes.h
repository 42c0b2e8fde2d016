#pragma once

#include <cstdint>
#include <string>

// Bytes of compiled records written by hand: a 32-bit little-endian number, and a text as its
// length followed by its bytes.
inline std::string i32(int32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i) & 0xFF);
    return bytes;
}

inline std::string text(const std::string& value)
{
    return i32(static_cast<int32_t>(value.size())) + value;
}
