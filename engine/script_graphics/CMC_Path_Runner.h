#pragma once

#include "script/CMC_Runner.h"

// The methods of PATH: ADD(name) in the calling scope, GETNODE(index) (a node's name; nothing
// outside the list), GETSIZE, SETPROPERTY("DENSITY", value) and GETPROPERTY("DENSITY"); other
// property names do nothing and give nothing. The common methods work as on any object.
class CMC_Path_Runner : public CMC_Runner {
public:
    static constexpr int MTH_ADD = 1;
    static constexpr int MTH_GETNODE = 2;
    static constexpr int MTH_GETSIZE = 3;
    static constexpr int MTH_SETPROPERTY = 4;
    static constexpr int MTH_GETPROPERTY = 5;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
