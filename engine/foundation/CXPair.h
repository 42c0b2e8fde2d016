#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

// Two pointers under a name; the pair never deletes them.
class CXPair : public CXObject {
public:
    CXPair(void* first, void* second);
    // The name is kept in lower case; p goes in both places.
    CXPair(const CXString& name, void* p);

    CXPair* clone() override;

    CXString name;
    void* first;
    void* second;
};
