#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

// Reads the numbers of a picture file held in memory, in either byte order. A read that would
// pass the end gives 0 and leaves the reader failed, so a reader checks once after a group of
// fields instead of before each one.
class CByteReader {
public:
    CByteReader(const char* data, size_t size)
        : data_(reinterpret_cast<const unsigned char*>(data))
        , size_(data == nullptr ? 0 : size)
    {
    }

    bool ok() const { return ok_; }
    size_t position() const { return position_; }
    size_t remaining() const { return size_ - position_; }
    size_t size() const { return size_; }

    bool seek(size_t position)
    {
        if (position > size_)
            return fail();
        position_ = position;
        return true;
    }
    bool skip(uint64_t count) { return count <= remaining() ? seek(position_ + count) : fail(); }

    // The next count bytes, or null (and failed) when fewer remain.
    const char* take(uint64_t count)
    {
        if (count > remaining()) {
            fail();
            return nullptr;
        }
        const char* at = reinterpret_cast<const char*>(data_ + position_);
        position_ += count;
        return at;
    }
    // Whether the next bytes are the tag, without moving.
    bool startsWith(const char* tag, size_t length) const
    {
        return length <= remaining() && std::memcmp(data_ + position_, tag, length) == 0;
    }

    uint8_t u8() { return static_cast<uint8_t>(little(1)); }
    uint16_t u16() { return static_cast<uint16_t>(little(2)); }
    int16_t i16() { return static_cast<int16_t>(u16()); }
    uint32_t u32() { return little(4); }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    uint16_t u16be() { return static_cast<uint16_t>(big(2)); }
    int16_t i16be() { return static_cast<int16_t>(u16be()); }
    uint32_t u32be() { return big(4); }
    int32_t i32be() { return static_cast<int32_t>(u32be()); }

private:
    bool fail()
    {
        ok_ = false;
        position_ = size_;
        return false;
    }
    uint32_t little(int count)
    {
        const char* bytes = take(static_cast<uint64_t>(count));
        uint32_t value = 0;
        for (int i = count - 1; bytes != nullptr && i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(bytes[i]);
        return value;
    }
    uint32_t big(int count)
    {
        const char* bytes = take(static_cast<uint64_t>(count));
        uint32_t value = 0;
        for (int i = 0; bytes != nullptr && i < count; ++i)
            value = value << 8 | static_cast<unsigned char>(bytes[i]);
        return value;
    }

    const unsigned char* data_;
    size_t size_;
    size_t position_ = 0;
    bool ok_ = true;
};

// Builds the header of a picture file: little-endian numbers and raw bytes, appended in order.
class CByteWriter {
public:
    CByteWriter& bytes(const void* data, size_t count)
    {
        const auto* from = static_cast<const char*>(data);
        bytes_.insert(bytes_.end(), from, from + count);
        return *this;
    }
    CByteWriter& u8(uint32_t value) { return little(value, 1); }
    CByteWriter& u16(uint32_t value) { return little(value, 2); }
    CByteWriter& u32(uint32_t value) { return little(value, 4); }

    const std::vector<char>& data() const { return bytes_; }

private:
    CByteWriter& little(uint32_t value, int count)
    {
        for (int i = 0; i < count; ++i)
            bytes_.push_back(static_cast<char>(value >> (8 * i) & 0xFF));
        return *this;
    }

    std::vector<char> bytes_;
};
