#include "foundation/CStringArray.h"

#include <algorithm>

CStringArray::CStringArray(bool unique)
    : unique_(unique)
{
}

void CStringArray::add(const CXString& s)
{
    if (unique_ && contains(s))
        return;
    items_.push_back(s);
}

void CStringArray::remove(const CXString& s)
{
    std::erase_if(items_, [&s](const CXString& item) { return item.equals(s); });
}

bool CStringArray::contains(const CXString& s) const
{
    return std::any_of(items_.begin(), items_.end(),
                       [&s](const CXString& item) { return item.equalsIgnoreCase(s); });
}
