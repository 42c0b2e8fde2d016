#include "text/CMC_Button_Runner.h"

#include "graphics/CGraphicsObject.h"
#include "script/CMC_ObjectsContainer.h"
#include "text/CButton.h"
#include "text/CMC_Button.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"SETRECT", CMC_Button_Runner::MTH_SETRECT},
    {"ENABLE", CMC_Button_Runner::MTH_ENABLE},
    {"DISABLE", CMC_Button_Runner::MTH_DISABLE},
    {"ENABLEDRAGGING", CMC_Button_Runner::MTH_ENABLEDRAGGING},
    {"DISABLEDRAGGING", CMC_Button_Runner::MTH_DISABLEDRAGGING},
    {"DISABLEBUTVISIBLE", CMC_Button_Runner::MTH_DISABLEBUTVISIBLE},
    {"ACCENT", CMC_Button_Runner::MTH_ACCENT},
    {"SETSTD", CMC_Button_Runner::MTH_SETSTD},
    {"SETONMOVE", CMC_Button_Runner::MTH_SETONMOVE},
    {"SETONCLICK", CMC_Button_Runner::MTH_SETONCLICK},
    {"SETPRIORITY", CMC_Button_Runner::MTH_SETPRIORITY},
    {"GETPRIORITY", CMC_Button_Runner::MTH_GETPRIORITY},
    {"GETSTD", CMC_Button_Runner::MTH_GETSTD},
    {"GETONMOVE", CMC_Button_Runner::MTH_GETONMOVE},
    {"GETONCLICK", CMC_Button_Runner::MTH_GETONCLICK},
};

} // namespace

void CMC_Button_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CGraphicsObject* CMC_Button_Runner::pictureArgument(CMC_ObjectsContainer* scope, CXVector* args)
{
    return scope != nullptr && argumentCount(args) >= 1 ? scope->getGraphicsObject(parameterText(args, 0)) : nullptr;
}

CMC_Object* CMC_Button_Runner::nameOf(CMC_ObjectsContainer* scope, CGraphicsObject* picture)
{
    return giveString(scope != nullptr ? scope->getGraphicsObjectName(picture) : CXString("UNKNOWN"));
}

void CMC_Button_Runner::setRect(CButton& button, CMC_ObjectsContainer* scope, CXVector* args)
{
    const int count = argumentCount(args);
    if (count >= 4) {
        button.SetActiveRect(CXRect(integerParameter(args, 0), integerParameter(args, 1), integerParameter(args, 2),
                                    integerParameter(args, 3)));
    } else if (count == 1) {
        CGraphicsObject* picture = pictureArgument(scope, args);
        button.SetActiveRect(picture != nullptr ? picture->GetBoundingBox() : CXRect());
    }
}

CMC_Object* CMC_Button_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* owner = object != nullptr && object->getType() == CMC_Button::kType ? dynamic_cast<CMC_Button*>(object) : nullptr;
    CButton* button = owner != nullptr ? owner->getButton() : nullptr;
    if (owner == nullptr || id < MTH_SETRECT || id > MTH_GETONCLICK)
        return CMC_Runner::run(id, object, scope, args);
    if (button == nullptr)
        return nullptr;
    const bool named = argumentCount(args) >= 1;
    switch (id) {
    case MTH_SETRECT: setRect(*button, scope, args); break;
    case MTH_ENABLE: button->Enable(true); break;
    case MTH_DISABLE: button->Enable(false); break;
    case MTH_ENABLEDRAGGING: button->EnableDragging(true); break;
    case MTH_DISABLEDRAGGING: button->EnableDragging(false); break;
    case MTH_DISABLEBUTVISIBLE: button->DisableButVisible(); break;
    case MTH_ACCENT:
        if (named)
            button->Accent(pictureArgument(scope, args));
        break;
    case MTH_SETSTD:
        if (named)
            button->Set(pictureArgument(scope, args), nullptr, boolParameter(args, 1, true));
        break;
    case MTH_SETONMOVE: button->SetOnMove(pictureArgument(scope, args), button->GetSOOnMove()); break;
    case MTH_SETONCLICK: button->SetOnClick(pictureArgument(scope, args), button->GetSOOnClick()); break;
    case MTH_SETPRIORITY:
        if (named)
            button->setPriority(integerParameter(args, 0));
        break;
    case MTH_GETPRIORITY: return giveInteger(button->getPriority());
    case MTH_GETSTD: return nameOf(scope, button->GetStandard());
    case MTH_GETONMOVE: return nameOf(scope, button->GetOnMove());
    case MTH_GETONCLICK: return nameOf(scope, button->GetOnClick());
    default: break;
    }
    return nullptr;
}
