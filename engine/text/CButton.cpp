#include "text/CButton.h"

#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"
#include "media/CSound4.h"
#include "text/CButtonHotSpot.h"
#include "text/CUnit6.h"
#include "text/TextWindow.h"

#include <algorithm>
#include <vector>

namespace {

// Each picture once, nulls left out.
std::vector<CGraphicsObject*> distinct(std::initializer_list<CGraphicsObject*> pictures)
{
    std::vector<CGraphicsObject*> result;
    for (CGraphicsObject* picture : pictures)
        if (picture != nullptr && std::find(result.begin(), result.end(), picture) == result.end())
            result.push_back(picture);
    return result;
}

} // namespace

CButton::CButton(TextWindow* window, CXRect rect, int id, CMC_Button* scriptButton)
    : CControl(window)
    , hotSpot_(std::make_unique<CButtonHotSpot>(window, this, scriptButton))
{
    SetActiveRect(rect);
    SetID(id);
}

CButton::CButton(TextWindow* window, int id, CMC_Button* scriptButton)
    : CButton(window, CXRect(), id, scriptButton)
{
}

CButton::~CButton()
{
    if (ownsGraphics_)
        for (CGraphicsObject* picture : distinct({standard_, onMove_, onClick_})) {
            picture->Visible(false);
            if (CRefreshScreen* canvas = screen())
                *canvas >> picture;
            delete picture;
        }
    if (ownsSounds_) {
        delete onMoveSound_;
        if (onClickSound_ != onMoveSound_)
            delete onClickSound_;
    }
}

CRefreshScreen* CButton::screen() const
{
    return getWindow() != nullptr ? getWindow()->GetRefreshScreenInterface() : nullptr;
}

void CButton::show(CGraphicsObject* picture, bool visible)
{
    if (picture != nullptr)
        picture->Visible(visible);
}

void CButton::SetDeleteFlags(bool graphics, bool sounds)
{
    ownsGraphics_ = graphics;
    ownsSounds_ = sounds;
}

bool CButton::Set(CGraphicsObject* picture, CXObject* data, bool removeOld)
{
    CRefreshScreen* canvas = screen();
    if (removeOld && standard_ != nullptr && standard_ != picture && canvas != nullptr)
        *canvas >> standard_;
    standard_ = picture;
    if (picture != nullptr) {
        if (canvas != nullptr)
            *canvas << picture;
        hotSpot_->SetParent(data);
    }
    if (activeRect_.Width() == 0 || activeRect_.Height() == 0)
        Accent(picture);
    return true;
}

bool CButton::SetOnMove(CGraphicsObject* picture, CSound4* sound)
{
    if (picture != nullptr) {
        onMove_ = picture;
        if (CRefreshScreen* canvas = screen())
            *canvas << picture;
        picture->Visible(false);
    }
    onMoveSound_ = sound;
    return true;
}

bool CButton::SetOnClick(CGraphicsObject* picture, CSound4* sound)
{
    if (picture != nullptr) {
        onClick_ = picture;
        if (CRefreshScreen* canvas = screen())
            *canvas << picture;
        picture->Visible(false);
    }
    onClickSound_ = sound;
    return true;
}

void CButton::SetSound(_soundtype type, CSound4* sound)
{
    if (type == SOUNDTYPE_ONMOVE)
        onMoveSound_ = sound;
    else if (type == SOUNDTYPE_ONCLICK)
        onClickSound_ = sound;
}

bool CButton::SetActiveRect(CXRect rect)
{
    activeRect_ = rect;
    hitPicture_ = nullptr;
    hotSpot_->SetActiveRect(rect, EVENT_NONE, 0);
    return true;
}

void CButton::setHitPicture(CGraphicsObject* picture)
{
    hitPicture_ = picture;
    hotSpot_->Set(picture, EVENT_NONE, 0);
}

void CButton::Accent(_accent accent)
{
    switch (accent) {
    case ACCENT_STANDARD: setHitPicture(standard_); break;
    case ACCENT_ONMOVE: setHitPicture(onMove_); break;
    case ACCENT_ONCLICK: setHitPicture(onClick_); break;
    default: break;
    }
}

void CButton::Accent(CGraphicsObject* picture)
{
    accent_ = picture;
    dragging_ = picture;
    setHitPicture(picture);
}

void CButton::Move(int dx, int dy)
{
    for (CGraphicsObject* picture : distinct({standard_, onMove_, onClick_, accent_, dragging_}))
        picture->Move(dx, dy);
    if (accent_ == nullptr)
        SetActiveRect(activeRect_ + CXPoint(dx, dy));
}

void CButton::Enable(bool enabled)
{
    CControl::Enable(enabled);
    show(standard_, enabled);
    if (!enabled) {
        if (getWindow() != nullptr)
            getWindow()->EndActiveCursor();
        frozen_ = false;
        show(onMove_, false);
        show(onClick_, false);
    }
    hotSpot_->Enable(enabled);
}

void CButton::DisableButVisible()
{
    CControl::Enable(false);
    if (getWindow() != nullptr)
        getWindow()->EndActiveCursor();
    show(onClick_, false);
    show(onMove_, false);
    show(standard_, true);
    hotSpot_->Enable(false);
}

void CButton::Freeze(bool frozen)
{
    frozen_ = frozen;
    show(onMove_, frozen);
}

void CButton::Force(bool pressed)
{
    if (pressed == pressed_)
        return;
    pressed_ = pressed;
    if (!pressed) {
        show(onClick_, false);
        show(onMove_ != nullptr ? onMove_ : standard_, true);
        return;
    }
    if (onMove_ != nullptr && onMove_->isVisible() && onClick_ != nullptr)
        onMove_->Visible(false);
    show(onClick_, true);
    play(onClickSound_, true);
}

void CButton::play(CSound4* sound, bool silence)
{
    if (sound != nullptr && !soundLocked_ && !(silence && onlyWhenSilence_ && getUnit() != nullptr))
        sound->Play();
}

void CButton::EnableCursor(bool on)
{
    hotSpot_->EnableCursor(on);
}

void CButton::setUnit(CUnit6* unit)
{
    hotSpot_->setUnit(unit);
}

CUnit6* CButton::getUnit() const
{
    return static_cast<CUnit6*>(hotSpot_->getUnit());
}

void CButton::setMCButton(CMC_Button* button)
{
    hotSpot_->setMCButton(button);
}

int CButton::getPriority()
{
    return hotSpot_->getPriority();
}

void CButton::setPriority(int priority)
{
    hotSpot_->setPriority(priority);
}

int CButton::GetID()
{
    return hotSpot_->GetID();
}

void CButton::SetID(int id)
{
    CControl::SetID(id);
    hotSpot_->SetID(id);
}

int CButton::OnMove(CXPoint p, int, void*)
{
    return onMouseMove(p);
}

int CButton::OnClick(CXPoint p, int, void*)
{
    int result = 0;
    CUnit6* unit = getUnit();
    if (draggingEnabled_ && unit != nullptr) {
        CGraphicsObject* dragged = dragging_ != nullptr ? dragging_ : standard_ != nullptr ? standard_ : onMove_;
        if (dragged != nullptr) {
            Enable(false);
            dragged->Visible(true);
            if (unit->onStartDragging(dragged, p, this))
                result = 1;
        }
    }
    play(onClickSound_, false);
    onClick(p);
    return result;
}

CXObject* CButton::clone()
{
    auto* copy = new CButton(getWindow(), 0, nullptr);
    copy->activeRect_ = activeRect_;
    copy->pressed_ = pressed_;
    copy->frozen_ = frozen_;
    copy->soundLocked_ = soundLocked_;
    // The source keeps what it owns: the copy only shows it.
    copy->ownsGraphics_ = false;
    copy->ownsSounds_ = false;
    copy->hideStandard_ = hideStandard_;
    copy->standard_ = standard_;
    copy->onMove_ = onMove_;
    copy->onClick_ = onClick_;
    copy->accent_ = accent_;
    copy->dragging_ = dragging_;
    copy->onMoveSound_ = onMoveSound_;
    copy->onClickSound_ = onClickSound_;
    copy->onlyWhenSilence_ = onlyWhenSilence_;
    copy->draggingEnabled_ = draggingEnabled_;
    if (hitPicture_ != nullptr)
        copy->setHitPicture(hitPicture_);
    else
        copy->SetActiveRect(activeRect_);
    copy->setUnit(getUnit());
    copy->CControl::Enable(IsEnabled());
    copy->hotSpot_->Enable(IsEnabled());
    return copy;
}
