#include "app/CMC_Episode_Runner.h"

#include "app/CMC_Episode.h"
#include "script/CMC_String.h"

void CMC_Episode_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("NEXT", MTH_NEXT);
    registerMethod("PREV", MTH_PREV);
    registerMethod("BACK", MTH_BACK);
    registerMethod("RESTART", MTH_RESTART);
    registerMethod("GOTO", MTH_GOTO);
    registerMethod("GETLATESTSCENE", MTH_GETLATESTSCENE);
    registerMethod("GETCURRENTSCENE", MTH_GETCURRENTSCENE);
}

CMC_Object* CMC_Episode_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* episode = dynamic_cast<CMC_Episode*>(object);
    if (episode == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_NEXT:
        episode->next();
        return nullptr;
    case MTH_PREV:
        episode->prev();
        return nullptr;
    case MTH_BACK:
        episode->back();
        return nullptr;
    case MTH_RESTART:
        return restart(episode);
    case MTH_GOTO:
        return _goto(*this, episode, args);
    case MTH_GETLATESTSCENE:
        return giveString(episode->getLatestScene());
    case MTH_GETCURRENTSCENE: {
        CMC_Scene* running = episode->getCurrentScene();
        return giveString(running != nullptr ? running->getName() : CXString());
    }
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}

CMC_Object* CMC_Episode_Runner::restart(CMC_Object* object)
{
    if (auto* node = dynamic_cast<CMC_Scene*>(object))
        node->restart();
    return nullptr;
}

CMC_Object* CMC_Episode_Runner::_goto(CMC_Runner& reader, CMC_Object* object, CXVector* args)
{
    auto* node = dynamic_cast<CMC_Scene*>(object);
    CMC_String* name = node != nullptr ? reader.getParameterString(args, 0) : nullptr;
    if (name != nullptr)
        node->_goto(name->getValue());
    return nullptr;
}
