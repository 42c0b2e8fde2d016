#include "script/CMC_String.h"

CMC_String::CMC_String(const CXString& name)
    : name_(name)
{
}

CMC_String::CMC_String(const CXString& name, const CXString& text)
    : name_(name)
    , value_(text)
{
}
