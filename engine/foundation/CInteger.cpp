#include "foundation/CInteger.h"

CInteger::CInteger(const CXString& text)
    : value_(text.toNumber())
{
}

void CInteger::parse(const CXString& text)
{
    value_ = text.toNumber();
}

bool CInteger::equals(CXObject* other)
{
    const auto* integer = dynamic_cast<const CInteger*>(other);
    return integer != nullptr && integer->value_ == value_;
}
