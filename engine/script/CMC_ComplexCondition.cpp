#include "script/CMC_ComplexCondition.h"

#include "foundation/CXArchive.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMElement.h"

CMC_ComplexCondition::CMC_ComplexCondition(CMC_ObjectsContainer* container, CMElement* element)
    : CMC_BasicCondition(container, element, TYPE_COMPLEXCONDITION)
    , condition1_(element->getPropertyValue("CONDITION1"))
    , condition2_(element->getPropertyValue("CONDITION2"))
    , operator_(element->getPropertyValue("OPERATOR"))
{
    resolveOperator();
}

CMC_ComplexCondition::CMC_ComplexCondition(CMC_ObjectsContainer*)
    : CMC_BasicCondition(CXString("temp"), TYPE_COMPLEXCONDITION)
{
}

void CMC_ComplexCondition::resolveOperator()
{
    if (operator_ == "AND")
        code_ = OP_AND;
    else if (operator_ == "OR")
        code_ = OP_OR;
}

void CMC_ComplexCondition::serialize(CXArchive* archive)
{
    CMC_BasicCondition::serialize(archive);
    if (archive->isStoring()) {
        *archive << condition1_ << condition2_ << operator_;
        return;
    }
    *archive >> &condition1_ >> &condition2_ >> &operator_;
    resolveOperator();
}

CMC_BasicCondition* CMC_ComplexCondition::part(const CXString& name)
{
    CMC_Object* found = getScene() != nullptr ? getScene()->getObject(name.c_str()) : nullptr;
    if (found == nullptr || (found->getType() != TYPE_CONDITION && found->getType() != TYPE_COMPLEXCONDITION))
        return nullptr;
    return dynamic_cast<CMC_BasicCondition*>(found);
}

bool CMC_ComplexCondition::valid(bool fireEvents)
{
    Evaluation evaluation(this);
    if (!evaluation.entered())
        return false;
    CMC_BasicCondition* first = part(condition1_);
    CMC_BasicCondition* second = part(condition2_);
    if (first == nullptr || second == nullptr)
        return false;
    bool result = first->valid(true);
    // AND goes on while true, OR while false. The first part's handlers may have changed the
    // container: the second is looked up again.
    if (result == (code_ == OP_AND)) {
        second = part(condition2_);
        if (second == nullptr)
            return false;
        result = second->valid(true);
    }
    if (fireEvents)
        runHandler(result);
    return result;
}
