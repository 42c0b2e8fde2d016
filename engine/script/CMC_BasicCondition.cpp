#include "script/CMC_BasicCondition.h"

#include "foundation/CXVector.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Binding.h"
#include "script/CMC_SignalList.h"

#include <memory>

namespace {

constexpr const char* kSuccess = "ONRUNTIMESUCCESS";
constexpr const char* kFailure = "ONRUNTIMEFAILED";

} // namespace

CMC_BasicCondition::CMC_BasicCondition(CMC_ObjectsContainer* container, CMElement* element, int type)
    : CMC_Object(container, element, type)
{
    initializeBehaviours(container, element);
    success_ = static_cast<CMC_Binding*>(getSingleBehaviour(CXString(kSuccess), 0));
    failure_ = static_cast<CMC_Binding*>(getSingleBehaviour(CXString(kFailure), 0));
}

CMC_BasicCondition::CMC_BasicCondition(const CXString& name, int type)
    : CMC_Object(name, type)
{
}

const CMC_SignalList* CMC_BasicCondition::getBehavioursList()
{
    static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL", kSuccess, kFailure};
    return &signals;
}

// The record is freed when its binding is removed (REMOVEBEHAVIOUR, or the end of the scene
// that made it); the handler then is gone.
CMC_Binding* CMC_BasicCondition::handler(const char* signal, CMC_Binding* taken)
{
    if (taken == nullptr)
        return nullptr;
    CXVector* list = getBehaviour(CXString(signal));
    return list != nullptr && list->contains(taken) ? taken : nullptr;
}

// The handler may remove its own binding while it runs: it runs with copies of the
// argument texts.
void CMC_BasicCondition::runHandler(bool result)
{
    CMC_Binding* binding = result ? handler(kSuccess, success_) : handler(kFailure, failure_);
    CMC_Behaviour* behaviour = binding != nullptr && !binding->isRetired() ? binding->getBehaviour() : nullptr;
    if (behaviour == nullptr)
        return;
    std::unique_ptr<CMC_Binding> copy(binding->getArguments() != nullptr ? binding->copy() : nullptr);
    behaviour->run(this, copy != nullptr ? copy->getArguments() : nullptr, true);
}

CMC_BasicCondition::Evaluation::Evaluation(CMC_BasicCondition* condition)
    : condition_(condition)
    , outerDepth_(condition->evaluationDepth_)
    , entered_(outerDepth_ != CMC_Behaviour::getRunDepth())
{
    if (entered_)
        condition_->evaluationDepth_ = CMC_Behaviour::getRunDepth();
}

CMC_BasicCondition::Evaluation::~Evaluation()
{
    if (entered_)
        condition_->evaluationDepth_ = outerDepth_;
}
