#include "script/CMC_Rand_Runner.h"

#include "foundation/CXRandom.h"
#include "script/CMC_Array.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Integer.h"
#include "script/CMC_VariableFactory.h"

void CMC_Rand_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("GET", MTH_GET);
    registerMethod("GETPLENTY", MTH_GETPLENTY);
}

CMC_Object* CMC_Rand_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (object == nullptr)
        return nullptr;
    switch (id) {
    case MTH_GET:
        return get(args);
    case MTH_GETPLENTY:
        return getPlenty(scope, args);
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}

// An argument that cannot be read as a number counts as 0.
CMC_Object* CMC_Rand_Runner::get(CXVector* args)
{
    auto number = [this, args](int i) {
        CMC_Integer* value = getParameterInteger(args, i);
        return value != nullptr ? value->getValue() : 0;
    };
    int drawn = 0;
    if (argumentCount(args) == 1)
        drawn = CXRandom::random(number(0));
    else if (argumentCount(args) >= 2)
        drawn = CXRandom::random(number(0), number(1));
    return CMC_VariableFactory::allocInteger(drawn);
}

CMC_Object* CMC_Rand_Runner::getPlenty(CMC_ObjectsContainer* scope, CXVector* args)
{
    CMC_Object* named = getParameterObject(args, 0, scope);
    CMC_Integer* count = getParameterInteger(args, 1);
    CMC_Integer* from = getParameterInteger(args, 2);
    CMC_Integer* range = getParameterInteger(args, 3);
    CMC_Bool* unique = getParameterBool(args, 4);
    if (named == nullptr || named->getType() != CMC_Object::TYPE_ARRAY || count == nullptr || from == nullptr ||
        range == nullptr || unique == nullptr)
        return nullptr;
    static_cast<CMC_Array*>(named)->addRandomIntegers(count->getValue(), from->getValue(), range->getValue(),
                                                      unique->getValue());
    return nullptr;
}
