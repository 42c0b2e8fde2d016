#include "text/CButtonHotSpot.h"

#include "graphics/CGraphicsObject.h"
#include "media/CSound4.h"
#include "text/CButton.h"
#include "text/CUnit6.h"
#include "text/TextWindow.h"

CButtonHotSpot::CButtonHotSpot(TextWindow* window, CButton* button, CMC_Button* scriptButton)
    : CHotSpot(window, nullptr, static_cast<_event>(EVENT_MOUSEMOVE | EVENT_LBUTTONDOWN), 0, scriptButton)
    , button_(button)
{
}

bool CButtonHotSpot::unitAllowsButton()
{
    CUnit6* unit = ownUnit();
    return unit == nullptr || (unit->isActive() && !unit->isDragging());
}

int CButtonHotSpot::OnMouseMove(CXPoint p, int, void*)
{
    return button_->onMouseMove(p);
}

int CButtonHotSpot::OnFocusOn(CXPoint p, int flags, void* data)
{
    if (!button_->IsEnabled() || !unitAllowsButton())
        return 0;
    CUnit6* unit = ownUnit();
    // Before the scene's first frame the button only tells of the focus.
    if (unit == nullptr || unit->wasInitiallyUpdated()) {
        if (CGraphicsObject* onMove = button_->GetOnMove()) {
            if (CGraphicsObject* standard = button_->GetStandard(); standard != nullptr && button_->hidesStandard())
                standard->Visible(false);
            onMove->Visible(true);
        }
        if (!entered_)
            button_->play(button_->GetSOOnMove(), true);
        entered_ = true;
        button_->OnMove(p, flags, data);
    }
    if (!button_->isPressed())
        button_->onFocusOn(p);
    return 0;
}

int CButtonHotSpot::OnFocusOff(CXPoint p, int, void*)
{
    if (button_->IsEnabled() && unitAllowsButton()) {
        button_->Force(false);
        if (CGraphicsObject* onMove = button_->GetOnMove(); onMove != nullptr && !button_->isFrozen()) {
            if (CGraphicsObject* standard = button_->GetStandard(); standard != nullptr && button_->hidesStandard())
                standard->Visible(true);
            onMove->Visible(false);
        }
        if (CSound4* sound = button_->GetSOOnMove(); sound != nullptr && sound->IsPlaying())
            sound->Stop();
        entered_ = false;
    }
    button_->onFocusOff(p);
    return 0;
}

int CButtonHotSpot::OnLButtonDown(CXPoint p, int flags, void* data)
{
    if (!button_->IsEnabled() || (ownUnit() != nullptr && ownUnit()->isDragging()))
        return 0;
    button_->OnClick(p, flags, data);
    button_->Force(true);
    return 1;
}

int CButtonHotSpot::OnLButtonUp(CXPoint p, int, void*)
{
    if (!button_->IsEnabled() || !unitAllowsButton())
        return 0;
    // The button shows its pointed-at look again: the pointer is over it, and leaving it
    // must give that look back.
    setOver(true);
    button_->setClick(p);
    button_->Force(false);
    button_->onRelease(p);
    button_->onAction(p);
    return 1;
}

int CButtonHotSpot::OnRButtonDown(CXPoint p, int, void*)
{
    if (button_->IsEnabled())
        button_->onRClick(p);
    return 0;
}

CUnit6* CButtonHotSpot::ownUnit() const
{
    return static_cast<CUnit6*>(getUnit());
}
