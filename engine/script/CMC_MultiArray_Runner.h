#pragma once

#include "script/CMC_Runner.h"

#include <vector>

class CMC_MultiArray;

// The runner of MULTIARRAY. Coordinates are read as integers; one that is missing or cannot
// be read counts as 0.
class CMC_MultiArray_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SET = 1;
    static constexpr int MTH_GET = 2;
    static constexpr int MTH_GETSIZE = 3;
    static constexpr int MTH_COUNT = 4;
    static constexpr int MTH_LOAD = 5;
    static constexpr int MTH_SAVE = 6;
    static constexpr int MTH_SAFEGET = 7;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // The arguments from first up to, not including, end, as coordinates.
    std::vector<int> coordinates(CXVector* args, int end);
    // A pooled copy of the cell's value, or the given stand-in for a cell without one.
    CMC_Object* cell(CMC_MultiArray* grid, CXVector* args, bool safe);
};
