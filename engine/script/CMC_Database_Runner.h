#pragma once

#include "script/CMC_Runner.h"

#include <optional>

class CMC_Database;
class CMC_Structure;

// The runner of DATABASE. Structures are named by their object names in the calling
// container; field values are compared with the argument as given.
class CMC_Database_Runner : public CMC_Runner {
public:
    static constexpr int MTH_ADD = 1;
    static constexpr int MTH_REMOVE = 2;
    static constexpr int MTH_LOAD = 3;
    static constexpr int MTH_SAVE = 4;
    static constexpr int MTH_REMOVEALL = 5;
    static constexpr int MTH_FIND = 6;
    static constexpr int MTH_SELECT = 7;
    static constexpr int MTH_NEXT = 8;
    static constexpr int MTH_PREV = 9;
    static constexpr int MTH_GETROWSNO = 10;
    static constexpr int MTH_REMOVEAT = 11;
    static constexpr int MTH_INSERTAT = 12;
    static constexpr int MTH_GETCURSORPOS = 13;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // The ids that change or read the rows with their arguments.
    CMC_Object* runWithArguments(int id, CMC_Database* database, CMC_ObjectsContainer* scope, CXVector* args);
    // The STRUCTURE that argument i names in the scope; none for anything else.
    CMC_Structure* structureArgument(CXVector* args, int i, CMC_ObjectsContainer* scope);
    // Argument i read as a whole number at once; none when it is missing.
    std::optional<int> integerArgument(CXVector* args, int i);
};
