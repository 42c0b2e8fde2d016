#include "script/CMC_NameLookup.h"

#include "script/CMC_ObjectsContainer.h"

CMC_Object* CMC_NameLookup::find(CMC_ObjectsContainer* container, const char* name)
{
    if (container == nullptr)
        return nullptr;
    const bool sameName = key_ != nullptr && key_->text() == name;
    if (sameName && stamp_ == CMC_ObjectsContainer::getChangeCount() && container == container_)
        return found_;
    if (!sameName)
        keyFor(name);
    return lookUp(container);
}

CMC_Object* CMC_NameLookup::lookUp(CMC_ObjectsContainer* container)
{
    if (container == nullptr)
        return nullptr;
    container_ = container;
    found_ = container->getObject(key_.get());
    stamp_ = CMC_ObjectsContainer::getChangeCount();
    return found_;
}

void CMC_NameLookup::remember(CMC_ObjectsContainer* container, const char* name, CMC_Object* found)
{
    keyFor(name);
    container_ = container;
    found_ = found;
    stamp_ = CMC_ObjectsContainer::getChangeCount();
}

void CMC_NameLookup::keyFor(const char* name)
{
    if (key_ == nullptr)
        key_ = std::make_unique<CStringHashCode>(CXString(name));
    else
        key_->set(name);
}
