#pragma once

#include "script/CMC_Runner.h"

class CMC_Scene;

// The methods of SCENE: the scene's music, its objects, the program-wide pause and the hot
// spots' priority window. The one runner serves every scene, so the pause is one for all.
class CMC_Scene_Runner : public CMC_Runner {
public:
    static constexpr int MTH_STARTMUSIC = 1;
    static constexpr int MTH_STOPMUSIC = 2;
    static constexpr int MTH_GETDRAGGEDNAME = 3;
    static constexpr int MTH_GETPLAYINGSEQ = 4;
    static constexpr int MTH_RUN = 5;
    static constexpr int MTH_RUNCLONES = 6;
    static constexpr int MTH_CREATEOBJECT = 7;
    static constexpr int MTH_REMOVE = 8;
    static constexpr int MTH_REMOVECLONES = 9;
    static constexpr int MTH_SETMUSICVOLUME = 16;
    static constexpr int MTH_GETMUSICVOLUME = 17;
    static constexpr int MTH_SETMUSICPAN = 18;
    static constexpr int MTH_SETMUSICFREQ = 19;
    static constexpr int MTH_PAUSE = 20;
    static constexpr int MTH_RESUME = 21;
    static constexpr int MTH_SETMINHSPRIORITY = 22;
    static constexpr int MTH_SETMAXHSPRIORITY = 23;
    static constexpr int MTH_GETELEMENTSNO = 24;
    static constexpr int MTH_TOTIME = 25;
    static constexpr int MTH_ISPAUSED = 26;
    static constexpr int MTH_GETPLAYINGANIMO = 27;
    static constexpr int MTH_RESUMEONLY = 28;
    static constexpr int MTH_GETMINHSPRIORITY = 29;
    static constexpr int MTH_GETMAXHSPRIORITY = 30;
    static constexpr int MTH_GETRUNNINGTIMER = 31;
    static constexpr int MTH_GETOBJECTS = 32;
    static constexpr int MTH_RESUMESEQONLY = 33;

    void prepareMthHashSet() override;
    // The scene on which the method is called stands for the statement's scope as well.
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

    bool isPaused() const { return paused_; }
    // Minutes and seconds as the four digits m / 10, m % 10, s / 10, s % 10 ("10000" for 6000).
    static CXString toTime(int seconds);

private:

    void runClones(CMC_Scene* scene, CXVector* args);
    void remove(CMC_Scene* scene, CXVector* args);
    void removeClones(CMC_Scene* scene, CXVector* args);
    void pause(CMC_Scene* scene, CXVector* args);
    // RESUME, and RESUMEONLY with the group whose ANIMO members' animations alone resume.
    void resume(CMC_Scene* scene, CXVector* args, bool onlyAGroup);

    bool paused_ = false;
    // Whether PAUSE kept the time of the window's timers, which RESUME alone gives back: after
    // PAUSE(TRUE) they ran on, and their schedule stays as it is.
    bool timersPaused_ = false;
};
