#pragma once

#include "script/CMC_Runner.h"

class CMC_Array;
class CSequencedPlayable;

// The methods of SEQUENCE, which act on the object's tree (built first when the object has not
// started yet). Without a tree, or without the arguments a method reads, the methods do
// nothing and give empty answers. Volume and pan arrive in the scripts' units and reach the
// tree in the sound device's, which the tree hands to each element it starts.
class CMC_Sequence_Runner : public CMC_Runner {
public:
    static constexpr int MTH_PLAY = 1;
    static constexpr int MTH_STOP = 2;
    static constexpr int MTH_PAUSE = 3;
    static constexpr int MTH_RESUME = 4;
    static constexpr int MTH_SHOW = 5;
    static constexpr int MTH_HIDE = 6;
    static constexpr int MTH_ISPLAYING = 7;
    static constexpr int MTH_SETVOLUME = 8;
    static constexpr int MTH_SETPAN = 9;
    static constexpr int MTH_SETFREQ = 10;
    static constexpr int MTH_GETEVENTNAME = 11;
    static constexpr int MTH_GETPLAYING = 12;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;

    // The parameter of the event with each "x" or "X" within the array's size replaced by the
    // selector of the array's next value.
    static CXString parameterFromArray(const CXString& parameter, CMC_Array& values);

private:
    // "PLAY"(event [, parameter or ARRAY]): a second argument replaces the event's parameter.
    void play(CSequencedPlayable& tree, CMC_ObjectsContainer* scope, CXVector* args);
    // The methods that give nothing.
    void control(CSequencedPlayable& tree, int id, CXVector* args);
};
