#include "app/SceneScriptTypes.h"

#include "app/CMC_Scene_Runner.h"
#include "script/CMC_Object.h"
#include "script/CMC_RunnerFactory.h"

void attachSceneScriptTypes()
{
    CMC_RunnerFactory::attach(CMC_Object::TYPE_SCENE, CMC_RunnerFactory::make<CMC_Scene_Runner>);
}
