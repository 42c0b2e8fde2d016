#pragma once

#include "script/CMC_Runner.h"

// The runner of CNVLOADER: LOAD works in the calling container from then on; RELEASE in the
// loader's container, or in the calling one once the loader forgot its container.
class CMC_CNVLoader_Runner : public CMC_Runner {
public:
    static constexpr int MTH_LOAD = 1;
    static constexpr int MTH_RELEASE = 2;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
