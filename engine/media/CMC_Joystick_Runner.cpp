#include "media/CMC_Joystick_Runner.h"

#include "media/CMC_Joystick.h"
#include "script/CMC_Integer.h"

#include <cstdint>

void CMC_Joystick_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("GETBUTTONSTATE", MTH_GETBUTTONSTATE);
    registerMethod("GETPOSITION", MTH_GETPOSITION);
    registerMethod("ISLEFT", MTH_ISLEFT);
    registerMethod("ISRIGHT", MTH_ISRIGHT);
}

CMC_Object* CMC_Joystick_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* joystick = dynamic_cast<CMC_Joystick*>(object);
    if (joystick == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_GETBUTTONSTATE: {
        CMC_Integer* button = getParameterInteger(args, 0);
        return giveInteger(button != nullptr && joystick->getButtonState(button->getValue()) ? 1 : 0);
    }
    case MTH_GETPOSITION: {
        const CXString axis = parameterText(args, 0);
        const int index = axis == "X" ? 0 : axis == "Y" ? 1 : axis == "Z" ? 2 : -1;
        if (index < 0)
            return giveInteger(0);
        return giveInteger(static_cast<int>(static_cast<int64_t>(joystick->getAxis(index)) * 800 / 65535));
    }
    case MTH_ISLEFT:
        return giveBool(joystick->getAxis(0) < 0);
    case MTH_ISRIGHT:
        return giveBool(joystick->getAxis(0) > 0);
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}
