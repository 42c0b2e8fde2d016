#include "script/CMC_Behaviour.h"

#include "script/CMC_BasicCondition.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMElement.h"

CMC_Behaviour::CMC_Behaviour(CMC_ObjectsContainer* container)
    : CMC_Object(CXString(), TYPE_BEHAVIOUR)
{
    setScene(container);
}

CMC_Behaviour::CMC_Behaviour(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, TYPE_BEHAVIOUR)
    , code_(trimCode(element->getPropertyValue("CODE")))
    , conditionName_(element->getPropertyValue("CONDITION"))
{
    initializeBehaviours(container, element);
}

CMC_Behaviour::CMC_Behaviour(CMC_ObjectsContainer* container, const CXString& name, const CXString& code)
    : CMC_Object(name, TYPE_BEHAVIOUR)
    , code_(trimCode(code))
{
    setScene(container);
}

CXString CMC_Behaviour::trimCode(const CXString& code)
{
    CXString text = code;
    if (text.GetLength() == 0)
        return text;
    text.AllTrim(' ');
    if (text.startsWith("{"))
        text = text.Right(1);
    if (text.endsWith("}"))
        text = text.Left(text.GetLength() - 1);
    text.AllTrim(' ');
    return text;
}

void CMC_Behaviour::init()
{
    CMC_Object::init();
    if (code_.startsWith("{"))
        code_ = code_.Mid(1, code_.GetLength() - 1);
}

bool CMC_Behaviour::run(CMC_Object*, CXArray*, bool)
{
    return false;
}

void CMC_Behaviour::resolveCondition()
{
    if (conditionName_.GetLength() == 0 || getScene() == nullptr)
        return;
    CMC_Object* found = getScene()->getObject(conditionName_.c_str());
    const bool isCondition = found != nullptr &&
                             (found->getType() == TYPE_CONDITION || found->getType() == TYPE_COMPLEXCONDITION);
    condition_ = isCondition ? dynamic_cast<CMC_BasicCondition*>(found) : nullptr;
}
