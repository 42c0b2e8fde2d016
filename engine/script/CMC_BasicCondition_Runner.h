#pragma once

#include "script/CMC_Runner.h"

// The runner of CONDITION and COMPLEXCONDITION: a script tests a condition, or stops its code
// on it. Each method takes an optional BOOL, TRUE when missing, telling whether the
// condition's handlers run. The common methods resolve but do nothing here.
class CMC_BasicCondition_Runner : public CMC_Runner {
public:
    static constexpr int MTH_CHECK = 1;
    static constexpr int MTH_BREAK = 2;
    static constexpr int MTH_ONE_BREAK = 3;

    void prepareMthHashSet() override;
    // CHECK gives a pooled BOOL; BREAK and ONE_BREAK give BREAK or ONEBREAK when the condition
    // holds, else nothing.
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
