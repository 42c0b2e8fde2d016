#pragma once

#include "script/CMC_Runner.h"

#include <cstdint>

class CMC_World;
class ITolvan;
class WorldArguments;

// The methods of WORLD. Most hand their arguments, converted from the screen where they are
// positions, to one operation of the world and give back what it answers; a few act on the
// links and the background view.
//
// A call with fewer arguments than its method needs, or on a WORLD without a world, does
// nothing and gives the method's empty result (none, 0, 0.0 or FALSE). So does a result that
// the world answered with a failing status.
class CMC_World_Runner : public CMC_Runner {
public:
    static constexpr int MTH_SETGRAVITY = 1;
    static constexpr int MTH_START = 2;
    static constexpr int MTH_STOP = 3;
    static constexpr int MTH_ADDOBJECT = 4;
    static constexpr int MTH_SETOBJECTPROPERTIES = 5;
    static constexpr int MTH_MOVEOBJECTS = 6;
    static constexpr int MTH_GETPOSITIONX = 7;
    static constexpr int MTH_GETPOSITIONY = 8;
    static constexpr int MTH_GETPOSITIONZ = 9;
    static constexpr int MTH_SETOBJECTFORCE = 10;
    static constexpr int MTH_GETANGLE = 11;
    static constexpr int MTH_SETPOSITIONCOORD = 12;
    static constexpr int MTH_SETANGLE = 13;
    static constexpr int MTH_ROTATE = 14;
    static constexpr int MTH_SETSPEED = 15;
    static constexpr int MTH_GETCOLLISION = 16;
    static constexpr int MTH_SETDISPERSION = 17;
    static constexpr int MTH_ENABLEMESH = 18;
    static constexpr int MTH_COLLIDEMESH = 19;
    static constexpr int MTH_ISMESHENABLED = 20;
    static constexpr int MTH_ISMESHCOLLIDING = 21;
    static constexpr int MTH_SETVELOCITY = 22;
    static constexpr int MTH_FOLLOW = 23;
    static constexpr int MTH_SETPOSITION = 24;
    static constexpr int MTH_SETLIMIT = 25;
    static constexpr int MTH_GETSPEED = 26;
    static constexpr int MTH_SETCOLLISIONTYPE = 27;
    static constexpr int MTH_SETMAXSPEED = 28;
    static constexpr int MTH_SETALWAYSACTIVE = 29;
    static constexpr int MTH_SETACTIVE = 30;
    static constexpr int MTH_GETMOVEDISTANCE = 31;
    static constexpr int MTH_ADDMESHWAYPOINT = 32;
    static constexpr int MTH_GOTOPATH = 33;
    static constexpr int MTH_USEFF = 34;
    static constexpr int MTH_LINK = 35;
    static constexpr int MTH_SETMASS = 36;
    static constexpr int MTH_LOAD = 37;
    static constexpr int MTH_REMOVEOBJECT = 38;
    static constexpr int MTH_FOLLOWPATH = 39;
    static constexpr int MTH_FINDPATH = 40;
    static constexpr int MTH_UNLINK = 41;
    static constexpr int MTH_PAUSELINK = 42;
    static constexpr int MTH_RESUMELINK = 43;
    static constexpr int MTH_ADDFORCE = 44;
    static constexpr int MTH_SETBODYPROPERTIES = 45;
    static constexpr int MTH_SETBODYDYNAMICS = 46;
    static constexpr int MTH_ADDBODY = 47;
    static constexpr int MTH_GETROTATIONZ = 48;
    static constexpr int MTH_SETFORCE = 49;
    static constexpr int MTH_SETGRAVITYCENTER = 50;
    static constexpr int MTH_SETG = 51;
    static constexpr int MTH_JOIN = 52;
    static constexpr int MTH_BREAK = 53;
    static constexpr int MTH_ZEROALL = 54;
    static constexpr int MTH_MOVETO = 55;
    static constexpr int MTH_MOVETOPATH = 56;
    static constexpr int MTH_ADDTOPATH = 57;
    static constexpr int MTH_SETREFOBJECT = 65;
    static constexpr int MTH_GETBKGPOSX = 66;
    static constexpr int MTH_GETBKGPOSY = 67;
    static constexpr int MTH_SETMOVEFLAGS = 68;
    static constexpr int MTH_SETBKGSIZE = 69;
    static constexpr int MTH_ADDWAYPOINT = 70;
    static constexpr int MTH_REMOVEWAYPOINT = 71;
    static constexpr int MTH_REMOVEROUTE = 72;
    static constexpr int MTH_FOLLOWROUTE = 73;
    static constexpr int MTH_ADDGRAVITYEX = 80;
    static constexpr int MTH_JOIN2 = 81;
    static constexpr int MTH_JOINTSTEER = 82;
    static constexpr int MTH_JOINTSPEED = 83;
    static constexpr int MTH_GETROTATIONX = 84;
    static constexpr int MTH_GETROTATIONY = 85;

    void prepareMthHashSet() override;
    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override;
    // Only GETMOVEDISTANCE writes into its arguments.
    bool readsArgumentsOnly(int id) const override { return id != MTH_GETMOVEDISTANCE; }

private:
    // The methods that only hand values to the world.
    void runOnWorld(int id, ITolvan* world, WorldArguments& a);
    // The methods that read the world back (positions, angles, speeds, collisions, mesh
    // flags), and those that act on a position they read.
    CMC_Object* runQuery(int id, CMC_World* world, WorldArguments& a);
    // The methods of steering, paths and joints.
    CMC_Object* runPathOrJoint(int id, ITolvan* world, WorldArguments& a);
    // The methods of links, the step and the background view.
    CMC_Object* runOnObject(int id, CMC_World* world, CMC_ObjectsContainer* scope, WorldArguments& a);
    void setActive(ITolvan* world, WorldArguments& a);
    void link(CMC_World* world, CMC_ObjectsContainer* scope, WorldArguments& a);
    void getMoveVector(ITolvan* world, WorldArguments& a);
    void join(ITolvan* world, WorldArguments& a);
};
