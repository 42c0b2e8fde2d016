#pragma once

#include "foundation/CXVector.h"

// A vector kept in the order of its elements' compare: a new element goes before
// the first one that compares greater, so equal elements keep their order of arrival.
class CSortedVector : public CXVector {
public:
    explicit CSortedVector(int initialSize);

    using CXVector::add;
    void add(CXObject* o) override;

    // A new sorted vector filled from the last element to the first; the caller owns it.
    CSortedVector* reverse() const;
};
