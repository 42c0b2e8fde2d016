#pragma once

#include "script/CMC_Runner.h"

// The methods of FONT. They change the collection's own fields or the default colours, never
// the letters. SETSTYLE sets the family and SETFAMILY the style, as scripts written for them
// expect.
class CMC_Font_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SETCOLOR = 1;
    static constexpr int MTH_SETSTYLE = 2;
    static constexpr int MTH_SETFAMILY = 3;
    static constexpr int MTH_SETSIZE = 4;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
