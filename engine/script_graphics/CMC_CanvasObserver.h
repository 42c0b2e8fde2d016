#pragma once

#include "graphics/CCanvasObserver.h"
#include "script/CMC_Object.h"

class CRefreshScreen;
class ScriptGraphicsWindow;

// The CANVASOBSERVER script object: a handle on the window's screen composer. It hears the
// composer's frames and the program's focus as "ONINITIALUPDATE", "ONUPDATE", "ONUPDATED",
// "ONWINDOWFOCUSON" and "ONWINDOWFOCUSOFF", raised plainly when bound. The composer tells
// its observers, in the order they came, only while its one notification switch is on: off
// when the composer is made, set by any observer for all of them.
//
// Its record of compiled scenes is the object's own.
class CMC_CanvasObserver : public CMC_Object, public CCanvasObserver {
public:
    static constexpr int kType = 103;

    // Named "tempCANVAS", owned by the container, listening to the composer: what a compiled
    // scene's record fills.
    explicit CMC_CanvasObserver(CMC_ObjectsContainer* owner);
    // From a definition, which gives only signals.
    CMC_CanvasObserver(CMC_ObjectsContainer* owner, CMElement* element);
    // Stops listening while the composer lives.
    ~CMC_CanvasObserver() override;

    const CMC_SignalList* getBehavioursList() override;
    // The screen composer.
    CGraphicsObject* getShownGraphics(const CXString& part) override;

    void onInitialUpdate() override;
    void onUpdate() override;
    void onUpdated() override;
    void onFocusOn() override;
    void onFocusOff() override;

    // The composer while the window lives; none otherwise.
    CRefreshScreen* getCanvas() const;
    ScriptGraphicsWindow* getWindow() const { return window_; }
    // Switches the composer's notifications, for every observer.
    void enableNotify(bool on);
    // The name of the object of the scope whose graphics lie topmost at the screen point:
    // "UNKNOWN" for graphics no object of the scope shows, "" for none. Bounds below 0 leave
    // that side of the priorities open.
    CXString getGraphicsAt(CMC_ObjectsContainer* scope, int x, int y, bool onlyVisible, int minPriority,
                           int maxPriority, bool ignoreAlpha);

private:
    void listen();
    void raise(int signal, const char* name);

    ScriptGraphicsWindow* window_;
    CRefreshScreen* screen_ = nullptr;
};
