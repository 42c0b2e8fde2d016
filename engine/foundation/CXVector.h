#pragma once

#include "foundation/CXArray.h"

// A growable list of engine objects that it never deletes. The typed operations
// keep every pointer a CXObject pointer, whatever class the caller hands in.
class CXVector : public CXArray {
public:
    explicit CXVector(int initialSize = 101, float growth = 0.75f);

    CXVector* clone() override;

    virtual void add(CXObject* o) { CXArray::add(o); }
    void add(const CXVector* other) { CXArray::add(other); }
    bool replace(CXObject* old, CXObject* replacement) { return CXArray::replace(old, replacement); }
    // Only an existing element can be replaced: i must lie below the count.
    CXObject* setAt(int i, CXObject* o)
    {
        if (i < 0 || i >= getCount())
            return nullptr;
        return static_cast<CXObject*>(CXArray::setAt(i, o));
    }
    void insertAt(int i, CXObject* o) { CXArray::insertAt(i, o); }
    void remove(CXObject* o) { CXArray::remove(o); }
    int find(CXObject* o) const { return CXArray::find(o); }
    bool contains(CXObject* o) const { return CXArray::contains(o); }
    CXObject* at(int i) const { return static_cast<CXObject*>(CXArray::at(i)); }
    CXObject* operator[](int i) const { return at(i); }

    // Copies the elements over the first slots of v, which takes this count.
    void copyInto(CXVector* v) const;
};
