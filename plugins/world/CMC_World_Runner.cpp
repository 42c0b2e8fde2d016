#include "CMC_World_Runner.h"

#include "CMC_World.h"
#include "WorldArguments.h"
#include "WorldResults.h"

#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_Double.h"
#include "script/CMC_VariableFactory.h"

#include <array>

namespace {

// The flags of AddObject; the world takes them as they are.
constexpr int32_t kObjectFlags = 0xF0000;
// LINK without flags: follow and report.
constexpr int32_t kDefaultLinkFlags = CWorldLink::FOLLOW | CWorldLink::REPORT;

enum class Group { Hand, Query, PathOrJoint, Object };

struct WorldMethod {
    const char* name;
    int id;
    int arguments; // the fewest the method runs with
    WorldResult result;
    Group group;
    bool needsWorld;
};

using R = WorldResult;
using G = Group;
using W = CMC_World_Runner;

// In the order of registration.
constexpr WorldMethod kMethods[] = {
    {"SETGRAVITY", W::MTH_SETGRAVITY, 3, R::None, G::Hand, true},
    {"START", W::MTH_START, 0, R::None, G::Hand, true},
    {"STOP", W::MTH_STOP, 0, R::None, G::Hand, true},
    {"ADDOBJECT", W::MTH_ADDOBJECT, 10, R::None, G::Hand, true},
    {"SETOBJECTPROPERTIES", W::MTH_SETOBJECTPROPERTIES, 5, R::None, G::Hand, true},
    {"MOVEOBJECTS", W::MTH_MOVEOBJECTS, 0, R::Double, G::Object, true},
    {"GETPOSITIONX", W::MTH_GETPOSITIONX, 1, R::Integer, G::Query, true},
    {"GETPOSITIONY", W::MTH_GETPOSITIONY, 1, R::Integer, G::Query, true},
    {"GETPOSITIONZ", W::MTH_GETPOSITIONZ, 1, R::Integer, G::Query, true},
    {"SETOBJECTFORCE", W::MTH_SETOBJECTFORCE, 4, R::None, G::Hand, true},
    {"GETANGLE", W::MTH_GETANGLE, 1, R::Integer, G::Query, true},
    {"SETPOSITIONCOORD", W::MTH_SETPOSITIONCOORD, 3, R::None, G::Query, true},
    {"SETANGLE", W::MTH_SETANGLE, 2, R::None, G::Hand, true},
    {"ROTATE", W::MTH_ROTATE, 3, R::None, G::Hand, true},
    {"SETSPEED", W::MTH_SETSPEED, 2, R::None, G::Hand, true},
    {"GETCOLLISION", W::MTH_GETCOLLISION, 1, R::Bool, G::Query, true},
    {"SETDISPERSION", W::MTH_SETDISPERSION, 2, R::None, G::Hand, true},
    {"ENABLEMESH", W::MTH_ENABLEMESH, 1, R::None, G::Hand, true},
    {"COLLIDEMESH", W::MTH_COLLIDEMESH, 1, R::None, G::Hand, true},
    {"ISMESHENABLED", W::MTH_ISMESHENABLED, 1, R::Bool, G::Query, true},
    {"ISMESHCOLLIDING", W::MTH_ISMESHCOLLIDING, 1, R::Bool, G::Query, true},
    {"SETVELOCITY", W::MTH_SETVELOCITY, 4, R::None, G::Hand, true},
    {"FOLLOW", W::MTH_FOLLOW, 7, R::Double, G::PathOrJoint, true},
    {"SETPOSITION", W::MTH_SETPOSITION, 4, R::None, G::Hand, true},
    {"SETLIMIT", W::MTH_SETLIMIT, 7, R::None, G::Hand, true},
    {"GETSPEED", W::MTH_GETSPEED, 1, R::Double, G::Query, true},
    {"SETCOLLISIONTYPE", W::MTH_SETCOLLISIONTYPE, 2, R::None, G::Hand, true},
    {"SETMAXSPEED", W::MTH_SETMAXSPEED, 2, R::None, G::Hand, true},
    {"SETALWAYSACTIVE", W::MTH_SETALWAYSACTIVE, 1, R::None, G::Hand, true},
    {"SETACTIVE", W::MTH_SETACTIVE, 1, R::None, G::Hand, true},
    {"GETMOVEDISTANCE", W::MTH_GETMOVEDISTANCE, 1, R::Double, G::Query, true},
    {"ADDMESHWAYPOINT", W::MTH_ADDMESHWAYPOINT, 1, R::None, G::PathOrJoint, true},
    {"GOTOPATH", W::MTH_GOTOPATH, 2, R::Double, G::PathOrJoint, true},
    {"USEFF", W::MTH_USEFF, 1, R::None, G::Hand, true},
    {"LINK", W::MTH_LINK, 2, R::None, G::Object, false},
    {"SETMASS", W::MTH_SETMASS, 2, R::None, G::Hand, true},
    {"LOAD", W::MTH_LOAD, 1, R::None, G::Hand, true},
    {"REMOVEOBJECT", W::MTH_REMOVEOBJECT, 1, R::None, G::Object, true},
    {"FOLLOWPATH", W::MTH_FOLLOWPATH, 4, R::Double, G::PathOrJoint, true},
    {"FINDPATH", W::MTH_FINDPATH, 5, R::None, G::PathOrJoint, true},
    {"UNLINK", W::MTH_UNLINK, 1, R::None, G::Object, false},
    {"PAUSELINK", W::MTH_PAUSELINK, 1, R::None, G::Object, false},
    {"RESUMELINK", W::MTH_RESUMELINK, 1, R::None, G::Object, false},
    {"ADDFORCE", W::MTH_ADDFORCE, 4, R::None, G::Hand, true},
    {"SETBODYPROPERTIES", W::MTH_SETBODYPROPERTIES, 5, R::None, G::Hand, true},
    {"SETBODYDYNAMICS", W::MTH_SETBODYDYNAMICS, 6, R::None, G::Hand, true},
    {"ADDBODY", W::MTH_ADDBODY, 12, R::None, G::Hand, true},
    {"GETROTATIONZ", W::MTH_GETROTATIONZ, 1, R::Integer, G::Query, true},
    {"SETFORCE", W::MTH_SETFORCE, 4, R::None, G::Hand, true},
    {"SETGRAVITYCENTER", W::MTH_SETGRAVITYCENTER, 1, R::None, G::Hand, true},
    {"SETG", W::MTH_SETG, 2, R::None, G::Hand, true},
    {"JOIN", W::MTH_JOIN, 6, R::None, G::PathOrJoint, true},
    {"BREAK", W::MTH_BREAK, 1, R::None, G::PathOrJoint, true},
    {"ZEROALL", W::MTH_ZEROALL, 1, R::None, G::Hand, true},
    {"MOVETO", W::MTH_MOVETO, 6, R::Double, G::PathOrJoint, true},
    {"MOVETOPATH", W::MTH_MOVETOPATH, 3, R::Double, G::PathOrJoint, true},
    {"ADDTOPATH", W::MTH_ADDTOPATH, 4, R::None, G::PathOrJoint, true},
    {"SETREFOBJECT", W::MTH_SETREFOBJECT, 1, R::None, G::Object, false},
    {"GETBKGPOSX", W::MTH_GETBKGPOSX, 0, R::Double, G::Object, false},
    {"GETBKGPOSY", W::MTH_GETBKGPOSY, 0, R::Double, G::Object, false},
    {"SETMOVEFLAGS", W::MTH_SETMOVEFLAGS, 2, R::None, G::Object, false},
    {"SETBKGSIZE", W::MTH_SETBKGSIZE, 4, R::None, G::Object, false},
    {"ADDWAYPOINT", W::MTH_ADDWAYPOINT, 1, R::None, G::Query, true},
    {"REMOVEWAYPOINT", W::MTH_REMOVEWAYPOINT, 2, R::None, G::PathOrJoint, true},
    {"REMOVEROUTE", W::MTH_REMOVEROUTE, 2, R::None, G::PathOrJoint, true},
    {"FOLLOWROUTE", W::MTH_FOLLOWROUTE, 3, R::Double, G::PathOrJoint, true},
    {"ADDGRAVITYEX", W::MTH_ADDGRAVITYEX, 3, R::None, G::Hand, true},
    {"JOIN2", W::MTH_JOIN2, 11, R::None, G::PathOrJoint, true},
    {"JOINTSTEER", W::MTH_JOINTSTEER, 2, R::None, G::PathOrJoint, true},
    {"JOINTSPEED", W::MTH_JOINTSPEED, 2, R::None, G::PathOrJoint, true},
    {"GETROTATIONX", W::MTH_GETROTATIONX, 1, R::Integer, G::Query, true},
    {"GETROTATIONY", W::MTH_GETROTATIONY, 1, R::Integer, G::Query, true},
};

constexpr int kLastId = W::MTH_GETROTATIONY;

// The table's entries by id.
const WorldMethod* findMethod(int id)
{
    static const std::array<const WorldMethod*, kLastId + 1> byId = [] {
        std::array<const WorldMethod*, kLastId + 1> table{};
        for (const WorldMethod& method : kMethods)
            table[static_cast<size_t>(method.id)] = &method;
        return table;
    }();
    return id >= 0 && id <= kLastId ? byId[static_cast<size_t>(id)] : nullptr;
}

} // namespace

void CMC_World_Runner::prepareMthHashSet()
{
    CMC_Runner::prepareMthHashSet();
    for (const WorldMethod& method : kMethods)
        registerMethod(method.name, method.id);
}

CMC_Object* CMC_World_Runner::run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args)
{
    auto* world = dynamic_cast<CMC_World*>(object);
    const WorldMethod* method = findMethod(id);
    if (world == nullptr || method == nullptr)
        return CMC_Runner::run(id, object, scope, args);
    if (argumentCount(args) < method->arguments || (method->needsWorld && world->getWorld() == nullptr))
        return emptyResult(method->result);
    WorldArguments a(*this, args, *world);
    switch (method->group) {
    case Group::Hand:
        runOnWorld(id, world->getWorld(), a);
        return nullptr;
    case Group::Query:
        return runQuery(id, world, a);
    case Group::PathOrJoint:
        return runPathOrJoint(id, world->getWorld(), a);
    case Group::Object:
        return runOnObject(id, world, scope != nullptr ? scope : world->getScene(), a);
    }
    return nullptr;
}

void CMC_World_Runner::runOnWorld(int id, ITolvan* world, WorldArguments& a)
{
    const uint32_t body = a.id(0);
    switch (id) {
    case MTH_SETGRAVITY:
        world->SetGravity(a.number(0), a.number(1), a.number(2));
        break;
    case MTH_START:
        world->Start();
        break;
    case MTH_STOP:
        world->Stop();
        break;
    case MTH_ADDOBJECT: {
        const WorldPoint at = a.fixed(1);
        world->AddObject(body, kObjectFlags);
        world->SetPosition(body, at.x, at.y, a.number(3));
        world->SetRadius(body, a.number(4), a.number(5), a.number(6));
        world->SetMass(body, a.number(7));
        world->SetRigid(body, a.number(8));
        world->SetMaxSpeed(body, a.number(9));
        break;
    }
    case MTH_SETOBJECTPROPERTIES:
        if (a.text(1) == "POSITION") {
            const WorldPoint at = a.fixed(2);
            world->SetPosition(body, at.x, at.y, a.number(4));
        }
        break;
    case MTH_SETOBJECTFORCE:
    case MTH_SETFORCE:
        world->SetForce(body, a.number(1), a.number(2), a.number(3));
        break;
    case MTH_SETANGLE:
        world->SetAngle(body, a.number(1));
        break;
    case MTH_ROTATE:
        world->Rotate(body, a.integer(1), a.number(2));
        break;
    case MTH_SETSPEED:
        world->SetSpeed(body, a.number(1));
        break;
    case MTH_SETDISPERSION:
        world->SetDispersion(body, a.number(1));
        break;
    case MTH_ENABLEMESH:
        world->EnableMesh(body, a.flag(1, true));
        break;
    case MTH_COLLIDEMESH:
        world->CollideMesh(body, a.flag(1, true));
        break;
    case MTH_SETVELOCITY:
        world->SetVelocity(body, a.number(1), a.number(2), a.number(3), false);
        break;
    case MTH_SETPOSITION: {
        const WorldPoint at = a.position(1, a.flag(4, false));
        world->SetPosition(body, at.x, at.y, a.number(3));
        break;
    }
    case MTH_SETLIMIT: {
        // The screen's lower edge is the world's lower bound.
        const WorldPoint low = CMC_World::fixed(a.real(1), a.real(5));
        const WorldPoint high = CMC_World::fixed(a.real(4), a.real(2));
        world->SetLimit(body, low.x, low.y, a.number(3), high.x, high.y, a.number(6));
        break;
    }
    case MTH_SETCOLLISIONTYPE:
        world->SetCollisionType(body, a.id(1));
        break;
    case MTH_SETMAXSPEED:
        world->SetMaxSpeed(body, a.number(1));
        break;
    case MTH_SETALWAYSACTIVE:
        world->SetAlwaysActive(body, a.flag(1, true));
        break;
    case MTH_SETACTIVE:
        setActive(world, a);
        break;
    case MTH_USEFF:
        world->UseFF(a.flag(0));
        break;
    case MTH_SETMASS:
        world->SetMass(body, a.number(1));
        break;
    case MTH_LOAD:
        world->Load(a.text(0).c_str());
        break;
    case MTH_ADDFORCE:
        if (a.count() == 4)
            world->AddForce(body, a.number(1), a.number(2), a.number(3));
        else if (a.count() >= 7)
            world->AddForceAt(body, a.number(1), a.number(2), a.number(3), a.number(4), a.number(5), a.number(6));
        break;
    case MTH_SETBODYPROPERTIES:
        world->SetBodyProperties(body, a.number(1), a.number(2), a.number(3), a.number(4));
        break;
    case MTH_SETBODYDYNAMICS:
        world->SetBodyDynamics(body, a.number(1), a.number(2), a.number(3), a.number(4), a.number(5));
        break;
    case MTH_ADDBODY:
        world->AddBody(body, a.number(1), a.number(2), a.number(3), a.number(4), a.number(5), a.number(6),
                       a.integer(7), a.integer(8), a.number(9), a.number(10), a.number(11));
        break;
    case MTH_SETGRAVITYCENTER:
        world->SetGravityCenter(body, a.flag(1, true));
        break;
    case MTH_SETG:
        world->SetG(body, a.real(1));
        break;
    case MTH_ZEROALL:
        world->ZeroAll(body);
        break;
    case MTH_ADDGRAVITYEX:
        world->AddGravityEx(body, a.id(1), a.flag(2));
        break;
    default:
        break;
    }
}

// Three arguments whose second is an INTEGER choose the next path point; otherwise the body's
// activity, with steering on unless a third argument says.
void CMC_World_Runner::setActive(ITolvan* world, WorldArguments& a)
{
    const uint32_t body = a.id(0);
    const CMC_Object* second = a.raw(1);
    if (a.count() == 3 && second != nullptr && second->getType() == CMC_Object::TYPE_INTEGER)
        world->SetActivePath(body, a.id(1), a.flag(2));
    else if (a.count() == 3)
        world->SetActive(body, a.flag(1), a.flag(2));
    else if (a.count() == 2)
        world->SetActive(body, a.flag(1), true);
    else
        world->SetActive(body, true, true);
}

CMC_Object* CMC_World_Runner::runOnObject(int id, CMC_World* world, CMC_ObjectsContainer* scope, WorldArguments& a)
{
    CWorldBackground& background = world->getBackground();
    switch (id) {
    case MTH_MOVEOBJECTS:
        return CMC_VariableFactory::allocDouble(world->moveObjects());
    case MTH_LINK:
        link(world, scope, a);
        return nullptr;
    case MTH_REMOVEOBJECT:
        world->unlink(a.id(0));
        world->getWorld()->RemoveObject(a.id(0));
        return nullptr;
    case MTH_UNLINK:
        world->unlink(a.id(0));
        return nullptr;
    case MTH_PAUSELINK:
        world->pauseLink(a.id(0), a.count() > 1);
        return nullptr;
    case MTH_RESUMELINK:
        world->resumeLink(a.id(0), a.count() > 1);
        return nullptr;
    case MTH_SETREFOBJECT:
        background.setReferenceId(a.id(0));
        return nullptr;
    case MTH_GETBKGPOSX:
        return CMC_VariableFactory::allocDouble(background.getScrollX());
    case MTH_GETBKGPOSY:
        return CMC_VariableFactory::allocDouble(background.getScrollY());
    case MTH_SETMOVEFLAGS:
        background.setMoveFlags((a.flag(0) ? CWorldBackground::MOVE_HORIZONTAL : 0)
                                | (a.flag(1) ? CWorldBackground::MOVE_VERTICAL : 0));
        return nullptr;
    case MTH_SETBKGSIZE:
        background.setSize(a.number(0), a.number(1), a.number(2), a.number(3));
        return nullptr;
    default:
        return nullptr;
    }
}

// The picture and the object of the name; "NAME!PART" names a part of NAME's picture.
void CMC_World_Runner::link(CMC_World* world, CMC_ObjectsContainer* scope, WorldArguments& a)
{
    const CXString name = a.text(1);
    const int32_t flags = a.count() == 3 ? a.integer(2) : kDefaultLinkFlags;
    if (scope == nullptr) {
        world->link(a.id(0), nullptr, nullptr, nullptr, flags);
        return;
    }
    const int mark = name.Find('!', 0);
    CMC_Object* owner = scope->getObject((mark < 0 ? name : name.Left(mark)).c_str());
    world->link(a.id(0), scope->getGraphicsObject(name), owner, scope->getObject(name.c_str()), flags);
}
