#pragma once

#include "script/CMC_Runner.h"

class CMC_Structure;

// The runner of STRUCTURE: whole structures set from another one or from a list of values,
// single fields set and read by short name or position.
class CMC_Structure_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SET = 1;
    static constexpr int MTH_SETFIELD = 2;
    static constexpr int MTH_GETFIELD = 3;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // One argument names the structure to copy; more are the values of the fields in order.
    void set(CMC_Structure* structure, CMC_ObjectsContainer* scope, CXVector* args);
    // An INTEGER argument is a position, anything else a short name.
    CMC_Object* getField(CMC_Structure* structure, CXVector* args);
};
