#include "media/CMC_Keyboard_Runner.h"

#include "media/CKeyboard.h"
#include "media/CMC_Keyboard.h"
#include "media/MediaWindow.h"
#include "script/CMC_Bool.h"
#include "script/CMC_ObjectsContainer.h"

void CMC_Keyboard_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("ENABLE", MTH_ENABLE);
    registerMethod("DISABLE", MTH_DISABLE);
    registerMethod("SETAUTOREPEAT", MTH_SETAUTOREPEAT);
    registerMethod("ISKEYDOWN", MTH_ISKEYDOWN);
    registerMethod("GETLATESTKEY", MTH_GETLATESTKEY);
    registerMethod("ISENABLED", MTH_ISENABLED);
    registerMethod("GETLATESTKEYS", MTH_GETLATESTKEYS);
}

CMC_Object* CMC_Keyboard_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* keyboard = dynamic_cast<CMC_Keyboard*>(object);
    if (keyboard == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    CKeyboard* device = keyboard->getKeyboard();
    switch (id) {
    case MTH_ENABLE:
        keyboard->enable();
        return nullptr;
    case MTH_DISABLE:
        keyboard->disable();
        return nullptr;
    case MTH_SETAUTOREPEAT: {
        // One mode for the whole window: every key listener hears held keys alike.
        MediaWindow* window = MediaWindow::of(callerWindow(scope, keyboard));
        CKeyboard* target = window != nullptr ? window->getKeyboardInterface() : nullptr;
        CMC_Bool* on = getParameterBool(args, 0);
        if (target != nullptr && on != nullptr)
            target->setAutoRepeat(on->getValue());
        return nullptr;
    }
    case MTH_ISKEYDOWN:
        if (device == nullptr)
            return giveBool(false);
        if (argumentCount(args) == 0)
            return giveBool(device->isAnyKeyPressed());
        return giveBool(keyboard->isEnabled() && device->isKeyPressed(parameterText(args, 0)));
    case MTH_GETLATESTKEY:
        return giveString(keyboard->getLatestKey());
    case MTH_ISENABLED:
        return giveBool(keyboard->isEnabled());
    case MTH_GETLATESTKEYS:
        // Nothing ever queues latest keys, so there is nothing to move into the named ARRAY.
        return nullptr;
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}
