#include "script_graphics/CMC_Image.h"

#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "foundation/CResourcesManager.h"
#include "foundation/CXArchive.h"
#include "graphics/CImage.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "script_graphics/CMC_SignalForms.h"
#include "text/CUnit6.h"

namespace {

CWindow* windowOf(CMC_ObjectsContainer* owner)
{
    return owner != nullptr ? owner->getWindow() : nullptr;
}

CRefreshScreen* screenOf(CWindow* window)
{
    return window != nullptr ? window->GetRefreshScreenInterface() : nullptr;
}

CXString fileNameOf(CImage* picture)
{
    return picture != nullptr ? picture->CFileResolver::getFileName() : CXString();
}

} // namespace

CMC_Image::CMC_Image(CMC_ObjectsContainer* owner)
    : CMC_Object(CXString(), kType)
    , window_(windowOf(owner))
    , button_(*this, *this, window_)
{
    setScene(owner);
    CPlayable::watch(this);
}

CMC_Image::CMC_Image(CMC_ObjectsContainer* owner, CImage* picture)
    : CMC_Object("clone", kType)
    , window_(windowOf(owner))
    , picture_(picture)
    , button_(*this, *this, window_)
{
    setScene(owner);
    CPlayable::watch(this);
}

CMC_Image::CMC_Image(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
    , window_(windowOf(owner))
    , button_(*this, *this, window_)
{
    CPlayable::watch(this);
    const CXString file = element->getPropertyValue("FILENAME");
    const bool toCanvas = element->getPropertyBoolValue("TOCANVAS");
    const bool visible = element->getPropertyBoolValue("VISIBLE");
    const bool flushAfterPlayed = element->getPropertyBoolValue("FLUSHAFTERPLAYED");
    const CXString preload = element->getPropertyValue("PRELOAD");
    preload_ = element->getPropertyBoolValue("PRELOAD");
    monitorCollision_ = element->getPropertyBoolValue("MONITORCOLLISION");
    monitorCollisionAlpha_ = element->getPropertyBoolValue("MONITORCOLLISIONALPHA");
    priority_ = element->getPropertyIntValue("PRIORITY");
    load(file, !preload.IsString() || preload_);
    picture_->toRelease(flushAfterPlayed);
    showPicture(visible);
    start_ = picture_->GetPosition();
    monitorCollisions();
    if (toCanvas && screenOf(window_) != nullptr)
        screenOf(window_)->put(picture_, priority_);
    button_.setButton(element->getPropertyBoolValue("ASBUTTON"));
    initializeBehaviours(owner, element);
}

CMC_Image::~CMC_Image()
{
    CPlayable::unwatch(this);
}

void CMC_Image::onPlayableGone(CPlayable* playable)
{
    if (picture_ != nullptr && playable == static_cast<CPlayable*>(picture_)) {
        picture_ = nullptr;
        holder_ = nullptr;
        uses_ = 0;
        ownsPicture_ = false;
    }
}

// The clone's picture shares the planes; the original's use of the shared picture counts one
// more, since the clone's picture lives on those planes.
CXObject* CMC_Image::clone()
{
    if (picture_ == nullptr)
        return new CMC_Image(getScene(), static_cast<CImage*>(nullptr));
    CImage* copy = picture_->clone();
    CRefreshScreen* screen = screenOf(window_);
    const int priority = screen != nullptr ? screen->GetPriority(picture_) : -1;
    if (holder_ != nullptr) {
        if (CFileResolver* shared = holder_->get(fileNameOf(picture_)); shared == picture_)
            ++uses_;
        else if (shared != nullptr)
            holder_->remove(shared);
    }
    if (priority >= 0)
        screen->put(copy, priority);
    return new CMC_Image(getScene(), copy);
}

bool CMC_Image::done(bool final)
{
    if (picture_ != nullptr)
        releasePicture();
    return CMC_Object::done(final);
}

const CMC_SignalList* CMC_Image::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT",    "ONDONE",     "ONSIGNAL", "ONCOLLISION", "ONCOLLISIONFINISHED",
                                        "ONFOCUSON", "ONFOCUSOFF", "ONCLICK",  "ONRELEASE"};
    return &signals;
}

bool CMC_Image::verifyBehaviour(const CXString& name)
{
    button_.onBinding(name, priority_);
    return true;
}

CGraphicsObject* CMC_Image::getGraphicsObject(const CXString&)
{
    return picture_;
}

CMC_Scene* CMC_Image::ownerScene()
{
    CMC_ObjectsContainer* owner = getScene();
    return dynamic_cast<CMC_Scene*>(owner != nullptr ? owner->getScene() : nullptr);
}

void CMC_Image::removeCollisionsMonitoring()
{
    if (CMC_Scene* scene = ownerScene(); scene != nullptr && picture_ != nullptr)
        scene->removeMonitorCollisions(picture_, this);
}

void CMC_Image::monitorCollisions()
{
    if (!monitorCollision_ && !monitorCollisionAlpha_)
        return;
    if (CMC_Scene* scene = ownerScene())
        scene->monitorCollisions(picture_, monitorCollisionAlpha_, this);
}

void CMC_Image::showPicture(bool visible)
{
    if (picture_ == nullptr)
        return;
    picture_->Visible(visible);
    picture_->setVisibility(visible);
}

void CMC_Image::releasePicture()
{
    removeCollisionsMonitoring();
    CImage* picture = std::exchange(picture_, nullptr);
    if (CResourcesManager* holder = std::exchange(holder_, nullptr)) {
        for (int use = std::exchange(uses_, 0); use > 0; --use)
            if (holder->remove(picture))
                break;
        return;
    }
    CMC_ObjectsContainer* owner = getScene();
    if (std::exchange(ownsPicture_, false) || isClone() || owner == nullptr || owner->getType() != TYPE_SCENE) {
        picture->Visible(false);
        delete picture;
    }
}

void CMC_Image::load(const CXString& file, bool preload)
{
    CMC_ObjectsContainer* owner = getScene();
    CUnit6* unit = owner != nullptr && owner->getType() == TYPE_SCENE ? CMC_Scene::getDefUnit() : nullptr;
    CResourcesManager* manager = unit != nullptr ? unit->getResourcesManager() : nullptr;
    CRefreshScreen* screen = screenOf(window_);
    const int oldPriority = picture_ != nullptr && screen != nullptr ? screen->GetPriority(picture_) : -1;
    if (picture_ != nullptr)
        releasePicture();
    if (manager != nullptr && file.IsString())
        picture_ = manager->getAs<CImage>(file);
    if (picture_ == nullptr) {
        picture_ = new CImage(window_);
        picture_->setFilename(file);
        if (preload)
            picture_->Load(file, true);
        if (manager != nullptr)
            manager->add(picture_);
    }
    holder_ = manager;
    uses_ = manager != nullptr ? 1 : 0;
    ownsPicture_ = manager == nullptr;
    if (oldPriority >= 0) {
        screen->put(picture_, oldPriority);
        monitorCollisions();
        picture_->setMonitorCollisions(monitorCollision_ || monitorCollisionAlpha_);
    }
}

void CMC_Image::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        CRefreshScreen* screen = screenOf(window_);
        const bool onScreen = picture_ != nullptr && screen != nullptr && screen->GetPriority(picture_) != -1;
        *archive << button_.isButton() << monitorCollision_ << monitorCollisionAlpha_ << fileNameOf(picture_) << onScreen
                 << (picture_ != nullptr && picture_->CGraphicsObject::isVisible()) << priority_
                 << (picture_ != nullptr && picture_->releaseAfterUse()) << preload_;
        return;
    }
    bool asButton = false;
    CXString file;
    bool onScreen = false;
    bool visible = false;
    bool releaseAfterUse = false;
    *archive >> &asButton >> &monitorCollision_ >> &monitorCollisionAlpha_ >> &file >> &onScreen >> &visible
        >> &priority_ >> &releaseAfterUse >> &preload_;
    if (archive->failed())
        return;
    button_.setButton(asButton);
    load(file, preload_);
    picture_->toRelease(releaseAfterUse);
    showPicture(visible);
    monitorCollisions();
    if (onScreen && screenOf(window_) != nullptr)
        screenOf(window_)->put(picture_, priority_);
}

void CMC_Image::setAsButton(bool, bool activeCursor)
{
    button_.setButton(true);
    button_.setActiveCursor(activeCursor);
}

void CMC_Image::onCollision(CGraphicsObject* mover, CGraphicsObject* other)
{
    raiseCollision(SIGNAL_ONCOLLISION, "ONCOLLISION", mover, other);
}

void CMC_Image::onCollisionFinished(CGraphicsObject* mover, CGraphicsObject* other)
{
    raiseCollision(SIGNAL_ONCOLLISIONFINISHED, "ONCOLLISIONFINISHED", mover, other);
}

void CMC_Image::raiseCollision(int signal, const char* name, CGraphicsObject* mover, CGraphicsObject* other)
{
    CMC_ObjectsContainer* owner = getScene();
    if (!isSignalBound(signal) || picture_ == nullptr || mover != picture_ || owner == nullptr)
        return;
    const CXString plain(name);
    const CXString otherName = owner->getGraphicsObjectName(other);
    CMC_SignalForms::raiseNamed(*this, {plain + "^" + otherName}, plain, owner->getGraphicsObjectName(mover), otherName);
}

bool CMC_Image::onMouseMove(CXPoint p)
{
    return button_.onMouseMove(p, picture_);
}

bool CMC_Image::onClick(int button, CXPoint p)
{
    return button_.onClick(button, p, picture_);
}

bool CMC_Image::onRelease(int button, CXPoint p)
{
    return button_.onRelease(button, p, picture_);
}
