#pragma once

#include "script/CMC_Runner.h"

class CSound4;

// The methods of SOUND, which act on the object's sound. Volume and pan arrive in the scripts'
// units and reach the sound in the device's. Without a sound the methods do nothing and
// ISPLAYING is FALSE; LOAD gives the object a sound of its own.
class CMC_Sound_Runner : public CMC_Runner {
public:
    static constexpr int MTH_PLAY = 1;
    static constexpr int MTH_STOP = 2;
    static constexpr int MTH_PAUSE = 3;
    static constexpr int MTH_RESUME = 4;
    static constexpr int MTH_LOAD = 7;
    static constexpr int MTH_SETVOLUME = 8;
    static constexpr int MTH_SETPAN = 9;
    static constexpr int MTH_SETFREQ = 10;
    static constexpr int MTH_ISPLAYING = 11;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

private:
    // The methods that act on the sound and give nothing.
    void control(CSound4& sound, int id, CXVector* args);
};
