#pragma once

#include "script/CMC_Runner.h"

// The methods of TIMER.
class CMC_Timer_Runner : public CMC_Runner {
public:
    static constexpr int MTH_ENABLE = 1;
    static constexpr int MTH_DISABLE = 2;
    static constexpr int MTH_PAUSE = 3;
    static constexpr int MTH_RESUME = 4;
    static constexpr int MTH_GETTICKS = 5;
    static constexpr int MTH_RESET = 6;
    static constexpr int MTH_SET = 7;
    static constexpr int MTH_SETELAPSE = 8;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // Argument 0 read as a number; 0 when it is missing.
    int integerAt(CXVector* args);
};
