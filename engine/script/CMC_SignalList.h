#pragma once

#include "foundation/CXString.h"

#include <cstddef>
#include <initializer_list>
#include <vector>

// The signals that one script type can raise, "ONINIT" and "ONDONE" first. A position in
// the list is the position of the signal's bound flag in every object of the type.
// Each type keeps one list for the life of the program: objects and their clones point to
// it and never free it.
class CMC_SignalList {
public:
    CMC_SignalList(std::initializer_list<const char*> names);
    CMC_SignalList(const CMC_SignalList&) = delete;
    CMC_SignalList& operator=(const CMC_SignalList&) = delete;

    int getCount() const { return static_cast<int>(names_.size()); }
    const CXString& at(int i) const { return names_[static_cast<size_t>(i)]; }
    // The first signal that the name begins with ("ONCLICK^LEFT" gives "ONCLICK"), or -1.
    int findPrefixOf(const CXString& name) const;
    // The signal equal to the name, or -1.
    int find(const CXString& name) const;

private:
    std::vector<CXString> names_;
};
