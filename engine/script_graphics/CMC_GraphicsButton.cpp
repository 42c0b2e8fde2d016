#include "script_graphics/CMC_GraphicsButton.h"

#include "graphics/CGraphicsObject.h"
#include "media/CMC_Mouse.h"
#include "script/CMC_Object.h"
#include "script_graphics/CMC_SignalForms.h"
#include "script_graphics/ScriptGraphicsWindow.h"

CMC_GraphicsButton::CMC_GraphicsButton(CMC_Object& object, CMouseListener& listener, ScriptGraphicsWindow* window)
    : object_(object)
    , listener_(listener)
    , window_(window)
{
}

CMC_GraphicsButton::~CMC_GraphicsButton()
{
    if (listening_ && window_ != nullptr && ScriptGraphicsWindow::getInstance() == window_)
        window_->removeMouseListener(&listener_);
}

bool CMC_GraphicsButton::isMouseSignal(const CXString& signal)
{
    return signal.startsWith("ONCLICK") || signal.startsWith("ONRELEASE") || signal == "ONFOCUSON"
           || signal == "ONFOCUSOFF";
}

void CMC_GraphicsButton::onBinding(const CXString& signal, int priority)
{
    if (listening_ || !isMouseSignal(signal) || window_ == nullptr)
        return;
    focus_ = false;
    listening_ = true;
    window_->registerMouseListener(&listener_, priority);
}

bool CMC_GraphicsButton::isBound(const char* signal)
{
    return object_.isSignalBound(object_.getSignalIndex(CXString(signal)));
}

bool CMC_GraphicsButton::reacts(CGraphicsObject* picture, const char* signal)
{
    return button_ && listening_ && picture != nullptr && picture->isVisible()
           && (signal == nullptr ? isBound("ONFOCUSON") || isBound("ONFOCUSOFF") : isBound(signal));
}

void CMC_GraphicsButton::endCursor()
{
    if (activeCursor_)
        window_->EndWaitCursor();
}

bool CMC_GraphicsButton::onMouseMove(CXPoint p, CGraphicsObject* picture)
{
    if (!reacts(picture, nullptr))
        return false;
    const bool inside = picture->GetBoundingBox().IsInRect(p);
    if (!focus_ && inside) {
        focus_ = true;
        object_.onSignal(CXString("ONFOCUSON"));
        if (activeCursor_)
            window_->BeginActiveCursor();
    } else if (focus_ && !inside) {
        focus_ = false;
        object_.onSignal(CXString("ONFOCUSOFF"));
        endCursor();
    }
    return false;
}

bool CMC_GraphicsButton::onClick(int button, CXPoint p, CGraphicsObject* picture)
{
    if (!reacts(picture, "ONCLICK") || !picture->GetBoundingBox().IsInRect(p))
        return false;
    CMC_SignalForms::raiseFirst(object_, {"ONCLICK^" + CMC_Mouse::getButton(button), CXString("ONCLICK")});
    endCursor();
    return true;
}

bool CMC_GraphicsButton::onRelease(int button, CXPoint p, CGraphicsObject* picture)
{
    if (reacts(picture, "ONRELEASE") && picture->GetBoundingBox().IsInRect(p))
        CMC_SignalForms::raiseFirst(object_, {"ONRELEASE^" + CMC_Mouse::getButton(button), CXString("ONRELEASE")});
    return false;
}
