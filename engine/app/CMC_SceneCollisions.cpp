// What a scene does for the pictures of its graphics script objects: collision monitoring and
// the list of the animations that play.
#include "app/CMC_Scene.h"

#include "app/CWindow.h"
#include "foundation/CXVector.h"
#include "graphics/CAnimo6.h"
#include "graphics/CCollisionInspector.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_Groupped.h"

#include <algorithm>
#include <memory>

namespace {

CCollisionInspector* inspectorOf(CWindow* window)
{
    return window != nullptr ? window->getCollisionInspectorInterface() : nullptr;
}

} // namespace

void CMC_Scene::monitorCollisions(CGraphicsObject* object, bool alphaTest, CCollisionObserver* observer)
{
    CCollisionInspector* inspector = inspectorOf(getWindow());
    if (object == nullptr || inspector == nullptr || object->getMonitorCollisionsFlag())
        return;
    inspector->addNotifier(observer);
    inspector->addMonitoredObject(object, alphaTest);
    object->setMonitorCollisions(true);
    monitored_.push_back(object);
}

void CMC_Scene::removeMonitorCollisions(CGraphicsObject* object, CCollisionObserver* observer)
{
    if (CCollisionInspector* inspector = inspectorOf(getWindow())) {
        inspector->removeNotifier(observer);
        inspector->removeMonitoredObject(object);
    }
    std::erase(monitored_, object);
}

void CMC_Scene::getPlayingAnimo(CMC_Groupped* group)
{
    if (group == nullptr)
        return;
    group->removeAll();
    std::unique_ptr<CXVector> animos(getObjectsOfType(CMC_Animo::kType));
    for (int i = 0; i < animos->getCount(); ++i) {
        auto* animo = dynamic_cast<CMC_Animo*>(static_cast<CMC_Object*>(animos->at(i)));
        if (animo != nullptr && animo->getAnimo() != nullptr && animo->getAnimo()->IsPlaying())
            group->add(animo);
    }
}
