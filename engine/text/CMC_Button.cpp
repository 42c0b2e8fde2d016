#include "text/CMC_Button.h"

#include "foundation/CXArchive.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"
#include "media/CMC_Sound.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "text/CButton.h"
#include "text/CUnit6.h"
#include "text/TextWindow.h"
#include "text/UnitScene.h"

CMC_Button::CMC_Button(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
    , accent_(element->getPropertyValue("ACCENT"))
    , gfxStandard_(element->getPropertyValue("GFXSTANDARD"))
    , gfxOnMove_(element->getPropertyValue("GFXONMOVE"))
    , gfxOnClick_(element->getPropertyValue("GFXONCLICK"))
    , sndStandard_(element->getPropertyValue("SNDSTANDARD"))
    , sndOnMove_(element->getPropertyValue("SNDONMOVE"))
    , sndOnClick_(element->getPropertyValue("SNDONCLICK"))
    , drag_(element->getPropertyValue("DRAG"))
    , rect_(element->getPropertyValue("RECT"))
    , enable_(element->getPropertyBoolValue("ENABLE"))
    , draggable_(element->getPropertyBoolValue("DRAGGABLE"))
    , priority_(element->getPropertyIntValue("PRIORITY"))
{
    createButton();
    initializeBehaviours(owner, element);
}

CMC_Button::CMC_Button(CMC_ObjectsContainer* owner, CButton* button, const CXString& name)
    : CMC_Object(name, kType)
    , button_(button)
{
    setScene(owner);
    if (button != nullptr) {
        button->SetDeleteFlags(false, false);
        button->addNotifier(this);
    }
}

CMC_Button::CMC_Button(CMC_ObjectsContainer* owner)
    : CMC_Object(CXString(), kType)
{
    setScene(owner);
}

CMC_Button::~CMC_Button() = default;

CXObject* CMC_Button::clone()
{
    auto* copy = button_ != nullptr ? static_cast<CButton*>(button_->clone()) : nullptr;
    return new CMC_Button(getScene(), copy, CXString("cloned"));
}

const CMC_SignalList* CMC_Button::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT",     "ONDONE",   "ONSIGNAL",        "ONFOCUSON",
                                        "ONFOCUSOFF", "ONPAUSED", "ONCLICKED",       "ONRELEASED",
                                        "ONACTION",   "ONSTARTDRAGGING", "ONDRAGGING", "ONENDDRAGGING"};
    return &signals;
}

CGraphicsObject* CMC_Button::graphicsNamed(const CXString& name)
{
    return getScene() != nullptr ? getScene()->getGraphicsObject(name) : nullptr;
}

CSound4* CMC_Button::soundNamed(CMC_ObjectsContainer* scope, const CXString& name)
{
    CMC_Object* named = scope != nullptr && name.IsString() ? scope->getObject(name.c_str()) : nullptr;
    auto* sound = named != nullptr && named->getType() == CMC_Sound::kType ? dynamic_cast<CMC_Sound*>(named) : nullptr;
    return sound != nullptr ? sound->getSound() : nullptr;
}

void CMC_Button::createButton()
{
    CMC_ObjectsContainer* owner = getScene();
    TextWindow* window = owner != nullptr ? TextWindow::of(owner->getWindow()) : nullptr;
    CRefreshScreen* screen = window != nullptr ? window->GetRefreshScreenInterface() : nullptr;
    CXRect area;
    if (rect_.IsString()) {
        if (CGraphicsObject* shape = graphicsNamed(rect_)) {
            area = shape->GetBoundingBox();
            if (screen != nullptr)
                priority_ = screen->GetPriority(shape);
        } else {
            area = rect_.toRect();
        }
    }
    button_ = std::make_unique<CButton>(window, area, -1, this);
    button_->addNotifier(this);
    CUnit6* unit = CUnit6::getDefault();
    button_->addNotifier(unit);
    button_->EnableDragging(draggable_);
    button_->setUnit(unit);
    button_->setPriority(priority_);
    if (draggable_)
        button_->SetDragging(graphicsNamed(drag_));
    if (gfxStandard_.IsString())
        button_->Set(graphicsNamed(gfxStandard_), nullptr, true);
    CSound4* moveSound = soundNamed(owner, sndOnMove_);
    if (moveSound != nullptr || gfxOnMove_.IsString())
        button_->SetOnMove(graphicsNamed(gfxOnMove_), moveSound);
    button_->SetOnClick(graphicsNamed(gfxOnClick_), soundNamed(owner, sndOnClick_));
    button_->SetDeleteFlags(false, false);
    button_->Enable(enable_);
    if (accent_.IsString())
        button_->Accent(graphicsNamed(accent_));
}

void CMC_Button::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        *archive << accent_ << gfxStandard_ << gfxOnMove_ << gfxOnClick_ << sndStandard_ << sndOnMove_ << sndOnClick_
                 << drag_ << rect_ << enable_ << draggable_ << priority_;
        return;
    }
    *archive >> &accent_ >> &gfxStandard_ >> &gfxOnMove_ >> &gfxOnClick_ >> &sndStandard_ >> &sndOnMove_ >>
        &sndOnClick_ >> &drag_ >> &rect_ >> &enable_ >> &draggable_ >> &priority_;
    if (!archive->failed())
        createButton();
}

void CMC_Button::raise(int signal)
{
    if (isSignalBound(signal))
        onSignal(getBehavioursList()->at(signal));
}

void CMC_Button::setDraggedName(const CXString& name)
{
    CMC_ObjectsContainer* owner = getScene();
    if (auto* scene = dynamic_cast<UnitScene*>(owner != nullptr ? owner->getScene() : nullptr))
        scene->setDraggedName(name);
}

void CMC_Button::onControlFocusOn(CControl*, CXPoint)
{
    raise(SIGNAL_ONFOCUSON);
}

void CMC_Button::onControlFocusOff(CControl*, CXPoint)
{
    raise(SIGNAL_ONFOCUSOFF);
}

void CMC_Button::onControlClicked(CControl*, CXPoint)
{
    raise(SIGNAL_ONCLICKED);
}

void CMC_Button::onControlReleased(CControl*, CXPoint)
{
    raise(SIGNAL_ONRELEASED);
}

void CMC_Button::onControlAction(CControl*, CXPoint)
{
    raise(SIGNAL_ONACTION);
}

void CMC_Button::onStartDragging(CControl*, CXPoint)
{
    if (button_ != nullptr && getScene() != nullptr) {
        CGraphicsObject* dragged = button_->GetDragging() != nullptr ? button_->GetDragging() : button_->GetStandard();
        setDraggedName(getScene()->getGraphicsObjectName(dragged));
    }
    raise(SIGNAL_ONSTARTDRAGGING);
}

void CMC_Button::onDragging(CControl*, CXPoint)
{
    raise(SIGNAL_ONDRAGGING);
}

void CMC_Button::onEndDragging(CControl*, CXPoint)
{
    raise(SIGNAL_ONENDDRAGGING);
    setDraggedName(CXString());
}
