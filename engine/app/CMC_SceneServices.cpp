// What a scene does for itself while it runs: its music, its play statistics, its plug-in
// libraries, the objects scripts create, collision monitoring, the lists scripts ask for and
// its updates over the network.
#include "app/CMC_Scene.h"

#include "app/CApplication.h"
#include "app/CMC_SceneUpdate.h"
#include "app/CWindow.h"
#include "foundation/CConfig.h"
#include "foundation/CPublicTrash.h"
#include "foundation/CStringTokenizer.h"
#include "foundation/CXVector.h"
#include "graphics/CCollisionInspector.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/CMC_SceneTypes.h"
#include "media/CPlayable.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "script/CMC_Array.h"
#include "script/CMC_DLLExModuleInterface.h"
#include "script/CMC_ExternObject.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_String.h"
#include "script/CMC_VariableFactory.h"
#include "text/CUnit6.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

namespace {

constexpr int kTypeAnimo = 2000;
constexpr int kTypeSequence = 2004;
constexpr int kTypeTimer = 2007;

// The objects of the type that the container holds, in the order they were entered.
void eachOfType(CMC_ObjectsContainer* container, int type, const std::function<void(CMC_Object*)>& action)
{
    std::unique_ptr<CXVector> found(container->getObjectsOfType(type));
    for (int i = 0; i < found->getCount(); ++i)
        action(static_cast<CMC_Object*>(found->at(i)));
}

bool isPlaying(CMC_Object* object)
{
    CPlayable* playable = CMC_SceneTypes::playableOf(object);
    return playable != nullptr && playable->isPlaying();
}

bool names(CMC_Array* array, const CXString& name)
{
    for (int i = 0; i < array->getSize(); ++i)
        if (CMC_Variable* value = array->get(i); value != nullptr && value->toString() == name)
            return true;
    return false;
}

} // namespace

// --- music ---

CXString CMC_Scene::getMusicFilename()
{
    if (music_.IsString())
        return music_;
    auto* parent = dynamic_cast<CMC_Scene*>(getParent());
    return parent != nullptr ? parent->getMusicFilename() : CXString();
}

void CMC_Scene::startMusic(const char* name, bool force)
{
    CUnit6* unit = boundUnit();
    if (unit == nullptr)
        return;
    if (name != nullptr && CXString(name) != getMusicFilename()) {
        music_ = name;
        startMusic_ = true;
    }
    unit->startMusic(name, force);
}

void CMC_Scene::stopMusic()
{
    CUnit6* unit = boundUnit();
    if (unit == nullptr)
        return;
    unit->stopMusic();
    startMusic_ = true;
}

// --- statistics ---

void CMC_Scene::saveStats()
{
    const bool visited = visiting_;
    visiting_ = false;
    if (!keepsStatistics_)
        return;
    CWindow* window = getWindow();
    CApplication* application = window != nullptr ? window->GetApplicationInterface() : nullptr;
    CConfig* ini = application != nullptr ? application->GetConfigInterface() : nullptr;
    if (ini == nullptr)
        return;
    auto time = static_cast<uint32_t>(ini->GetInt(getName(), "Time"));
    auto played = static_cast<uint32_t>(ini->GetInt(getName(), "Played"));
    if (visited) {
        // Whole seconds of the tick count, as the start was taken; safe across its wrap.
        const uint32_t now = platform::tickCount();
        time += (now - startTicks_ + startTicks_ % 1000) / 1000;
        played += 1;
    }
    ini->PutInt(getName(), "Time", static_cast<int>(time));
    ini->PutInt(getName(), "Played", static_cast<int>(played));
}

void CMC_Scene::dropStatistics()
{
    keepsStatistics_ = false;
    for (int i = 0; i < subScenes_->getCount(); ++i)
        static_cast<CMC_Scene*>(subScenes_->at(i))->dropStatistics();
}

// --- plug-in libraries ---

void CMC_Scene::resolveDLLs(const CXString& list)
{
    doneDLLs();
    CStringTokenizer names(list, CXString(","));
    while (names.hasMoreTokens())
        modules_.push_back(std::make_unique<CMC_DLLExModuleInterface>(names.nextToken(), this));
}

// The code of an object must outlive it: when objects that the libraries made still wait in
// the deferred-delete bin, the libraries go into the bin after them.
void CMC_Scene::doneDLLs()
{
    CWindow* window = getWindow();
    CPublicTrash* bin = window != nullptr ? window->getPublicTrashInterface() : nullptr;
    const bool objectsWait = bin != nullptr && moduleObjectsWaitInTheBin();
    for (auto& module : modules_) {
        std::unique_ptr<CXObject> library = module->detachLibrary();
        if (objectsWait && library != nullptr) {
            library->setToDelete();
            bin->add(library.release());
        }
        module.reset();
    }
    modules_.clear();
    moduleObjects_.clear();
}

bool CMC_Scene::moduleObjectsWaitInTheBin() const
{
    CPublicTrash* bin = getWindow()->getPublicTrashInterface();
    for (int i = 0; i < bin->getCount(); ++i)
        if (std::find(moduleObjects_.begin(), moduleObjects_.end(), bin->at(i)) != moduleObjects_.end())
            return true;
    return false;
}

CMC_Object* CMC_Scene::madeByModule(CMC_Object* object)
{
    if (object != nullptr)
        moduleObjects_.push_back(object);
    return object;
}

CMC_Object* CMC_Scene::resolveEx(CMElement* element)
{
    for (const auto& module : modules_)
        if (CMC_ExternObject* library = module->getModuleInterface())
            if (CMC_Object* object = library->resolve(this, element))
                return madeByModule(object);
    return nullptr;
}

CMC_Object* CMC_Scene::serializeEx(CXArchive* archive, int typeId)
{
    for (const auto& module : modules_)
        if (CMC_ExternObject* library = module->getModuleInterface())
            if (CMC_Object* object = library->serialize(typeId, archive))
                return madeByModule(object);
    return nullptr;
}

// --- objects made at run time ---

void CMC_Scene::createObject(const CXString& type, const CXString& name)
{
    CMC_Object* object = CMC_SceneTypes::make(type, this, name);
    if (object == nullptr) {
        platform::debugOutput(("Object " + name + " not created: no run-time type " + type + "\n").c_str());
        return;
    }
    object->initializeBehaviours(this, nullptr);
    addObject(object);
}

// --- collisions ---

void CMC_Scene::monitorCollisions(CGraphicsObject* object, bool alphaTest, CCollisionObserver* observer)
{
    CWindow* window = getWindow();
    CCollisionInspector* inspector = window != nullptr ? window->getCollisionInspectorInterface() : nullptr;
    if (object == nullptr || inspector == nullptr || object->getMonitorCollisionsFlag())
        return;
    inspector->addNotifier(observer);
    inspector->addMonitoredObject(object, alphaTest);
    // The flag says that the object reports its moves; the alpha test is the inspector's.
    object->setMonitorCollisions(true);
    monitored_.push_back(object);
}

void CMC_Scene::removeMonitorCollisions(CGraphicsObject* object, CCollisionObserver* observer)
{
    CWindow* window = getWindow();
    if (CCollisionInspector* inspector = window != nullptr ? window->getCollisionInspectorInterface() : nullptr) {
        inspector->removeNotifier(observer);
        inspector->removeMonitoredObject(object);
    }
    monitored_.erase(std::remove(monitored_.begin(), monitored_.end(), object), monitored_.end());
}

void CMC_Scene::endCollisionMonitoring()
{
    CWindow* window = getWindow();
    CCollisionInspector* inspector = window != nullptr ? window->getCollisionInspectorInterface() : nullptr;
    for (CGraphicsObject* object : monitored_)
        if (inspector != nullptr)
            inspector->removeMonitoredObject(object);
    monitored_.clear();
}

// --- lists for scripts ---

void CMC_Scene::getPlayingSeq(CMC_Array* names)
{
    if (names == nullptr)
        return;
    eachOfType(this, kTypeSequence, [names](CMC_Object* sequence) {
        if (!isPlaying(sequence))
            return;
        CMC_String* name = CMC_VariableFactory::allocString(sequence->getName());
        names->add(name);
        CMC_Object::flush(name, false);
    });
}

void CMC_Scene::resumeExcept(CMC_Array* chosen)
{
    if (chosen == nullptr)
        return;
    eachOfType(this, kTypeSequence, [chosen](CMC_Object* sequence) {
        CPlayable* playable = CMC_SceneTypes::playableOf(sequence);
        if (playable != nullptr && playable->isPaused() && names(chosen, sequence->getName()))
            playable->resume();
    });
}

void CMC_Scene::getPlayingAnimo(CMC_Groupped* group)
{
    if (group == nullptr)
        return;
    group->removeAll();
    eachOfType(this, kTypeAnimo, [group](CMC_Object* animo) {
        if (isPlaying(animo))
            group->add(animo);
    });
}

void CMC_Scene::getRunningTimers(CMC_Groupped* group)
{
    if (group == nullptr)
        return;
    group->removeAll();
    eachOfType(this, kTypeTimer, [group](CMC_Object* timer) {
        if (CMC_SceneTypes::isRunning(timer))
            group->add(timer);
    });
}

// --- updates over the network ---

void CMC_Scene::createUpdates(CNetworkClient* peer)
{
    if (subScenes_->getCount() == 0) {
        if (update_ == nullptr)
            update_ = std::make_unique<CMC_SceneUpdate>(peer, this);
        return;
    }
    for (int i = 0; i < subScenes_->getCount(); ++i)
        static_cast<CMC_Scene*>(subScenes_->at(i))->createUpdates(peer);
}

void CMC_Scene::setUpdateIfc(std::unique_ptr<CMC_SceneUpdate> update)
{
    update_ = std::move(update);
}
