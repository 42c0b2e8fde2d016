#include "script/CMC_BasicCondition_Runner.h"

#include "script/CMC_BasicCondition.h"
#include "script/CMC_Bool.h"
#include "script/CMC_VariableFactory.h"

void CMC_BasicCondition_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("CHECK", MTH_CHECK);
    registerMethod("BREAK", MTH_BREAK);
    registerMethod("ONE_BREAK", MTH_ONE_BREAK);
}

CMC_Object* CMC_BasicCondition_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer*, CXVector* args)
{
    const bool isCondition = object != nullptr && (object->getType() == CMC_Object::TYPE_CONDITION ||
                                                   object->getType() == CMC_Object::TYPE_COMPLEXCONDITION);
    auto* condition = isCondition ? dynamic_cast<CMC_BasicCondition*>(object) : nullptr;
    if (condition == nullptr || id < MTH_CHECK || id > MTH_ONE_BREAK)
        return nullptr;
    CMC_Bool* events = argumentCount(args) > 0 ? getParameterBool(args, 0) : nullptr;
    const bool holds = condition->valid(events == nullptr || events->getValue());
    switch (id) {
    case MTH_CHECK:
        return CMC_VariableFactory::allocBool(holds);
    case MTH_BREAK:
        return holds ? CMC_Object::stopResult(CMC_Object::STOP_BREAK) : nullptr;
    default:
        return holds ? CMC_Object::stopResult(CMC_Object::STOP_ONEBREAK) : nullptr;
    }
}
