#include "foundation/CMemStream.h"

#include "foundation/CDataBuffer.h"
#include "foundation/CFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

CMemStream::CMemStream(CFile* file)
{
    const int length = file == nullptr ? 0 : std::max(file->Length(), 0);
    data_ = new CDataBuffer(length, 1);
    // A file positioned past its start, or one that ends early, gives fewer bytes.
    size_ = length > 0 ? std::max(file->Read(data_->getBuffer(), length), 0) : 0;
}

CMemStream::CMemStream(const CMemStream& other)
    : size_(other.size_)
    , data_(other.data_->clone())
    , position_(other.position_)
    , bitPosition_(other.bitPosition_)
{
}

CMemStream& CMemStream::operator=(const CMemStream& other)
{
    if (this != &other) {
        CDataBuffer* copy = other.data_->clone();
        delete data_;
        data_ = copy;
        size_ = other.size_;
        position_ = other.position_;
        bitPosition_ = other.bitPosition_;
    }
    return *this;
}

CMemStream::~CMemStream()
{
    delete data_;
}

unsigned char CMemStream::byteAt(int offset) const
{
    if (offset < 0 || offset >= size_)
        return 0;
    return static_cast<unsigned char*>(data_->getBuffer())[offset];
}

int CMemStream::get_bit()
{
    if (position_ >= size_)
        return 0;
    const int bit = byteAt(position_) >> (7 - bitPosition_) & 1;
    if (++bitPosition_ == 8) {
        bitPosition_ = 0;
        ++position_;
    }
    return bit;
}

int CMemStream::get_bits(int n)
{
    uint32_t result = 0;
    for (int i = 0; i < n; ++i)
        result = result << 1 | static_cast<uint32_t>(get_bit());
    return static_cast<int>(result);
}

int CMemStream::get_signed_bits(int n)
{
    if (n < 1)
        return 0;
    uint32_t result = get_bit() != 0 ? ~0u : 0u;
    for (int i = 1; i < n; ++i)
        result = result << 1 | static_cast<uint32_t>(get_bit());
    return static_cast<int>(result);
}

void CMemStream::get_bytes(void* destination, int n)
{
    if (n <= 0)
        return;
    const int available = std::clamp(size_ - position_, 0, n);
    auto* out = static_cast<unsigned char*>(destination);
    std::memcpy(out, static_cast<unsigned char*>(data_->getBuffer()) + position_, static_cast<size_t>(available));
    std::memset(out + available, 0, static_cast<size_t>(n - available));
    position_ += available;
}

void CMemStream::align()
{
    if (bitPosition_ != 0) {
        bitPosition_ = 0;
        position_ = std::min(position_ + 1, size_);
    }
}

unsigned int CMemStream::littleEndian(int count)
{
    align();
    unsigned int value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | byteAt(position_ + i);
    position_ = std::min(position_ + count, size_);
    return value;
}

unsigned char CMemStream::get_char()
{
    return static_cast<unsigned char>(littleEndian(1));
}

short CMemStream::get_shortint()
{
    return static_cast<short>(littleEndian(2));
}

int CMemStream::get_int()
{
    return static_cast<int>(littleEndian(4));
}

void CMemStream::move(int n)
{
    align();
    position_ = static_cast<int>(std::clamp(static_cast<long>(position_) + n, 0L, static_cast<long>(size_)));
}

unsigned char* CMemStream::getPtr()
{
    return static_cast<unsigned char*>(data_->getBuffer()) + position_;
}
