#include "media/CMC_Mouse_Runner.h"

#include "media/CMC_Mouse.h"
#include "media/MediaWindow.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"

void CMC_Mouse_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("SHOW", MTH_SHOW);
    registerMethod("HIDE", MTH_HIDE);
    registerMethod("ENABLE", MTH_ENABLE);
    registerMethod("DISABLE", MTH_DISABLE);
    registerMethod("GETPOSX", MTH_GETPOSX);
    registerMethod("GETPOSY", MTH_GETPOSY);
    registerMethod("GETLASTCLICKPOSX", MTH_GETLASTCLICKPOSX);
    registerMethod("GETLASTCLICKPOSY", MTH_GETLASTCLICKPOSY);
    registerMethod("SET", MTH_SET);
    registerMethod("SETPOSITION", MTH_SETPOSITION);
    registerMethod("MOVE", MTH_MOVE);
    registerMethod("CLICK", MTH_CLICK);
    registerMethod("ENABLESIGNAL", MTH_ENABLESIGNAL);
    registerMethod("DISABLESIGNAL", MTH_DISABLESIGNAL);
    registerMethod("MOUSERELEASE", MTH_MOUSERELEASE);
    registerMethod("SETCLIPRECT", MTH_SETCLIPRECT);
    registerMethod("LOCKACTIVECURSOR", MTH_LOCKACTIVECURSOR);
}

CMC_Object* CMC_Mouse_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* mouse = dynamic_cast<CMC_Mouse*>(object);
    if (mouse == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_SHOW:
        mouse->show();
        return nullptr;
    case MTH_HIDE:
        mouse->hide();
        return nullptr;
    case MTH_ENABLE:
        mouse->enable();
        return nullptr;
    case MTH_DISABLE:
        mouse->disable();
        return nullptr;
    case MTH_GETPOSX:
        return giveInteger(mouse->getPosX());
    case MTH_GETPOSY:
        return giveInteger(mouse->getPosY());
    case MTH_GETLASTCLICKPOSX:
        return giveInteger(mouse->getLastClickPosX());
    case MTH_GETLASTCLICKPOSY:
        return giveInteger(mouse->getLastClickPosY());
    case MTH_SET:
        if (argumentCount(args) > 0)
            mouse->set(parameterText(args, 0));
        return nullptr;
    case MTH_SETPOSITION:
        if (argumentCount(args) >= 2)
            mouse->setPosition(integerParameter(args, 0), integerParameter(args, 1));
        return nullptr;
    case MTH_MOVE:
        if (argumentCount(args) >= 2)
            mouse->setPosition(mouse->getPosX() + integerParameter(args, 0), mouse->getPosY() + integerParameter(args, 1));
        return nullptr;
    case MTH_CLICK:
        simulate(mouse, scope, args, true);
        return nullptr;
    case MTH_ENABLESIGNAL:
        mouse->enableSignal();
        return nullptr;
    case MTH_DISABLESIGNAL:
        mouse->disableSignal();
        return nullptr;
    case MTH_MOUSERELEASE:
        simulate(mouse, scope, args, false);
        return nullptr;
    case MTH_SETCLIPRECT: {
        if (argumentCount(args) < 4)
            return nullptr;
        const int left = integerParameter(args, 0), top = integerParameter(args, 1);
        const int right = integerParameter(args, 2), bottom = integerParameter(args, 3);
        if (left == 0 && top == 0 && right == 0 && bottom == 0)
            CMC_Mouse::reset(true);
        else
            mouse->setClipRect(left, top, right, bottom);
        return nullptr;
    }
    case MTH_LOCKACTIVECURSOR: {
        MediaWindow* window = MediaWindow::of(callerWindow(scope, mouse));
        CMC_Bool* locked = getParameterBool(args, 0);
        if (window != nullptr && locked != nullptr)
            window->lockActiveCursor(locked->getValue());
        return nullptr;
    }
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}

void CMC_Mouse_Runner::simulate(CMC_Object* mouse, CMC_ObjectsContainer* scope, CXVector* args, bool down)
{
    if (argumentCount(args) < 2)
        return;
    const CXPoint at(integerParameter(args, 0), integerParameter(args, 1));
    const CXString button = argumentCount(args) > 2 ? parameterText(args, 2) : CXString("LEFT");
    CMC_Mouse::simulate(MediaWindow::of(callerWindow(scope, mouse)), button, at, down);
}
