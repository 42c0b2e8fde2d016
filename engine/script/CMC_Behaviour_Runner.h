#pragma once

#include "script/CMC_Runner.h"

class CMC_Behaviour;
class CXArray;

// The runner of BEHAVIOUR: scripts run a behaviour with parameters, once or in a counted loop,
// stop its timer run, and switch it on and off.
class CMC_Behaviour_Runner : public CMC_Runner {
public:
    static constexpr int MTH_RUN = 1;
    static constexpr int MTH_RUNC = 2;
    static constexpr int MTH_RUNLOOPED = 3;
    static constexpr int MTH_BREAK = 4;
    static constexpr int MTH_ENABLE = 5;
    static constexpr int MTH_DISABLE = 6;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // RUN and RUNC: BREAK when the behaviour ended with BREAK, else a pooled copy of the
    // "__RETURN__" in reach.
    CMC_Object* runOnce(CMC_Behaviour* behaviour, CMC_ObjectsContainer* scope, CXVector* args, bool checkCondition);
    // RUNLOOPED(start, count[, step, ...]): "$1" the loop value, the behaviour's condition
    // asked every round; BREAK ends only the loop. Gives "__RETURN__" itself.
    CMC_Object* runLooped(CMC_Behaviour* behaviour, CMC_ObjectsContainer* scope, CXVector* args);
    // Texts of the arguments from the first on, after the given leading texts; the name of an
    // object that is no value goes in double quotes. The caller releases the array.
    CXArray* parameterTexts(CMC_ObjectsContainer* scope, CXVector* args, int first, int leading);
};
