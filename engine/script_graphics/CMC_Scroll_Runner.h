#pragma once

#include "script/CMC_Runner.h"

// The methods of SCROLL: ADD(name) in the calling scope, REMOVE(name) in the SCROLL's scene,
// SCROLLUP, SCROLLDOWN, SCROLLLEFT and SCROLLRIGHT(n), SETVIEWPORT(left, top, right, bottom)
// and MOVEVIEWPORT(dx, dy); numbers not given are 0. The common methods work as on any object.
class CMC_Scroll_Runner : public CMC_Runner {
public:
    static constexpr int MTH_ADD = 1;
    static constexpr int MTH_REMOVE = 2;
    static constexpr int MTH_SCROLLUP = 3;
    static constexpr int MTH_SCROLLDOWN = 4;
    static constexpr int MTH_SCROLLLEFT = 5;
    static constexpr int MTH_SCROLLRIGHT = 6;
    static constexpr int MTH_SETVIEWPORT = 7;
    static constexpr int MTH_MOVEVIEWPORT = 8;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
