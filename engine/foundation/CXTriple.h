#pragma once

#include "foundation/CXObject.h"

// Three pointers bundled together; the triple never deletes them.
class CXTriple : public CXObject {
public:
    CXTriple(void* first, void* second, void* third)
        : first(first)
        , second(second)
        , third(third)
    {
    }

    void* first;
    void* second;
    void* third;
};
