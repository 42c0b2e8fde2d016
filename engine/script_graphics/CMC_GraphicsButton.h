#pragma once

#include "foundation/CXPoint.h"
#include "foundation/CXString.h"

class CGraphicsObject;
class CMC_Object;
class CMouseListener;
class ScriptGraphicsWindow;

// The button behaviour of graphics script objects (IMAGE, CANVAS, PATTERN): the object reacts
// to the mouse only in button mode, while its picture is visible, once it listens (a mouse
// signal was bound) and when the event's signal is bound. The hit test is the picture's box.
// Focus raises "ONFOCUSON" and "ONFOCUSOFF" once per crossing and switches the cursor; a
// press in the box raises "ONCLICK^" + the button (or the plain signal) and is consumed; a
// release raises "ONRELEASE^" + the button (or the plain one) and never is.
class CMC_GraphicsButton {
public:
    // The object raises the signals and listens to the window as the listener.
    CMC_GraphicsButton(CMC_Object& object, CMouseListener& listener, ScriptGraphicsWindow* window);
    // Leaves the window's listeners.
    ~CMC_GraphicsButton();
    CMC_GraphicsButton(const CMC_GraphicsButton&) = delete;
    CMC_GraphicsButton& operator=(const CMC_GraphicsButton&) = delete;

    // The signals that make an object listen to the mouse: "ONCLICK" and "ONRELEASE" in any
    // form, "ONFOCUSON" and "ONFOCUSOFF".
    static bool isMouseSignal(const CXString& signal);
    // The first mouse signal bound registers the listener at the priority.
    void onBinding(const CXString& signal, int priority);

    bool onMouseMove(CXPoint p, CGraphicsObject* picture);
    bool onClick(int button, CXPoint p, CGraphicsObject* picture);
    bool onRelease(int button, CXPoint p, CGraphicsObject* picture);

    bool isButton() const { return button_; }
    void setButton(bool on) { button_ = on; }
    bool hasActiveCursor() const { return activeCursor_; }
    void setActiveCursor(bool on) { activeCursor_ = on; }
    bool isListening() const { return listening_; }
    bool hasFocus() const { return focus_; }

private:
    // The gate of every event: button mode, a visible picture, a listener, the signal bound.
    bool reacts(CGraphicsObject* picture, const char* signal);
    bool isBound(const char* signal);
    void endCursor();

    CMC_Object& object_;
    CMouseListener& listener_;
    ScriptGraphicsWindow* window_;
    bool focus_ = false;
    bool listening_ = false;
    bool button_ = false;
    bool activeCursor_ = true;
};
