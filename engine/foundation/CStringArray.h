#pragma once

#include "foundation/CXString.h"

#include <vector>

// A list of texts, optionally without duplicates. Look-up ignores letter case,
// removal does not.
class CStringArray {
public:
    explicit CStringArray(bool unique = false);

    // Refused when the list is unique and already contains s.
    void add(const CXString& s);
    // Removes every element equal to s, letter case included.
    void remove(const CXString& s);
    void removeAll() { items_.clear(); }
    bool contains(const CXString& s) const;
    int getSize() const { return static_cast<int>(items_.size()); }

private:
    std::vector<CXString> items_;
    bool unique_;
};
