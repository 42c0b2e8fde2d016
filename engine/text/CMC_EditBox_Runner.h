#pragma once

#include "script/CMC_Runner.h"

class CEditBox6;

// The methods of EDITBOX, which act on its box; without a box they do nothing and GETTEXT
// gives nothing. ACTIVE gives this box the keyboard without taking it from other boxes.
class CMC_EditBox_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SETTEXT = 1;
    static constexpr int MTH_GETTEXT = 2;
    static constexpr int MTH_ACTIVE = 3;
    static constexpr int MTH_DEACTIVE = 4;
    static constexpr int MTH_ENABLE = 5;
    static constexpr int MTH_DISABLE = 6;
    static constexpr int MTH_ADDTEXT = 7;
    static constexpr int MTH_MOVE = 8;
    static constexpr int MTH_SETPOSITION = 9;
    static constexpr int MTH_SETPRIORITY = 10;
    static constexpr int MTH_SETCURSORPOS = 11;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    void change(CEditBox6& box, int id, CXVector* args);
};
