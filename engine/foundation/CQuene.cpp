#include "foundation/CQuene.h"

namespace {

void* takeAt(CXArray& list, int i)
{
    if (list.getCount() == 0)
        return nullptr;
    void* p = list.at(i);
    list.removeAt(i);
    return p;
}

} // namespace

CQuene::CQuene()
    : CXArray(101, 0.75f)
{
}

void CQuene::push(void* p)
{
    add(p);
}

void* CFifoQuene::pop()
{
    return takeAt(*this, 0);
}

void* CLifoQuene::pop()
{
    return takeAt(*this, getCount() - 1);
}

CXQuene::CXQuene()
    : CXVector(101, 0.75f)
{
}

void CXQuene::push(CXObject* o)
{
    add(o);
}

CXObject* CXFifoQuene::pop()
{
    return static_cast<CXObject*>(takeAt(*this, 0));
}

CXObject* CXLifoQuene::pop()
{
    return static_cast<CXObject*>(takeAt(*this, getCount() - 1));
}
