#include "script/CMC_BasicCondition.h"

#include "script/CMC_SignalList.h"

CMC_BasicCondition::CMC_BasicCondition(CMC_ObjectsContainer* container, CMElement* element, int type)
    : CMC_Object(container, element, type)
{
    initializeBehaviours(container, element);
}

const CMC_SignalList* CMC_BasicCondition::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONRUNTIMESUCCESS", "ONRUNTIMEFAILED"};
    return &signals;
}
