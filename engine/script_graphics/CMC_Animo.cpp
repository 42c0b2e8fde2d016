#include "script_graphics/CMC_Animo.h"

#include "script_graphics/CMC_GraphicsButton.h"
#include "script_graphics/CMC_SignalForms.h"

#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "foundation/CResourcesManager.h"
#include "foundation/CXArchive.h"
#include "graphics/CAnimo6.h"
#include "graphics/CFrame.h"
#include "graphics/CRefreshScreen.h"
#include "media/CMC_Mouse.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "text/CUnit6.h"

#include <algorithm>

namespace {

const char kReverse[] = "_REVERSE";
constexpr int kReverseLength = 8;

CRefreshScreen* screenOf(CWindow* window)
{
    return window != nullptr ? window->GetRefreshScreenInterface() : nullptr;
}

CWindow* windowOf(CMC_ObjectsContainer* owner)
{
    return owner != nullptr ? owner->getWindow() : nullptr;
}

CXString fileNameOf(CAnimo6* animation)
{
    return animation != nullptr ? animation->CFileResolver::getFileName() : CXString();
}

} // namespace

CMC_Animo::CMC_Animo(CMC_ObjectsContainer* owner)
    : CMC_Object("temp", kType)
    , window_(windowOf(owner))
{
    setScene(owner);
    CPlayable::watch(this);
}

CMC_Animo::CMC_Animo(CMC_ObjectsContainer* owner, CAnimo6* animation)
    : CMC_Object("clone", kType)
    , window_(windowOf(owner))
    , animation_(animation)
{
    setScene(owner);
    CPlayable::watch(this);
    if (animation_ != nullptr)
        animation_->setNotifier(this);
}

CMC_Animo::CMC_Animo(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
    , window_(windowOf(owner))
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
    const int fps = element->getPropertyIntValue("FPS");
    load(file, !preload.IsString() || preload_);
    if (animation_ != nullptr) {
        animation_->toRelease(flushAfterPlayed);
        monitorCollisions();
        if (toCanvas && screenOf(window_) != nullptr)
            screenOf(window_)->put(animation_, priority_);
        animation_->setVisibility(visible);
        animation_->SetFPS(fps == 0 ? CAnimo::kDefaultFps : fps);
        animation_->addNotifier(this);
    }
    asButton_ = element->getPropertyBoolValue("ASBUTTON");
    onFirstFrame_ = element->getPropertyBoolValue("ONFIRSTFRAME");
    initializeBehaviours(owner, element);
}

CMC_Animo::~CMC_Animo()
{
    CPlayable::unwatch(this);
    // A sequence that outlives the object must not report back to it.
    for (CPlayable* sequence : std::vector<CPlayable*>(sequences_))
        sequence->substAnimation(nullptr);
    if (animation_ != nullptr)
        animation_->removeNotifier(this);
    if (listening_ && window_ != nullptr && CWindow::getInstance() == window_)
        window_->removeMouseListener(this);
}

void CMC_Animo::onPlayableGone(CPlayable* playable)
{
    if (animation_ != nullptr && playable == static_cast<CPlayable*>(animation_)) {
        animation_ = nullptr;
        holder_ = nullptr;
        ownsAnimation_ = false;
    }
}

CXObject* CMC_Animo::clone()
{
    CAnimo6* copy = animation_ != nullptr ? animation_->clone() : nullptr;
    if (copy != nullptr)
        if (CRefreshScreen* screen = screenOf(window_))
            screen->put(copy, std::max(screen->GetPriority(animation_), 0));
    return new CMC_Animo(getScene(), copy);
}

bool CMC_Animo::done(bool final)
{
    if (animation_ != nullptr) {
        for (CPlayable* sequence : std::vector<CPlayable*>(sequences_))
            sequence->substAnimation(nullptr);
        releaseAnimation();
    }
    return CMC_Object::done(final);
}

const CMC_SignalList* CMC_Animo::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT",      "ONDONE",         "ONSIGNAL",    "ONSTARTED",
                                        "ONFINISHED",  "ONPAUSED",       "ONRESUMED",   "ONFRAMECHANGED",
                                        "ONCOLLISION", "ONCOLLISIONFINISHED", "ONFOCUSON", "ONFOCUSOFF",
                                        "ONCLICK",     "ONRELEASE"};
    return &signals;
}

bool CMC_Animo::verifyBehaviour(const CXString& name)
{
    if (!listening_ && CMC_GraphicsButton::isMouseSignal(name) && window_ != nullptr) {
        hovered_ = false;
        listening_ = true;
        window_->registerMouseListener(this, priority_);
    }
    return true;
}

CGraphicsObject* CMC_Animo::getGraphicsObject(const CXString& part)
{
    if (animation_ == nullptr || !part.IsString())
        return animation_;
    return animation_->getFrame(part);
}

CXString CMC_Animo::getSignalEvent(const CXString& event)
{
    if (event.GetLength() > kReverseLength && event.endsWith(kReverse))
        return event.Left(event.GetLength() - kReverseLength);
    return event;
}

CMC_Scene* CMC_Animo::ownerScene()
{
    CMC_ObjectsContainer* owner = getScene();
    return dynamic_cast<CMC_Scene*>(owner != nullptr ? owner->getScene() : nullptr);
}

void CMC_Animo::removeCollisionsMonitoring()
{
    if (CMC_Scene* scene = ownerScene(); scene != nullptr && animation_ != nullptr)
        scene->removeMonitorCollisions(animation_, this);
}

void CMC_Animo::monitorCollisions()
{
    if (!monitorCollision_ && !monitorCollisionAlpha_)
        return;
    if (CMC_Scene* scene = ownerScene())
        scene->monitorCollisions(animation_, monitorCollisionAlpha_, this);
}

void CMC_Animo::releaseAnimation()
{
    removeCollisionsMonitoring();
    CAnimo6* animation = std::exchange(animation_, nullptr);
    animation->removeNotifier(this);
    if (CResourcesManager* holder = std::exchange(holder_, nullptr)) {
        holder->remove(animation);
        return;
    }
    CMC_ObjectsContainer* owner = getScene();
    if (std::exchange(ownsAnimation_, false) || isClone() || owner == nullptr || owner->getType() != TYPE_SCENE) {
        animation->Visible(false);
        delete animation;
    }
}

void CMC_Animo::load(const CXString& file, bool preload)
{
    CMC_ObjectsContainer* owner = getScene();
    const bool inScene = owner != nullptr && owner->getType() == TYPE_SCENE;
    if (animation_ == nullptr || !fileNameOf(animation_).equalsIgnoreCase(file)) {
        CUnit6* unit = inScene ? CMC_Scene::getDefUnit() : nullptr;
        CResourcesManager* manager = unit != nullptr ? unit->getResourcesManager() : nullptr;
        CRefreshScreen* screen = screenOf(window_);
        const int oldPriority = animation_ != nullptr && screen != nullptr ? screen->GetPriority(animation_) : -1;
        if (animation_ != nullptr)
            releaseAnimation();
        if (manager != nullptr && file.IsString())
            animation_ = manager->getAs<CAnimo6>(file);
        if (animation_ == nullptr) {
            animation_ = new CAnimo6(window_);
            animation_->setFilename(file);
            if (preload)
                animation_->Load(file);
            if (manager != nullptr)
                manager->add(animation_);
        }
        holder_ = manager;
        ownsAnimation_ = manager == nullptr;
        if (oldPriority >= 0) {
            screen->put(animation_, oldPriority);
            animation_->setNotifier(this);
            monitorCollisions();
            animation_->setMonitorCollisions(monitorCollision_ || monitorCollisionAlpha_);
        }
    }
    for (CPlayable* sequence : std::vector<CPlayable*>(sequences_))
        sequence->substAnimation(animation_);
}

void CMC_Animo::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        CRefreshScreen* screen = screenOf(window_);
        const bool onScreen = animation_ != nullptr && screen != nullptr && screen->GetPriority(animation_) != -1;
        *archive << asButton_ << monitorCollision_ << monitorCollisionAlpha_ << fileNameOf(animation_) << onScreen
                 << (animation_ != nullptr && animation_->isVisible()) << priority_
                 << (animation_ != nullptr && animation_->releaseAfterUse()) << preload_;
        return;
    }
    CXString file;
    bool onScreen = false;
    bool visible = false;
    bool releaseAfterUse = false;
    *archive >> &asButton_ >> &monitorCollision_ >> &monitorCollisionAlpha_ >> &file >> &onScreen >> &visible
        >> &priority_ >> &releaseAfterUse >> &preload_;
    if (archive->failed())
        return;
    load(file, preload_);
    animation_->toRelease(releaseAfterUse);
    animation_->setVisibility(visible);
    monitorCollisions();
    if (onScreen && screenOf(window_) != nullptr)
        screenOf(window_)->put(animation_, priority_);
    animation_->addNotifier(this);
}

void CMC_Animo::setAsButton(bool asButton, bool activeCursor)
{
    asButton_ = asButton;
    activeCursor_ = activeCursor;
    playEvent("ONNOEVENT");
    hovered_ = false;
}

void CMC_Animo::addSeq(CPlayable* sequence)
{
    if (sequence != nullptr && std::find(sequences_.begin(), sequences_.end(), sequence) == sequences_.end())
        sequences_.push_back(sequence);
}

void CMC_Animo::removeSeq(CPlayable* sequence)
{
    std::erase(sequences_, sequence);
}

// --- signals ---

CXString CMC_Animo::signalEvent()
{
    CXString event = animation_ != nullptr ? animation_->getCurrentEventName() : CXString();
    return getSignalEvent(event.Upper());
}

bool CMC_Animo::onPlayableStarted(CPlayable*)
{
    if (isSignalBound(SIGNAL_ONSTARTED))
        CMC_SignalForms::raiseFirst(*this, {"ONSTARTED^" + signalEvent(), CXString("ONSTARTED")});
    return false;
}

bool CMC_Animo::onPlayableFinished(CPlayable*)
{
    if (isSignalBound(SIGNAL_ONFINISHED))
        CMC_SignalForms::raiseFirst(*this, {"ONFINISHED^" + signalEvent(), CXString("ONFINISHED")});
    return false;
}

bool CMC_Animo::onPlayableTick(CPlayable*)
{
    if (!isSignalBound(SIGNAL_ONFRAMECHANGED) || animation_ == nullptr)
        return false;
    const _anmFrameInfo3* record = animation_->GetFrameInfo(-1, -1);
    CXString frame = record != nullptr ? record->getName() : CXString();
    if (frame.IsString())
        CMC_SignalForms::raiseFirst(*this, {"ONFRAMECHANGED^" + frame.Upper(), "ONFRAMECHANGED^" + signalEvent(), CXString("ONFRAMECHANGED")});
    else
        CMC_SignalForms::raiseFirst(*this, {"ONFRAMECHANGEDFRAME^" + CXString::toString(animation_->Current()),
                    "ONFRAMECHANGED^" + getSignalEvent(animation_->getCurrentEventName()), CXString("ONFRAMECHANGED")});
    return false;
}

void CMC_Animo::onCollision(CGraphicsObject* mover, CGraphicsObject* other)
{
    raiseCollision(SIGNAL_ONCOLLISION, "ONCOLLISION", mover, other);
}

void CMC_Animo::onCollisionFinished(CGraphicsObject* mover, CGraphicsObject* other)
{
    raiseCollision(SIGNAL_ONCOLLISIONFINISHED, "ONCOLLISIONFINISHED", mover, other);
}

// The plain form carries the two names as the behaviour's parameters.
void CMC_Animo::raiseCollision(int signal, const char* name, CGraphicsObject* mover, CGraphicsObject* other)
{
    CMC_ObjectsContainer* owner = getScene();
    if (!isSignalBound(signal) || animation_ == nullptr || mover != animation_ || owner == nullptr)
        return;
    const CXString plain(name);
    const CXString otherName = owner->getGraphicsObjectName(other);
    CMC_SignalForms::raiseNamed(*this, {plain + "^" + signalEvent() + "^" + otherName, plain + "^" + otherName}, plain,
                                owner->getGraphicsObjectName(mover), otherName);
}

// --- the mouse ---

bool CMC_Animo::reacts()
{
    return asButton_ && !CWindow::isPaused() && animation_ != nullptr && animation_->isVisible();
}

CXRect CMC_Animo::hitBox()
{
    if (!onFirstFrame_)
        return animation_->GetBoundingBox();
    return animation_->getImageRect(0);
}

bool CMC_Animo::isPlayingClick()
{
    return animation_->isPlaying("ONCLICK");
}

void CMC_Animo::playEvent(const char* name)
{
    if (animation_ != nullptr)
        animation_->Play(CXString(name), 0, CAnimo::kDefaultFps);
}

bool CMC_Animo::onMouseMove(CXPoint p)
{
    if (!reacts())
        return false;
    const bool bound = listening_ && (isSignalBound(SIGNAL_ONFOCUSON) || isSignalBound(SIGNAL_ONFOCUSOFF));
    const bool inside = hitBox().IsInRect(p);
    if (!hovered_ && inside) {
        onFoncusOn();
        if (bound) {
            hovered_ = true;
            onSignal(CXString("ONFOCUSON"));
        }
    } else if (hovered_ && !inside) {
        onFocusOff();
        if (bound) {
            hovered_ = false;
            onSignal(CXString("ONFOCUSOFF"));
        }
    }
    return false;
}

void CMC_Animo::onFoncusOn()
{
    if (!asButton_)
        return;
    if (!isPlayingClick())
        playEvent("ONFOCUSON");
    if (activeCursor_)
        window_->BeginActiveCursor();
}

void CMC_Animo::onFocusOff()
{
    if (!isPlayingClick())
        playEvent("ONFOCUSOFF");
    if (activeCursor_)
        window_->EndActiveCursor();
}

void CMC_Animo::onClick()
{
    if (!isPlayingClick())
        playEvent("ONCLICK");
    if (activeCursor_)
        window_->EndActiveCursor();
}

bool CMC_Animo::onClick(int button, CXPoint p)
{
    if (!reacts() || !listening_ || !hitBox().IsInRect(p))
        return false;
    onClick();
    if (isSignalBound(SIGNAL_ONCLICK))
        CMC_SignalForms::raiseFirst(*this, {"ONCLICK^" + CMC_Mouse::getButton(button), CXString("ONCLICK")});
    return true;
}

bool CMC_Animo::onRelease(int button, CXPoint p)
{
    if (reacts() && listening_ && isSignalBound(SIGNAL_ONRELEASE) && hitBox().IsInRect(p))
        CMC_SignalForms::raiseFirst(*this, {"ONRELEASE^" + CMC_Mouse::getButton(button), CXString("ONRELEASE")});
    return false;
}
