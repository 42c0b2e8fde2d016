#include "media/CMC_Sound_Runner.h"

#include "media/CMC_Sound.h"
#include "media/CScriptSoundLevels.h"
#include "media/CSound4.h"

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"PLAY", CMC_Sound_Runner::MTH_PLAY},
    {"STOP", CMC_Sound_Runner::MTH_STOP},
    {"PAUSE", CMC_Sound_Runner::MTH_PAUSE},
    {"RESUME", CMC_Sound_Runner::MTH_RESUME},
    {"LOAD", CMC_Sound_Runner::MTH_LOAD},
    {"SETVOLUME", CMC_Sound_Runner::MTH_SETVOLUME},
    {"SETPAN", CMC_Sound_Runner::MTH_SETPAN},
    {"SETFREQ", CMC_Sound_Runner::MTH_SETFREQ},
    {"ISPLAYING", CMC_Sound_Runner::MTH_ISPLAYING},
};

} // namespace

void CMC_Sound_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_Sound_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* owner = object != nullptr && object->getType() == CMC_Sound::kType ? dynamic_cast<CMC_Sound*>(object) : nullptr;
    if (owner == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    CSound4* sound = owner->getSound();
    switch (id) {
    case MTH_LOAD: return giveBool(argumentCount(args) >= 1 && owner->load(parameterText(args, 0)));
    case MTH_ISPLAYING: return giveBool(sound != nullptr && sound->IsPlaying());
    case MTH_PLAY:
    case MTH_STOP:
    case MTH_PAUSE:
    case MTH_RESUME:
    case MTH_SETVOLUME:
    case MTH_SETPAN:
    case MTH_SETFREQ:
        if (sound != nullptr)
            control(*sound, id, args);
        return nullptr;
    default: return CMC_Runner::run(id, object, scope, args);
    }
}

void CMC_Sound_Runner::control(CSound4& sound, int id, CXVector* args)
{
    const bool withValue = argumentCount(args) >= 1;
    switch (id) {
    case MTH_PLAY: sound.play(); break;
    case MTH_STOP: sound.stop(boolParameter(args, 0, true)); break;
    case MTH_PAUSE: sound.pause(); break;
    case MTH_RESUME: sound.resume(); break;
    case MTH_SETVOLUME:
        if (withValue)
            sound.setVolume(CScriptSoundLevels::volumeToDevice(integerParameter(args, 0)));
        break;
    case MTH_SETPAN:
        if (withValue)
            sound.setPanning(CScriptSoundLevels::panToDevice(integerParameter(args, 0)));
        break;
    case MTH_SETFREQ:
        if (withValue)
            sound.setFrequency(integerParameter(args, 0));
        break;
    default: break;
    }
}
