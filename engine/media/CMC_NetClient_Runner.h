#pragma once

#include "media/CMC_NetPeer_Runner.h"

// The methods of NETCLIENT; the shared sending methods come from the NET runner.
class CMC_NetClient_Runner : public CMC_NetPeer_Runner {
public:
    static constexpr int MTH_CONNECT = 1;
    static constexpr int MTH_DISCONNECT = 2;
    static constexpr int MTH_ISCONNECTED = 3;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
