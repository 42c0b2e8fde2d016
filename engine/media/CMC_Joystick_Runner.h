#pragma once

#include "script/CMC_Runner.h"

// The methods of JOYSTICK.
class CMC_Joystick_Runner : public CMC_Runner {
public:
    static constexpr int MTH_GETBUTTONSTATE = 1;
    static constexpr int MTH_GETPOSITION = 2;
    static constexpr int MTH_ISLEFT = 3;
    static constexpr int MTH_ISRIGHT = 4;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
