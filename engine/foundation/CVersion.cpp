#include "foundation/CVersion.h"

#include "foundation/CStringTokenizer.h"

#include <initializer_list>
#include <tuple>

CVersion::CVersion(const CXString& text)
{
    CStringTokenizer parts(text, ".");
    for (int32_t* part : {&major_, &minor_, &build_})
        if (parts.hasMoreTokens())
            *part = parts.nextToken().toNumber();
}

CXString CVersion::toString()
{
    CXString text = CXString::toString(major_);
    text += ".";
    text += minor_;
    text += ".b";
    text += build_;
    return text;
}

int CVersion::compare(CVersion* other)
{
    auto mine = std::tie(major_, minor_, build_);
    auto theirs = std::tie(other->major_, other->minor_, other->build_);
    return mine > theirs ? 1 : (mine < theirs ? -1 : 0);
}
