#pragma once

// Told of the screen composer's frames and of the program's focus. The composer calls the
// operations by their codes: 0 initial update, 1 update (a frame's drawing begins), 2 updated
// (it ended), 3 focus on, 4 focus off.
class CCanvasObserver {
public:
    virtual ~CCanvasObserver() = default;
    virtual void onInitialUpdate() {}
    virtual void onUpdate() {}
    virtual void onUpdated() {}
    virtual void onFocusOn() {}
    virtual void onFocusOff() {}
};
