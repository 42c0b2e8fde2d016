#include "script/CMC_NameLookup.h"

#include "script/CMC_ObjectsContainer.h"

CMC_Object* CMC_NameLookup::find(CMC_ObjectsContainer* container, const char* name)
{
    if (container == nullptr)
        return nullptr;
    if (stamp_ == CMC_ObjectsContainer::getChangeCount() && container == container_ && name_ == name)
        return found_;
    remember(container, name, container->getObject(name));
    return found_;
}

void CMC_NameLookup::remember(CMC_ObjectsContainer* container, const char* name, CMC_Object* found)
{
    name_ = name;
    container_ = container;
    found_ = found;
    stamp_ = CMC_ObjectsContainer::getChangeCount();
}
