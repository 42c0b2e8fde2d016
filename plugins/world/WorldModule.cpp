// The entry points of the plug-in library, the only names it exports.
#include "CWorld.h"

#include <type_traits>

#define WORLD_EXPORT extern "C" __attribute__((visibility("default")))

WORLD_EXPORT void create(CMC_ObjectsContainer* container)
{
    CWorld::create(container);
}

WORLD_EXPORT void release()
{
    CWorld::release();
}

WORLD_EXPORT CMC_ExternObject* getModuleInterface()
{
    return CWorld::getModule();
}

static_assert(std::is_same_v<decltype(&create), CMC_ExternObject::Create>);
static_assert(std::is_same_v<decltype(&release), CMC_ExternObject::Release>);
static_assert(std::is_same_v<decltype(&getModuleInterface), CMC_ExternObject::GetModuleInterface>);
