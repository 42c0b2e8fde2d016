#include "script/CMC_Groupped_Runner.h"

#include "script/CMC_Groupped.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_RunnerFactory.h"

void CMC_Groupped_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    registerMethod("ADD", MTH_ADD);
    registerMethod("REMOVE", MTH_REMOVE);
    registerMethod("REMOVEALL", MTH_REMOVEALL);
    registerMethod("GETSIZE", MTH_GETSIZE);
    registerMethod("GETNAME", MTH_GETNAME);
    registerMethod("PREV", MTH_PREV);
    registerMethod("NEXT", MTH_NEXT);
    registerMethod("ADDCLONES", MTH_ADDCLONES);
    registerMethod("RESETMARKER", MTH_RESETMARKER);
    registerMethod("GETMARKERPOS", MTH_GETMARKERPOS);
    registerMethod("SETMARKERPOS", MTH_SETMARKERPOS);
    registerMethod("CLONE", MTH_CLONE);
    registerMethod("GETCLONEINDEX", MTH_GETCLONEINDEX);
    registerMethod("GETNAMEATMARKER", MTH_GETNAMEATMARKER);
}

CMC_Object* CMC_Groupped_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* group = dynamic_cast<CMC_Groupped*>(object);
    if (group == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    switch (id) {
    case MTH_ADD:
        return add(group, scope, args);
    case MTH_REMOVE:
        if (CMC_Object* member = argumentCount(args) > 0 && scope != nullptr ? scope->getObject(parameterText(args, 0).c_str()) : nullptr)
            group->remove(member);
        return nullptr;
    case MTH_REMOVEALL:
        group->removeAll();
        return nullptr;
    case MTH_GETSIZE:
        return giveInteger(group->getCount());
    case MTH_GETNAME:
        return CMC_Runner::run(CMC_Runner::MTH_GETNAME, object, scope, args);
    case MTH_PREV:
        return nameOf(group->prev(integerParameter(args, 0, 1)));
    case MTH_NEXT:
        return nameOf(group->next(integerParameter(args, 0, 1)));
    case MTH_ADDCLONES:
        return addClones(group, scope, args);
    case MTH_RESETMARKER:
        group->resetMarker();
        return nullptr;
    case MTH_GETMARKERPOS:
        return giveInteger(group->getMarkerPos());
    case MTH_SETMARKERPOS:
        if (argumentCount(args) > 0)
            group->setMarkerPos(integerParameter(args, 0));
        return nullptr;
    case MTH_CLONE:
        return CMC_Runner::run(CMC_Runner::MTH_CLONE, object, scope, args);
    case MTH_GETCLONEINDEX:
        return CMC_Runner::run(CMC_Runner::MTH_GETCLONEINDEX, object, scope, args);
    case MTH_GETNAMEATMARKER:
        return nameOf(group->get(group->getMarkerPos()));
    default:
        return CMC_Runner::run(id, object, scope, args);
    }
}

CMC_Object* CMC_Groupped_Runner::add(CMC_Groupped* group, CMC_ObjectsContainer* scope, CXVector* args)
{
    for (int i = 0; scope != nullptr && i < argumentCount(args); ++i)
        if (CMC_Object* member = scope->getObject(parameterText(args, i).c_str()))
            group->add(member);
    return nullptr;
}

CMC_Object* CMC_Groupped_Runner::addClones(CMC_Groupped* group, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (argumentCount(args) < 1 || scope == nullptr)
        return nullptr;
    const CXString name = parameterText(args, 0);
    CMC_Object* original = scope->getObject(name.c_str());
    if (original == nullptr)
        return nullptr;
    const int first = integerParameter(args, 1, 1);
    const int last = argumentCount(args) > 2 ? integerParameter(args, 2) : original->getClonesNo();
    group->addClones(name, first, last);
    return nullptr;
}

CMC_Object* CMC_Groupped_Runner::nameOf(CMC_Object* member)
{
    return member != nullptr ? giveString(member->getName()) : nullptr;
}

CMC_Object* CMC_Groupped_Runner::run(const CXString& name, CMC_Object* object, CMC_ObjectsContainer* scope,
                                     CXVector* args)
{
    const int id = resolveMethod(name);
    if (id != -1)
        return run(id, object, scope, args);
    if (auto* group = dynamic_cast<CMC_Groupped*>(object); group != nullptr && !group->isForwarding())
        forward(group, name, scope, args);
    return nullptr;
}

// A member may change the group while it runs the call, so the count is read at every step.
void CMC_Groupped_Runner::forward(CMC_Groupped* group, const CXString& name, CMC_ObjectsContainer* scope,
                                  CXVector* args)
{
    group->setForwarding(true);
    for (int i = 0; i < group->getCount(); ++i) {
        CMC_Object* member = group->get(i);
        CMC_Runner* runner = CMC_RunnerFactory::getRunner(member->getType());
        if (runner == nullptr)
            runner = member->getRunner();
        if (runner != nullptr)
            CMC_Object::releaseResult(runner->run(name, member, scope, args));
    }
    group->setForwarding(false);
}
