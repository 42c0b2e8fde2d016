#include "script/CMC_Groupped.h"

#include "foundation/CXVector.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_SignalList.h"

#include <algorithm>

CMC_Groupped::CMC_Groupped(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_Object(container, element, kType)
    , members_(new CXVector(101, 0.75f))
{
    CMC_Object::watch(this);
    initializeBehaviours(container, element);
}

CMC_Groupped::CMC_Groupped(const CXString& name, CMC_ObjectsContainer* container)
    : CMC_Object(name, kType)
    , members_(new CXVector(101, 0.75f))
{
    CMC_Object::watch(this);
    setScene(container);
}

CMC_Groupped::CMC_Groupped(CMC_ObjectsContainer* container)
    : CMC_Groupped(CXString(), container)
{
}

CMC_Groupped::~CMC_Groupped()
{
    CMC_Object::unwatch(this);
    delete members_;
}

CXObject* CMC_Groupped::clone()
{
    auto* copy = new CMC_Groupped(CXString("cloned"), getScene());
    copy->members_->add(members_);
    return copy;
}

CXString CMC_Groupped::toString()
{
    CXString text;
    for (int i = 0; i < members_->getCount(); ++i) {
        if (i > 0)
            text += ",";
        text += static_cast<CMC_Object*>(members_->at(i))->toString();
    }
    return text;
}

const CMC_SignalList* CMC_Groupped::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
    return &signals;
}

void CMC_Groupped::add(CMC_Object* object)
{
    if (object != nullptr && !members_->contains(object))
        members_->add(object);
}

void CMC_Groupped::remove(CMC_Object* object)
{
    members_->remove(object);
}

void CMC_Groupped::removeAll()
{
    members_->removeAll();
}

CMC_Object* CMC_Groupped::get(int i)
{
    return i >= 0 && i < members_->getCount() ? static_cast<CMC_Object*>(members_->at(i)) : nullptr;
}

int CMC_Groupped::getCount() const
{
    return members_->getCount();
}

void CMC_Groupped::addClones(const CXString& name, int from, int to)
{
    CMC_ObjectsContainer* container = getScene();
    for (int64_t i = from; container != nullptr && i <= to; ++i)
        if (CMC_Object* clone = container->getObject((name + "_" + CXString::toString(static_cast<int>(i))).c_str()))
            members_->add(clone);
}

CMC_Object* CMC_Groupped::prev(int n)
{
    return step(-int64_t{n});
}

CMC_Object* CMC_Groupped::next(int n)
{
    return step(n);
}

// The marker's place -1 is the ring's last place, so the ring is walked as if the marker
// stood there; any step, also one of 0 or less, ends on a member.
CMC_Object* CMC_Groupped::step(int64_t delta)
{
    const int64_t count = members_->getCount();
    if (count == 0)
        return nullptr;
    const int64_t moved = (int64_t{marker_} + delta) % count;
    marker_ = static_cast<int32_t>(moved < 0 ? moved + count : moved);
    return get(marker_);
}

void CMC_Groupped::setMarkerPos(int position)
{
    marker_ = std::min(std::max(position, -1), members_->getCount() - 1);
}

void CMC_Groupped::onObjectGone(CMC_Object* object)
{
    while (members_->contains(object))
        members_->remove(object);
}
