#include "script_graphics/CMC_VirtualGraphicsObject.h"

#include "graphics/CRefreshScreen.h"
#include "graphics/CVirtualGraphicsObject.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"
#include "script_graphics/GraphicsScene.h"
#include "script_graphics/ScriptGraphicsWindow.h"

namespace {

ScriptGraphicsWindow* windowOf(CMC_ObjectsContainer* owner)
{
    return owner != nullptr ? ScriptGraphicsWindow::of(owner->getWindow()) : nullptr;
}

CRefreshScreen* screenOf(ScriptGraphicsWindow* window)
{
    return window != nullptr && ScriptGraphicsWindow::getInstance() == window ? window->GetRefreshScreenInterface() : nullptr;
}

} // namespace

CMC_VirtualGraphicsObject::CMC_VirtualGraphicsObject(CMC_ObjectsContainer* owner)
    : CMC_VirtualGraphicsObject(owner, new CVirtualGraphicsObject(windowOf(owner)))
{
    setName(CXString("temp"));
}

CMC_VirtualGraphicsObject::CMC_VirtualGraphicsObject(CMC_ObjectsContainer* owner, CVirtualGraphicsObject* picture)
    : CMC_Object(CXString("clone"), kType)
    , window_(windowOf(owner))
    , picture_(picture)
{
    setScene(owner);
}

CMC_VirtualGraphicsObject::CMC_VirtualGraphicsObject(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
    , window_(windowOf(owner))
    , picture_(new CVirtualGraphicsObject(window_))
{
    const bool toCanvas = element->getPropertyBoolValue("TOCANVAS");
    const bool visible = element->getPropertyBoolValue("VISIBLE");
    const bool monitor = element->getPropertyBoolValue("MONITORCOLLISION");
    const bool monitorByAlpha = element->getPropertyBoolValue("MONITORCOLLISIONALPHA");
    if (!visible)
        picture_->Visible(false);
    priority_ = element->getPropertyIntValue("PRIORITY");
    if (monitor || monitorByAlpha)
        monitorCollisions(monitorByAlpha);
    if (CRefreshScreen* screen = toCanvas ? screenOf(window_) : nullptr)
        screen->put(picture_, priority_);
    sourceName_ = element->getPropertyValue("SOURCE");
    maskName_ = element->getPropertyValue("MASK");
    button_ = element->getPropertyBoolValue("ASBUTTON");
    initializeBehaviours(owner, element);
}

CMC_VirtualGraphicsObject::~CMC_VirtualGraphicsObject()
{
    removeCollisionsMonitoring();
    delete picture_;
}

GraphicsScene* CMC_VirtualGraphicsObject::ownerScene()
{
    CMC_ObjectsContainer* owner = getScene();
    return dynamic_cast<GraphicsScene*>(owner != nullptr ? owner->getScene() : nullptr);
}

void CMC_VirtualGraphicsObject::monitorCollisions(bool byAlpha)
{
    if (GraphicsScene* scene = ownerScene())
        scene->monitorCollisions(picture_, byAlpha, this);
    picture_->setMonitorCollisions(true);
}

void CMC_VirtualGraphicsObject::removeCollisionsMonitoring()
{
    if (GraphicsScene* scene = ownerScene())
        scene->removeMonitorCollisions(picture_, this);
    picture_->setMonitorCollisions(false);
}

CXObject* CMC_VirtualGraphicsObject::clone()
{
    CVirtualGraphicsObject* copy = picture_->clone();
    CRefreshScreen* screen = screenOf(window_);
    if (screen != nullptr && screen->GetPriority(picture_) >= 0)
        screen->put(copy, screen->GetPriority(picture_));
    return new CMC_VirtualGraphicsObject(getScene(), copy);
}

const CMC_SignalList* CMC_VirtualGraphicsObject::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

CGraphicsObject* CMC_VirtualGraphicsObject::getShownGraphics(const CXString&)
{
    return picture_;
}

void CMC_VirtualGraphicsObject::setAsButton(bool, bool cursor)
{
    button_ = true;
    buttonCursor_ = cursor;
}
