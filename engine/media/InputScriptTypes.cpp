#include "media/InputScriptTypes.h"

#include "media/CMC_Joystick.h"
#include "media/CMC_Joystick_Runner.h"
#include "media/CMC_Keyboard.h"
#include "media/CMC_Keyboard_Runner.h"
#include "media/CMC_Mouse.h"
#include "media/CMC_Mouse_Runner.h"
#include "script/CMC_ObjectFactory.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMC_RunnerFactory.h"

void attachInputScriptTypes()
{
    CMC_ObjectFactory::attach("MOUSE", CMC_ObjectFactory::construct<CMC_Mouse>);
    CMC_ObjectFactory::attach("KEYBOARD", CMC_ObjectFactory::construct<CMC_Keyboard>);
    CMC_ObjectFactory::attach("JOYSTICK", CMC_ObjectFactory::construct<CMC_Joystick>);
    CMC_RecordFactory::attach(CMC_Mouse::TYPE, CMC_RecordFactory::construct<CMC_Mouse>);
    CMC_RecordFactory::attach(CMC_Keyboard::TYPE, CMC_RecordFactory::construct<CMC_Keyboard>);
    CMC_RecordFactory::attach(CMC_Joystick::TYPE, CMC_RecordFactory::construct<CMC_Joystick>);
    CMC_RunnerFactory::attach(CMC_Mouse::TYPE, CMC_RunnerFactory::make<CMC_Mouse_Runner>);
    CMC_RunnerFactory::attach(CMC_Keyboard::TYPE, CMC_RunnerFactory::make<CMC_Keyboard_Runner>);
    CMC_RunnerFactory::attach(CMC_Joystick::TYPE, CMC_RunnerFactory::make<CMC_Joystick_Runner>);
}
