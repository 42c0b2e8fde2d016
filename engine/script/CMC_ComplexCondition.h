#pragma once

#include "script/CMC_BasicCondition.h"

// The COMPLEXCONDITION script object: two condition objects, named by CONDITION1 and
// CONDITION2, joined by AND or OR, the second asked only when the first does not decide. The
// parts are found by name at every evaluation and are always evaluated with their handlers.
// A part that is missing, or that is no condition, makes the whole false without handlers.
class CMC_ComplexCondition : public CMC_BasicCondition {
public:
    static constexpr int OP_AND = 1;
    static constexpr int OP_OR = 2;

    // From a COMPLEXCONDITION definition: "OPERATOR" (any word but "AND" and "OR" is AND),
    // "CONDITION1", "CONDITION2" and the signal bindings.
    CMC_ComplexCondition(CMC_ObjectsContainer* container, CMElement* element);
    // Named "temp" and empty, for a compiled scene's record.
    explicit CMC_ComplexCondition(CMC_ObjectsContainer* container);

    // The object's record, then CONDITION1, CONDITION2 and OPERATOR.
    void serialize(CXArchive* archive) override;
    bool valid(bool fireEvents) override;

    int getOperatorCode() const { return code_; }

private:
    void resolveOperator();
    // The condition object of that name in reach of the container; none for anything else.
    CMC_BasicCondition* part(const CXString& name);

    CXString condition1_;
    CXString condition2_;
    CXString operator_;
    int32_t code_ = OP_AND;
};
