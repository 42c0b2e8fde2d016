#pragma once

#include "script/CMC_Runner.h"

// The methods of MOVIE, each working on the object's player. A method missing an argument it
// reads does nothing and answers FALSE where it answers at all.
class CMC_Movie_Runner : public CMC_Runner {
public:
    static constexpr int MTH_LOAD = 1;
    static constexpr int MTH_SETPOSITION = 2;
    static constexpr int MTH_PLAY = 3;
    static constexpr int MTH_STOP = 4;
    static constexpr int MTH_SETLOOP = 5;
    static constexpr int MTH_SEEK = 6;
    static constexpr int MTH_ISPLAYING = 7;
    static constexpr int MTH_PAUSE = 8;
    static constexpr int MTH_RESUME = 9;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
};
