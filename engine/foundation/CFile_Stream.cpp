#include "foundation/CFile_Stream.h"

#include <algorithm>
#include <cstring>

CFile_Stream::CFile_Stream(const char* data, int size)
    : data_(data)
    , size_(std::max(size, 0))
{
}

int CFile_Stream::Seek(int offset, int origin)
{
    int64_t position = position_;
    switch (origin) {
    case SEEK_SET: position = offset; break;
    case SEEK_CUR: position += offset; break;
    case SEEK_END: position = size_; break;
    default: break;
    }
    position_ = static_cast<int32_t>(std::clamp<int64_t>(position, 0, size_));
    return position_;
}

int CFile_Stream::Open(FoundationWindow*, const CXString&, int)
{
    setErrorCode(ERROR_OPEN);
    return ERROR_OPEN;
}

int CFile_Stream::Read(void* buffer, int n)
{
    const int count = std::min(n, size_ - position_);
    if (count < 1)
        return 0;
    std::memcpy(buffer, data_ + position_, static_cast<size_t>(count));
    position_ += count;
    return count;
}

void CFile_Stream::GetLine(char*, int)
{
}

CXString CFile_Stream::getLine()
{
    return "";
}
