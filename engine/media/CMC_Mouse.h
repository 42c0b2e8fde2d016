#pragma once

#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"
#include "media/CMouseListener.h"
#include "script/CMC_Object.h"

class MediaWindow;

// The MOUSE script object: a mouse listener of its container's window, above every other
// listener and never consuming, that follows the pointer and raises "ONMOVE", "ONCLICK",
// "ONRELEASE" and "ONDBLCLICK" (clicks and releases first with "^" and the button's name).
// It also places, shows, hides, confines and shapes the pointer and switches the window's
// mouse input. Its name is always "MOUSE".
//
// The confinement rectangle belongs to the class: it outlives the objects, is let go while
// the program is inactive and comes back when it is active again.
class CMC_Mouse : public CMC_Object, public CMouseListener {
public:
    static constexpr int TYPE = 100;
    static constexpr int PRIORITY = 100002;
    static constexpr int SIGNAL_ONMOVE = 3;
    static constexpr int SIGNAL_ONCLICK = 4;
    static constexpr int SIGNAL_ONRELEASE = 5;
    static constexpr int SIGNAL_ONDBLCLICK = 6;
    // Cursor kinds.
    static constexpr int CURSOR_ARROW = 1;
    static constexpr int CURSOR_WAIT = 2;
    static constexpr int CURSOR_ACTIVE = 3;
    // Simulated clicks and releases nested deeper than this in their own handlers do nothing.
    static constexpr int kMaxSimulationDepth = 8;

    // Listens to the container's window from now on, starting where the pointer is; nothing
    // is bound (compiled scenes read the bindings afterwards).
    explicit CMC_Mouse(CMC_ObjectsContainer* container);
    // The same with the element's signal properties bound.
    CMC_Mouse(CMC_ObjectsContainer* container, CMElement* element);
    ~CMC_Mouse() override;

    const CMC_SignalList* getBehavioursList() override;

    // "LEFT" for 0, "MIDDLE" for 1, "RIGHT" for 2; empty for any other button.
    static CXString getButton(int button);

    // The pointer's shape by kind; "ARROW", "WAIT" and "ACTIVE" (exact case) name the kinds.
    // Anything else changes nothing.
    void set(int kind);
    void set(const CXString& kind);
    // Moves the pointer to the client position.
    void setPosition(int x, int y);
    int getPosX() const { return position_.x; }
    int getPosY() const { return position_.y; }
    int getLastClickPosX() const { return lastClick_.x; }
    int getLastClickPosY() const { return lastClick_.y; }
    // Repeated calls do not pile up: one show undoes any number of hides.
    void show();
    void hide();
    // Switch the window's whole mouse input, hot spots included, and the wait cursor.
    void enable();
    void disable();
    void enableSignal() { signalsEnabled_ = true; }
    void disableSignal() { signalsEnabled_ = false; }
    // Confines the pointer to the client rectangle; one without area lets it go anywhere.
    virtual void setClipRect(int left, int top, int right, int bottom);

    // A press ("down") or release of the named button ("LEFT", "MIDDLE", "RIGHT", exact case)
    // at p, run through the window's whole mouse path at once: hot spots, then the listeners.
    // Any other name does nothing; so does a simulation nested too deep in its handlers.
    static void simulate(MediaWindow* window, const CXString& button, CXPoint p, bool down);

    // Applies the stored rectangle when it has an area; otherwise lets the pointer go anywhere.
    static void restore();
    // Lets the pointer go anywhere; with forget the stored rectangle goes too.
    static void reset(bool forget);
    // Stores the rectangle (desktop coordinates) and applies it.
    static void clipTo(const CXRect& screenRect);
    static CXRect getClipRect() { return clipRect_; }

    // The position and the last left click follow the mouse whatever the switches; the
    // signals need both switches on and something bound. Nothing is ever consumed.
    using CMouseListener::onClick;
    using CMouseListener::onRelease;
    bool onMouseMove(CXPoint p) override;
    bool onClick(int button, CXPoint p) override;
    bool onRelease(int button, CXPoint p) override;
    bool onDblClick(CXPoint p) override;

private:
    bool signalsOn(int signalIndex) const { return enabled_ && signalsEnabled_ && isSignalBound(signalIndex); }
    // "SIGNAL^BUTTON", then "SIGNAL" when that was not handled.
    void raiseForButton(const char* signal, int button);

    static CXRect clipRect_;
    static int simulationDepth_;

    MediaWindow* window_;
    bool enabled_ = true;
    bool signalsEnabled_ = true;
    CXPoint position_;
    CXPoint lastClick_;
    bool cursorShown_ = true;
};
