#include "graphics/AnnRecords.h"

#include <algorithm>
#include <cstring>
#include <string>

CXString _annEventInfo3::getName() const
{
    return CXString(std::string(name, strnlen(name, sizeof name)).c_str());
}

void _annEventInfo3::setName(const CXString& text)
{
    std::memset(name, 0, sizeof name);
    std::memcpy(name, text.c_str(), std::min<size_t>(static_cast<size_t>(text.GetLength()), sizeof name - 1));
}
