#include "script/CMC_Vector_Runner.h"

#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_Vector.h"
#include "script/CMC_VariableFactory.h"

void CMC_Vector_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("ADD", MTH_ADD);
    registerMethod("GET", MTH_GET);
    registerMethod("GETSIZE", MTH_GETSIZE);
    registerMethod("VMUL", MTH_VMUL);
    registerMethod("SMUL", MTH_SMUL);
    registerMethod("MUL", MTH_MUL);
    registerMethod("LEN", MTH_LEN);
    registerMethod("NORMALIZE", MTH_NORMALIZE);
    registerMethod("REFLECT", MTH_REFLECT);
    registerMethod("EXPAND", MTH_EXPAND);
    registerMethod("SET", MTH_SET);
    registerMethod("ASSIGN", MTH_ASSIGN);
    registerMethod("SUB", MTH_SUB);
    registerMethod("NEG", MTH_NEG);
}

CMC_Vector* CMC_Vector_Runner::vectorAt(CXVector* args, int i)
{
    CMC_Object* argument = argumentAt(args, i);
    return argument != nullptr && argument->getType() == CMC_Object::TYPE_VECTOR ? static_cast<CMC_Vector*>(argument)
                                                                                  : nullptr;
}

CMC_Object* CMC_Vector_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (object == nullptr || object->getType() != CMC_Object::TYPE_VECTOR)
        return CMC_Runner::run(id, object, scope, args);
    auto* vector = static_cast<CMC_Vector*>(object);
    switch (id) {
    case MTH_ADD:
    case MTH_SUB:
        for (int i = 0; i < argumentCount(args); ++i) {
            CMC_Vector* other = vectorAt(args, i);
            if (other == nullptr)
                continue;
            if (id == MTH_ADD)
                vector->add(other);
            else
                vector->sub(other);
        }
        return nullptr;
    case MTH_GET: {
        CMC_Integer* index = getParameterInteger(args, 0);
        if (index == nullptr || index->getValue() < 0 || index->getValue() >= vector->getSize())
            return nullptr;
        return CMC_VariableFactory::allocDouble(vector->get(index->getValue()));
    }
    case MTH_GETSIZE:
        return getSize(vector, args);
    case MTH_SMUL:
        if (CMC_Vector* other = vectorAt(args, 0))
            return CMC_VariableFactory::allocDouble(vector->dot(other));
        return nullptr;
    case MTH_MUL:
        if (CMC_Double* factor = getParameterDouble(args, 0))
            vector->mul(factor->getValue());
        return nullptr;
    case MTH_LEN:
        return CMC_VariableFactory::allocDouble(vector->length());
    case MTH_NORMALIZE:
        vector->normalize();
        return nullptr;
    case MTH_REFLECT: {
        CMC_Vector* normal = vectorAt(args, 0);
        CMC_Vector* result = vectorAt(args, 1);
        if (normal != nullptr && result != nullptr)
            vector->reflect(normal, result);
        return nullptr;
    }
    case MTH_EXPAND:
        if (CMC_Integer* size = getParameterInteger(args, 0))
            vector->expand(size->getValue());
        return nullptr;
    case MTH_SET:
        set(vector, args);
        return nullptr;
    case MTH_ASSIGN:
        assign(vector, args);
        return nullptr;
    case MTH_NEG:
        vector->neg();
        return nullptr;
    case MTH_VMUL:
        // A product of two vectors that was never given a meaning: nothing happens.
        return nullptr;
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}

CMC_Object* CMC_Vector_Runner::getSize(CMC_Vector* vector, CXVector* args)
{
    CMC_Object* argument = argumentAt(args, 0);
    if (argument != nullptr && argument->getType() == CMC_Object::TYPE_INTEGER)
        static_cast<CMC_Integer*>(argument)->setValue(vector->getSize());
    return CMC_VariableFactory::allocInteger(vector->getSize());
}

void CMC_Vector_Runner::set(CMC_Vector* vector, CXVector* args)
{
    if (argumentCount(args) >= 2) {
        CMC_Integer* index = getParameterInteger(args, 0);
        const int i = index != nullptr ? index->getValue() : -1;
        if (CMC_Double* value = getParameterDouble(args, 1))
            vector->set(i, value->getValue());
        return;
    }
    if (CMC_Vector* other = vectorAt(args, 0)) {
        vector->assign(other);
        return;
    }
    CMC_Double* value = getParameterDouble(args, 0);
    for (int i = 0; value != nullptr && i < vector->getSize(); ++i)
        vector->set(i, value->getValue());
}

void CMC_Vector_Runner::assign(CMC_Vector* vector, CXVector* args)
{
    for (int i = 0; i < argumentCount(args) && i < vector->getSize(); ++i)
        if (CMC_Double* value = getParameterDouble(args, i))
            vector->set(i, value->getValue());
}
