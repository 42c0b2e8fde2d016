#pragma once

#include "script_graphics/CMC_GraphicsRunner.h"

class CCanvas;
class CMC_Canvas;

// The methods of CANVAS, which act on the object's raster. Names are looked up in the calling
// container, but ADD's, which the canvas looks up in its own. A method without the arguments
// it reads, or a name without a graphics object, does nothing; no method gives a result.
class CMC_Canvas_Runner : public CMC_GraphicsRunner {
public:
    static constexpr int MTH_ADD = 1;
    static constexpr int MTH_REMOVE = 2;
    static constexpr int MTH_SHOW = 3;
    static constexpr int MTH_HIDE = 4;
    static constexpr int MTH_SETPRIORITY = 5;
    static constexpr int MTH_SETPOSITION = 6;
    static constexpr int MTH_MOVE = 7;
    static constexpr int MTH_CLEAR = 8;
    static constexpr int MTH_CAPTURE = 9;
    static constexpr int MTH_SETOPACITY = 10;
    static constexpr int MTH_SETASBUTTON = 11;
    static constexpr int MTH_ERASE = 12;
    static constexpr int MTH_DRAW = 13;
    static constexpr int MTH_SAVE = 14;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // The fewest arguments of the method.
    static int argumentsOf(int id);
    void act(CMC_Canvas& owner, CCanvas& canvas, int id, CMC_ObjectsContainer* scope, CXVector* args);
};
