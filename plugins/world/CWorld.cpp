#include "CWorld.h"

#include "CMC_World.h"

#include "script/CMElement.h"

#include <memory>

namespace {

std::unique_ptr<CWorld>& module()
{
    static std::unique_ptr<CWorld> made;
    return made;
}

} // namespace

CWorld::CWorld(CMC_ObjectsContainer* container)
    : container_(container)
{
}

bool CWorld::isSupported(const CXString& type)
{
    for (CXString** name = types_; *name != nullptr; ++name)
        if (**name == type)
            return true;
    return false;
}

CMC_Object* CWorld::resolve(CMC_ObjectsContainer* container, CMElement* element)
{
    if (element == nullptr || element->getPropertyValue("TYPE") != TYPE_NAME)
        return nullptr;
    return new CMC_World(container, element);
}

// The caller reads the object's record.
CMC_Object* CWorld::serialize(int typeId, CXArchive*)
{
    return typeId == CMC_World::TYPE_WORLD ? new CMC_World(container_) : nullptr;
}

void CWorld::create(CMC_ObjectsContainer* container)
{
    if (module() == nullptr)
        module() = std::make_unique<CWorld>(container);
}

void CWorld::release()
{
    module().reset();
}

CWorld* CWorld::getModule()
{
    return module().get();
}
