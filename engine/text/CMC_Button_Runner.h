#pragma once

#include "script/CMC_Runner.h"

class CButton;
class CGraphicsObject;

// The methods of BUTTON, which change its control; names given to them are looked up in the
// container that runs the statement. A BUTTON without a control does nothing and GETPRIORITY,
// GETSTD, GETONMOVE and GETONCLICK give nothing.
class CMC_Button_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SETRECT = 1;
    static constexpr int MTH_ENABLE = 2;
    static constexpr int MTH_DISABLE = 3;
    static constexpr int MTH_ENABLEDRAGGING = 4;
    static constexpr int MTH_DISABLEDRAGGING = 5;
    static constexpr int MTH_DISABLEBUTVISIBLE = 6;
    static constexpr int MTH_ACCENT = 7;
    static constexpr int MTH_SETSTD = 8;
    static constexpr int MTH_SETONMOVE = 9;
    static constexpr int MTH_SETONCLICK = 10;
    static constexpr int MTH_SETPRIORITY = 11;
    static constexpr int MTH_GETPRIORITY = 12;
    static constexpr int MTH_GETSTD = 13;
    static constexpr int MTH_GETONMOVE = 14;
    static constexpr int MTH_GETONCLICK = 15;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // One name: that picture's box, (0, 0, 0, 0) for none; four numbers: the rectangle.
    void setRect(CButton& button, CMC_ObjectsContainer* scope, CXVector* args);
    // The picture that argument 0 names in the scope; none.
    CGraphicsObject* pictureArgument(CMC_ObjectsContainer* scope, CXVector* args);
    // The name of the scope's object that shows the picture; "UNKNOWN" for none.
    static CMC_Object* nameOf(CMC_ObjectsContainer* scope, CGraphicsObject* picture);
};
