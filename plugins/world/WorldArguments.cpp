#include "WorldArguments.h"

#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_Runner.h"
#include "script/CMC_String.h"

int WorldArguments::count() const
{
    return CMC_Runner::argumentCount(args_);
}

CMC_Object* WorldArguments::raw(int i) const
{
    return CMC_Runner::argumentAt(args_, i);
}

int32_t WorldArguments::integer(int i) const
{
    CMC_Integer* value = runner_.getParameterInteger(args_, i);
    return value != nullptr ? value->getValue() : 0;
}

double WorldArguments::real(int i) const
{
    CMC_Double* value = runner_.getParameterDouble(args_, i);
    return value != nullptr ? value->getValue() : 0.0;
}

bool WorldArguments::flag(int i, bool fallback) const
{
    if (i >= count())
        return fallback;
    CMC_Bool* value = runner_.getParameterBool(args_, i);
    return value != nullptr && value->getValue();
}

CXString WorldArguments::text(int i) const
{
    CMC_String* value = runner_.getParameterString(args_, i);
    return value != nullptr ? value->getValue() : CXString();
}
