#include "WorldScript.h"

#include "foundation/CFile_Memory.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "platform/DebugOutput.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"

#include "tests/RecordBytes.h"

#include <string>

namespace {

class WorldMethods : public WorldScript {
protected:
    WorldMethods()
    {
        // Body 8 stands off the screen's grid; the fake writes its answers whatever the
        // status, so that a failing call shows what the method makes of them.
        RecordingTolvan::BodyAnswers& body = tolvan->bodies[8];
        body.x = -410.5f;
        body.y = -20.7f;
        body.z = 3.9f;
        body.angle = 45.9f;
        body.rotationX = -20.5f;
        body.rotationY = 10.5f;
        body.rotationZ = 359.9f;
        body.speed = 2.5f;
        body.colliding = true;
        body.collisions = {4, 9};
        body.meshEnabled = true;
        body.meshColliding = true;
        body.moveDistance = 2.75f;
        tolvan->bodies[3].distance = 12.5f;
        // The reference body of the scrolling rows: the view follows it to offsets 300, 250.
        tolvan->bodies[7].x = 100;
        tolvan->bodies[7].y = -50;
        tolvan->stepTime = 0.25f;
        target("T");
        calls();
    }
};

} // namespace

// Each call, in order, with the world's calls it makes and what the script gets; "failing"
// names an operation that answers UNKNOWN_ID for that call alone.
TEST_F(WorldMethods, EachMethodCallsTheWorldWithConvertedArgumentsAndGivesItsResult)
{
    struct Row {
        const char* call;
        const char* calls;
        const char* answer;
        const char* failing = nullptr;
    };
    const Row rows[] = {
        {"W^SETGRAVITY(0,-9.5,0.25)", "SetGravity(0, -9.5, 0.25)", ""},
        {"W^START()", "Start()", ""},
        {"W^STOP()", "Stop()", ""},
        {"W^ADDOBJECT(3,500,100,2,10,11,12,5,0.5,300)",
         "AddObject(3, 983040); SetPosition(3, 100, 200, 2); SetRadius(3, 10, 11, 12); SetMass(3, 5); "
         "SetRigid(3, 0.5); SetMaxSpeed(3, 300)",
         ""},
        {"W^SETOBJECTPROPERTIES(3,\"POSITION\",0,0,1)", "SetPosition(3, -400, 300, 1)", ""},
        {"W^SETOBJECTPROPERTIES(3,\"position\",0,0,1)", "", ""},
        // Truncated toward zero: -10.5 gives -10.
        {"W^GETPOSITIONX(8)", "GetPosition(8)", "-10"},
        {"W^GETPOSITIONY(8)", "GetPosition(8)", "320"},
        {"W^GETPOSITIONZ(8)", "GetPosition(8)", "3"},
        {"W^GETPOSITIONX(8)", "GetPosition(8)", "0", "GetPosition"},
        {"W^SETOBJECTFORCE(3,1,2,3)", "SetForce(3, 1, 2, 3)", ""},
        {"W^SETFORCE(3,1,2,3)", "SetForce(3, 1, 2, 3)", ""},
        {"W^GETANGLE(8)", "GetAngle(8)", "45"},
        {"W^GETANGLE(8)", "GetAngle(8)", "0", "GetAngle"},
        {"W^SETPOSITIONCOORD(8,0,500)", "GetPosition(8); SetPosition(8, 100, -20.7, 3.9)", ""},
        {"W^SETPOSITIONCOORD(8,1,500)", "GetPosition(8); SetPosition(8, -410.5, -200, 3.9)", ""},
        {"W^SETPOSITIONCOORD(8,2,500)", "GetPosition(8); SetPosition(8, -410.5, -20.7, 3.9)", ""},
        {"W^SETPOSITIONCOORD(8,0,500)", "GetPosition(8)", "", "GetPosition"},
        {"W^SETANGLE(3,90)", "SetAngle(3, 90)", ""},
        {"W^ROTATE(3,2,45)", "Rotate(3, 2, 45)", ""},
        {"W^SETSPEED(3,120)", "SetSpeed(3, 120)", ""},
        {"W^GETCOLLISION(8)", "GetCollision(8)", "TRUE"},
        {"W^GETCOLLISION(8)", "GetCollision(8)", "FALSE", "GetCollision"},
        {"W^GETCOLLISION(8,9)", "GetCollision(8, 9)", "TRUE"},
        {"W^GETCOLLISION(8,5)", "GetCollision(8, 5)", "FALSE"},
        {"W^SETDISPERSION(3,0.5)", "SetDispersion(3, 0.5)", ""},
        {"W^ENABLEMESH(3)", "EnableMesh(3, true)", ""},
        {"W^ENABLEMESH(3,FALSE)", "EnableMesh(3, false)", ""},
        {"W^COLLIDEMESH(3)", "CollideMesh(3, true)", ""},
        {"W^ISMESHENABLED(8)", "IsMeshEnabled(8)", "TRUE"},
        {"W^ISMESHENABLED(8)", "IsMeshEnabled(8)", "FALSE", "IsMeshEnabled"},
        {"W^ISMESHCOLLIDING(8)", "IsMeshColliding(8)", "TRUE"},
        {"W^SETVELOCITY(3,1,2,3)", "SetVelocity(3, 1, 2, 3, false)", ""},
        {"W^FOLLOW(3,500,100,1,2,3,4)", "Follow(3, 100, 200, 1, 2, 3, 4)", "12.50000"},
        {"W^FOLLOW(3,500,100,1,2,3,4)", "Follow(3, 100, 200, 1, 2, 3, 4)", "0.00000", "Follow"},
        {"W^SETPOSITION(3,500,100,1)", "SetPosition(3, 100, 200, 1)", ""},
        // The screen rectangle's lower edge is the world's lower bound.
        {"W^SETLIMIT(3,100,50,1,700,550,2)", "SetLimit(3, -300, -250, 1, 300, 250, 2)", ""},
        {"W^GETSPEED(8)", "GetSpeed(8)", "2.50000"},
        {"W^GETSPEED(8)", "GetSpeed(8)", "0.00000", "GetSpeed"},
        {"W^SETCOLLISIONTYPE(3,2)", "SetCollisionType(3, 2)", ""},
        {"W^SETMAXSPEED(3,50)", "SetMaxSpeed(3, 50)", ""},
        {"W^SETALWAYSACTIVE(3)", "SetAlwaysActive(3, true)", ""},
        {"W^SETACTIVE(3)", "SetActive(3, true, true)", ""},
        {"W^SETACTIVE(3,FALSE)", "SetActive(3, false, true)", ""},
        {"W^SETACTIVE(3,FALSE,FALSE)", "SetActive(3, false, false)", ""},
        {"W^SETACTIVE(3,2,TRUE)", "SetActivePath(3, 2, true)", ""},
        {"W^SETACTIVE(3,FALSE,FALSE,FALSE)", "SetActive(3, true, true)", ""},
        {"W^GETMOVEDISTANCE(8)", "GetMoveDistance(8)", "2.75000"},
        {"W^ADDMESHWAYPOINT(5)", "AddMeshWayPoint(5)", ""},
        {"W^ADDMESHWAYPOINT(5,500,100,2)", "AddMeshWayPoint(5, 100, 200, 2)", ""},
        {"W^ADDMESHWAYPOINT(5,500)", "", ""},
        {"W^GOTOPATH(3,80)", "GotoPath(3, 80)", "12.50000"},
        {"W^USEFF(FALSE)", "UseFF(false)", ""},
        {"W^SETMASS(3,2.5)", "SetMass(3, 2.5)", ""},
        {"W^LOAD(\"more.wld\")", "Load(\"more.wld\")", ""},
        {"W^FOLLOWPATH(3,1,2,1)", "FollowPath(3, 1, 2, 1)", "12.50000"},
        {"W^FINDPATH(3,9,500,100,0)", "FindPath(3, 9, 100, 200, 0, true)", ""},
        {"W^FINDPATH(3,9,500,100,0,FALSE,FALSE)", "FindPath(3, 9, 100, 200, 0, false)", ""},
        {"W^ADDFORCE(3,1,2,3)", "AddForce(3, 1, 2, 3)", ""},
        {"W^ADDFORCE(3,1,2,3,500,100,0)", "AddForceAt(3, 1, 2, 3, 500, 100, 0)", ""},
        {"W^ADDFORCE(3,1,2,3,500)", "", ""},
        {"W^SETBODYPROPERTIES(3,1,2,3,4)", "SetBodyProperties(3, 1, 2, 3, 4)", ""},
        {"W^SETBODYDYNAMICS(3,1,2,3,4,5)", "SetBodyDynamics(3, 1, 2, 3, 4, 5)", ""},
        {"W^ADDBODY(4,1,2,3,4,5,6,1,2,7,0.5,9)", "AddBody(4, 1, 2, 3, 4, 5, 6, 1, 2, 7, 0.5, 9)", ""},
        {"W^GETROTATIONX(8)", "GetRotationX(8)", "-20"},
        {"W^GETROTATIONY(8)", "GetRotationY(8)", "10"},
        {"W^GETROTATIONZ(8)", "GetRotationZ(8)", "359"},
        {"W^GETROTATIONZ(8)", "GetRotationZ(8)", "0", "GetRotationZ"},
        {"W^SETGRAVITYCENTER(3)", "SetGravityCenter(3, true)", ""},
        // In double precision.
        {"W^SETG(3,0.123456789012)", "SetG(3, 0.123456789012)", ""},
        // Limits in degrees reach the world in radians.
        {"W^JOIN(3,4,500,100,0,1)", "Join(3, 4, 100, 200, 0, 1, -1.5707963, 1.5707963, 0, 0, 1)", ""},
        {"W^JOIN(3,4,500,100,0,1,-45,30)", "Join(3, 4, 100, 200, 0, 1, -0.7853981, 0.52359873, 0, 0, 1)", ""},
        {"W^JOIN(3,4,500,100,0,1,-45,30,2,3,0)", "Join(3, 4, 100, 200, 0, 1, -0.7853981, 0.52359873, 2, 3, 0)", ""},
        {"W^JOIN(3,4,500,100,0,1,-45)", "", ""},
        {"W^JOIN2(3,4,1,2,3,4,5,6,7,8,9)", "Join2(3, 4, 1, 2, 3, 4, 5, 6, 7, 8, 9)", ""},
        {"W^BREAK(3)", "Break(3)", ""},
        {"W^ZEROALL(3)", "ZeroAll(3)", ""},
        {"W^MOVETO(3,10,20,0,50,2)", "MoveTo(3, 10, 20, 0, 50, 2)", "12.50000"},
        {"W^MOVETOPATH(3,1,50)", "MoveToPath(3, 1, 50)", "12.50000"},
        {"W^ADDTOPATH(3,10,20,0)", "AddToPath(3, 10, 20, 0)", ""},
        // Where GETPOSITIONX and GETPOSITIONY show the body (-10, 320), taken as a fixed point.
        {"W^ADDWAYPOINT(8)", "GetPosition(8); AddWayPoint(8, -410, -20, 3)", ""},
        {"W^ADDWAYPOINT(8,500,100,2)", "AddWayPoint(8, 100, 200, 2)", ""},
        {"W^REMOVEWAYPOINT(3,1)", "RemoveWayPoint(3, 1)", ""},
        {"W^REMOVEROUTE(3,1)", "RemoveWayPoint(3, 1)", ""},
        {"W^FOLLOWROUTE(3,50,2)", "FollowRoute(3, 50, 2)", "12.50000"},
        {"W^ADDGRAVITYEX(3,4,TRUE)", "AddGravityEx(3, 4, true)", ""},
        {"W^JOINTSTEER(3,0.5)", "JointSteer(3, 0.5)", ""},
        {"W^JOINTSPEED(3,2)", "JointSpeed(3, 2)", ""},
        {"W^REMOVEOBJECT(3)", "RemoveObject(3)", ""},
        // Too few arguments: nothing, and the empty result.
        {"W^SETGRAVITY(1,2)", "", ""},
        {"W^ADDOBJECT(3,500,100,2,10,11,12,5,0.5)", "", ""},
        {"W^GETPOSITIONX()", "", "0"},
        {"W^GETSPEED()", "", "0.00000"},
        {"W^GETCOLLISION()", "", "FALSE"},
        // The view follows body 7 (at 100, -50 in the world) to the background offsets 300, 250.
        {"W^GETBKGPOSX()", "", "0.00000"},
        {"W^SETMOVEFLAGS(TRUE,TRUE)", "", ""},
        {"W^SETBKGSIZE(0,1600,0,1200)", "", ""},
        {"W^SETREFOBJECT(7)", "", ""},
        {"W^LINK(7,\"T\")", "", ""},
        {"W^MOVEOBJECTS()",
         "MoveObjects(); GetPosition(7); GetPosition(7); IsAtGoal(7); GetCollision(7); GetSpeed(7)", "0.25000"},
        {"W^GETBKGPOSX()", "", "100.00000"},
        {"W^GETBKGPOSY()", "", "50.00000"},
        {"W^SETPOSITION(3,500,100,1)", "SetPosition(3, 100, 200, 1)", ""},
        {"W^SETPOSITION(3,500,100,1,TRUE)", "SetPosition(3, 200, 150, 1)", ""},
        {"W^FOLLOW(3,500,100,1,2,3,4)", "Follow(3, 200, 150, 1, 2, 3, 4)", "12.50000"},
        {"W^FINDPATH(3,9,500,100,0)", "FindPath(3, 9, 200, 150, 0, true)", ""},
        {"W^FINDPATH(3,9,500,100,0,TRUE,FALSE)", "FindPath(3, 9, 100, 200, 0, true)", ""},
        {"W^GETPOSITIONX(8)", "GetPosition(8)", "-110"},
        {"W^GETPOSITIONY(8)", "GetPosition(8)", "270"},
        // Scrolled reading, fixed placing, as scripts have always had it.
        {"W^ADDWAYPOINT(8)", "GetPosition(8); AddWayPoint(8, -510, 30, 3)", ""},
        {"W^JOIN(3,4,500,100,0,1)", "Join(3, 4, 100, 200, 0, 1, -1.5707963, 1.5707963, 0, 0, 1)", ""},
        {"W^SETLIMIT(3,100,50,1,700,550,2)", "SetLimit(3, -300, -250, 1, 300, 250, 2)", ""},
    };
    for (const Row& row : rows) {
        if (row.failing != nullptr)
            tolvan->statuses[row.failing] = ITolvan::UNKNOWN_ID;
        EXPECT_EQ(ask(row.call), row.answer) << row.call;
        EXPECT_EQ(calls(), row.calls) << row.call;
        tolvan->statuses.clear();
    }
}

// Only DOUBLE variables take the move's components; the others stay as they were.
TEST_F(WorldMethods, GetMoveDistanceWritesTheMoveIntoDoubleVariablesOnly)
{
    tolvan->bodies[8].moveX = 1.5f;
    tolvan->bodies[8].moveY = -2.5f;
    auto* dx = new CMC_Double(CXString("DX"));
    auto* dy = new CMC_Double(CXString("DY"));
    auto* count = new CMC_Integer(CXString("N"));
    for (CMC_Object* variable : std::initializer_list<CMC_Object*>{dx, dy, count}) {
        variable->setScene(&scene);
        scene.addObject(variable);
    }
    count->setValue(7);
    EXPECT_EQ(ask("W^GETMOVEDISTANCE(8,DX,DY,N)"), "2.75000");
    EXPECT_EQ(calls(), "GetMoveVector(8); GetMoveDistance(8)");
    EXPECT_EQ(dx->getValue(), 1.5);
    EXPECT_EQ(dy->getValue(), -2.5);
    EXPECT_EQ(count->getValue(), 7);

    // Three arguments are not the form with variables.
    EXPECT_EQ(ask("W^GETMOVEDISTANCE(8,DX,DY)"), "2.75000");
    EXPECT_EQ(calls(), "GetMoveDistance(8)");
}

// A WORLD whose world could not be made does nothing and answers with empty results; its
// links and view still work. The methods' runner that the WORLDs share goes with either and
// comes again.
TEST_F(WorldMethods, AWorldThatCouldNotBeMadeAnswersWithEmptyResults)
{
    CMElement element("EMPTY");
    auto* empty = new CMC_World(&scene, &element, nullptr);
    scene.addObject(empty);
    EXPECT_EQ(ask("EMPTY^GETSPEED(8)"), "0.00000");
    EXPECT_EQ(ask("EMPTY^GETPOSITIONX(8)"), "0");
    EXPECT_EQ(ask("EMPTY^ISMESHENABLED(8)"), "FALSE");
    EXPECT_EQ(ask("EMPTY^MOVEOBJECTS()"), "0.00000");
    run("EMPTY^START();EMPTY^LINK(8,\"T\");EMPTY^SETBKGSIZE(0,1600,0,600);");
    EXPECT_EQ(empty->getLinks().size(), 1u);
    EXPECT_EQ(ask("EMPTY^GETNAME()"), "EMPTY");

    scene.removeObject(empty);
    delete empty;
    EXPECT_EQ(ask("W^GETSPEED(8)"), "2.50000");
}

// A compiled scene's WORLD is made from the file its definition named; a record written
// before records kept the file starts an empty world and says so to whoever debugs.
TEST_F(WorldMethods, ARecordKeepsTheWorldsFileAndAnOlderRecordStartsEmpty)
{
    CFile_Memory memory;
    CXArchive written(&memory, true);
    world->serialize(&written);
    using RecordBytes::i32;
    using RecordBytes::text;
    const std::string record = memory.contents();
    EXPECT_EQ(record, text("W") + i32(1) + text("{FILENAME}") + text("level.wld") + i32(1) + text(""));

    for (const std::string& bytes : {record, RecordBytes::objectRecord("W")}) {
        auto recording = std::make_unique<RecordingTolvan>();
        RecordingTolvan* made = recording.get();
        CMC_World read(&scene, std::move(recording));
        made->calls.clear();
        CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
        CXArchive archive(&file, false);
        platform::setDebugOutputEnabled(true);
        testing::internal::CaptureStderr();
        read.serialize(&archive);
        const std::string said = testing::internal::GetCapturedStderr();
        platform::setDebugOutputEnabled(false);
        ASSERT_FALSE(archive.failed());
        EXPECT_EQ(read.getName(), "W");
        EXPECT_EQ(read.getBehaviour("{FILENAME}"), nullptr);
        if (bytes == record) {
            EXPECT_EQ(made->calls, std::vector<std::string>{"Create(\"level.wld\")"});
            EXPECT_EQ(said, "");
        } else {
            EXPECT_TRUE(made->calls.empty());
            EXPECT_NE(said.find("WORLD W from a compiled scene: its record keeps no FILENAME"), std::string::npos)
                << said;
        }
    }
}
