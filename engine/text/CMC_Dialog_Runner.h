#pragma once

#include "script/CMC_Runner.h"

// The methods of DIALOG. SETBACKGROUND takes an IMAGE's or an ANIMO's picture, ADD a BUTTON's
// control or an IMAGE's, ANIMO's or TEXT's picture, each named in the container that runs the
// statement; other names do nothing, and so does a DIALOG without its panel.
class CMC_Dialog_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SHOW = 1;
    static constexpr int MTH_HIDE = 2;
    static constexpr int MTH_SETBACKGROUND = 3;
    static constexpr int MTH_ADD = 4;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
