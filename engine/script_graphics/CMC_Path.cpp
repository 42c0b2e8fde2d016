#include "script_graphics/CMC_Path.h"

#include "foundation/CXArchive.h"
#include "foundation/CXArray.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"

#include <algorithm>
#include <memory>

CMC_Path::CMC_Path(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, kType)
{
    CMC_Object::watch(this);
    std::unique_ptr<CXArray, void (*)(CXArray*)> names(element->getPropertyListValue("NODES"), CXString::releaseToVector);
    for (int i = 0; names && i < names->getCount(); ++i)
        addNamed(container, *names->stringAt(i));
    initializeBehaviours(container, element);
}

CMC_Path::CMC_Path(CMC_ObjectsContainer* container)
    : CMC_Object(CXString("temp"), kType)
{
    CMC_Object::watch(this);
    setScene(container);
}

CMC_Path::~CMC_Path()
{
    CMC_Object::unwatch(this);
}

CXString CMC_Path::toString()
{
    CXString text;
    for (CMC_Object* node : nodes_)
        text += "[" + node->getName() + "]";
    return text;
}

const CMC_SignalList* CMC_Path::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

void CMC_Path::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        *archive << static_cast<int32_t>(nodes_.size());
        for (CMC_Object* node : nodes_)
            *archive << node->getName();
        return;
    }
    nodes_.clear();
    int32_t count = 0;
    *archive >> &count;
    if (count < 0)
        archive->setFailed();
    for (int32_t i = 0; i < count && !archive->failed(); ++i) {
        CXString name;
        *archive >> &name;
        if (!archive->failed())
            addNamed(getScene(), name);
    }
}

void CMC_Path::add(CMC_Object* node)
{
    if (node != nullptr)
        nodes_.push_back(node);
}

CMC_Object* CMC_Path::getNode(int i) const
{
    return i >= 0 && i < getSize() ? nodes_[static_cast<size_t>(i)] : nullptr;
}

void CMC_Path::onObjectGone(CMC_Object* object)
{
    std::erase(nodes_, object);
}

void CMC_Path::addNamed(CMC_ObjectsContainer* container, const CXString& name)
{
    if (container != nullptr)
        add(container->getObject(name.c_str()));
}
