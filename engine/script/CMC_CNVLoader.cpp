#include "script/CMC_CNVLoader.h"

#include "foundation/CXVector.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_SignalList.h"
#include "script/CMElementsLoader.h"

#include <memory>
#include <string>

namespace {

// A group that LOAD made: RELEASE acts on nothing else.
class LoadedGroup final : public CMC_Groupped {
public:
    using CMC_Groupped::CMC_Groupped;
};

} // namespace

CMC_CNVLoader::CMC_CNVLoader(ScriptWindow* window, CMC_ObjectsContainer* container)
    : CMC_Object(CXString("CNVLOADER"), TYPE_CNVLOADER)
    , window_(window)
{
    setScene(container);
    CMC_ObjectsContainer::watch(this);
}

CMC_CNVLoader::~CMC_CNVLoader()
{
    CMC_ObjectsContainer::unwatch(this);
}

const CMC_SignalList* CMC_CNVLoader::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

void CMC_CNVLoader::onContainerGone(CMC_ObjectsContainer* container)
{
    if (getScene() == container)
        setScene(nullptr);
}

void CMC_CNVLoader::load(const CXString& fileName)
{
    CMC_ObjectsContainer* container = getScene();
    if (container == nullptr)
        return;
    std::unique_ptr<CMElements> elements(CMElementsLoader::load(window_, fileName));
    if (elements == nullptr || container->getObject(fileName.c_str()) != nullptr || elements->getCount() == 0)
        return;
    auto* group = new LoadedGroup(fileName, container);
    for (int i = 0; i < elements->getCount(); ++i) {
        std::unique_ptr<CXVector> made(container->resolve(elements->getAt(i), group));
        for (int j = 0; j < made->getCount(); ++j) {
            auto* object = static_cast<CMC_Object*>(made->at(j));
            object->init();
            container->addObject(object);
            group->add(object);
            CXVector* behaviours = object->getTmpBehList();
            for (int k = 0; behaviours != nullptr && k < behaviours->getCount(); ++k)
                group->add(static_cast<CMC_Object*>(behaviours->at(k)));
        }
    }
    container->addObject(group);
}

bool CMC_CNVLoader::finish(CMC_ObjectsContainer* container, CMC_Object* object)
{
    if (object == nullptr || !container->removeObject(object))
        return false;
    object->done(false);
    container->deleteLater(object);
    return true;
}

// Members are compared with the container's objects before they are used, since a member
// may have left the container (and been deleted) since the load. A handler run by the
// finishing may release the group again: whatever it took out is passed by.
void CMC_CNVLoader::release(const CXString& groupName)
{
    CMC_ObjectsContainer* container = getScene();
    auto* group = container != nullptr ? dynamic_cast<LoadedGroup*>(container->getObject(groupName.c_str())) : nullptr;
    if (group == nullptr || group->getScene() == nullptr)
        return;
    container = group->getScene();
    const CXVector members(*group->getList());
    auto isBehaviour = [container](CMC_Object* member) {
        return container->holds(member) && member->getType() == TYPE_BEHAVIOUR;
    };
    for (int i = 0; i < members.getCount(); ++i) {
        auto* member = static_cast<CMC_Object*>(members.at(i));
        if (isBehaviour(member) && finish(container, member))
            group->getList()->remove(member);
    }
    for (int i = 0; i < members.getCount(); ++i) {
        auto* member = static_cast<CMC_Object*>(members.at(i));
        if (!container->holds(member))
            continue;
        const std::string name = member->getName().c_str();
        for (int k = 1; k <= member->getClonesNo(); ++k)
            finish(container, container->getObject((name + "_" + std::to_string(k)).c_str()));
        finish(container, member);
    }
    if (container->removeObject(group))
        container->deleteLater(group);
}
