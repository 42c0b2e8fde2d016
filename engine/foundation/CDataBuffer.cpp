#include "foundation/CDataBuffer.h"

#include <cstring>

namespace {

char* copyOf(const char* source, long bytes)
{
    if (source == nullptr)
        return nullptr;
    char* copy = new char[bytes];
    std::memcpy(copy, source, static_cast<size_t>(bytes));
    return copy;
}

} // namespace

CDataBuffer::CDataBuffer(int count, int elementSize)
    : count_(count)
    , elementSize_(elementSize)
{
    buffer_ = new char[bytes()];
    cursor_ = buffer_;
}

CDataBuffer::CDataBuffer(const char* source, int count, int elementSize)
    : CDataBuffer(count, elementSize)
{
    std::memcpy(buffer_, source, static_cast<size_t>(bytes()));
}

CDataBuffer::CDataBuffer(const CDataBuffer& other)
    : CXObject(other)
    , count_(other.count_)
    , elementSize_(other.elementSize_)
{
    copyFrom(other);
}

CDataBuffer& CDataBuffer::operator=(const CDataBuffer& other)
{
    if (this != &other) {
        CXObject::operator=(other);
        flush();
        count_ = other.count_;
        elementSize_ = other.elementSize_;
        copyFrom(other);
    }
    return *this;
}

CDataBuffer::~CDataBuffer()
{
    CDataBuffer::flush();
}

void CDataBuffer::copyFrom(const CDataBuffer& other)
{
    buffer_ = copyOf(other.buffer_, bytes());
    backup_ = copyOf(other.backup_, bytes());
    cursor_ = buffer_ == nullptr ? nullptr : buffer_ + (other.cursor_ - other.buffer_);
}

long CDataBuffer::bytes() const
{
    if (count_ <= 0 || elementSize_ <= 0)
        return 0;
    return static_cast<long>(count_) * elementSize_;
}

CDataBuffer* CDataBuffer::clone()
{
    return new CDataBuffer(*this);
}

void CDataBuffer::flush()
{
    delete[] buffer_;
    delete[] backup_;
    buffer_ = nullptr;
    backup_ = nullptr;
}

void CDataBuffer::backup()
{
    delete[] backup_;
    backup_ = copyOf(buffer_, bytes());
}

void CDataBuffer::restore(bool discard)
{
    if (backup_ == nullptr)
        return;
    std::memcpy(buffer_, backup_, static_cast<size_t>(bytes()));
    if (discard) {
        delete[] backup_;
        backup_ = nullptr;
    }
}

void CDataBuffer::zero()
{
    if (buffer_ != nullptr)
        std::memset(buffer_, 0, static_cast<size_t>(bytes()));
}

int CDataBuffer::getMemoryUsage() const
{
    return count_ * elementSize_;
}

CDataBuffer& CDataBuffer::operator++()
{
    cursor_ += elementSize_;
    return *this;
}

CDataBuffer& CDataBuffer::operator--()
{
    cursor_ -= elementSize_;
    return *this;
}

CDataBuffer& CDataBuffer::operator+=(int n)
{
    cursor_ += static_cast<long>(n) * elementSize_;
    return *this;
}

CDataBuffer& CDataBuffer::operator-=(int n)
{
    cursor_ -= static_cast<long>(n) * elementSize_;
    return *this;
}

CDataBuffer2Dim::CDataBuffer2Dim(CXSize size, int elementSize)
    : CDataBuffer(size.width * size.height, elementSize)
    , width_(size.width)
    , height_(size.height)
{
}

CDataBuffer2Dim::CDataBuffer2Dim(const char* source, CXSize size, int elementSize)
    : CDataBuffer(source, size.width * size.height, elementSize)
    , width_(size.width)
    , height_(size.height)
{
}

CDataBuffer2Dim* CDataBuffer2Dim::clone()
{
    return new CDataBuffer2Dim(*this);
}

void CDataBuffer2Dim::at(int x, int y)
{
    cursor_ = buffer_ + (static_cast<long>(y) * width_ + x) * elementSize_;
}

void CDataBuffer2Dim::nextLine()
{
    cursor_ += static_cast<long>(width_) * elementSize_;
}

void CDataBuffer2Dim::prevLine()
{
    cursor_ -= static_cast<long>(width_) * elementSize_;
}
