#include "foundation/CSortedVector.h"

CSortedVector::CSortedVector(int initialSize)
    : CXVector(initialSize, 0.75f)
{
}

void CSortedVector::add(CXObject* o)
{
    int i = 0;
    while (i < getCount() && at(i)->compare(o) <= 0)
        ++i;
    insertAt(i, o);
}

CSortedVector* CSortedVector::reverse() const
{
    auto* reversed = new CSortedVector(getCount());
    for (int i = getCount() - 1; i >= 0; --i)
        reversed->add(at(i));
    return reversed;
}
