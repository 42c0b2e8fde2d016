#pragma once

#include "script/CMC_Runner.h"

// The runner of FIFO and LIFO.
class CMC_Quene_Runner : public CMC_Runner {
public:
    static constexpr int MTH_PUSH = 1;
    static constexpr int MTH_POP = 2;
    static constexpr int MTH_GETSIZE = 3;
    static constexpr int MTH_ISEMPTY = 4;

    void prepareMthHashSet() override;
    // POP gives a pooled copy of the value it takes out, or the STRING "NULL" when the queue
    // is empty.
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
