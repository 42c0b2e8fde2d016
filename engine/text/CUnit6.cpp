#include "text/CUnit6.h"

CUnit6::CUnit6(CWindow* window, const CXString& name)
    : unitName_(name)
    , window_(window)
{
}

bool CUnit6::isActive()
{
    return active_;
}

bool CUnit6::wasInitiallyUpdated()
{
    return initiallyUpdated_;
}

void CUnit6::onTimer(int)
{
}
