#pragma once

#include "graphics/CHotSpot.h"

class CButton;
class CUnit6;
class TextWindow;

// The hot spot of one button: it turns the pointer's entering, moving, leaving and the
// presses and releases that the window's dispatch hands it into the button's looks, sounds
// and events. While the spot's unit is inactive or runs a drag, the button takes no part.
class CButtonHotSpot : public CHotSpot {
public:
    CButtonHotSpot(TextWindow* window, CButton* button, CMC_Button* scriptButton);

    int OnMouseMove(CXPoint p, int flags, void* data) override;
    // A left press on an enabled button: its click, then the pressed state; consumed.
    int OnLButtonDown(CXPoint p, int flags, void* data) override;
    // A left release on an enabled button: the released state, its release and its action;
    // consumed. The pointer stays over the button, so that leaving it is a leave.
    int OnLButtonUp(CXPoint p, int flags, void* data) override;
    // Tells the button's observers of the right press, which the spots below still get.
    int OnRButtonDown(CXPoint p, int flags, void* data) override;
    int OnFocusOn(CXPoint p, int flags, void* data) override;
    int OnFocusOff(CXPoint p, int flags, void* data) override;

    // The pointer entered the button and has not left it since.
    bool hasEntered() const { return entered_; }

private:
    // Buttons are bound to screen units.
    CUnit6* ownUnit() const;
    // The unit lets the button take part: there is none, or it is active and runs no drag.
    bool unitAllowsButton();

    CButton* button_;
    bool entered_ = false;
};
