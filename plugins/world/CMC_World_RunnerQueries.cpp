#include "CMC_World_Runner.h"

#include "CMC_World.h"
#include "WorldArguments.h"
#include "WorldResults.h"

#include "foundation/DoubleToInt.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_VariableFactory.h"

namespace {

constexpr double kRadiansPerDegree = 0.017453292;

// Where a body is, as GETPOSITIONX, GETPOSITIONY and GETPOSITIONZ give it: on the screen by
// the background's offsets, 0 when the world does not know the body.
struct ScreenPosition {
    int32_t status;
    float x, y, z;

    ScreenPosition(ITolvan* world, uint32_t id)
    {
        x = y = z = 0;
        status = world->GetPosition(id, &x, &y, &z);
    }
    int32_t screenX(const CWorldBackground& background) const { return shown(background.getOffsetX() + x); }
    int32_t screenY(const CWorldBackground& background) const { return shown(background.getOffsetY() - y); }
    int32_t screenZ() const { return shown(z); }

private:
    int32_t shown(double value) const { return status < ITolvan::OK ? 0 : truncateToInt(value); }
};

// An angle the world reads back, as an INTEGER.
template <typename Read>
CMC_Object* angle(Read read)
{
    float value = 0;
    const int32_t status = read(&value);
    return integerResult(status, value);
}

} // namespace

CMC_Object* CMC_World_Runner::runQuery(int id, CMC_World* world, WorldArguments& a)
{
    ITolvan* tolvan = world->getWorld();
    const CWorldBackground& background = world->getBackground();
    const uint32_t body = a.id(0);
    switch (id) {
    case MTH_GETPOSITIONX:
        return CMC_VariableFactory::allocInteger(ScreenPosition(tolvan, body).screenX(background));
    case MTH_GETPOSITIONY:
        return CMC_VariableFactory::allocInteger(ScreenPosition(tolvan, body).screenY(background));
    case MTH_GETPOSITIONZ:
        return CMC_VariableFactory::allocInteger(ScreenPosition(tolvan, body).screenZ());
    case MTH_GETANGLE:
        return angle([&](float* value) { return tolvan->GetAngle(body, value); });
    case MTH_GETROTATIONX:
        return angle([&](float* value) { return tolvan->GetRotationX(body, value); });
    case MTH_GETROTATIONY:
        return angle([&](float* value) { return tolvan->GetRotationY(body, value); });
    case MTH_GETROTATIONZ:
        return angle([&](float* value) { return tolvan->GetRotationZ(body, value); });
    case MTH_SETPOSITIONCOORD: {
        float x = 0, y = 0, z = 0;
        if (tolvan->GetPosition(body, &x, &y, &z) < ITolvan::OK)
            return nullptr;
        const WorldPoint given = CMC_World::fixed(a.real(2), a.real(2));
        if (a.integer(1) == 0)
            x = given.x;
        else if (a.integer(1) == 1)
            y = given.y;
        tolvan->SetPosition(body, x, y, z);
        return nullptr;
    }
    case MTH_GETCOLLISION: {
        bool colliding = false;
        const int32_t status = a.count() == 1 ? tolvan->GetCollision(body, &colliding)
                                              : tolvan->GetCollision(body, a.id(1), &colliding);
        return boolResult(status, colliding);
    }
    case MTH_ISMESHENABLED: {
        bool on = false;
        const int32_t status = tolvan->IsMeshEnabled(body, &on);
        return boolResult(status, on);
    }
    case MTH_ISMESHCOLLIDING: {
        bool on = false;
        const int32_t status = tolvan->IsMeshColliding(body, &on);
        return boolResult(status, on);
    }
    case MTH_GETSPEED: {
        float speed = 0;
        const int32_t status = tolvan->GetSpeed(body, &speed);
        return doubleResult(status, speed);
    }
    case MTH_GETMOVEDISTANCE: {
        if (a.count() == 4)
            getMoveVector(tolvan, a);
        float distance = 0;
        const int32_t status = tolvan->GetMoveDistance(body, &distance);
        return doubleResult(status, distance);
    }
    case MTH_ADDWAYPOINT:
        if (a.count() == 1) {
            // Where GETPOSITIONX and GETPOSITIONY show the body, taken as a fixed screen point.
            const ScreenPosition position(tolvan, body);
            const WorldPoint at = CMC_World::fixed(position.screenX(background), position.screenY(background));
            tolvan->AddWayPoint(body, at.x, at.y, static_cast<float>(position.screenZ()));
        } else if (a.count() >= 4) {
            const WorldPoint at = a.fixed(1);
            tolvan->AddWayPoint(body, at.x, at.y, a.number(3));
        }
        return nullptr;
    default:
        return nullptr;
    }
}

// Only DOUBLE variables take the components.
void CMC_World_Runner::getMoveVector(ITolvan* world, WorldArguments& a)
{
    float move[3] = {0, 0, 0};
    const bool known = world->GetMoveVector(a.id(0), &move[0], &move[1], &move[2]) >= ITolvan::OK;
    for (int i = 0; i < 3; ++i) {
        CMC_Object* variable = a.raw(i + 1);
        if (variable != nullptr && variable->getType() == CMC_Object::TYPE_DOUBLE)
            static_cast<CMC_Double*>(variable)->assign(known ? move[i] : 0.0);
    }
}

CMC_Object* CMC_World_Runner::runPathOrJoint(int id, ITolvan* world, WorldArguments& a)
{
    const uint32_t body = a.id(0);
    float distance = 0;
    int32_t status = ITolvan::OK;
    switch (id) {
    case MTH_FOLLOW: {
        const WorldPoint to = a.scrolled(1);
        status = world->Follow(body, to.x, to.y, a.number(3), a.number(4), a.number(5), a.number(6), &distance);
        return doubleResult(status, distance);
    }
    case MTH_MOVETO:
        status = world->MoveTo(body, a.number(1), a.number(2), a.number(3), a.number(4), a.number(5), &distance);
        return doubleResult(status, distance);
    case MTH_MOVETOPATH:
        status = world->MoveToPath(body, a.number(1), a.number(2), &distance);
        return doubleResult(status, distance);
    case MTH_GOTOPATH:
        status = world->GotoPath(body, a.number(1), &distance);
        return doubleResult(status, distance);
    case MTH_FOLLOWPATH:
        status = world->FollowPath(body, a.number(1), a.number(2), a.number(3), &distance);
        return doubleResult(status, distance);
    case MTH_FOLLOWROUTE:
        status = world->FollowRoute(body, a.number(1), a.number(2), &distance);
        return doubleResult(status, distance);
    case MTH_ADDTOPATH:
        world->AddToPath(body, a.number(1), a.number(2), a.number(3));
        return nullptr;
    case MTH_ADDMESHWAYPOINT:
        if (a.count() == 1) {
            world->AddMeshWayPoint(body);
        } else if (a.count() >= 4) {
            const WorldPoint at = a.fixed(1);
            world->AddMeshWayPoint(body, at.x, at.y, a.number(3));
        }
        return nullptr;
    case MTH_FINDPATH: {
        const WorldPoint goal = a.position(2, a.flag(6, true));
        world->FindPath(body, a.id(1), goal.x, goal.y, a.number(4), a.flag(5, true));
        return nullptr;
    }
    case MTH_REMOVEWAYPOINT:
    case MTH_REMOVEROUTE:
        world->RemoveWayPoint(body, a.id(1));
        return nullptr;
    case MTH_JOIN:
        join(world, a);
        return nullptr;
    case MTH_JOIN2:
        world->Join2(body, a.id(1), a.number(2), a.number(3), a.number(4), a.number(5), a.number(6), a.number(7),
                     a.number(8), a.number(9), a.number(10));
        return nullptr;
    case MTH_BREAK:
        world->Break(body);
        return nullptr;
    case MTH_JOINTSTEER:
        world->JointSteer(body, a.number(1));
        return nullptr;
    case MTH_JOINTSPEED:
        world->JointSpeed(body, a.number(1));
        return nullptr;
    default:
        return nullptr;
    }
}

// Six arguments pin with limits of -90 to 90 degrees; eight give the limits; eleven the limits
// and the motor. Any other count pins nothing.
void CMC_World_Runner::join(ITolvan* world, WorldArguments& a)
{
    double minimum = -90, maximum = 90;
    float motorSpeed = 0, maxTorque = 0, limit = 1;
    switch (a.count()) {
    case 11:
        motorSpeed = a.number(8);
        maxTorque = a.number(9);
        limit = a.number(10);
        [[fallthrough]];
    case 8:
        minimum = a.real(6);
        maximum = a.real(7);
        [[fallthrough]];
    case 6:
        break;
    default:
        return;
    }
    const WorldPoint at = CMC_World::fixed(a.real(2), a.real(3));
    world->Join(a.id(0), a.id(1), at.x, at.y, a.number(4), a.number(5),
                static_cast<float>(minimum * kRadiansPerDegree), static_cast<float>(maximum * kRadiansPerDegree),
                motorSpeed, maxTorque, limit);
}
