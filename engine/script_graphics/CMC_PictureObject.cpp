#include "script_graphics/CMC_PictureObject.h"

#include "foundation/CXArchive.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/GraphicsUnit.h"
#include "media/CResourcesManager.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMElement.h"
#include "script_graphics/CMC_SignalForms.h"
#include "script_graphics/GraphicsScene.h"
#include "script_graphics/ScriptGraphicsWindow.h"

#include <utility>

namespace {

ScriptGraphicsWindow* windowOf(CMC_ObjectsContainer* owner)
{
    return owner != nullptr ? ScriptGraphicsWindow::of(owner->getWindow()) : nullptr;
}

} // namespace

CMC_PictureObject::CMC_PictureObject(const CXString& name, int type, CMC_ObjectsContainer* owner)
    : CMC_Object(name, type)
    , window_(windowOf(owner))
{
    setScene(owner);
    CPlayable::watch(this);
}

CMC_PictureObject::CMC_PictureObject(CMC_ObjectsContainer* owner, CMElement* element, int type)
    : CMC_Object(owner, element, type)
    , window_(windowOf(owner))
{
    CPlayable::watch(this);
}

CMC_PictureObject::~CMC_PictureObject()
{
    CPlayable::unwatch(this);
}

CMC_PictureObject::Definition CMC_PictureObject::readDefinition(CMElement* element)
{
    Definition definition;
    definition.file = element->getPropertyValue("FILENAME");
    definition.toCanvas = element->getPropertyBoolValue("TOCANVAS");
    definition.visible = element->getPropertyBoolValue("VISIBLE");
    definition.flushAfterPlayed = element->getPropertyBoolValue("FLUSHAFTERPLAYED");
    // The record keeps whether the picture loads at once, which it does also without PRELOAD.
    preload_ = !element->getPropertyValue("PRELOAD").IsString() || element->getPropertyBoolValue("PRELOAD");
    definition.preload = preload_;
    monitorCollision_ = element->getPropertyBoolValue("MONITORCOLLISION");
    monitorCollisionAlpha_ = element->getPropertyBoolValue("MONITORCOLLISIONALPHA");
    priority_ = element->getPropertyIntValue("PRIORITY");
    return definition;
}

void CMC_PictureObject::onPlayableGone(CPlayable* playable)
{
    if (playable != playable_ || playable_ == nullptr)
        return;
    playable_ = nullptr;
    picture_ = nullptr;
    holder_ = nullptr;
    uses_ = 0;
    owned_ = false;
}

CGraphicsObject* CMC_PictureObject::getShownGraphics(const CXString&)
{
    return picture_;
}

CRefreshScreen* CMC_PictureObject::screen() const
{
    return window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr;
}

void CMC_PictureObject::putOnScreen(int priority)
{
    if (picture_ != nullptr && screen() != nullptr)
        screen()->put(picture_, priority);
}

GraphicsScene* CMC_PictureObject::ownerScene()
{
    CMC_ObjectsContainer* owner = getScene();
    return dynamic_cast<GraphicsScene*>(owner != nullptr ? owner->getScene() : nullptr);
}

void CMC_PictureObject::removeCollisionsMonitoring()
{
    if (GraphicsScene* scene = ownerScene(); scene != nullptr && picture_ != nullptr)
        scene->removeMonitorCollisions(picture_, this);
}

void CMC_PictureObject::monitorCollisions()
{
    if (!monitorCollision_ && !monitorCollisionAlpha_)
        return;
    if (GraphicsScene* scene = ownerScene(); scene != nullptr && picture_ != nullptr)
        scene->monitorCollisions(picture_, monitorCollisionAlpha_, this);
}

void CMC_PictureObject::take(CPlayable* picture, CResourcesManager* holder)
{
    playable_ = picture;
    picture_ = dynamic_cast<CGraphicsObject*>(picture);
    holder_ = holder;
    uses_ = holder != nullptr ? 1 : 0;
}

void CMC_PictureObject::adopt(CPlayable* picture)
{
    take(picture, nullptr);
    owned_ = false;
}

void CMC_PictureObject::addSharedUse()
{
    if (holder_ == nullptr)
        return;
    if (CFileResolver* shared = holder_->get(playable_->getFileName()); shared == playable_)
        ++uses_;
    else if (shared != nullptr)
        holder_->remove(shared);
}

void CMC_PictureObject::releasePicture()
{
    if (playable_ == nullptr)
        return;
    removeCollisionsMonitoring();
    onPictureLeaving();
    CPlayable* picture = std::exchange(playable_, nullptr);
    CGraphicsObject* graphics = std::exchange(picture_, nullptr);
    if (CResourcesManager* holder = std::exchange(holder_, nullptr)) {
        for (int use = std::exchange(uses_, 0); use > 0; --use)
            if (holder->remove(picture))
                break;
        return;
    }
    CMC_ObjectsContainer* owner = getScene();
    if (std::exchange(owned_, false) || isClone() || owner == nullptr || owner->getType() != TYPE_SCENE) {
        if (graphics != nullptr)
            graphics->Visible(false);
        delete picture;
    }
}

void CMC_PictureObject::load(const CXString& file, bool preload)
{
    CMC_ObjectsContainer* owner = getScene();
    GraphicsUnit* unit = owner != nullptr && owner->getType() == TYPE_SCENE ? GraphicsUnit::getDefault() : nullptr;
    CResourcesManager* manager = unit != nullptr ? unit->getResourcesManager() : nullptr;
    const int oldPriority = picture_ != nullptr && screen() != nullptr ? screen()->GetPriority(picture_) : -1;
    releasePicture();
    CPlayable* shared = manager != nullptr && file.IsString() ? sharedPicture(manager, file) : nullptr;
    if (shared != nullptr) {
        take(shared, manager);
    } else {
        CPlayable* made = makePicture(file, preload);
        if (manager != nullptr)
            manager->add(made);
        take(made, manager);
        owned_ = manager == nullptr;
    }
    if (oldPriority >= 0) {
        putOnScreen(oldPriority);
        onReplacedOnScreen();
        monitorCollisions();
        picture_->setMonitorCollisions(monitorCollision_ || monitorCollisionAlpha_);
    }
}

void CMC_PictureObject::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        const bool onScreen = picture_ != nullptr && screen() != nullptr && screen()->GetPriority(picture_) != -1;
        *archive << isButtonMode() << monitorCollision_ << monitorCollisionAlpha_
                 << (playable_ != nullptr ? playable_->getFileName() : CXString()) << onScreen
                 << (picture_ != nullptr && picture_->isVisible()) << priority_
                 << (playable_ != nullptr && playable_->releaseAfterUse()) << preload_;
        return;
    }
    bool buttonMode = false;
    CXString file;
    bool onScreen = false;
    bool visible = false;
    bool releaseAfterUse = false;
    *archive >> &buttonMode >> &monitorCollision_ >> &monitorCollisionAlpha_ >> &file >> &onScreen >> &visible
        >> &priority_ >> &releaseAfterUse >> &preload_;
    if (archive->failed())
        return;
    setButtonMode(buttonMode);
    load(file, preload_);
    playable_->toRelease(releaseAfterUse);
    showPicture(visible);
    monitorCollisions();
    if (onScreen)
        putOnScreen(priority_);
    onRecordRead();
}

CXString CMC_PictureObject::nameOf(CGraphicsObject* picture)
{
    CMC_ObjectsContainer* owner = getScene();
    return owner != nullptr ? owner->getGraphicsObjectName(picture) : CXString("UNKNOWN");
}

void CMC_PictureObject::onCollision(CGraphicsObject* mover, CGraphicsObject* other)
{
    raiseCollision("ONCOLLISION", mover, other);
}

void CMC_PictureObject::onCollisionFinished(CGraphicsObject* mover, CGraphicsObject* other)
{
    raiseCollision("ONCOLLISIONFINISHED", mover, other);
}

// Every monitored picture's collisions reach every observer: the names are looked up only for
// a signal of this object that is bound.
void CMC_PictureObject::raiseCollision(const char* plain, CGraphicsObject* mover, CGraphicsObject* other)
{
    const CXString name(plain);
    if (picture_ == nullptr || mover != picture_ || !isSignalBound(getSignalIndex(name)))
        return;
    const CXString otherName = nameOf(other);
    const CXString event = collisionEvent();
    if (event.IsString())
        CMC_SignalForms::raiseNamed(*this, {name + "^" + event + "^" + otherName, name + "^" + otherName}, name,
                                    nameOf(mover), otherName);
    else
        CMC_SignalForms::raiseNamed(*this, {name + "^" + otherName}, name, nameOf(mover), otherName);
}
