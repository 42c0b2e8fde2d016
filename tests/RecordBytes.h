#pragma once

#include <cstdint>
#include <string>

// The archive's encodings of compiled records, written out by hand: a 32-bit little-endian
// integer, a bool byte, a text as its 32-bit length and its bytes.
namespace RecordBytes {

inline std::string i32(int32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i) & 0xFF);
    return bytes;
}

inline std::string flag(bool value)
{
    return std::string(1, value ? '\1' : '\0');
}

inline std::string text(const std::string& value)
{
    return i32(static_cast<int32_t>(value.size())) + value;
}

// The record of a script object without bindings.
inline std::string objectRecord(const std::string& name)
{
    return text(name) + i32(0);
}

} // namespace RecordBytes
