#include "script_graphics/CMC_Path_Runner.h"

#include "script/CMC_Double.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_VariableFactory.h"
#include "script_graphics/CMC_Path.h"

void CMC_Path_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    static constexpr MethodName methods[] = {{"ADD", MTH_ADD},
                                             {"GETNODE", MTH_GETNODE},
                                             {"GETSIZE", MTH_GETSIZE},
                                             {"SETPROPERTY", MTH_SETPROPERTY},
                                             {"GETPROPERTY", MTH_GETPROPERTY}};
    registerMethods(methods);
}

CMC_Object* CMC_Path_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* path = dynamic_cast<CMC_Path*>(object);
    if (path == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    const auto namesDensity = [&] { return argumentCount(args) > 0 && parameterText(args, 0) == "DENSITY"; };
    switch (id) {
    case MTH_ADD:
        if (scope != nullptr && argumentCount(args) > 0)
            path->add(scope->getObject(parameterText(args, 0).c_str()));
        return nullptr;
    case MTH_GETNODE: {
        CMC_Object* node = argumentCount(args) > 0 ? path->getNode(integerParameter(args, 0)) : nullptr;
        return node != nullptr ? giveString(node->getName()) : nullptr;
    }
    case MTH_GETSIZE:
        return giveInteger(path->getSize());
    case MTH_SETPROPERTY:
        if (argumentCount(args) > 1 && namesDensity())
            path->setDensity(doubleParameter(args, 1));
        return nullptr;
    case MTH_GETPROPERTY:
        return namesDensity() ? CMC_VariableFactory::allocDouble(path->getDensity()) : nullptr;
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}
