#include "app/CMC_Scene_Runner.h"

#include "app/CApplication.h"
#include "app/CMC_RunMethod.h"
#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "foundation/CXArray.h"
#include "foundation/CXTimer.h"
#include "foundation/CXVector.h"
#include "graphics/CAnimationManager.h"
#include "graphics/CHotSpot.h"
#include "media/CScriptSoundLevels.h"
#include "media/CSoundManager.h"
#include "script/CMC_Array.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_CodeArgument.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_Integer.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_String.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

// In the order of registration.
constexpr CMC_Runner::MethodName kMethods[] = {
    {"STARTMUSIC", CMC_Scene_Runner::MTH_STARTMUSIC},
    {"STOPMUSIC", CMC_Scene_Runner::MTH_STOPMUSIC},
    {"GETDRAGGEDNAME", CMC_Scene_Runner::MTH_GETDRAGGEDNAME},
    {"GETPLAYINGSEQ", CMC_Scene_Runner::MTH_GETPLAYINGSEQ},
    {"RUN", CMC_Scene_Runner::MTH_RUN},
    {"RUNCLONES", CMC_Scene_Runner::MTH_RUNCLONES},
    {"CREATEOBJECT", CMC_Scene_Runner::MTH_CREATEOBJECT},
    {"REMOVE", CMC_Scene_Runner::MTH_REMOVE},
    {"REMOVECLONES", CMC_Scene_Runner::MTH_REMOVECLONES},
    {"SETMUSICVOLUME", CMC_Scene_Runner::MTH_SETMUSICVOLUME},
    {"GETMUSICVOLUME", CMC_Scene_Runner::MTH_GETMUSICVOLUME},
    {"SETMUSICPAN", CMC_Scene_Runner::MTH_SETMUSICPAN},
    {"SETMUSICFREQ", CMC_Scene_Runner::MTH_SETMUSICFREQ},
    {"PAUSE", CMC_Scene_Runner::MTH_PAUSE},
    {"RESUME", CMC_Scene_Runner::MTH_RESUME},
    {"SETMINHSPRIORITY", CMC_Scene_Runner::MTH_SETMINHSPRIORITY},
    {"SETMAXHSPRIORITY", CMC_Scene_Runner::MTH_SETMAXHSPRIORITY},
    {"GETELEMENTSNO", CMC_Scene_Runner::MTH_GETELEMENTSNO},
    {"TOTIME", CMC_Scene_Runner::MTH_TOTIME},
    {"ISPAUSED", CMC_Scene_Runner::MTH_ISPAUSED},
    {"GETPLAYINGANIMO", CMC_Scene_Runner::MTH_GETPLAYINGANIMO},
    {"RESUMEONLY", CMC_Scene_Runner::MTH_RESUMEONLY},
    {"RESUMESEQONLY", CMC_Scene_Runner::MTH_RESUMESEQONLY},
    {"GETMINHSPRIORITY", CMC_Scene_Runner::MTH_GETMINHSPRIORITY},
    {"GETMAXHSPRIORITY", CMC_Scene_Runner::MTH_GETMAXHSPRIORITY},
    {"GETRUNNINGTIMER", CMC_Scene_Runner::MTH_GETRUNNINGTIMER},
    {"GETOBJECTS", CMC_Scene_Runner::MTH_GETOBJECTS},
};

// The number i of a name "BASE_i" written the way clone names are (no sign but a minus,
// no leading zeros); none for any other name.
bool cloneNumber(const CXString& name, const CXString& base, int* number)
{
    const std::string text = name.c_str();
    const std::string prefix = std::string(base.c_str()) + "_";
    if (text.size() <= prefix.size() || text.compare(0, prefix.size(), prefix) != 0)
        return false;
    const char* first = text.data() + prefix.size();
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(first, last, *number);
    return error == std::errc() && end == last && std::to_string(*number) == std::string(first, last);
}

// The scene's own object leaves at once and finishes; its memory waits for the frame's end,
// since it may be the code that is running. Scene nodes are never taken.
void takeOut(CMC_Scene* scene, CMC_Object* object)
{
    if (object == nullptr || dynamic_cast<CMC_Scene*>(object) != nullptr || !scene->removeObject(object))
        return;
    object->done(false);
    scene->deleteLater(object);
}

CApplication* applicationOf(CMC_Scene* scene)
{
    CWindow* window = scene->getWindow();
    return window != nullptr ? window->GetApplicationInterface() : nullptr;
}

} // namespace

void CMC_Scene_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethods(kMethods);
}

CXString CMC_Scene_Runner::toTime(int seconds)
{
    const int minutes = seconds / 60;
    const int rest = seconds % 60;
    return CXString::toString(minutes / 10) + CXString::toString(minutes % 10) + CXString::toString(rest / 10) +
           CXString::toString(rest % 10);
}

CMC_Object* CMC_Scene_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* scene = dynamic_cast<CMC_Scene*>(object);
    if (scene == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    CWindow* window = scene->getWindow();
    switch (id) {
    case MTH_STARTMUSIC:
        if (argumentCount(args) == 0)
            scene->startMusic(nullptr, true);
        else
            scene->startMusic(parameterText(args, 0).c_str(), true);
        return nullptr;
    case MTH_STOPMUSIC:
        scene->stopMusic();
        return nullptr;
    case MTH_GETDRAGGEDNAME:
        return giveString(scene->getDraggedName());
    case MTH_GETPLAYINGSEQ:
        scene->getPlayingSeq(namedOfType<CMC_Array>(scene, args, 0, CMC_Object::TYPE_ARRAY));
        return nullptr;
    case MTH_RUN:
        return runMethodOf(*this, args, scene, scene, false);
    case MTH_RUNCLONES:
        runClones(scene, args);
        return nullptr;
    case MTH_CREATEOBJECT:
        if (argumentCount(args) >= 2)
            scene->createObject(parameterText(args, 0), parameterText(args, 1));
        return nullptr;
    case MTH_REMOVE:
        if (argumentCount(args) >= 1)
            takeOut(scene, scene->getObject(parameterText(args, 0).c_str()));
        return nullptr;
    case MTH_REMOVECLONES:
        removeClones(scene, args);
        return nullptr;
    case MTH_SETMUSICVOLUME:
        if (window != nullptr && argumentCount(args) >= 1)
            window->setMusicVolume(CScriptSoundLevels::volumeToDevice(integerParameter(args, 0)));
        return nullptr;
    case MTH_GETMUSICVOLUME:
        return giveInteger(window != nullptr ? CScriptSoundLevels::volumeFromDevice(window->getMusicVolume()) : 0);
    case MTH_SETMUSICPAN:
        if (window != nullptr && argumentCount(args) >= 1)
            window->setMusicPan(CScriptSoundLevels::panToDevice(integerParameter(args, 0)));
        return nullptr;
    case MTH_SETMUSICFREQ:
        if (window != nullptr && argumentCount(args) >= 1)
            window->setMusicFreq(integerParameter(args, 0));
        return nullptr;
    case MTH_PAUSE:
        pause(scene, args);
        return nullptr;
    case MTH_RESUME:
        resume(scene, args, false);
        return nullptr;
    case MTH_RESUMEONLY:
        resume(scene, args, true);
        return nullptr;
    case MTH_SETMINHSPRIORITY:
        if (argumentCount(args) >= 1)
            CHotSpot::setMinPriority(integerParameter(args, 0));
        return nullptr;
    case MTH_SETMAXHSPRIORITY:
        if (argumentCount(args) >= 1)
            CHotSpot::setMaxPriority(integerParameter(args, 0));
        return nullptr;
    case MTH_GETMINHSPRIORITY:
        return giveInteger(CHotSpot::getMinPriority());
    case MTH_GETMAXHSPRIORITY:
        return giveInteger(CHotSpot::getMaxPriority());
    case MTH_GETELEMENTSNO:
        return giveInteger(scene->getElementsNo());
    case MTH_TOTIME:
        return giveString(toTime(integerParameter(args, 0)));
    case MTH_ISPAUSED:
        return giveBool(paused_);
    case MTH_GETPLAYINGANIMO:
        scene->getPlayingAnimo(namedOfType<CMC_Groupped>(scene, args, 0, CMC_Object::TYPE_GROUP));
        return nullptr;
    case MTH_GETRUNNINGTIMER:
        scene->getRunningTimers(namedOfType<CMC_Groupped>(scene, args, 0, CMC_Object::TYPE_GROUP));
        return nullptr;
    case MTH_GETOBJECTS:
        if (auto* group = namedOfType<CMC_Groupped>(scene, args, 1, CMC_Object::TYPE_GROUP))
            scene->getObjects(parameterText(args, 0), group);
        return nullptr;
    case MTH_RESUMESEQONLY:
        scene->resumeExcept(namedOfType<CMC_Array>(scene, args, 0, CMC_Object::TYPE_ARRAY));
        return nullptr;
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}

// The behaviour (or code) runs once for each clone name BASE_i, given as $1, with the
// further arguments' texts after it.
void CMC_Scene_Runner::runClones(CMC_Scene* scene, CXVector* args)
{
    if (argumentCount(args) < 4)
        return;
    const CXString base = parameterText(args, 0);
    CMC_Object* target = scene->getObject(base.c_str());
    CMC_String* code = getParameterString(args, 3);
    if (target == nullptr || code == nullptr)
        return;
    const int second = integerParameter(args, 1);
    const int third = integerParameter(args, 2);
    const int64_t first = second > 0 ? second : 1;
    const int64_t last = third > 0 ? third : target->getClonesNo();
    CMC_CodeArgument behaviour(scene, code, false);
    for (int64_t i = first; i <= last; ++i) {
        auto* texts = new CXArray(101, 0.75f);
        texts->add(new CXString(base + "_" + CXString::toString(static_cast<int>(i))));
        for (int extra = 4; extra < argumentCount(args); ++extra)
            texts->add(new CXString(parameterText(args, extra)));
        behaviour.get()->run(scene, texts, false);
        CXString::releaseToVector(texts);
    }
}

// Only what the scene holds itself goes, in the order of the clone numbers; index 0 names the
// object itself.
void CMC_Scene_Runner::removeClones(CMC_Scene* scene, CXVector* args)
{
    if (argumentCount(args) < 3)
        return;
    CMC_Object* found = scene->getObject(parameterText(args, 0).c_str());
    if (found == nullptr)
        return;
    const int second = integerParameter(args, 1);
    const int third = integerParameter(args, 2);
    const int64_t first = second == -1 ? 1 : second;
    const int64_t last = third == -1 ? found->getClonesNo() : third;
    const CXString base = found->getName();
    std::vector<std::pair<int, CMC_Object*>> clones;
    CMC_Object* exactZero = nullptr;
    for (int i = 0; i < scene->getObjectsNo(); ++i) {
        CMC_Object* object = scene->getObject(i);
        int number = 0;
        if (!cloneNumber(object->getName(), base, &number) || number < first || number > last)
            continue;
        if (number == 0)
            exactZero = object;
        else
            clones.emplace_back(number, object);
    }
    if (first <= 0 && last >= 0) {
        CMC_Object* zero = exactZero != nullptr ? exactZero : found;
        if (scene->holds(zero))
            clones.emplace_back(0, zero);
    }
    std::stable_sort(clones.begin(), clones.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [number, clone] : clones)
        if (scene->holds(clone))
            takeOut(scene, clone);
}

void CMC_Scene_Runner::pause(CMC_Scene* scene, CXVector* args)
{
    if (paused_)
        return;
    paused_ = true;
    if (CApplication* application = applicationOf(scene)) {
        application->getAnimoManagerIfc()->pause();
        application->getSoundManagerIfc()->pause();
    }
    CWindow::pause();
    const bool keepTimers = argumentCount(args) > 0 && boolParameter(args, 0);
    timersPaused_ = !keepTimers && scene->getWindow() != nullptr;
    if (timersPaused_)
        scene->getWindow()->GetTimerInterface()->pause();
    CXTimer::enable(keepTimers);
}

void CMC_Scene_Runner::resume(CMC_Scene* scene, CXVector* args, bool onlyAGroup)
{
    if (!paused_)
        return;
    paused_ = false;
    if (CApplication* application = applicationOf(scene)) {
        CAnimationManager* animations = application->getAnimoManagerIfc();
        if (onlyAGroup)
            animations->resume(namedOfType<CMC_Groupped>(scene, args, 0, CMC_Object::TYPE_GROUP));
        else
            animations->resume();
        application->getSoundManagerIfc()->resume();
    }
    CWindow::resume();
    const int timersAt = onlyAGroup ? 1 : 0;
    const bool resumeTimers = argumentCount(args) <= timersAt || boolParameter(args, timersAt);
    if (resumeTimers && timersPaused_ && scene->getWindow() != nullptr)
        scene->getWindow()->GetTimerInterface()->resume();
    timersPaused_ = false;
    CXTimer::enable(resumeTimers);
}
