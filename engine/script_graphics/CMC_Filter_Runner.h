#pragma once

#include "script_graphics/CMC_FilterRunner.h"

// The methods of FILTER: SETPROPERTY(option, value), LINK, UNLINK, START, STOP and
// ISRUNNING(object name). Names are looked up in the calling scope; a name that gives no
// graphics object does nothing, and ISRUNNING then gives FALSE.
class CMC_Filter_Runner : public CMC_FilterRunner {
public:
    static constexpr int MTH_START = 4;
    static constexpr int MTH_STOP = 5;
    static constexpr int MTH_ISRUNNING = 6;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
