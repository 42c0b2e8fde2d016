#pragma once

#include "script_graphics/CMC_FilterRunner.h"

// The methods of STATICFILTER: SETPROPERTY(option, value), LINK and UNLINK(object name). Names
// are looked up in the calling scope; a name that gives no graphics object does nothing.
class CMC_StaticFilter_Runner : public CMC_FilterRunner {
public:
    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
