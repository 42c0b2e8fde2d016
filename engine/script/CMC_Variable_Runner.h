#pragma once

#include "script/CMC_Runner.h"

class CMC_Variable;

// The runner of the script values INTEGER, STRING, BOOL, DOUBLE and EXPRESSION: assignment
// and arithmetic by the value types' own rules. An EXPRESSION is read-only: the assigning
// methods leave it as it is.
class CMC_Variable_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SET = 1;
    static constexpr int MTH_SWITCH = 2;
    static constexpr int MTH_CLEAR = 3;
    static constexpr int MTH_INC = 4;
    static constexpr int MTH_DEC = 5;
    static constexpr int MTH_ADD = 6;
    static constexpr int MTH_MUL = 7;
    static constexpr int MTH_RESETINI = 8;
    static constexpr int MTH_SETDEFAULT = 9;
    static constexpr int MTH_SUB = 10;
    static constexpr int MTH_DIV = 11;
    static constexpr int MTH_MOD = 12;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // The variable takes its own value combined with the argument; the new value is given
    // when asked for, as a pooled temporary.
    CMC_Object* combine(CMC_Variable* variable, CXVector* args, int op, bool giveResult);
    // A STRING loses count characters from start.
    CMC_Object* cut(CMC_Variable* text, CXVector* args);
};
