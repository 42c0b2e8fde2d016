#include "script_graphics/CMC_Canvas_Runner.h"

#include "graphics/CCanvas.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_Canvas.h"
#include "script_graphics/ScriptGraphicsWindow.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"ADD", CMC_Canvas_Runner::MTH_ADD},
    {"REMOVE", CMC_Canvas_Runner::MTH_REMOVE},
    {"SHOW", CMC_Canvas_Runner::MTH_SHOW},
    {"HIDE", CMC_Canvas_Runner::MTH_HIDE},
    {"SETPRIORITY", CMC_Canvas_Runner::MTH_SETPRIORITY},
    {"SETPOSITION", CMC_Canvas_Runner::MTH_SETPOSITION},
    {"MOVE", CMC_Canvas_Runner::MTH_MOVE},
    {"CLEAR", CMC_Canvas_Runner::MTH_CLEAR},
    {"CAPTURE", CMC_Canvas_Runner::MTH_CAPTURE},
    {"SETOPACITY", CMC_Canvas_Runner::MTH_SETOPACITY},
    {"SETASBUTTON", CMC_Canvas_Runner::MTH_SETASBUTTON},
    {"ERASE", CMC_Canvas_Runner::MTH_ERASE},
    {"DRAW", CMC_Canvas_Runner::MTH_DRAW},
    {"SAVE", CMC_Canvas_Runner::MTH_SAVE},
};

} // namespace

void CMC_Canvas_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

int CMC_Canvas_Runner::argumentsOf(int id)
{
    switch (id) {
    case MTH_ADD:
    case MTH_REMOVE:
    case MTH_SETPRIORITY:
    case MTH_SETOPACITY:
    case MTH_SETASBUTTON:
    case MTH_SAVE: return 1;
    case MTH_SETPOSITION:
    case MTH_MOVE: return 2;
    case MTH_ERASE:
    case MTH_DRAW: return 3;
    default: return 0;
    }
}

CMC_Object* CMC_Canvas_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* owner = object != nullptr && object->getType() == CMC_Canvas::kType ? dynamic_cast<CMC_Canvas*>(object) : nullptr;
    if (owner == nullptr || id < MTH_ADD || id > MTH_SAVE)
        return CMC_Runner::run(id, object, scope, args);
    if (owner->getCanvas() != nullptr && argumentCount(args) >= argumentsOf(id))
        act(*owner, *owner->getCanvas(), id, scope, args);
    return nullptr;
}

void CMC_Canvas_Runner::act(CMC_Canvas& owner, CCanvas& canvas, int id, CMC_ObjectsContainer* scope, CXVector* args)
{
    CGraphicsObject* named = nullptr;
    if (id == MTH_REMOVE || id == MTH_ERASE || id == MTH_DRAW) {
        named = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 0)) : nullptr;
        if (named == nullptr)
            return;
    }
    switch (id) {
    case MTH_ADD: owner.add(parameterText(args, 0), integerParameter(args, 1)); break;
    case MTH_REMOVE: canvas.remove(named); break;
    case MTH_SHOW: canvas.Visible(true); break;
    case MTH_HIDE: canvas.Visible(false); break;
    case MTH_SETPRIORITY:
        if (CRefreshScreen* screen = screenOf(callerWindow(scope, &owner)))
            screen->SetPriority(&canvas, integerParameter(args, 0));
        canvas.Invalidate();
        break;
    case MTH_SETPOSITION:
        canvas.Invalidate();
        canvas.setPosition(integerParameter(args, 0), integerParameter(args, 1));
        canvas.Invalidate();
        break;
    case MTH_MOVE: canvas.Move(integerParameter(args, 0), integerParameter(args, 1)); break;
    case MTH_CLEAR:
        canvas.removeAll();
        canvas.clear(true);
        canvas.Invalidate();
        break;
    case MTH_CAPTURE: owner.capture(boolParameter(args, 0, true)); break;
    case MTH_SETOPACITY: canvas.SetOpacity(static_cast<unsigned char>(integerParameter(args, 0))); break;
    case MTH_SETASBUTTON: owner.setAsButton(boolParameter(args, 0), boolParameter(args, 1, true)); break;
    case MTH_ERASE: canvas.erase(named, integerParameter(args, 1), integerParameter(args, 2)); break;
    case MTH_DRAW: canvas.draw(named->getDrawn(), integerParameter(args, 1), integerParameter(args, 2)); break;
    case MTH_SAVE: saveCopy(ScriptGraphicsWindow::of(callerWindow(scope, &owner)), &canvas, args); break;
    default: break;
    }
}
