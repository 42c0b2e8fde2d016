#include "script_graphics/CMC_VirtualGraphicsObject_Runner.h"

#include "graphics/CAnimo6.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/CVirtualGraphicsObject.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_VirtualGraphicsObject.h"
#include "script_graphics/ScriptGraphicsWindow.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"SHOW", CMC_VirtualGraphicsObject_Runner::MTH_SHOW},
    {"HIDE", CMC_VirtualGraphicsObject_Runner::MTH_HIDE},
    {"SETPOSITION", CMC_VirtualGraphicsObject_Runner::MTH_SETPOSITION},
    {"MOVE", CMC_VirtualGraphicsObject_Runner::MTH_MOVE},
    {"SETSOURCE", CMC_VirtualGraphicsObject_Runner::MTH_SETSOURCE},
    {"SETMASK", CMC_VirtualGraphicsObject_Runner::MTH_SETMASK},
    {"CLEARCLIPPING", CMC_VirtualGraphicsObject_Runner::MTH_CLEARCLIPPING},
    {"SETCLIPPING", CMC_VirtualGraphicsObject_Runner::MTH_SETCLIPPING},
    {"GETPOSITIONX", CMC_VirtualGraphicsObject_Runner::MTH_GETPOSITIONX},
    {"GETPOSITIONY", CMC_VirtualGraphicsObject_Runner::MTH_GETPOSITIONY},
    {"GETWIDTH", CMC_VirtualGraphicsObject_Runner::MTH_GETWIDTH},
    {"GETHEIGHT", CMC_VirtualGraphicsObject_Runner::MTH_GETHEIGHT},
    {"ISNEAR", CMC_VirtualGraphicsObject_Runner::MTH_ISNEAR},
    {"ISINSIDE", CMC_VirtualGraphicsObject_Runner::MTH_ISINSIDE},
    {"MONITORCOLLISION", CMC_VirtualGraphicsObject_Runner::MTH_MONITORCOLLISION},
    {"REMOVEMONITORCOLLISION", CMC_VirtualGraphicsObject_Runner::MTH_REMOVEMONITORCOLLISION},
    {"SETPRIORITY", CMC_VirtualGraphicsObject_Runner::MTH_SETPRIORITY},
    {"INVALIDATE", CMC_VirtualGraphicsObject_Runner::MTH_INVALIDATE},
    {"ISVISIBLE", CMC_VirtualGraphicsObject_Runner::MTH_ISVISIBLE},
    {"SETASBUTTON", CMC_VirtualGraphicsObject_Runner::MTH_SETASBUTTON},
};

// The fewest arguments of each method, by id.
constexpr int kArguments[] = {0, 0, 0, 2, 2, 1, 1, 0, 1, 0, 0, 0, 0, 2, 2, 1, 0, 1, 0, 0, 2};

} // namespace

void CMC_VirtualGraphicsObject_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_VirtualGraphicsObject_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* owner = object != nullptr && object->getType() == CMC_VirtualGraphicsObject::kType
                      ? dynamic_cast<CMC_VirtualGraphicsObject*>(object)
                      : nullptr;
    if (owner == nullptr || id < MTH_SHOW || id > MTH_SETASBUTTON)
        return CMC_Runner::run(id, object, scope, args);
    CVirtualGraphicsObject& picture = *owner->getVirtualGraphicsObject();
    const bool complete = argumentCount(args) >= kArguments[id];
    switch (id) {
    case MTH_GETPOSITIONX:
    case MTH_GETPOSITIONY:
    case MTH_GETWIDTH:
    case MTH_GETHEIGHT: return answer(picture, id, scope, args);
    case MTH_ISNEAR:
    case MTH_ISINSIDE:
    case MTH_ISVISIBLE: return complete ? answer(picture, id, scope, args) : giveBool(false);
    default:
        if (complete)
            act(*owner, picture, id, scope, args);
        return nullptr;
    }
}

CMC_Object* CMC_VirtualGraphicsObject_Runner::answer(CVirtualGraphicsObject& picture, int id, CMC_ObjectsContainer* scope,
                                                      CXVector* args)
{
    switch (id) {
    case MTH_GETPOSITIONX: return giveInteger(picture.GetPosition().x);
    case MTH_GETPOSITIONY: return giveInteger(picture.GetPosition().y);
    case MTH_GETWIDTH: return giveInteger(picture.Width());
    case MTH_GETHEIGHT: return giveInteger(picture.Height());
    case MTH_ISNEAR: {
        CXRect other;
        int percent = 0;
        return giveBool(nearArguments(scope, args, &other, &percent) && picture.isNear(other, percent));
    }
    case MTH_ISINSIDE: {
        // The picture has no alpha plane of its own: by alpha, its mask decides.
        const CXPoint p(integerParameter(args, 0), integerParameter(args, 1));
        return giveBool(boolParameter(args, 2) ? picture.testHit(p) : picture.isAt(p, false));
    }
    default: return giveBool(picture.isVisible());
    }
}

void CMC_VirtualGraphicsObject_Runner::act(CMC_VirtualGraphicsObject& owner, CVirtualGraphicsObject& picture, int id,
                                           CMC_ObjectsContainer* scope, CXVector* args)
{
    switch (id) {
    case MTH_SHOW: picture.Visible(true); break;
    case MTH_HIDE: picture.Visible(false); break;
    case MTH_SETPOSITION:
        picture.Invalidate();
        picture.SetPosition(integerParameter(args, 0), integerParameter(args, 1));
        picture.Invalidate();
        break;
    case MTH_MOVE: picture.Move(integerParameter(args, 0), integerParameter(args, 1)); break;
    case MTH_SETSOURCE:
        if (CGraphicsObject* source = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 0)) : nullptr)
            picture.setSource(source);
        break;
    case MTH_SETMASK: setMask(picture, scope, args); break;
    case MTH_CLEARCLIPPING: picture.SetClippingRect(CXRect(0, 0, 0, 0)); break;
    case MTH_SETCLIPPING: picture.SetClippingRect(clippingRect(scope, args)); break;
    case MTH_MONITORCOLLISION: owner.monitorCollisions(boolParameter(args, 0)); break;
    case MTH_REMOVEMONITORCOLLISION: owner.removeCollisionsMonitoring(); break;
    case MTH_SETPRIORITY:
        if (CRefreshScreen* screen = screenOf(callerWindow(scope, &owner)))
            screen->SetPriority(&picture, integerParameter(args, 0));
        break;
    case MTH_INVALIDATE: picture.Invalidate(); break;
    case MTH_SETASBUTTON: owner.setAsButton(boolParameter(args, 0), boolParameter(args, 1)); break;
    default: break;
    }
}

void CMC_VirtualGraphicsObject_Runner::setMask(CVirtualGraphicsObject& picture, CMC_ObjectsContainer* scope,
                                               CXVector* args)
{
    const CXString name = parameterText(args, 0);
    CGraphicsObject* mask = scope != nullptr ? scope->getGraphicsObject(name) : nullptr;
    if (mask == nullptr)
        return;
    CMC_Object* named = scope->getObject(name.c_str());
    auto* animo = named != nullptr && named->getType() == CMC_Animo::kType ? dynamic_cast<CMC_Animo*>(named) : nullptr;
    if (animo != nullptr && animo->getAnimo() != nullptr)
        picture.setAnimoMask(animo->getAnimo());
    else
        picture.setMask(mask);
}
