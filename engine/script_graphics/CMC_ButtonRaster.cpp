#include "script_graphics/CMC_ButtonRaster.h"

#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script_graphics/ScriptGraphicsWindow.h"

namespace {

// These objects hear the mouse after every listener of a higher priority.
constexpr int kListenerPriority = 0;

ScriptGraphicsWindow* windowOf(CMC_ObjectsContainer* owner)
{
    return owner != nullptr ? ScriptGraphicsWindow::of(owner->getWindow()) : nullptr;
}

} // namespace

CMC_ButtonRaster::CMC_ButtonRaster(const CXString& name, int type, CMC_ObjectsContainer* owner)
    : CMC_Object(name, type)
    , window_(windowOf(owner))
    , button_(*this, *this, window_)
{
    setScene(owner);
    button_.setButton(true);
}

CMC_ButtonRaster::CMC_ButtonRaster(CMC_ObjectsContainer* owner, CMElement* element, int type)
    : CMC_Object(owner, element, type)
    , window_(windowOf(owner))
    , button_(*this, *this, window_)
{
    button_.setButton(true);
}

CRefreshScreen* CMC_ButtonRaster::screen() const
{
    return window_ != nullptr && ScriptGraphicsWindow::getInstance() == window_ ? window_->GetRefreshScreenInterface() : nullptr;
}

bool CMC_ButtonRaster::verifyBehaviour(const CXString& name)
{
    button_.onBinding(name, kListenerPriority);
    return true;
}

const CMC_SignalList* CMC_ButtonRaster::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", "ONFOCUSON", "ONFOCUSOFF", "ONCLICK", "ONRELEASE"};
    return &signals;
}

CGraphicsObject* CMC_ButtonRaster::getShownGraphics(const CXString&)
{
    return raster();
}

bool CMC_ButtonRaster::onMouseMove(CXPoint p)
{
    return button_.onMouseMove(p, raster());
}

bool CMC_ButtonRaster::onClick(int button, CXPoint p)
{
    return button_.onClick(button, p, raster());
}

bool CMC_ButtonRaster::onRelease(int button, CXPoint p)
{
    return button_.onRelease(button, p, raster());
}
