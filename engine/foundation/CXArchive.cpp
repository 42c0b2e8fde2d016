#include "foundation/CXArchive.h"

#include "foundation/CFile.h"
#include "foundation/CXRect.h"
#include "foundation/CXString.h"
#include "foundation/DoubleToInt.h"

#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

namespace {

constexpr int kWordLimit = 1023;
constexpr int kShortStringLimit = 127;

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

} // namespace

CXArchive::CXArchive(CFile* file, bool storing)
    : file_(file)
    , storing_(storing)
{
    if (file_ == nullptr)
        failed_ = true;
    else if (!storing_)
        length_ = file_->Length();
}

void CXArchive::Close()
{
    if (file_ != nullptr)
        file_->Close();
}

template <typename T>
CXArchive& CXArchive::writeNumber(T value)
{
    using Unsigned = std::make_unsigned_t<T>;
    const auto bits = static_cast<Unsigned>(value);
    uint8_t bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    writeBytes(bytes, sizeof(T));
    return *this;
}

// A short read keeps the target's bytes beyond those read, as the stored format always did.
template <typename T>
CXArchive& CXArchive::readNumber(T* value)
{
    using Unsigned = std::make_unsigned_t<T>;
    auto bits = static_cast<Unsigned>(*value);
    uint8_t bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<uint8_t>(bits >> (8 * i));
    readBytes(bytes, sizeof(T));
    bits = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        bits |= static_cast<Unsigned>(static_cast<Unsigned>(bytes[i]) << (8 * i));
    *value = static_cast<T>(bits);
    return *this;
}

void CXArchive::writeBytes(const void* bytes, int count)
{
    if (count < 1)
        return;
    if (file_ == nullptr || file_->Write(bytes, count) != 1)
        failed_ = true;
}

bool CXArchive::readBytes(void* bytes, int count)
{
    if (failed_)
        return false;
    if (file_->Read(bytes, count) != count) {
        failed_ = true;
        return false;
    }
    return true;
}

bool CXArchive::holds(int64_t count)
{
    if (!failed_ && count >= 0 && count <= length_ - file_->Tell())
        return true;
    failed_ = true;
    return false;
}

CXString CXArchive::readText(int64_t count)
{
    if (!holds(count))
        return "";
    std::vector<char> bytes(static_cast<size_t>(count) + 1, '\0');
    readBytes(bytes.data(), static_cast<int>(count));
    return bytes.data();
}

CXArchive& CXArchive::operator<<(int32_t value)
{
    return writeNumber(value);
}

CXArchive& CXArchive::operator<<(uint32_t value)
{
    return writeNumber(value);
}

CXArchive& CXArchive::operator<<(int64_t value)
{
    return writeNumber(value);
}

CXArchive& CXArchive::operator<<(bool value)
{
    return writeNumber<uint8_t>(value ? 1 : 0);
}

CXArchive& CXArchive::operator<<(double value)
{
    return writeNumber(truncateToInt(value * 1000.0));
}

CXArchive& CXArchive::operator<<(const char* text)
{
    const auto length = static_cast<uint32_t>(std::strlen(text));
    writeNumber(length);
    writeBytes(text, static_cast<int>(length));
    return *this;
}

CXArchive& CXArchive::operator<<(const CXString& text)
{
    writeNumber(static_cast<uint32_t>(text.GetLength()));
    writeBytes(text.c_str(), text.GetLength());
    return *this;
}

CXArchive& CXArchive::operator<<(const CXRect& rect)
{
    return *this << rect.left << rect.top << rect.right << rect.bottom;
}

void CXArchive::writeShortString(const CXString& text)
{
    int count = text.GetLength() % 256;
    if (count > kShortStringLimit)
        count = kShortStringLimit;
    writeNumber(static_cast<uint8_t>(count));
    writeBytes(text.c_str(), count);
}

CXArchive& CXArchive::FWrite(const CXString& text)
{
    writeBytes(text.c_str(), text.GetLength());
    return *this;
}

CXArchive& CXArchive::CopyFileA(const CXString& name)
{
    CFile source(nullptr, name, CFile::MODE_READ | CFile::MODE_BINARY);
    if (source.GetHandle() == nullptr)
        return *this;
    const int length = source.Length();
    if (length < 1)
        return *this;
    std::vector<char> bytes(static_cast<size_t>(length));
    const int read = source.Read(bytes.data(), length);
    writeBytes(bytes.data(), read);
    if (read != length)
        failed_ = true;
    return *this;
}

CXArchive& CXArchive::operator>>(int32_t* value)
{
    return readNumber(value);
}

CXArchive& CXArchive::operator>>(uint32_t* value)
{
    return readNumber(value);
}

CXArchive& CXArchive::operator>>(int64_t* value)
{
    return readNumber(value);
}

CXArchive& CXArchive::operator>>(bool* value)
{
    uint8_t byte = *value ? 1 : 0;
    readNumber(&byte);
    *value = byte != 0;
    return *this;
}

CXArchive& CXArchive::operator>>(double* value)
{
    int32_t thousandths = 0;
    readNumber(&thousandths);
    if (!failed_)
        *value = thousandths * 0.001;
    return *this;
}

CXArchive& CXArchive::operator>>(char* value)
{
    return readNumber(value);
}

CXArchive& CXArchive::operator>>(unsigned char* value)
{
    return readNumber(value);
}

CXArchive& CXArchive::operator>>(char** text)
{
    uint32_t length = 0;
    readNumber(&length);
    if (failed_ || !holds(length)) {
        *text = new char[1]{'\0'};
        return *this;
    }
    *text = new char[static_cast<size_t>(length) + 1];
    (*text)[length] = '\0';
    readBytes(*text, static_cast<int>(length));
    return *this;
}

CXArchive& CXArchive::operator>>(CXString* text)
{
    int32_t length = 0;
    readNumber(&length);
    *text = length >= 1 ? readText(length) : CXString();
    return *this;
}

CXArchive& CXArchive::operator>>(CXRect* rect)
{
    return *this >> &rect->left >> &rect->top >> &rect->right >> &rect->bottom;
}

void CXArchive::readShortString(CXString* text)
{
    int8_t count = 0;
    readNumber(&count);
    *text = count >= 1 ? readText(count) : CXString();
}

CXArchive& CXArchive::FRead(CXString& word)
{
    std::string collected;
    char c = 0;
    while (readBytes(&c, 1) && isWhiteSpace(c)) {
    }
    if (failed_) {
        word = "";
        return *this;
    }
    collected += c;
    while (static_cast<int>(collected.size()) < kWordLimit && file_->Tell() < length_ && readBytes(&c, 1)) {
        if (isWhiteSpace(c)) {
            file_->Seek(-1, SEEK_CUR);
            break;
        }
        collected += c;
    }
    word = collected.c_str();
    return *this;
}
