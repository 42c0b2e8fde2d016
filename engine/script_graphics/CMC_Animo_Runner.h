#pragma once

#include "graphics/CAnimo6.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_PictureRunner.h"

#include <array>

// The methods of ANIMO, each working on the object's animation. Without an animation (before
// LOAD, after the object's end) a method does nothing and answers its result type's empty
// value; so does a method given fewer arguments than it reads.
//
// Events are given by number (-1 the current event) or by name, and found three ways: A, the
// first event of the name in any letter case, else the current event; B, the same, else the
// first event; C, the same, else none, and then nothing plays.
class CMC_Animo_Runner : public CMC_PictureRunner<CMC_Animo_Runner, CMC_Animo, CAnimo6> {
public:
    static constexpr int MTH_SHOW = 1;
    static constexpr int MTH_HIDE = 2;
    static constexpr int MTH_PAUSE = 3;
    static constexpr int MTH_RESUME = 4;
    static constexpr int MTH_SETPOSITION = 5;
    static constexpr int MTH_MOVE = 6;
    static constexpr int MTH_LOAD = 7;
    static constexpr int MTH_CLEARCLIPPING = 8;
    static constexpr int MTH_SETCLIPPING = 9;
    static constexpr int MTH_PLAY = 10;
    static constexpr int MTH_SETFRAME = 11;
    static constexpr int MTH_STOP = 12;
    static constexpr int MTH_ISPLAYING = 13;
    // Reached by number only: whether the animation is paused.
    static constexpr int MTH_ISPAUSED = 14;
    static constexpr int MTH_GETPOSITIONX = 15;
    static constexpr int MTH_GETPOSITIONY = 16;
    static constexpr int MTH_GETWIDTH = 17;
    static constexpr int MTH_GETHEIGHT = 18;
    static constexpr int MTH_GETFRAME = 19;
    static constexpr int MTH_GETFRAMENAME = 20;
    static constexpr int MTH_GETFRAMENO = 21;
    static constexpr int MTH_GETEVENTNAME = 22;
    static constexpr int MTH_ISNEAR = 23;
    static constexpr int MTH_ISINSIDE = 24;
    static constexpr int MTH_PLAYRAND = 25;
    static constexpr int MTH_MONITORCOLLISION = 26;
    static constexpr int MTH_REMOVEMONITORCOLLISION = 27;
    static constexpr int MTH_SETFORWARD = 28;
    static constexpr int MTH_SETBACKWARD = 29;
    static constexpr int MTH_NEXTFRAME = 30;
    static constexpr int MTH_PREVFRAME = 31;
    static constexpr int MTH_SETPRIORITY = 32;
    static constexpr int MTH_GETALPHA = 33;
    static constexpr int MTH_GETPIXEL = 34;
    static constexpr int MTH_SETFPS = 35;
    static constexpr int MTH_MERGEALPHA = 36;
    static constexpr int MTH_INVALIDATE = 37;
    static constexpr int MTH_GETCURRFRAMEPOSX = 38;
    static constexpr int MTH_GETCURRFRAMEPOSY = 39;
    static constexpr int MTH_GETCENTERX = 40;
    static constexpr int MTH_GETCENTERY = 41;
    static constexpr int MTH_GETNOE = 42;
    static constexpr int MTH_GETNOF = 43;
    static constexpr int MTH_GETNOFINEVENT = 44;
    static constexpr int MTH_GETMAXWIDTH = 45;
    static constexpr int MTH_GETMAXHEIGHT = 46;
    static constexpr int MTH_ISVISIBLE = 47;
    static constexpr int MTH_GETCFRAMEINEVENT = 48;
    static constexpr int MTH_SETASBUTTON = 49;
    static constexpr int MTH_SETONFF = 50;
    static constexpr int MTH_SETOPACITY = 51;
    static constexpr int MTH_SETVOLUME = 52;
    static constexpr int MTH_SETPAN = 53;
    static constexpr int MTH_SETFREQ = 54;
    static constexpr int MTH_SETANCHOR = 55;
    static constexpr int MTH_SETFRAMENAME = 56;
    static constexpr int MTH_GETPRIORITY = 57;
    static constexpr int MTH_FLIPH = 58;
    static constexpr int MTH_FLIPV = 59;
    static constexpr int MTH_RESETFLIPS = 60;
    static constexpr int MTH_DRAWONTO = 61;
    static constexpr int MTH_PLAYREVERSE = 62;
    static constexpr int MTH_NPLAY = 63;
    static constexpr int MTH_ISAT = 64;
    static constexpr int MTH_GETOPACITY = 65;
    static constexpr int MTH_GETANCHOR = 66;

    // An animation without a box is near anything.
    static constexpr bool kEmptyBoxIsNear = true;

    void prepareMthHashSet() override;

private:
    // Every method in the order of registration, by id.
    static const std::array<Method, MTH_GETANCHOR> methods_;

    const Method* method(int id) override;

    // --- playback and frames ---
    CMC_Object* show(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* hide(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* pause(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* resume(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* play(CMC_Animo* animo, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* setFrame(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* stop(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* isPlaying(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* isPaused(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getFrame(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getFrameName(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getFrameNo(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getEventName(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* playRand(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* setForward(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* setBackward(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* nextFrame(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* prevFrame(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* setFPS(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getNOE(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getNOF(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getNOFInEvent(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getCFrameInEvent(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* setOnFirstFrame(CMC_Animo* animo, CAnimo6*, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* setFrameName(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* playReverse(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* nPlay(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);

    // --- geometry, pixels, appearance and sound ---
    CMC_Object* setPosition(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getPositionX(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getPositionY(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* isAt(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getPriority(CMC_Animo* animo, CAnimo6* animation, CMC_ObjectsContainer* scope, CXVector*);
    CMC_Object* getAlpha(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getPixel(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* mergeAlpha(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* getCurrFramePositionX(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getCurrFramePositionY(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getCenterX(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getCenterY(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getMaxWidth(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getMaxHeight(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* setAsButton(CMC_Animo* animo, CAnimo6*, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* setOpacity(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* setVolume(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* setPanning(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* setFrequency(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* getAnchor(CMC_Animo*, CAnimo6* animation, CMC_ObjectsContainer* scope, CXVector* args);

    // Argument i when it is an INTEGER, else none; the raw argument decides between an
    // event's number and its name.
    CMC_Variable* integerArgument(CXVector* args, int i);
    // The event of argument i by number, else by name through lookup A or B.
    int eventA(CAnimo6* animation, CXVector* args, int i);
    int eventB(CAnimo6* animation, CXVector* args, int i);
};
