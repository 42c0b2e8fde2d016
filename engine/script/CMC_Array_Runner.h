#pragma once

#include "script/CMC_Runner.h"

class CMC_Array;

// The runner of ARRAY: 54 methods, ids 1 to 25 and 32 to 60 (26 to 31 have no names). A
// method whose required arguments are missing does nothing; a method that names another
// array does nothing with an object of another type.
class CMC_Array_Runner : public CMC_Runner {
public:
    enum Method {
        MTH_ADD = 1,
        MTH_GETSIZE,
        MTH_INSERTAT,
        MTH_REMOVEAT,
        MTH_CHANGEAT,
        MTH_REMOVEALL,
        MTH_GET,
        MTH_REMOVE,
        MTH_FIND,
        MTH_CONTAINS,
        MTH_SAVEINI,
        MTH_LOADINI,
        MTH_PREV,
        MTH_NEXT,
        MTH_ADDCLONES,
        MTH_RESETMARKER,
        MTH_GETMARKERPOS,
        MTH_SETMARKERPOS,
        MTH_SUM,
        MTH_SUMA,
        MTH_SUB,
        MTH_SUBA,
        MTH_MUL,
        MTH_MULA,
        MTH_DIV,
        MTH_DIVA = 32,
        MTH_MIN,
        MTH_MAX,
        MTH_GETSUMVALUE,
        MTH_SORT,
        MTH_LOAD,
        MTH_SAVE,
        MTH_REVERSEFIND,
        MTH_MULAT,
        MTH_DIVAT,
        MTH_ADDAT,
        MTH_SUBAT,
        MTH_MODAT,
        MTH_CLAMPAT,
        MTH_DIR,
        MTH_COMPARE,
        MTH_SENDONCHANGE,
        MTH_SHIFTLEFT,
        MTH_SHIFTRIGHT,
        MTH_ROTATELEFT,
        MTH_ROTATERIGHT,
        MTH_SWAP,
        MTH_FINDALL,
        MTH_SORTMANY,
        MTH_MAXD,
        MTH_MIND,
        MTH_COPYTO,
        MTH_FILL,
        MTH_RANDOMFILL,
    };

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    CMC_Object* runOnArray(int id, CMC_Array* array, CMC_ObjectsContainer* scope, CXVector* args);
    // The methods that take an index and a value, an index alone, or a value alone.
    void runWithIndexAndValue(int id, CMC_Array* array, CXVector* args);
    void runWithValue(int id, CMC_Array* array, CXVector* args);
    CMC_Object* lookUp(int id, CMC_Array* array, CXVector* args);
    // SUMA to DIVA: the named object, then the range, whose ends default to the whole array
    // and keep their default when given as -1.
    void runOverRange(int id, CMC_Array* array, CXVector* args);
    CMC_Object* element(CMC_Array* array, CXVector* args);
    CMC_Object* step(int id, CMC_Array* array, CXVector* args);
    void addClones(CMC_Array* array, CMC_ObjectsContainer* scope, CXVector* args);
    void clampAt(CMC_Array* array, CXVector* args);
    void dir(CMC_Array* array, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* findAll(CMC_Array* array, CMC_ObjectsContainer* scope, CXVector* args);
    void fill(CMC_Array* array, CXVector* args);
    void randomFill(CMC_Array* array, CXVector* args);
    // The named object when it is an ARRAY.
    CMC_Array* namedArray(CXVector* args, int i, CMC_ObjectsContainer* scope);
    // The integer argument at i, or the fallback when it is missing.
    int integerOr(CXVector* args, int i, int fallback);
};
