#include "script_graphics/CMC_Sequence_Runner.h"

#include "graphics/CMultimediaSequenceCreator.h"
#include "graphics/CSequencedPlayable.h"
#include "media/CScriptSoundLevels.h"
#include "script/CMC_Array.h"
#include "script/CMC_Integer.h"
#include "script/CMC_ObjectsContainer.h"
#include "script_graphics/CMC_Sequence.h"

#include <string>

namespace {

constexpr CMC_Runner::MethodName kMethods[] = {
    {"PLAY", CMC_Sequence_Runner::MTH_PLAY},
    {"STOP", CMC_Sequence_Runner::MTH_STOP},
    {"PAUSE", CMC_Sequence_Runner::MTH_PAUSE},
    {"RESUME", CMC_Sequence_Runner::MTH_RESUME},
    {"SHOW", CMC_Sequence_Runner::MTH_SHOW},
    {"HIDE", CMC_Sequence_Runner::MTH_HIDE},
    {"ISPLAYING", CMC_Sequence_Runner::MTH_ISPLAYING},
    {"SETVOLUME", CMC_Sequence_Runner::MTH_SETVOLUME},
    {"SETPAN", CMC_Sequence_Runner::MTH_SETPAN},
    {"SETFREQ", CMC_Sequence_Runner::MTH_SETFREQ},
    {"GETEVENTNAME", CMC_Sequence_Runner::MTH_GETEVENTNAME},
    {"GETPLAYING", CMC_Sequence_Runner::MTH_GETPLAYING},
};

} // namespace

void CMC_Sequence_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CMC_Object* CMC_Sequence_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* owner = object != nullptr && object->getType() == CMC_Sequence::kType ? dynamic_cast<CMC_Sequence*>(object) : nullptr;
    if (owner == nullptr || id < MTH_PLAY || id > MTH_GETPLAYING)
        return CMC_Runner::run(id, object, scope, args);
    CSequencedPlayable* tree = owner->getSequence();
    switch (id) {
    case MTH_ISPLAYING: return giveBool(tree != nullptr && tree->isPlaying());
    case MTH_GETEVENTNAME:
        if (tree == nullptr)
            return giveString(CXString());
        return giveString(argumentCount(args) >= 1 ? tree->getLastPlayedEvent(parameterText(args, 0))
                                                   : tree->getLastPlayedEvent());
    case MTH_GETPLAYING: {
        CPlayable* playing = tree != nullptr ? tree->getPlaying() : nullptr;
        return giveString(playing != nullptr ? playing->getName() : CXString());
    }
    case MTH_PLAY:
        if (tree != nullptr && argumentCount(args) >= 1)
            play(*tree, scope, args);
        return nullptr;
    default:
        if (tree != nullptr)
            control(*tree, id, args);
        return nullptr;
    }
}

CXString CMC_Sequence_Runner::parameterFromArray(const CXString& parameter, CMC_Array& values)
{
    std::string text(parameter.c_str(), static_cast<size_t>(parameter.GetLength()));
    int next = 0;
    for (size_t i = 0; i < text.size() && static_cast<int>(i) < values.getSize(); ++i) {
        if (text[i] != 'x' && text[i] != 'X')
            continue;
        CMC_Variable* value = values.get(next++);
        auto* number = static_cast<CMC_Integer*>(readAs(value, value, CMC_Object::TYPE_INTEGER));
        const CXString selector = CMultimediaSequenceCreator::getParameter(number != nullptr ? number->getValue() : 0);
        if (selector.IsString())
            text[i] = selector.c_str()[0];
    }
    return CXString(text.c_str());
}

void CMC_Sequence_Runner::play(CSequencedPlayable& tree, CMC_ObjectsContainer* scope, CXVector* args)
{
    const CXString event = parameterText(args, 0);
    if (argumentCount(args) == 1) {
        tree.play(event);
        return;
    }
    const CXString second = parameterText(args, 1);
    CMC_Object* named = scope != nullptr ? scope->getObject(second.c_str()) : nullptr;
    auto* values = named != nullptr && named->getType() == CMC_Object::TYPE_ARRAY ? dynamic_cast<CMC_Array*>(named) : nullptr;
    tree.setParameter(event, values != nullptr ? parameterFromArray(tree.getParameter(event), *values) : second);
    tree.play(event);
}

void CMC_Sequence_Runner::control(CSequencedPlayable& tree, int id, CXVector* args)
{
    const bool withValue = argumentCount(args) >= 1;
    switch (id) {
    case MTH_STOP:
        if (tree.isPlaying())
            tree.stop(boolParameter(args, 0, true));
        break;
    case MTH_PAUSE: tree.pause(); break;
    case MTH_RESUME: tree.resume(); break;
    case MTH_SHOW: tree.show(); break;
    case MTH_HIDE: tree.hide(); break;
    case MTH_SETVOLUME:
        if (withValue)
            tree.setVolume(CScriptSoundLevels::volumeToDevice(integerParameter(args, 0)));
        break;
    case MTH_SETPAN:
        if (withValue)
            tree.setPanning(CScriptSoundLevels::panToDevice(integerParameter(args, 0)));
        break;
    case MTH_SETFREQ:
        if (withValue)
            tree.setFrequency(integerParameter(args, 0));
        break;
    default: break;
    }
}
