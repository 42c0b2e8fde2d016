#include "script_graphics/CMC_Animo.h"

#include "graphics/CAnimo6.h"
#include "graphics/CFrame.h"
#include "graphics/CRefreshScreen.h"
#include "media/CMC_Mouse.h"
#include "media/CResourcesManager.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "script_graphics/CMC_GraphicsButton.h"
#include "script_graphics/CMC_SignalForms.h"
#include "script_graphics/ScriptGraphicsWindow.h"

#include <algorithm>

namespace {

const char kReverse[] = "_REVERSE";
constexpr int kReverseLength = 8;

} // namespace

CMC_Animo::CMC_Animo(CMC_ObjectsContainer* owner)
    : CMC_PictureObject("temp", kType, owner)
{
}

CMC_Animo::CMC_Animo(CMC_ObjectsContainer* owner, CAnimo6* animation)
    : CMC_PictureObject("clone", kType, owner)
{
    adopt(animation);
    if (animation != nullptr)
        animation->setNotifier(this);
}

CMC_Animo::CMC_Animo(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_PictureObject(owner, element, kType)
{
    const Definition definition = readDefinition(element);
    const int fps = element->getPropertyIntValue("FPS");
    load(definition.file, definition.preload);
    CAnimo6* animation = getAnimo();
    animation->toRelease(definition.flushAfterPlayed);
    monitorCollisions();
    if (definition.toCanvas)
        putOnScreen(priority_);
    animation->setVisibility(definition.visible);
    animation->SetFPS(fps == 0 ? CAnimo::kDefaultFps : fps);
    animation->addNotifier(this);
    asButton_ = element->getPropertyBoolValue("ASBUTTON");
    onFirstFrame_ = element->getPropertyBoolValue("ONFIRSTFRAME");
    initializeBehaviours(owner, element);
}

CMC_Animo::~CMC_Animo()
{
    // A sequence that outlives the object must not report back to it.
    for (CPlayable* sequence : std::vector<CPlayable*>(sequences_))
        sequence->substAnimation(nullptr);
    if (CAnimo6* animation = getAnimo())
        animation->removeNotifier(this);
    if (listening_ && getWindow() != nullptr && ScriptGraphicsWindow::getInstance() == getWindow())
        getWindow()->removeMouseListener(this);
}

CAnimo6* CMC_Animo::getAnimo() const
{
    return static_cast<CAnimo6*>(picture());
}

CPlayable* CMC_Animo::makePicture(const CXString& file, bool preload)
{
    auto* animation = new CAnimo6(getWindow());
    animation->setFilename(file);
    if (preload)
        animation->Load(file);
    return animation;
}

CPlayable* CMC_Animo::sharedPicture(CResourcesManager* manager, const CXString& file)
{
    return manager->getAs<CAnimo6>(file);
}

void CMC_Animo::onReplacedOnScreen()
{
    getAnimo()->setNotifier(this);
}

void CMC_Animo::onPictureLeaving()
{
    getAnimo()->removeNotifier(this);
}

void CMC_Animo::showPicture(bool visible)
{
    getAnimo()->setVisibility(visible);
}

namespace {

const CXString kFpsNote("{FPS}");
const CXString kOnFirstFrameNote("{ONFIRSTFRAME}");

} // namespace

std::vector<CMC_Object::RecordNote> CMC_Animo::getRecordNotes()
{
    std::vector<RecordNote> notes;
    if (getAnimo() != nullptr)
        notes.push_back({kFpsNote, CXString::toString(getAnimo()->GetFPS()), CXString()});
    if (onFirstFrame_)
        notes.push_back({kOnFirstFrameNote, CXString("TRUE"), CXString()});
    return notes;
}

// A record without the notes plays at the rate of the animation's file.
void CMC_Animo::onRecordRead()
{
    getAnimo()->addNotifier(this);
    if (CXString fps; takeRecordNote(kFpsNote, &fps))
        getAnimo()->SetFPS(fps.toNumber());
    onFirstFrame_ = takeRecordNote(kOnFirstFrameNote, CXString()) == "TRUE";
}

CXObject* CMC_Animo::clone()
{
    CAnimo6* copy = getAnimo() != nullptr ? getAnimo()->clone() : nullptr;
    if (copy != nullptr && screen() != nullptr)
        screen()->put(copy, std::max(screen()->GetPriority(getAnimo()), 0));
    return new CMC_Animo(getScene(), copy);
}

bool CMC_Animo::done(bool final)
{
    if (getAnimo() != nullptr) {
        for (CPlayable* sequence : std::vector<CPlayable*>(sequences_))
            sequence->substAnimation(nullptr);
        releasePicture();
    }
    return CMC_Object::done(final);
}

void CMC_Animo::load(const CXString& file, bool preload)
{
    if (getAnimo() == nullptr || !getAnimo()->CFileResolver::getFileName().equalsIgnoreCase(file))
        CMC_PictureObject::load(file, preload);
    for (CPlayable* sequence : std::vector<CPlayable*>(sequences_))
        sequence->substAnimation(getAnimo());
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
    if (!listening_ && CMC_GraphicsButton::isMouseSignal(name) && getWindow() != nullptr) {
        hovered_ = false;
        listening_ = true;
        getWindow()->registerMouseListener(this, priority_);
    }
    return true;
}

CGraphicsObject* CMC_Animo::getShownGraphics(const CXString& part)
{
    if (getAnimo() == nullptr || !part.IsString())
        return getAnimo();
    return getAnimo()->getFrame(part);
}

CXString CMC_Animo::getSignalEvent(const CXString& event)
{
    if (event.GetLength() > kReverseLength && event.endsWith(kReverse))
        return event.Left(event.GetLength() - kReverseLength);
    return event;
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
    CXString event = getAnimo() != nullptr ? getAnimo()->getCurrentEventName() : CXString();
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

// A named frame signals under its name in upper case; an unnamed one under the image shown,
// then under the event as it is stored. Each form is made only when the one before it reached
// no handler, since frames change often.
bool CMC_Animo::onPlayableTick(CPlayable*)
{
    CAnimo6* animation = getAnimo();
    if (!isSignalBound(SIGNAL_ONFRAMECHANGED) || animation == nullptr)
        return false;
    const _anmFrameInfo3* record = animation->GetFrameInfo(-1, -1);
    CXString frame = record != nullptr ? record->getName() : CXString();
    const bool raised = frame.IsString()
                            ? onSignal("ONFRAMECHANGED^" + frame.Upper()) || onSignal("ONFRAMECHANGED^" + signalEvent())
                            : onSignal("ONFRAMECHANGEDFRAME^" + CXString::toString(animation->Current()))
                                  || onSignal("ONFRAMECHANGED^" + getSignalEvent(animation->getCurrentEventName()));
    if (!raised)
        onSignal(CXString("ONFRAMECHANGED"));
    return false;
}

// --- the mouse ---

bool CMC_Animo::reacts()
{
    return asButton_ && !ScriptGraphicsWindow::isPaused() && getAnimo() != nullptr && getAnimo()->isVisible();
}

CXRect CMC_Animo::hitBox()
{
    return onFirstFrame_ ? getAnimo()->getImageRect(0) : getAnimo()->GetBoundingBox();
}

bool CMC_Animo::isPlayingClick()
{
    return getAnimo()->isPlaying("ONCLICK");
}

void CMC_Animo::playEvent(const char* name)
{
    if (getAnimo() != nullptr)
        getAnimo()->Play(CXString(name), 0, CAnimo::kDefaultFps);
}

// Without bound focus signals the pointer never counts as over the animation, so its focus
// event plays at every move inside.
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
        getWindow()->BeginActiveCursor();
}

void CMC_Animo::onFocusOff()
{
    if (!isPlayingClick())
        playEvent("ONFOCUSOFF");
    if (activeCursor_)
        getWindow()->EndActiveCursor();
}

void CMC_Animo::onClick()
{
    if (!isPlayingClick())
        playEvent("ONCLICK");
    if (activeCursor_)
        getWindow()->EndActiveCursor();
}

// A press in the box is consumed, whether a behaviour is bound to it or not.
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
