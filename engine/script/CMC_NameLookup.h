#pragma once

#include "script/CMC_ObjectsContainer.h"

#include "foundation/CStringHashCode.h"

#include <cstdint>
#include <memory>

// A name looked up through a container and its parents, remembered together with the
// containers' change count: while nothing anywhere was added, removed or re-parented, the
// same name in the same container finds the same object, or nothing, without a look-up.
class CMC_NameLookup {
public:
    // What the container's getObject finds for the name; none without a container.
    CMC_Object* find(CMC_ObjectsContainer* container, const char* name);
    // The same for a lookup that is always asked for one name: it is hashed once, and not
    // compared again.
    CMC_Object* findFixed(CMC_ObjectsContainer* container, const char* name)
    {
        if (stamp_ == CMC_ObjectsContainer::getChangeCount() && container == container_)
            return found_;
        if (key_ == nullptr)
            return find(container, name);
        return lookUp(container);
    }
    // Takes what a look-up made elsewhere found, as of now.
    void remember(CMC_ObjectsContainer* container, const char* name, CMC_Object* found);

private:
    CMC_Object* lookUp(CMC_ObjectsContainer* container);
    // Makes the key hold the name.
    void keyFor(const char* name);

    std::unique_ptr<CStringHashCode> key_;
    CMC_ObjectsContainer* container_ = nullptr;
    CMC_Object* found_ = nullptr;
    uint64_t stamp_ = 0;
};
