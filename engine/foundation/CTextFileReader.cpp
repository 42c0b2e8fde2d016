#include "foundation/CTextFileReader.h"

#include "foundation/CFile.h"

#include <algorithm>
#include <string>

CTextFileReader::CTextFileReader(FoundationWindow* window, const CXString& fileName)
{
    CFile file(window, fileName, CFile::MODE_READ | CFile::MODE_TEXT);
    setErrorCode(file.LastError());
    if (file.LastError() != 0)
        return;
    int length = file.Length();
    if (length <= 0)
        return;
    loaded_.resize(static_cast<size_t>(length));
    data_ = loaded_.data();
    size_ = file.Read(loaded_.data(), length);
}

CTextFileReader::CTextFileReader(FoundationWindow*, const char* text, int size)
    : data_(text)
    , size_(text != nullptr && size > 0 ? size : 0)
{
}

CXString CTextFileReader::getLine()
{
    if (eof())
        return CXString();
    const char* start = data_ + position_;
    const char* end = data_ + size_;
    const char* lineFeed = std::find(start, end, '\n');
    position_ = static_cast<int>(lineFeed - data_) + (lineFeed == end ? 0 : 1);
    if (lineFeed > start && lineFeed[-1] == '\r')
        --lineFeed;
    // A zero byte ends the text of the line.
    return CXString(std::string(start, lineFeed).c_str());
}
