#pragma once

#include "script/CMC_Runner.h"

class CMC_Vector;

// The runner of VECTOR. A vector argument is the VECTOR object itself as the statement
// passes it; an argument of another kind where a vector is wanted is passed by.
class CMC_Vector_Runner : public CMC_Runner {
public:
    static constexpr int MTH_ADD = 1;
    static constexpr int MTH_GET = 2;
    static constexpr int MTH_GETSIZE = 3;
    static constexpr int MTH_VMUL = 4;
    static constexpr int MTH_SMUL = 5;
    static constexpr int MTH_MUL = 6;
    static constexpr int MTH_LEN = 7;
    static constexpr int MTH_NORMALIZE = 8;
    static constexpr int MTH_REFLECT = 9;
    static constexpr int MTH_EXPAND = 10;
    static constexpr int MTH_SET = 11;
    static constexpr int MTH_ASSIGN = 12;
    static constexpr int MTH_SUB = 13;
    static constexpr int MTH_NEG = 14;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // The argument at i when it is a VECTOR.
    static CMC_Vector* vectorAt(CXVector* args, int i);
    // The size goes into an INTEGER argument as well as into the result.
    CMC_Object* getSize(CMC_Vector* vector, CXVector* args);
    // An index and a value set one element; a vector is assigned; a single value of another
    // kind goes into every element.
    void set(CMC_Vector* vector, CXVector* args);
    void assign(CMC_Vector* vector, CXVector* args);
};
