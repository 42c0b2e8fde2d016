#pragma once

#include "script_graphics/CMC_GraphicsRunner.h"

class CMC_VirtualGraphicsObject;
class CVirtualGraphicsObject;

// The methods of VIRTUALGRAPHICSOBJECT, which act on the object's picture. Names are looked up
// in the calling container; one without a graphics object changes nothing (SETCLIPPING by name
// clears the clipping). A method without the arguments it reads does nothing, or gives 0 or
// FALSE.
class CMC_VirtualGraphicsObject_Runner : public CMC_GraphicsRunner {
public:
    static constexpr int MTH_SHOW = 1;
    static constexpr int MTH_HIDE = 2;
    static constexpr int MTH_SETPOSITION = 3;
    static constexpr int MTH_MOVE = 4;
    static constexpr int MTH_SETSOURCE = 5;
    static constexpr int MTH_SETMASK = 6;
    static constexpr int MTH_CLEARCLIPPING = 7;
    static constexpr int MTH_SETCLIPPING = 8;
    static constexpr int MTH_GETPOSITIONX = 9;
    static constexpr int MTH_GETPOSITIONY = 10;
    static constexpr int MTH_GETWIDTH = 11;
    static constexpr int MTH_GETHEIGHT = 12;
    static constexpr int MTH_ISNEAR = 13;
    static constexpr int MTH_ISINSIDE = 14;
    static constexpr int MTH_MONITORCOLLISION = 15;
    static constexpr int MTH_REMOVEMONITORCOLLISION = 16;
    static constexpr int MTH_SETPRIORITY = 17;
    static constexpr int MTH_INVALIDATE = 18;
    static constexpr int MTH_ISVISIBLE = 19;
    static constexpr int MTH_SETASBUTTON = 20;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // The methods that give an answer.
    CMC_Object* answer(CVirtualGraphicsObject& picture, int id, CMC_ObjectsContainer* scope, CXVector* args);
    void act(CMC_VirtualGraphicsObject& owner, CVirtualGraphicsObject& picture, int id, CMC_ObjectsContainer* scope,
             CXVector* args);
    // "SETMASK"(name): an ANIMO lends its current frame, any other graphics object is the mask.
    void setMask(CVirtualGraphicsObject& picture, CMC_ObjectsContainer* scope, CXVector* args);
};
