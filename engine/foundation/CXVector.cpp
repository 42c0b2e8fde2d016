#include "foundation/CXVector.h"

CXVector::CXVector(int initialSize, float growth)
    : CXArray(initialSize, growth)
{
}

CXVector* CXVector::clone()
{
    auto* copy = new CXVector(getCapacity(), getGrowth());
    copy->add(this);
    return copy;
}

void CXVector::copyInto(CXVector* v) const
{
    if (v == this)
        return;
    v->removeAll();
    v->add(this);
}
