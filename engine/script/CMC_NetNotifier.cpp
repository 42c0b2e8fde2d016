#include "script/CMC_NetNotifier.h"

#include "foundation/CXVector.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_Variable.h"

#include <memory>

void CMC_NetNotifier::announce(CMC_Variable* value)
{
    CMC_ObjectsContainer* container = value->getScene();
    if (container == nullptr)
        return;
    if (CMC_NetNotifier* server = find(container, "NETSERVER", TYPE_NETSERVER); server != nullptr &&
                                                                                server->notifyVariable(value))
        return;
    if (CMC_NetNotifier* client = find(container, "NETCLIENT", TYPE_NETCLIENT))
        client->notifyVariable(value);
}

// Definitions name these objects themselves, so one may go by another name than its type's.
CMC_NetNotifier* CMC_NetNotifier::find(CMC_ObjectsContainer* container, const char* name, int type)
{
    CMC_Object* named = container->getObject(name);
    if (named != nullptr && named->getType() == type)
        return dynamic_cast<CMC_NetNotifier*>(named);
    for (CMC_ObjectsContainer* level = container; level != nullptr; level = level->getParent()) {
        std::unique_ptr<CXVector> found(level->getObjectsOfType(type));
        if (found->getCount() > 0)
            return dynamic_cast<CMC_NetNotifier*>(static_cast<CMC_Object*>(found->at(0)));
    }
    return nullptr;
}
