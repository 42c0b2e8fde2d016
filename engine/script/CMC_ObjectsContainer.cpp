#include "script/CMC_ObjectsContainer.h"

#include "foundation/CHashtable.h"
#include "foundation/CPublicTrash.h"
#include "foundation/CStringHashCode.h"
#include "foundation/CXVector.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Binding.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_ObjectFactory.h"
#include "script/CMC_SignalList.h"
#include "script/CMC_Variable.h"
#include "script/CMElement.h"
#include "script/ScriptWindow.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

std::vector<CMC_ObjectsContainer::Watcher*>& watchers()
{
    static std::vector<CMC_ObjectsContainer::Watcher*> list;
    return list;
}

constexpr int kNameBuckets = 10001;

bool isContainerOfTheSceneFlow(const CMC_Object* object)
{
    const int type = object->getType();
    return type == CMC_Object::TYPE_APPLICATION || type == CMC_Object::TYPE_EPISODE || type == CMC_Object::TYPE_SCENE;
}

} // namespace

CMC_ObjectsContainer::CMC_ObjectsContainer(ScriptWindow* window, CMC_ObjectsContainer* owner, CMElement* element, int type)
    : CMC_Object(owner, element, type)
    , window_(window)
{
    makeCollections();
}

CMC_ObjectsContainer::CMC_ObjectsContainer(ScriptWindow* window, CMC_ObjectsContainer* owner, const CXString& name, int type)
    : CMC_Object(name, type)
    , window_(window)
{
    setScene(owner);
    makeCollections();
}

CMC_ObjectsContainer::~CMC_ObjectsContainer()
{
    notifyGone();
    noteChange();
    delete lookupKey_;
    delete names_;
    delete objects_;
}

void CMC_ObjectsContainer::makeCollections()
{
    lookupKey_ = new CStringHashCode(CXString("temp"));
    objects_ = new CXVector(1001, 0.75f);
    names_ = new CHashtable(kNameBuckets, 1.0, true);
}

bool CMC_ObjectsContainer::removeObject(CMC_Object* object)
{
    if (object == nullptr || !objects_->contains(object))
        return false;
    names_->remove(object);
    objects_->remove(object);
    noteChange();
    return true;
}

void CMC_ObjectsContainer::addObject(CMC_Object* object)
{
    if (object == nullptr)
        return;
    CMC_Object* holder = getOwnObject(object->getName());
    if (holder == object)
        return;
    if (holder != nullptr) {
        removeObject(holder);
        deleteLater(holder);
    }
    names_->put(new CStringHashCode(object->getName()), object);
    objects_->add(object);
    noteChange();
}

void CMC_ObjectsContainer::deleteLater(CMC_Object* object)
{
    if (isContainerOfTheSceneFlow(object))
        return;
    CPublicTrash* trash = window_ != nullptr ? window_->getPublicTrashInterface() : nullptr;
    if (trash == nullptr) {
        delete object;
        return;
    }
    object->setToDelete();
    trash->add(object);
}

bool CMC_ObjectsContainer::holds(const CMC_Object* object) const
{
    return objects_->contains(const_cast<CMC_Object*>(object));
}

void CMC_ObjectsContainer::watch(Watcher* watcher)
{
    watchers().push_back(watcher);
}

void CMC_ObjectsContainer::unwatch(Watcher* watcher)
{
    auto& list = watchers();
    list.erase(std::remove(list.begin(), list.end(), watcher), list.end());
}

void CMC_ObjectsContainer::notifyGone()
{
    const std::vector<Watcher*> list = watchers();
    for (Watcher* watcher : list)
        watcher->onContainerGone(this);
}

CMC_Object* CMC_ObjectsContainer::getObject(const char* name)
{
    if (name == nullptr)
        return nullptr;
    lookupKey_->set(name);
    return getObject(lookupKey_);
}

CMC_Object* CMC_ObjectsContainer::getObject(CStringHashCode* key)
{
    if (auto* object = static_cast<CMC_Object*>(names_->get(key)))
        return object;
    const std::string& text = key->text();
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "_0") == 0) {
        CStringHashCode plain(CXString(text.substr(0, text.size() - 2).c_str()));
        if (CMC_Object* object = getObject(&plain))
            return object;
    }
    return parent_ != nullptr ? parent_->getObject(key) : nullptr;
}

CGraphicsObject* CMC_ObjectsContainer::getGraphicsObject(const CXString& reference)
{
    if (!reference.IsString())
        return nullptr;
    const int mark = reference.Find('!', 0);
    const CXString name = mark < 0 ? reference : reference.Left(mark);
    CMC_Object* object = getObject(name.c_str());
    return object != nullptr ? object->getShownGraphics(mark < 0 ? CXString() : reference.Mid(mark + 1, reference.GetLength()))
                             : nullptr;
}

CXString CMC_ObjectsContainer::getGraphicsObjectName(CGraphicsObject* picture)
{
    std::vector<CMC_ObjectsContainer*> searched;
    CMC_Object* owner = ownerOf(picture, searched);
    return owner != nullptr ? owner->getName() : CXString("UNKNOWN");
}

// Canvases and the screen composer are reached by name but never named by their pictures.
// Script class instances may hold one another, so each is searched once.
CMC_Object* CMC_ObjectsContainer::ownerOf(CGraphicsObject* picture, std::vector<CMC_ObjectsContainer*>& searched)
{
    constexpr int kCanvasObserver = 103;
    constexpr int kCanvas = 2020;
    searched.push_back(this);
    for (int i = 0; picture != nullptr && i < objects_->getCount(); ++i) {
        auto* object = static_cast<CMC_Object*>(objects_->at(i));
        const int type = object->getType();
        if (type == TYPE_CLASS) {
            auto* instance = static_cast<CMC_ObjectsContainer*>(object);
            if (std::find(searched.begin(), searched.end(), instance) == searched.end()
                && instance->ownerOf(picture, searched) != nullptr)
                return object;
        } else if (type != kCanvasObserver && type != kCanvas && object->getShownGraphics(CXString()) == picture) {
            return object;
        }
    }
    return nullptr;
}

CMC_Object* CMC_ObjectsContainer::getOwnObject(const CXString& name)
{
    lookupKey_->set(name.c_str());
    return static_cast<CMC_Object*>(names_->get(lookupKey_));
}

CMC_Object* CMC_ObjectsContainer::getObject(int index)
{
    if (index < 0 || index >= objects_->getCount())
        return nullptr;
    return static_cast<CMC_Object*>(objects_->at(index));
}

CMC_Variable* CMC_ObjectsContainer::getVariable(const char* name)
{
    CMC_Object* object = getObject(name);
    if (object == nullptr)
        return nullptr;
    switch (object->getType()) {
    case TYPE_INTEGER:
    case TYPE_STRING:
    case TYPE_BOOL:
    case TYPE_DOUBLE:
        return dynamic_cast<CMC_Variable*>(object);
    default:
        return nullptr;
    }
}

int CMC_ObjectsContainer::getObjectId(const CXString& name)
{
    for (int i = 0; i < objects_->getCount(); ++i)
        if (getObject(i)->getName() == name)
            return i;
    return -1;
}

CXVector* CMC_ObjectsContainer::getObjectsOfType(int type)
{
    auto* result = new CXVector(101, 0.75f);
    CXVector* held = names_->getElements();
    for (int i = 0; i < held->getCount(); ++i)
        if (static_cast<CMC_Object*>(held->at(i))->getType() == type)
            result->add(held->at(i));
    return result;
}

void CMC_ObjectsContainer::getObjects(const CXString& typeName, CMC_Groupped* group)
{
    if (group == nullptr)
        return;
    group->removeAll();
    std::unique_ptr<CXVector> found(getObjectsOfType(getTypeId(typeName)));
    for (int i = 0; i < found->getCount(); ++i)
        group->add(static_cast<CMC_Object*>(found->at(i)));
}

int CMC_ObjectsContainer::getElementsNo()
{
    return names_->getSize();
}

int CMC_ObjectsContainer::getObjectsNo()
{
    return objects_->getCount();
}

void CMC_ObjectsContainer::setParent(CMC_ObjectsContainer* parent)
{
    if (parent_ != nullptr) {
        removeObject(parent_);
        if (parent_->parent_ != nullptr)
            removeObject(parent_->parent_);
    }
    parent_ = parent;
    noteChange();
    if (parent_ != nullptr) {
        if (parent_->parent_ != nullptr)
            addObject(parent_->parent_);
        addObject(parent_);
    }
}

void CMC_ObjectsContainer::onSubSceneDone(CMC_ObjectsContainer* finished)
{
    CXVector held(*names_->getElements());
    for (int i = 0; i < held.getCount(); ++i)
        static_cast<CMC_Object*>(held.at(i))->onSceneDone(finished);
}

// Script classes and the types that finish first go before the objects that they use, while
// those still exist. The container finishes itself before anything is deleted, since its
// "ONDONE" handlers are often behaviours that it holds itself. Handlers may change the
// container meanwhile: each step walks a copy.
void CMC_ObjectsContainer::unload()
{
    const CXVector held(*objects_);
    auto each = [&held](auto&& action) {
        for (int i = 0; i < held.getCount(); ++i)
            action(static_cast<CMC_Object*>(held.at(i)));
    };
    each([](CMC_Object* o) { if (o->getType() == TYPE_CLASS) o->done(true); });
    each([](CMC_Object* o) { if (o->getType() != TYPE_CLASS && o->doneFirst()) o->done(true); });
    each([](CMC_Object* o) { if (o->getType() != TYPE_CLASS && !o->doneFirst()) o->done(true); });
    CMC_Object::done(true);
    const CXVector remaining(*objects_);
    delete names_;
    names_ = new CHashtable(kNameBuckets, 1.0, true);
    objects_->removeAll();
    noteChange();
    for (int i = 0; i < remaining.getCount(); ++i) {
        auto* object = static_cast<CMC_Object*>(remaining.at(i));
        if (deferring_ > 0)
            deleteLater(object);
        else if (!isContainerOfTheSceneFlow(object))
            delete object;
    }
    noteChange();
    notifyGone();
}

CMC_Object* CMC_ObjectsContainer::resolveEx(CMElement* element)
{
    CMC_ObjectsContainer* scene = getScene();
    return scene != nullptr && scene != this ? scene->resolveEx(element) : nullptr;
}

bool CMC_ObjectsContainer::resolveInPass(CMElement* element, int pass)
{
    if (!element->isPropertyAvailable("TYPE"))
        return false;
    const CXString word = element->getPropertyValue("TYPE");
    const CMC_ObjectFactory::Word* entry = CMC_ObjectFactory::find(word);
    CMC_Object* object = nullptr;
    if (entry == nullptr) {
        if (pass != CMC_ObjectFactory::kPasses)
            return false;
        object = getScene() != nullptr ? getScene()->resolveEx(element) : nullptr;
    } else {
        if (entry->pass != pass || entry->ignored)
            return false;
        if (entry->rebindName != nullptr) {
            if (CMC_Object* existing = getObject(entry->rebindName)) {
                existing->initializeBehaviours(this, element);
                onRebound(element);
                return false;
            }
        }
        if (entry->constructor != nullptr)
            object = entry->constructor(this, element);
    }
    if (object == nullptr) {
        CMC_ObjectFactory::reportLeftOver(element, word);
        return false;
    }
    addObject(object);
    return true;
}

void CMC_ObjectsContainer::resolveConditions()
{
    CXVector held(*names_->getElements());
    for (int i = 0; i < held.getCount(); ++i) {
        auto* object = static_cast<CMC_Object*>(held.at(i));
        if (object->getType() == TYPE_BEHAVIOUR)
            if (auto* behaviour = dynamic_cast<CMC_Behaviour*>(object))
                behaviour->resolveCondition();
    }
}

CMElements* CMC_ObjectsContainer::resolveObjects(CMElements* elements)
{
    auto* remaining = new CMElements(false);
    if (elements == nullptr)
        return remaining;
    for (int i = 0; i < elements->getCount(); ++i)
        remaining->add(elements->getAt(i));
    for (int pass = 1; pass <= CMC_ObjectFactory::kPasses; ++pass) {
        const CXVector walked(*remaining);
        for (int i = 0; i < walked.getCount(); ++i) {
            auto* element = static_cast<CMElement*>(walked.at(i));
            if (resolveInPass(element, pass))
                remaining->remove(element);
        }
        if (pass == 4)
            resolveConditions();
    }
    return remaining;
}

CXVector* CMC_ObjectsContainer::resolve(CMElement* element, CMC_Groupped* group)
{
    auto* result = new CXVector(101, 0.75f);
    if (element == nullptr || !element->isPropertyAvailable("TYPE"))
        return result;
    const CXString word = element->getPropertyValue("TYPE");
    const CMC_ObjectFactory::Word* entry = CMC_ObjectFactory::find(word);
    CMC_Object* object = nullptr;
    if (entry != nullptr && entry->byResolve) {
        if (entry->constructor != nullptr)
            object = entry->constructor(this, element);
    } else if (getScene() != nullptr) {
        object = getScene()->resolveEx(element);
    }
    if (object == nullptr) {
        CMC_ObjectFactory::reportLeftOver(element, word);
        return result;
    }
    result->add(object);
    if (group != nullptr)
        addInlineBehavioursToGroup(object, group);
    return result;
}

// Only bindings under a plain signal name count here.
void CMC_ObjectsContainer::addInlineBehavioursToGroup(CMC_Object* object, CMC_Groupped* group)
{
    const CMC_SignalList* signals = object->getBehavioursList();
    for (int s = 0; signals != nullptr && s < signals->getCount(); ++s) {
        CXVector* list = object->getBehaviour(signals->at(s));
        for (int i = 0; list != nullptr && i < list->getCount(); ++i) {
            CMC_Behaviour* behaviour = static_cast<CMC_Binding*>(list->at(i))->getBehaviour();
            if (behaviour != nullptr && behaviour->getName().startsWith("beh_"))
                group->add(behaviour);
        }
    }
}
