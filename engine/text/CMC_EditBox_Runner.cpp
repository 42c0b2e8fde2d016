#include "text/CMC_EditBox_Runner.h"

#include "text/CEditBox6.h"
#include "text/CMC_EditBox.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"SETTEXT", CMC_EditBox_Runner::MTH_SETTEXT},
    {"GETTEXT", CMC_EditBox_Runner::MTH_GETTEXT},
    {"ACTIVE", CMC_EditBox_Runner::MTH_ACTIVE},
    {"DEACTIVE", CMC_EditBox_Runner::MTH_DEACTIVE},
    {"ENABLE", CMC_EditBox_Runner::MTH_ENABLE},
    {"DISABLE", CMC_EditBox_Runner::MTH_DISABLE},
    {"ADDTEXT", CMC_EditBox_Runner::MTH_ADDTEXT},
    {"MOVE", CMC_EditBox_Runner::MTH_MOVE},
    {"SETPOSITION", CMC_EditBox_Runner::MTH_SETPOSITION},
    {"SETPRIORITY", CMC_EditBox_Runner::MTH_SETPRIORITY},
    {"SETCURSORPOS", CMC_EditBox_Runner::MTH_SETCURSORPOS},
};

// How many arguments each method needs, by id.
constexpr int kArgumentsNeeded[] = {0, 1, 0, 0, 0, 0, 0, 1, 2, 2, 1, 1};

} // namespace

void CMC_EditBox_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_EditBox_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* owner = object != nullptr && object->getType() == CMC_EditBox::kType ? dynamic_cast<CMC_EditBox*>(object) : nullptr;
    if (owner == nullptr || id < MTH_SETTEXT || id > MTH_SETCURSORPOS)
        return CMC_Runner::run(id, object, scope, args);
    CEditBox6* box = owner->getEditBox();
    if (box == nullptr || argumentCount(args) < kArgumentsNeeded[id])
        return nullptr;
    if (id == MTH_GETTEXT)
        return giveString(box->getText());
    change(*box, id, args);
    return nullptr;
}

void CMC_EditBox_Runner::change(CEditBox6& box, int id, CXVector* args)
{
    switch (id) {
    case MTH_SETTEXT: box.setText(parameterText(args, 0)); break;
    case MTH_ACTIVE: box.activate(true); break;
    case MTH_DEACTIVE: box.activate(false); break;
    case MTH_ENABLE: box.enable(true); break;
    case MTH_DISABLE: box.enable(false); break;
    case MTH_ADDTEXT: box.setText(box.getText() + parameterText(args, 0)); break;
    case MTH_MOVE: box.move(CXPoint(integerParameter(args, 0), integerParameter(args, 1))); break;
    case MTH_SETPOSITION: box.setPosition(CXPoint(integerParameter(args, 0), integerParameter(args, 1))); break;
    case MTH_SETPRIORITY: box.setPriority(integerParameter(args, 0)); break;
    case MTH_SETCURSORPOS: box.setCursorPos(integerParameter(args, 0)); break;
    default: break;
    }
}
