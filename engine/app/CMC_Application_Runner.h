#pragma once

#include "foundation/CXRect.h"
#include "script/CMC_Runner.h"

#include <optional>

class CMC_Application;
class CMC_SceneUpdate;
class CWindow;

// The methods of APPLICATION. EXIT, RESTART and STOREBINARY act at once, inside the running
// behaviour; GOTO at the frame's end.
class CMC_Application_Runner : public CMC_Runner {
public:
    static constexpr int MTH_EXIT = 1;
    static constexpr int MTH_RESTART = 2;
    static constexpr int MTH_GOTO = 3;
    static constexpr int MTH_SETLANGUAGE = 4;
    static constexpr int MTH_GETLANGUAGE = 5;
    static constexpr int MTH_PRINT = 6;
    static constexpr int MTH_ENABLEMUSIC = 7;
    static constexpr int MTH_DISABLEMUSIC = 8;
    static constexpr int MTH_RUN = 9;
    static constexpr int MTH_STOREBINARY = 10;
    static constexpr int MTH_RUNENV = 11;
    static constexpr int MTH_EXISTSENV = 12;
    static constexpr int MTH_UPGRADE = 13;
    static constexpr int MTH_NEEDSUPGRADE = 14;
    static constexpr int MTH_GETUPGRADEPROGRESS = 15;

    void prepareMthHashSet() override;
    // Ids 10 to 15 work in the application's scope instead of the caller's.
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

    // The part of the screen that PRINT prints: the whole screen; with one argument the box
    // of the graphics object of that name in the scope (none when the name has no graphics
    // object); with four, left, top, right and bottom.
    std::optional<CXRect> printArea(CWindow* window, CMC_ObjectsContainer* scope, CXVector* args);

private:
    CMC_Object* run(int id, CMC_Application* application, CMC_ObjectsContainer* scope, CXVector* args);
    void setLanguage(CMC_Application* application, CXVector* args);
    CMC_Object* getLanguage(CMC_Application* application);
    void print(CWindow* window, CMC_ObjectsContainer* scope, CXVector* args);
    // RUNENV's behaviour in the scene named first, found from that scene; none unless both
    // are there.
    struct Environment {
        CMC_ObjectsContainer* scene = nullptr;
        CMC_Object* behaviour = nullptr;
    };
    Environment findEnvironment(CMC_Application* application, CXVector* args);
    void runEnv(CMC_Application* application, CXVector* args);
    // The updater of the scene that the first argument names (the application's own without
    // an argument); none when that names no scene or the scene has no updater.
    CMC_SceneUpdate* updaterOf(CMC_Application* application, CXVector* args);
};
