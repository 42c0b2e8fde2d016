#include "WorldResults.h"

#include "ITolvan.h"

#include "foundation/DoubleToInt.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_VariableFactory.h"

CMC_Object* emptyResult(WorldResult kind)
{
    switch (kind) {
    case WorldResult::Double:
        return CMC_VariableFactory::allocDouble(0.0);
    case WorldResult::Integer:
        return CMC_VariableFactory::allocInteger(0);
    case WorldResult::Bool:
        return CMC_VariableFactory::allocBool(false);
    case WorldResult::None:
        break;
    }
    return nullptr;
}

CMC_Object* doubleResult(int32_t status, double value)
{
    return CMC_VariableFactory::allocDouble(status < ITolvan::OK ? 0.0 : value);
}

CMC_Object* integerResult(int32_t status, double value)
{
    return CMC_VariableFactory::allocInteger(status < ITolvan::OK ? 0 : truncateToInt(value));
}

CMC_Object* boolResult(int32_t status, bool value)
{
    return CMC_VariableFactory::allocBool(status >= ITolvan::OK && value);
}
