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

CXObject* CXVector::setAt(int i, CXObject* o)
{
    if (i < 0 || i >= getCount())
        return nullptr;
    return static_cast<CXObject*>(CXArray::setAt(i, o));
}

void CXVector::copyInto(CXVector* v) const
{
    if (v == this)
        return;
    v->removeAll();
    v->add(this);
}
