#include "media/CNetMessage.h"

#include <cstring>
#include <utility>

CNetMessage::CNetMessage(CXSocket* socket)
    : socket_(socket)
{
}

CNetMessage::CNetMessage(CXSocket* socket, int type)
    : socket_(socket)
{
    allocate(type, HEADER_SIZE);
}

CNetMessage::CNetMessage(CXSocket* socket, const char* raw)
    : type_(static_cast<int32_t>(loadUInt32(raw)))
    , length_(static_cast<int32_t>(loadUInt32(raw + 4)))
    , buffer_(raw, raw + length_)
    , socket_(socket)
{
}

CNetMessage::CNetMessage(CXSocket* socket, std::vector<char>&& frame)
    : type_(static_cast<int32_t>(loadUInt32(frame.data())))
    , length_(static_cast<int32_t>(frame.size()))
    , buffer_(std::move(frame))
    , socket_(socket)
{
}

CNetMessage::CNetMessage(const CXString& sender, const CNetMessage* raw)
    : type_(raw->type_)
    , length_(raw->length_)
    , buffer_(raw->buffer_)
    , socket_(raw->socket_)
    , sender_(sender)
{
}

uint32_t CNetMessage::loadUInt32(const char* bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes);
    return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
           static_cast<uint32_t>(b[3]) << 24;
}

void CNetMessage::storeUInt32(char* bytes, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

void CNetMessage::allocate(int type, int length)
{
    type_ = type;
    length_ = length;
    buffer_.assign(static_cast<size_t>(length), 0);
    storeUInt32(buffer_.data(), static_cast<uint32_t>(type));
    storeUInt32(buffer_.data() + 4, static_cast<uint32_t>(length));
}

void CNetMessage::putInt(int offset, int32_t value)
{
    storeUInt32(buffer_.data() + offset, static_cast<uint32_t>(value));
}

int CNetMessage::putString(int offset, const CXString& text)
{
    std::memcpy(buffer_.data() + offset, text.c_str(), static_cast<size_t>(text.GetLength()));
    buffer_[static_cast<size_t>(offset + text.GetLength())] = '\0';
    return offset + text.GetLength() + 1;
}

int32_t CNetMessage::intAt(int offset)
{
    if (offset < 0 || offset + 4 > length_) {
        markIllFormed();
        return 0;
    }
    return static_cast<int32_t>(loadUInt32(buffer_.data() + offset));
}

int CNetMessage::stringAt(int offset, CXString* text)
{
    if (offset < 0 || offset >= length_) {
        markIllFormed();
        return -1;
    }
    const void* end = std::memchr(buffer_.data() + offset, '\0', static_cast<size_t>(length_ - offset));
    if (end == nullptr) {
        markIllFormed();
        return -1;
    }
    *text = buffer_.data() + offset;
    return static_cast<int>(static_cast<const char*>(end) - buffer_.data()) + 1;
}
