#include "script/CMC_Class_Runner.h"

#include "foundation/CXArray.h"
#include "script/CMC_Class.h"
#include "script/CMC_ObjectsContainer.h"

void CMC_Class_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("NEW", MTH_NEW);
    registerMethod("DELETE", MTH_DELETE);
}

CMC_Class* CMC_Class_Runner::asClass(CMC_Object* object)
{
    return object != nullptr && object->getType() == CMC_Object::TYPE_CLASS ? dynamic_cast<CMC_Class*>(object)
                                                                             : nullptr;
}

CMC_Object* CMC_Class_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    switch (id) {
    case MTH_NEW:
        return _new(object, scope, args);
    case MTH_DELETE:
        return _delete(scope, args);
    default:
        return nullptr;
    }
}

CMC_Object* CMC_Class_Runner::run(const CXString& name, CMC_Object* object, CMC_ObjectsContainer* scope,
                                  CXVector* args)
{
    const int id = resolveMethod(name);
    return id == -1 ? runClass(object, scope, args, name) : run(id, object, scope, args);
}

CMC_Object* CMC_Class_Runner::runClass(CMC_Object* instance, CMC_ObjectsContainer*, CXVector* args,
                                       const CXString& methodName)
{
    CMC_Class* target = asClass(instance);
    if (target == nullptr)
        return nullptr;
    const int count = argumentCount(args);
    CXArray* params = count > 0 ? new CXArray(count, 0.75f) : nullptr;
    for (int i = 0; i < count; ++i)
        params->add(new CXString(parameterText(args, i)));
    CMC_Object* result = target->runMethod(methodName, params);
    CXString::releaseToVector(params);
    return result;
}

CMC_Object* CMC_Class_Runner::_new(CMC_Object* classObject, CMC_ObjectsContainer* scope, CXVector* args)
{
    CMC_Class* made = asClass(classObject);
    if (made == nullptr || scope == nullptr || argumentAt(args, 0) == nullptr)
        return nullptr;
    CMC_Class* instance = made->newInstance(parameterText(args, 0));
    scope->addObject(instance);
    return runClass(instance, scope, args, CXString("CONSTRUCTOR"));
}

CMC_Object* CMC_Class_Runner::_delete(CMC_ObjectsContainer* scope, CXVector* args)
{
    if (scope == nullptr || argumentAt(args, 0) == nullptr)
        return nullptr;
    CMC_Class* instance = asClass(scope->getObject(parameterText(args, 0).c_str()));
    if (instance == nullptr || !instance->isInstance())
        return nullptr;
    CMC_Object* result = runClass(instance, scope, args, CXString("DESTRUCTOR"));
    for (CMC_ObjectsContainer* holder = scope; holder != nullptr; holder = holder->getParent()) {
        if (holder->removeObject(instance)) {
            instance->returnBorrowed();
            holder->deleteLater(instance);
            break;
        }
    }
    return result;
}
