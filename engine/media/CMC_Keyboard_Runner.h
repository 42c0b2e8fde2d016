#pragma once

#include "script/CMC_Runner.h"

// The methods of KEYBOARD. No method has id 5.
class CMC_Keyboard_Runner : public CMC_Runner {
public:
    static constexpr int MTH_ENABLE = 1;
    static constexpr int MTH_DISABLE = 2;
    static constexpr int MTH_SETAUTOREPEAT = 3;
    static constexpr int MTH_ISKEYDOWN = 4;
    static constexpr int MTH_GETLATESTKEY = 6;
    static constexpr int MTH_ISENABLED = 7;
    static constexpr int MTH_GETLATESTKEYS = 8;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
