#include "app/ScriptTypes.h"

#include "app/CMC_Application_Runner.h"
#include "app/CMC_Episode_Runner.h"
#include "app/CMC_Scene_Runner.h"
#include "app/CMC_System.h"
#include "app/CMC_System_Runner.h"
#include "app/CMC_Timer.h"
#include "app/CMC_Timer_Runner.h"
#include "graphics/CMC_SceneTypes.h"
#include "media/InputScriptTypes.h"
#include "media/NetScriptTypes.h"
#include "media/SoundScriptTypes.h"
#include "script/CMC_Object.h"
#include "script/CMC_ObjectFactory.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMC_RunnerFactory.h"
#include "script_graphics/GraphicsScriptTypes.h"
#include "text/ControlScriptTypes.h"
#include "text/TextScriptTypes.h"

namespace {

// The scene tree and the application's built-in SYSTEM object.
void attachSceneFlowTypes()
{
    CMC_RunnerFactory::attach(CMC_Object::TYPE_APPLICATION, CMC_RunnerFactory::make<CMC_Application_Runner>);
    CMC_RunnerFactory::attach(CMC_Object::TYPE_EPISODE, CMC_RunnerFactory::make<CMC_Episode_Runner>);
    CMC_RunnerFactory::attach(CMC_Object::TYPE_SCENE, CMC_RunnerFactory::make<CMC_Scene_Runner>);
    CMC_RunnerFactory::attach(CMC_System::TYPE, CMC_RunnerFactory::make<CMC_System_Runner>);
}

void attachTimer()
{
    CMC_ObjectFactory::attach("TIMER", CMC_ObjectFactory::construct<CMC_Timer>);
    CMC_RecordFactory::attach(CMC_Timer::TYPE, CMC_RecordFactory::construct<CMC_Timer>);
    CMC_RunnerFactory::attach(CMC_Timer::TYPE, CMC_RunnerFactory::make<CMC_Timer_Runner>);
    CMC_SceneTypes::attachRunningTest(CMC_Timer::TYPE, [](CMC_Object* object) {
        auto* timer = dynamic_cast<CMC_Timer*>(object);
        return timer != nullptr && timer->isEnabled();
    });
}

} // namespace

void registerScriptTypes()
{
    attachSceneFlowTypes();
    attachTimer();
    attachInputScriptTypes();
    attachNetScriptTypes();
    attachSoundScriptTypes();
    attachGraphicsScriptTypes();
    attachTextScriptTypes();
    attachControlScriptTypes();
}
