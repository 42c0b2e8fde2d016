#pragma once

#include "foundation/CXPoint.h"
#include "script/CMC_Runner.h"

class CMC_Array;
class CMC_Pattern;
class CPattern;
class CPatternEntry;

// The methods of PATTERN, which act on the object's grid. Objects and ARRAYs are named in the
// calling container. A method without the arguments it reads, a cell outside the grid or a
// cell size below 1 does nothing; a missing answer is "NULL" for the point and cell queries,
// an empty text or FALSE otherwise.
class CMC_Pattern_Runner : public CMC_Runner {
public:
    static constexpr int MTH_ADD = 1;
    static constexpr int MTH_SETGRID = 2;
    static constexpr int MTH_MOVE = 3;
    static constexpr int MTH_GETGRAPHICSAT = 4;
    static constexpr int MTH_REMOVE = 5;
    static constexpr int MTH_GETALIASAT = 6;
    static constexpr int MTH_GETINFOAT = 7;
    static constexpr int MTH_GETALIASINFO = 8;
    static constexpr int MTH_GETCELLCORD = 9;
    static constexpr int MTH_GETALIASATCELL = 10;
    static constexpr int MTH_SETPOSITION = 11;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // The alias or the object's name of the point and cell queries.
    CMC_Object* answer(CPattern& grid, int id, CMC_ObjectsContainer* scope, CXVector* args);
    void act(CPattern& grid, int id, CMC_ObjectsContainer* scope, CXVector* args);
    // "REMOVE"(column, row [, layer]) when the first argument is an INTEGER, else (alias).
    void remove(CPattern& grid, CXVector* args);
    // The ARRAY gains the entry's alias, column, row, the object's width and height, and its
    // cell's corner on the screen plus half its size.
    static void appendInfo(CPattern& grid, const CPatternEntry& entry, CMC_Array& values);
    // "GETCELLCORD"(x, y, array): whether the point lies in the pattern, both edges counted;
    // the ARRAY gains the cell's column and row, which may lie outside the grid.
    CMC_Object* cellAt(CMC_Pattern& owner, CPattern& grid, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Array* arrayNamed(CMC_ObjectsContainer* scope, CXVector* args, int i);
    CXPoint pointOf(CXVector* args) { return CXPoint(integerParameter(args, 0), integerParameter(args, 1)); }
};
