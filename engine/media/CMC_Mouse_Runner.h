#pragma once

#include "script/CMC_Runner.h"

// The methods of MOUSE.
class CMC_Mouse_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SHOW = 1;
    static constexpr int MTH_HIDE = 2;
    static constexpr int MTH_ENABLE = 3;
    static constexpr int MTH_DISABLE = 4;
    static constexpr int MTH_GETPOSX = 5;
    static constexpr int MTH_GETPOSY = 6;
    static constexpr int MTH_GETLASTCLICKPOSX = 7;
    static constexpr int MTH_GETLASTCLICKPOSY = 8;
    static constexpr int MTH_SET = 9;
    static constexpr int MTH_SETPOSITION = 10;
    static constexpr int MTH_MOVE = 11;
    static constexpr int MTH_CLICK = 12;
    static constexpr int MTH_ENABLESIGNAL = 13;
    static constexpr int MTH_DISABLESIGNAL = 14;
    static constexpr int MTH_MOUSERELEASE = 15;
    static constexpr int MTH_SETCLIPRECT = 16;
    static constexpr int MTH_LOCKACTIVECURSOR = 17;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // "CLICK" and "MOUSERELEASE": x, y and the button's name ("LEFT" when none is given).
    void simulate(CMC_Object* mouse, CMC_ObjectsContainer* scope, CXVector* args, bool down);
};
