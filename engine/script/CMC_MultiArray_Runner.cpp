#include "script/CMC_MultiArray_Runner.h"

#include "script/CMC_Integer.h"
#include "script/CMC_MultiArray.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"

void CMC_MultiArray_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("SET", MTH_SET);
    registerMethod("GET", MTH_GET);
    registerMethod("GETSIZE", MTH_GETSIZE);
    registerMethod("COUNT", MTH_COUNT);
    registerMethod("LOAD", MTH_LOAD);
    registerMethod("SAVE", MTH_SAVE);
    registerMethod("SAFEGET", MTH_SAFEGET);
}

CMC_Object* CMC_MultiArray_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (object == nullptr || object->getType() != CMC_Object::TYPE_MULTIARRAY)
        return CMC_Runner::run(id, object, scope, args);
    auto* grid = static_cast<CMC_MultiArray*>(object);
    const int count = argumentCount(args);
    switch (id) {
    case MTH_SET:
        if (CMC_Variable* value = getParameter(args, count - 1))
            grid->set(coordinates(args, count - 1), value);
        return nullptr;
    case MTH_GET:
        return cell(grid, args, false);
    case MTH_SAFEGET:
        return cell(grid, args, true);
    case MTH_GETSIZE:
        if (CMC_Integer* dimension = getParameterInteger(args, 0))
            return CMC_VariableFactory::allocInteger(grid->getSize(dimension->getValue()));
        return nullptr;
    case MTH_COUNT:
        if (CMC_Variable* value = getParameter(args, 0))
            return CMC_VariableFactory::allocInteger(grid->count(value));
        return nullptr;
    case MTH_LOAD:
        if (count > 0)
            grid->load(parameterText(args, 0));
        return nullptr;
    case MTH_SAVE:
        if (count > 0)
            grid->save(parameterText(args, 0));
        return nullptr;
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}

std::vector<int> CMC_MultiArray_Runner::coordinates(CXVector* args, int end)
{
    std::vector<int> read;
    for (int i = 0; i < end; ++i) {
        CMC_Integer* value = getParameterInteger(args, i);
        read.push_back(value != nullptr ? value->getValue() : 0);
    }
    return read;
}

CMC_Object* CMC_MultiArray_Runner::cell(CMC_MultiArray* grid, CXVector* args, bool safe)
{
    CMC_Variable* value = grid->get(coordinates(args, argumentCount(args)));
    if (CMC_Variable* copy = CMC_VariableFactory::copyVariable(value))
        return copy;
    if (safe)
        return CMC_VariableFactory::allocInteger(0);
    return CMC_VariableFactory::allocString(CXString("NULL"));
}
