#include "foundation/CStringTokenizer.h"

#include <cstring>
#include <utility>

CStringTokenizer::CStringTokenizer(const CXString& text, const CXString& separators)
    : text_(text)
    , separators_(separators)
{
    next_ = readToken();
}

CXString CStringTokenizer::nextToken()
{
    return std::exchange(next_, readToken());
}

bool CStringTokenizer::isSeparator(char c) const
{
    return std::memchr(separators_.c_str(), c, separators_.GetLength()) != nullptr;
}

CXString CStringTokenizer::readToken()
{
    const char* text = text_.c_str();
    const int length = text_.GetLength();
    while (position_ < length && isSeparator(text[position_]))
        ++position_;
    const int start = position_;
    while (position_ < length && !isSeparator(text[position_]))
        ++position_;
    // A token gets storage for itself, not a copy of the whole text's capacity.
    CXString token;
    text_.mid(start, position_, &token);
    return token;
}
