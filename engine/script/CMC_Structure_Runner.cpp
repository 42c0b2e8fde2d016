#include "script/CMC_Structure_Runner.h"

#include "script/CMC_Integer.h"
#include "script/CMC_Structure.h"
#include "script/CMC_VariableFactory.h"

void CMC_Structure_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("SET", MTH_SET);
    registerMethod("SETFIELD", MTH_SETFIELD);
    registerMethod("GETFIELD", MTH_GETFIELD);
}

CMC_Object* CMC_Structure_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (object == nullptr || object->getType() != CMC_Object::TYPE_STRUCTURE)
        return CMC_Runner::run(id, object, scope, args);
    auto* structure = static_cast<CMC_Structure*>(object);
    switch (id) {
    case MTH_SET:
        set(structure, scope, args);
        return nullptr;
    case MTH_SETFIELD:
        if (argumentCount(args) >= 2)
            structure->setField(parameterText(args, 0), getParameter(args, 1));
        return nullptr;
    case MTH_GETFIELD:
        return getField(structure, args);
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}

void CMC_Structure_Runner::set(CMC_Structure* structure, CMC_ObjectsContainer* scope, CXVector* args)
{
    const int count = argumentCount(args);
    if (count == 1) {
        CMC_Object* source = getParameterObject(args, 0, scope);
        if (source != nullptr && source->getType() == CMC_Object::TYPE_STRUCTURE)
            structure->set(source->asVariable());
        return;
    }
    for (int i = 0; i < count; ++i)
        structure->setField(i, getParameter(args, i));
}

CMC_Object* CMC_Structure_Runner::getField(CMC_Structure* structure, CXVector* args)
{
    if (argumentAt(args, 0) == nullptr)
        return nullptr;
    CMC_Variable* selector = getParameter(args, 0);
    CMC_Variable* field = selector != nullptr && selector->getType() == CMC_Object::TYPE_INTEGER
                              ? structure->getField(static_cast<CMC_Integer*>(selector)->getValue())
                              : structure->getField(parameterText(args, 0));
    return CMC_VariableFactory::copyVariable(field);
}
