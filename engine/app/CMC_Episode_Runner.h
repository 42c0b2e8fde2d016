#pragma once

#include "script/CMC_Runner.h"

// The methods of EPISODE. RESTART and GOTO serve the APPLICATION too.
class CMC_Episode_Runner : public CMC_Runner {
public:
    static constexpr int MTH_NEXT = 1;
    static constexpr int MTH_PREV = 2;
    static constexpr int MTH_BACK = 3;
    static constexpr int MTH_RESTART = 4;
    static constexpr int MTH_GOTO = 5;
    static constexpr int MTH_GETLATESTSCENE = 6;
    static constexpr int MTH_GETCURRENTSCENE = 7;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

    // RESTART of a scene node: its own restart (the application's acts at once, an
    // episode's at the frame's end).
    static CMC_Object* restart(CMC_Object* object);
    // GOTO(name) of a scene node: the sub-scene of exactly that name at the frame's end; a
    // name that finds none cancels the switch asked for before. Nothing without a name.
    static CMC_Object* _goto(CMC_Runner& reader, CMC_Object* object, CXVector* args);
};
