#pragma once

#include "foundation/CXObject.h"

#include <cstddef>
#include <utility>
#include <vector>

class CXString;

// A growable list of untyped pointers that it never deletes. The storage doubles
// as soon as the elements would fill more than the growth fraction of it.
class CXArray : public CXObject {
public:
    explicit CXArray(int initialSize = 101, float growth = 0.75f);

    CXArray* clone() override;

    void doubleSize();
    void add(void* p);
    // Appends all of other's elements in order.
    void add(const CXArray* other);
    bool replace(void* old, void* replacement);
    // Grows the storage to reach i; the count stays, so slots past it may hold pointers.
    void* setAt(int i, void* p)
    {
        if (i >= 0 && i < count_)
            return std::exchange(slots_[static_cast<size_t>(i)], p);
        return setAtGrowing(i, p);
    }
    // Inserts before position i (0 to count); other positions change nothing.
    void insertAt(int i, void* p);
    void remove(void* p);
    void removeAt(int i);
    int find(void* p) const;
    bool contains(void* p) const { return find(p) != -1; }
    // True when some element, a script STRING (whose text is its toString), holds the text s
    // ignoring case.
    bool containsString(const CXString& s) const;
    void removeAll() { count_ = 0; }
    CXString* stringAt(int i) const;
    // Not checked: callers keep 0 <= i < capacity.
    void* at(int i) const { return slots_[i]; }
    void* operator[](int i) const { return slots_[i]; }

    int getCount() const { return count_; }
    int getCapacity() const { return static_cast<int>(slots_.size()); }
    float getGrowth() const { return growth_; }

protected:
    void* setAtGrowing(int i, void* p);
    // Doubles until `total` elements fit within the growth fraction and the storage itself.
    void growToHold(int total);

private:
    float growth_;
    std::vector<void*> slots_;
    int count_ = 0;
};
