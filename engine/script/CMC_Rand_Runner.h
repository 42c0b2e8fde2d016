#pragma once

#include "script/CMC_Runner.h"

// The runner of RANDOM, the one object of its type that the application makes: whole random
// numbers, one at a time or many into an ARRAY.
class CMC_Rand_Runner : public CMC_Runner {
public:
    static constexpr int MTH_GET = 1;
    static constexpr int MTH_GETPLENTY = 2;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // No argument: 0. One: 0 to n - 1. Two or more: min and a count of values, min to
    // min + count - 1.
    CMC_Object* get(CXVector* args);
    // GETPLENTY(array, count, min, count of values, unique) appends to the named ARRAY.
    CMC_Object* getPlenty(CMC_ObjectsContainer* scope, CXVector* args);
};
