#include "foundation/CXPair.h"

CXPair::CXPair(void* first, void* second)
    : first(first)
    , second(second)
{
}

CXPair::CXPair(const CXString& name, void* p)
    : name(name)
    , first(p)
    , second(p)
{
    this->name.Lower();
}

CXPair* CXPair::clone()
{
    auto* copy = new CXPair(first, second);
    copy->name = "cloned";
    return copy;
}
