#pragma once

#include "foundation/CXPoint.h"

class CControl;

// An observer of a control's user events. Every operation does nothing unless overridden; the
// control owns none of its observers.
class CControlNotifier {
public:
    virtual void onControlOnMove(CControl*, CXPoint) {}
    virtual void onControlFocusOn(CControl*, CXPoint) {}
    virtual void onControlFocusOff(CControl*, CXPoint) {}
    virtual void onControlClicked(CControl*, CXPoint) {}
    virtual void onControlReleased(CControl*, CXPoint) {}
    virtual void onControlAction(CControl*, CXPoint) {}
    virtual void onControlPopup(CControl*, CXPoint) {}
    virtual void onStartDragging(CControl*, CXPoint) {}
    virtual void onDragging(CControl*, CXPoint) {}
    virtual void onEndDragging(CControl*, CXPoint) {}
    // The control is being destroyed: an observer that keeps it lets go of it.
    virtual void onControlGone(CControl*) {}

protected:
    ~CControlNotifier() = default;
};
