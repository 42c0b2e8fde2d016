#pragma once

#include "media/CMouseListener.h"
#include "script/CMC_Object.h"
#include "script_graphics/CMC_GraphicsButton.h"

class CGraphicsObject;
class CRefreshScreen;
class ScriptGraphicsWindow;

// What the script objects that own one raster acting as a whole as a button share (CANVAS,
// PATTERN): their signals, the button behaviour of their raster with the button on from the
// start and the listener at priority 0, and the window they were made in.
class CMC_ButtonRaster : public CMC_Object, public CMouseListener {
public:
    // Always true; the first mouse signal bound makes the object a mouse listener.
    bool verifyBehaviour(const CXString& name) override;
    const CMC_SignalList* getBehavioursList() override;
    // The raster.
    CGraphicsObject* getShownGraphics(const CXString& part) override;

    bool onMouseMove(CXPoint p) override;
    bool onClick(int button, CXPoint p) override;
    bool onRelease(int button, CXPoint p) override;
    using CMouseListener::onClick;
    using CMouseListener::onRelease;

    CMC_GraphicsButton& button() { return button_; }

protected:
    // Named, owned by the container.
    CMC_ButtonRaster(const CXString& name, int type, CMC_ObjectsContainer* owner);
    CMC_ButtonRaster(CMC_ObjectsContainer* owner, CMElement* element, int type);

    // The raster that is the button; none while there is none.
    virtual CGraphicsObject* raster() const = 0;
    // The window's screen while the window lives.
    CRefreshScreen* screen() const;
    ScriptGraphicsWindow* window() const { return window_; }

private:
    ScriptGraphicsWindow* window_;
    CMC_GraphicsButton button_;
};
