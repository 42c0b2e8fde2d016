#pragma once

#include "script/CMC_ObjectsContainer.h"

#include <cstdint>
#include <string>

// A name looked up through a container and its parents, remembered together with the
// containers' change count: while nothing anywhere was added, removed or re-parented, the
// same name in the same container finds the same object, or nothing, without a look-up.
class CMC_NameLookup {
public:
    // What the container's getObject finds for the name; none without a container.
    CMC_Object* find(CMC_ObjectsContainer* container, const char* name);
    // The same for a lookup that is always asked for one name, which is not compared again.
    CMC_Object* findFixed(CMC_ObjectsContainer* container, const char* name)
    {
        if (stamp_ == CMC_ObjectsContainer::getChangeCount() && container == container_)
            return found_;
        return find(container, name);
    }
    // Takes what a look-up made elsewhere found, as of now.
    void remember(CMC_ObjectsContainer* container, const char* name, CMC_Object* found);

private:
    std::string name_;
    CMC_ObjectsContainer* container_ = nullptr;
    CMC_Object* found_ = nullptr;
    uint64_t stamp_ = 0;
};
