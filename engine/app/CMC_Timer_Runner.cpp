#include "app/CMC_Timer_Runner.h"

#include "app/CMC_Timer.h"
#include "script/CMC_Integer.h"

void CMC_Timer_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("ENABLE", MTH_ENABLE);
    registerMethod("DISABLE", MTH_DISABLE);
    registerMethod("PAUSE", MTH_PAUSE);
    registerMethod("RESUME", MTH_RESUME);
    registerMethod("GETTICKS", MTH_GETTICKS);
    registerMethod("RESET", MTH_RESET);
    registerMethod("SET", MTH_SET);
    registerMethod("SETELAPSE", MTH_SETELAPSE);
}

int CMC_Timer_Runner::integerAt(CXVector* args)
{
    CMC_Integer* value = getParameterInteger(args, 0);
    return value != nullptr ? value->getValue() : 0;
}

CMC_Object* CMC_Timer_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* timer = object != nullptr && object->getType() == CMC_Timer::TYPE ? dynamic_cast<CMC_Timer*>(object) : nullptr;
    if (timer == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_ENABLE: timer->enable(); return nullptr;
    case MTH_DISABLE: timer->disable(); return nullptr;
    case MTH_PAUSE: timer->pause(); return nullptr;
    case MTH_RESUME: timer->resume(); return nullptr;
    case MTH_GETTICKS: return giveInteger(timer->getTicks());
    case MTH_RESET: timer->reset(); return nullptr;
    case MTH_SET:
        if (argumentCount(args) >= 1)
            timer->set(integerAt(args));
        return nullptr;
    case MTH_SETELAPSE:
        if (argumentCount(args) >= 1)
            timer->setElapse(static_cast<unsigned int>(integerAt(args)));
        return nullptr;
    default: return CMC_Runner::run(id, object, scope, args);
    }
}
