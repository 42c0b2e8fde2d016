#include "script_graphics/CMC_Filter_Runner.h"

#include "script_graphics/CMC_Filter.h"

void CMC_Filter_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    static constexpr MethodName methods[] = {{"SETPROPERTY", MTH_SETPROPERTY}, {"LINK", MTH_LINK},
                                             {"UNLINK", MTH_UNLINK},           {"START", MTH_START},
                                             {"STOP", MTH_STOP},               {"ISRUNNING", MTH_ISRUNNING}};
    registerMethods(methods);
}

CMC_Object* CMC_Filter_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (id < MTH_SETPROPERTY || id > MTH_ISRUNNING)
        return nullptr;
    auto* filter = dynamic_cast<CMC_Filter*>(object);
    CAnimatedFilter* kind = filter != nullptr ? filter->getFilter() : nullptr;
    if (kind == nullptr)
        return id == MTH_ISRUNNING ? giveBool(false) : nullptr;
    if (id == MTH_SETPROPERTY) {
        setProperty(kind, args);
        return nullptr;
    }
    const Target target = namedTarget(scope, args);
    if (id == MTH_ISRUNNING)
        return giveBool(target.graphics != nullptr && kind->isRunning(target.graphics));
    if (target.graphics == nullptr)
        return nullptr;
    switch (id) {
    case MTH_LINK:
        kind->link(target.graphics, target.script);
        break;
    case MTH_UNLINK:
        kind->unlink(target.graphics);
        break;
    case MTH_START:
        kind->start(target.graphics);
        break;
    case MTH_STOP:
        kind->stop(target.graphics);
        break;
    default:
        break;
    }
    return nullptr;
}
