#pragma once

#include "media/CMC_NetPeer_Runner.h"

// The methods of NETSERVER; the shared sending methods come from the NET runner.
class CMC_NetServer_Runner : public CMC_NetPeer_Runner {
public:
    static constexpr int MTH_START = 1;
    static constexpr int MTH_STOP = 2;
    static constexpr int MTH_ISSTARTED = 3;
    static constexpr int MTH_GETLOGGEDPLAYERNAME = 4;
    static constexpr int MTH_GETPLAYERSNO = 5;
    static constexpr int MTH_GETPLAYERNAME = 6;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
