#include "script_graphics/CMC_CanvasObserver_Runner.h"

#include "graphics/CDirectDrawSurface.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_CanvasObserver.h"
#include "script_graphics/ScriptGraphicsWindow.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"REFRESH", CMC_CanvasObserver_Runner::MTH_REFRESH},
    {"ADD", CMC_CanvasObserver_Runner::MTH_ADD},
    {"REMOVE", CMC_CanvasObserver_Runner::MTH_REMOVE},
    {"SETBACKGROUND", CMC_CanvasObserver_Runner::MTH_SETBACKGROUND},
    {"GETGRAPHICSAT", CMC_CanvasObserver_Runner::MTH_GETGRAPHICSAT},
    {"MOVEBKG", CMC_CanvasObserver_Runner::MTH_MOVEBKG},
    {"SETBKGPOS", CMC_CanvasObserver_Runner::MTH_SETBKGPOS},
    {"SAVE", CMC_CanvasObserver_Runner::MTH_SAVE},
    {"ENABLENOTIFY", CMC_CanvasObserver_Runner::MTH_ENABLENOTIFY},
    {"REDRAW", CMC_CanvasObserver_Runner::MTH_REDRAW},
    {"GETBPP", CMC_CanvasObserver_Runner::MTH_GETBPP},
};

// The fewest arguments of the methods that give nothing.
int argumentsOf(int id)
{
    switch (id) {
    case CMC_CanvasObserver_Runner::MTH_ADD:
    case CMC_CanvasObserver_Runner::MTH_REMOVE:
    case CMC_CanvasObserver_Runner::MTH_SETBACKGROUND:
    case CMC_CanvasObserver_Runner::MTH_SAVE:
    case CMC_CanvasObserver_Runner::MTH_ENABLENOTIFY: return 1;
    case CMC_CanvasObserver_Runner::MTH_MOVEBKG:
    case CMC_CanvasObserver_Runner::MTH_SETBKGPOS: return 2;
    default: return 0;
    }
}

} // namespace

void CMC_CanvasObserver_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_CanvasObserver_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* owner = object != nullptr && object->getType() == CMC_CanvasObserver::kType ? dynamic_cast<CMC_CanvasObserver*>(object)
                                                                                     : nullptr;
    if (owner == nullptr || id < MTH_REFRESH || id > MTH_GETBPP)
        return CMC_Runner::run(id, object, scope, args);
    CRefreshScreen* screen = owner->getCanvas();
    switch (id) {
    case MTH_GETGRAPHICSAT: return getGraphicsAt(*owner, scope, args);
    case MTH_GETBPP: return giveInteger(screen != nullptr ? screen->GetBpp() : 0);
    default:
        if (screen != nullptr && argumentCount(args) >= argumentsOf(id))
            act(*owner, *screen, id, scope, args);
        return nullptr;
    }
}

CMC_Object* CMC_CanvasObserver_Runner::getGraphicsAt(CMC_CanvasObserver& owner, CMC_ObjectsContainer* scope,
                                                     CXVector* args)
{
    const int count = argumentCount(args);
    CXString name;
    if (count >= 2) {
        const bool bounded = count >= 5;
        name = owner.getGraphicsAt(scope, integerParameter(args, 0), integerParameter(args, 1), boolParameter(args, 2),
                                   bounded ? integerParameter(args, 3) : -1, bounded ? integerParameter(args, 4) : -1,
                                   boolParameter(args, 5));
    }
    return giveString(name.IsString() ? name : CXString("NULL"));
}

void CMC_CanvasObserver_Runner::act(CMC_CanvasObserver& owner, CRefreshScreen& screen, int id,
                                    CMC_ObjectsContainer* scope, CXVector* args)
{
    CGraphicsObject* background = screen.getBackgroundIfc();
    switch (id) {
    case MTH_REFRESH: screen.Invalidate(static_cast<CXRect*>(nullptr)); break;
    case MTH_ADD:
        if (CGraphicsObject* named = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 0)) : nullptr)
            screen.put(named, argumentCount(args) >= 2 ? integerParameter(args, 1) : kDefaultPriority);
        break;
    case MTH_REMOVE:
        if (CGraphicsObject* named = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 0)) : nullptr)
            screen >> named;
        break;
    case MTH_SETBACKGROUND: {
        const CXString name = parameterText(args, 0);
        if (CGraphicsObject* named = scope != nullptr ? scope->getGraphicsObject(name) : nullptr)
            screen.SetBackground(named);
        else
            screen.SetBackground(name);
        screen.Invalidate(static_cast<CXRect*>(nullptr));
        break;
    }
    case MTH_MOVEBKG:
    case MTH_SETBKGPOS:
        if (background == nullptr)
            break;
        if (id == MTH_MOVEBKG)
            background->Move(integerParameter(args, 0), integerParameter(args, 1));
        else
            background->setPosition(integerParameter(args, 0), integerParameter(args, 1));
        screen.Invalidate(static_cast<CXRect*>(nullptr));
        break;
    case MTH_SAVE: saveCopy(owner.getWindow(), screen.getLastSurface(), args); break;
    case MTH_ENABLENOTIFY: owner.enableNotify(boolParameter(args, 0)); break;
    case MTH_REDRAW:
        screen.Invalidate(static_cast<CXRect*>(nullptr));
        // Inside a frame of the composer (a handler of ONUPDATE) no frame is composed again.
        if (!screen.isComposing() && owner.getWindow() != nullptr)
            owner.getWindow()->Redraw();
        break;
    default: break;
    }
}
