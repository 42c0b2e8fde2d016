#include "script/CMC_Binding.h"

#include "foundation/CXArray.h"
#include "foundation/CXString.h"
#include "script/CMC_Behaviour.h"

namespace {

CXArray* copyTexts(const CXArray* texts)
{
    if (texts == nullptr)
        return nullptr;
    auto* copy = new CXArray(texts->getCount() + 1, 0.75f);
    for (int i = 0; i < texts->getCount(); ++i)
        copy->add(new CXString(*texts->stringAt(i)));
    return copy;
}

} // namespace

CMC_Binding::CMC_Binding(CMC_Object* bound, CXArray* arguments, CMC_ObjectsContainer* owner, bool ownsPlaceholder)
    : CXTriple(bound, arguments, owner)
    , ownsPlaceholder_(ownsPlaceholder)
{
}

CMC_Binding::CMC_Binding(CMC_Behaviour* behaviour, CXArray* arguments, CMC_ObjectsContainer* owner)
    : CMC_Binding(behaviour, arguments, owner, false)
{
}

CMC_Binding* CMC_Binding::placeholder(const CXString& behaviourName, CXArray* arguments)
{
    return new CMC_Binding(new CMC_Object(behaviourName, 0), arguments, nullptr, true);
}

CMC_Binding::~CMC_Binding()
{
    CXString::releaseToVector(getArguments());
    if (ownsPlaceholder_)
        delete getBoundObject();
}

CMC_Binding* CMC_Binding::copy() const
{
    CMC_Binding* made = ownsPlaceholder_ ? placeholder(getBoundObject()->getName(), copyTexts(getArguments()))
                                         : new CMC_Binding(getBoundObject(), copyTexts(getArguments()), getOwner(), false);
    made->confined_ = confined_;
    return made;
}

// A behaviour deleted since it was bound (ended by its BREAK method, replaced, or its
// container unloaded) is no longer run.
CMC_Behaviour* CMC_Binding::getBehaviour() const
{
    if (ownsPlaceholder_ || !CMC_Behaviour::isAlive(getBoundObject()))
        return nullptr;
    return static_cast<CMC_Behaviour*>(getBoundObject());
}

void CMC_Binding::bind(CMC_Behaviour* behaviour)
{
    if (ownsPlaceholder_)
        delete getBoundObject();
    first = behaviour;
    ownsPlaceholder_ = false;
}
