#pragma once

#include "foundation/CXPoint.h"

// Told of the mouse by the window, highest priority first. An event operation that returns
// true consumes the event: listeners further down do not hear of it. Buttons: 0 left,
// 1 middle, 2 right.
class CMouseListener {
public:
    CMouseListener() = default;
    CMouseListener(const CMouseListener&) = default;
    CMouseListener& operator=(const CMouseListener&) { return *this; }
    virtual ~CMouseListener() = default;

    virtual bool onMouseMove(CXPoint) { return false; }
    virtual bool onClick(int, CXPoint) { return false; }
    virtual bool onClick(CXPoint) { return false; }
    virtual bool onRelease(int, CXPoint) { return false; }
    virtual bool onRelease(CXPoint) { return false; }
    virtual bool onDblClick(CXPoint) { return false; }
    // The top place among the listeners changed hands.
    virtual void onSetFocus() {}
    virtual void onLooseFocus() {}
};
