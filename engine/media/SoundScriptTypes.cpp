#include "media/SoundScriptTypes.h"

#include "media/CMC_Sound.h"
#include "media/CMC_Sound_Runner.h"
#include "script/CMC_ObjectFactory.h"
#include "script/CMC_RecordFactory.h"
#include "script/CMC_RunnerFactory.h"

void attachSoundScriptTypes()
{
    CMC_ObjectFactory::attach("SOUND", CMC_ObjectFactory::construct<CMC_Sound>);
    // CREATE starts from the same empty object as a compiled record.
    CMC_ObjectFactory::attachEmpty("SOUND", CMC_RecordFactory::construct<CMC_Sound>);
    CMC_RecordFactory::attach(CMC_Sound::kType, CMC_RecordFactory::construct<CMC_Sound>);
    CMC_RunnerFactory::attach(CMC_Sound::kType, CMC_RunnerFactory::make<CMC_Sound_Runner>);
}
