#include "foundation/CCompression.h"

CCompression::CCompression(char* data, int size)
    : size_(size)
    , data_(data)
{
}

void CCompression::setData(char* data)
{
    data_ = data;
}

int CCompression::GetSize()
{
    return size_;
}

uint32_t CCompression::readU32(const char* bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16
        | static_cast<uint32_t>(b[3]) << 24;
}

void CCompression::writeU32(char* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>(value >> (8 * i));
}
