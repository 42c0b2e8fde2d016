#include "script_graphics/CMC_Groupped.h"

#include "foundation/CXVector.h"
#include "script/CMC_SignalList.h"

CMC_Groupped::CMC_Groupped(const CXString& name, CMC_ObjectsContainer* container)
    : CMC_Object(name, 3000)
    , members_(new CXVector(101, 0.75f))
{
    setScene(container);
}

CMC_Groupped::~CMC_Groupped()
{
    delete members_;
}

const CMC_SignalList* CMC_Groupped::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

void CMC_Groupped::add(CMC_Object* object)
{
    if (!members_->contains(object))
        members_->add(object);
}

void CMC_Groupped::removeAll()
{
    members_->removeAll();
}
