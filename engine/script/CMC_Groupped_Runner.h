#pragma once

#include "script/CMC_Runner.h"

class CMC_Groupped;

// The methods of GROUP. A method the group does not know is passed on to every member, each
// through the runner of its own type.
class CMC_Groupped_Runner : public CMC_Runner {
public:
    static constexpr int MTH_ADD = 1;
    static constexpr int MTH_REMOVE = 2;
    static constexpr int MTH_REMOVEALL = 3;
    static constexpr int MTH_GETSIZE = 4;
    static constexpr int MTH_GETNAME = 5;
    static constexpr int MTH_PREV = 6;
    static constexpr int MTH_NEXT = 7;
    static constexpr int MTH_ADDCLONES = 8;
    static constexpr int MTH_RESETMARKER = 9;
    static constexpr int MTH_GETMARKERPOS = 10;
    static constexpr int MTH_SETMARKERPOS = 11;
    static constexpr int MTH_CLONE = 12;
    static constexpr int MTH_GETCLONEINDEX = 13;
    static constexpr int MTH_GETNAMEATMARKER = 14;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
    // A name the group lacks goes to each member in turn; the group itself gives nothing.
    CMC_Object* run(const CXString& name, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    CMC_Object* add(CMC_Groupped* group, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* addClones(CMC_Groupped* group, CMC_ObjectsContainer* scope, CXVector* args);
    // The member's name, or none for no member.
    static CMC_Object* nameOf(CMC_Object* member);
    void forward(CMC_Groupped* group, const CXString& name, CMC_ObjectsContainer* scope, CXVector* args);
};
