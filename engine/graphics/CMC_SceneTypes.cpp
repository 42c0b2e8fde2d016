#include "graphics/CMC_SceneTypes.h"

#include "script/CMC_Object.h"

#include <map>

namespace {

std::map<int, CMC_SceneTypes::PlayableOf>& playables()
{
    static std::map<int, CMC_SceneTypes::PlayableOf> table;
    return table;
}

std::map<int, CMC_SceneTypes::RunningTest>& runningTests()
{
    static std::map<int, CMC_SceneTypes::RunningTest> table;
    return table;
}

struct RunTimeType {
    const char* word;
    CMC_SceneTypes::Maker maker;
};

RunTimeType runTimeTypes[] = {{"BUTTON", nullptr}, {"VGO", nullptr}};

RunTimeType* runTimeType(const CXString& word)
{
    for (RunTimeType& entry : runTimeTypes)
        if (word == entry.word)
            return &entry;
    return nullptr;
}

template <typename Part>
void attachTo(std::map<int, Part>& table, int typeId, Part part)
{
    if (part != nullptr)
        table[typeId] = part;
    else
        table.erase(typeId);
}

template <typename Part>
Part partOf(const std::map<int, Part>& table, CMC_Object* object)
{
    if (object == nullptr)
        return nullptr;
    const auto found = table.find(object->getType());
    return found != table.end() ? found->second : nullptr;
}

// What the type's part answers for the object; `none` for a type without the part.
template <typename Part, typename Answer>
Answer ask(const std::map<int, Part>& table, CMC_Object* object, Answer none)
{
    Part part = partOf(table, object);
    return part != nullptr ? part(object) : none;
}

} // namespace

void CMC_SceneTypes::attachPlayable(int typeId, PlayableOf playableOf)
{
    attachTo(playables(), typeId, playableOf);
}

void CMC_SceneTypes::attachRunningTest(int typeId, RunningTest test)
{
    attachTo(runningTests(), typeId, test);
}

CMC_SceneTypes::Maker CMC_SceneTypes::attachMaker(const char* word, Maker maker)
{
    RunTimeType* entry = runTimeType(CXString(word));
    if (entry == nullptr)
        return nullptr;
    Maker previous = entry->maker;
    entry->maker = maker;
    return previous;
}

CPlayable* CMC_SceneTypes::playableOf(CMC_Object* object)
{
    return ask(playables(), object, static_cast<CPlayable*>(nullptr));
}

bool CMC_SceneTypes::isRunning(CMC_Object* object)
{
    return ask(runningTests(), object, false);
}

CMC_Object* CMC_SceneTypes::make(const CXString& word, CMC_ObjectsContainer* scene, const CXString& name)
{
    RunTimeType* entry = runTimeType(word);
    return entry != nullptr && entry->maker != nullptr ? entry->maker(scene, name) : nullptr;
}
