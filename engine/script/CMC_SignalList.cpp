#include "script/CMC_SignalList.h"

CMC_SignalList::CMC_SignalList(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        names_.emplace_back(name);
}

int CMC_SignalList::findPrefixOf(const CXString& name) const
{
    for (int i = 0; i < getCount(); ++i)
        if (name.startsWith(at(i)))
            return i;
    return -1;
}

int CMC_SignalList::find(const CXString& name) const
{
    for (int i = 0; i < getCount(); ++i)
        if (name == at(i))
            return i;
    return -1;
}
