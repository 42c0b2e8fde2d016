#pragma once

#include "script_graphics/CMC_GraphicsRunner.h"

class CMC_CanvasObserver;
class CRefreshScreen;

// The methods of CANVASOBSERVER, which act on the screen composer. Graphics objects are named
// in the calling container. A method without the arguments it reads does nothing (GETGRAPHICSAT
// gives "NULL"); without a composer, or without a background for MOVEBKG and SETBKGPOS, nothing
// happens.
class CMC_CanvasObserver_Runner : public CMC_GraphicsRunner {
public:
    static constexpr int MTH_REFRESH = 1;
    static constexpr int MTH_ADD = 2;
    static constexpr int MTH_REMOVE = 3;
    static constexpr int MTH_SETBACKGROUND = 4;
    static constexpr int MTH_GETGRAPHICSAT = 5;
    static constexpr int MTH_MOVEBKG = 6;
    static constexpr int MTH_SETBKGPOS = 7;
    static constexpr int MTH_SAVE = 8;
    static constexpr int MTH_ENABLENOTIFY = 9;
    static constexpr int MTH_REDRAW = 10;
    static constexpr int MTH_GETBPP = 11;
    // The priority of ADD without one.
    static constexpr int kDefaultPriority = 1000;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    CMC_Object* getGraphicsAt(CMC_CanvasObserver& owner, CMC_ObjectsContainer* scope, CXVector* args);
    void act(CMC_CanvasObserver& owner, CRefreshScreen& screen, int id, CMC_ObjectsContainer* scope, CXVector* args);
};
