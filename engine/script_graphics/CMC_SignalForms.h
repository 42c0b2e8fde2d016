#pragma once

#include "foundation/CXString.h"

#include <initializer_list>

class CMC_Object;

// How the picture types raise a signal in several forms: the first form that reaches a handler
// is the only one raised.
namespace CMC_SignalForms {

// True when one of the forms reached a handler.
bool raiseFirst(CMC_Object& object, std::initializer_list<CXString> forms);
// The first of the forms that reaches a handler, else the plain signal with the two names as
// the behaviour's first and second parameters.
void raiseNamed(CMC_Object& object, std::initializer_list<CXString> forms, const CXString& plain,
                const CXString& first, const CXString& second);

} // namespace CMC_SignalForms
