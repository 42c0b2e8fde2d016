#include "script_graphics/CMC_SignalForms.h"

#include "foundation/CXArray.h"
#include "script/CMC_Object.h"

namespace CMC_SignalForms {

bool raiseFirst(CMC_Object& object, std::initializer_list<CXString> forms)
{
    for (const CXString& form : forms)
        if (object.onSignal(form))
            return true;
    return false;
}

void raiseNamed(CMC_Object& object, std::initializer_list<CXString> forms, const CXString& plain,
                const CXString& first, const CXString& second)
{
    if (raiseFirst(object, forms))
        return;
    CXString firstParameter = first;
    CXString secondParameter = second;
    CXArray parameters(2, 0.75f);
    parameters.add(&firstParameter);
    parameters.add(&secondParameter);
    object.onSignal(plain, &parameters);
}

} // namespace CMC_SignalForms
