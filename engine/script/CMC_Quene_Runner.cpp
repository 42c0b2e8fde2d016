#include "script/CMC_Quene_Runner.h"

#include "script/CMC_Bool.h"
#include "script/CMC_Integer.h"
#include "script/CMC_Quene.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"

void CMC_Quene_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("PUSH", MTH_PUSH);
    registerMethod("POP", MTH_POP);
    registerMethod("GETSIZE", MTH_GETSIZE);
    registerMethod("ISEMPTY", MTH_ISEMPTY);
}

CMC_Object* CMC_Quene_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (object == nullptr || (object->getType() != CMC_Object::TYPE_FIFO && object->getType() != CMC_Object::TYPE_LIFO))
        return CMC_Runner::run(id, object, scope, args);
    auto* queue = static_cast<CMC_Quene*>(object);
    switch (id) {
    case MTH_PUSH:
        for (int i = 0; i < argumentCount(args); ++i)
            queue->push(getParameter(args, i));
        return nullptr;
    case MTH_POP:
        if (std::unique_ptr<CMC_Variable> value = queue->pop())
            return CMC_VariableFactory::copyVariable(value.get());
        return CMC_VariableFactory::allocString(CXString("NULL"));
    case MTH_GETSIZE:
        return CMC_VariableFactory::allocInteger(queue->getCount());
    case MTH_ISEMPTY:
        return CMC_VariableFactory::allocBool(queue->getCount() == 0);
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}
