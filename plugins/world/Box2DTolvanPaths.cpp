#include "Box2DTolvan.h"

#include "WorldScale.h"

#include <box2d/b2_fixture.h>
#include <box2d/b2_world_callbacks.h>

#include <cmath>

namespace {

// Bodies steered to a found path without a largest speed of their own go this fast.
constexpr float kPathSpeed = 100.0f;
// Closer than this the two ends of a line are one point.
constexpr float kSamePoint = 1e-3f;

// Stops at the first body that blocks the mesh.
class BlockingRay : public b2RayCastCallback {
public:
    explicit BlockingRay(const WorldBody* ignored) : ignored_(ignored) {}

    float ReportFixture(b2Fixture* fixture, const b2Vec2&, const b2Vec2&, float) override
    {
        const WorldBody* body = WorldBody::of(fixture->GetBody());
        if (body == ignored_ || !body->blocksMesh())
            return -1; // passes through
        blocker = body;
        return 0; // ends the cast
    }

    const WorldBody* blocker = nullptr;

private:
    const WorldBody* ignored_;
};

bool onePoint(const PathPoint& from, const PathPoint& to)
{
    return distanceBetween(from, to) < kSamePoint;
}

} // namespace

const WorldBody* Box2DTolvan::blockingBody(const PathPoint& from, const PathPoint& to, const WorldBody* ignored)
{
    if (onePoint(from, to))
        return nullptr;
    BlockingRay ray(ignored);
    world_.RayCast(&ray, toMetres(from), toMetres(to));
    return ray.blocker;
}

const WorldBody* Box2DTolvan::meshObstacle(uint32_t id)
{
    const WorldBody* body = find(id);
    return body && body->blocksMesh() && body->body()->IsEnabled() ? body : nullptr;
}

std::optional<uint32_t> Box2DTolvan::blockerOf(const PathPoint& from, const PathPoint& to)
{
    if (const WorldBody* body = blockingBody(from, to, nullptr))
        return body->id();
    return std::nullopt;
}

bool Box2DTolvan::blocks(uint32_t id, const PathPoint& from, const PathPoint& to)
{
    // The test the world's ray cast makes of each body it meets.
    const WorldBody* body = meshObstacle(id);
    return body && !onePoint(from, to) && body->meetsLine(toMetres(from), toMetres(to));
}

std::optional<PathBox> Box2DTolvan::boundsOf(uint32_t id)
{
    if (const WorldBody* body = meshObstacle(id))
        return body->bounds();
    return std::nullopt;
}

int32_t Box2DTolvan::giveOrder(WorldBody& body, const SteeringOrder& order, float* distance)
{
    if (order.speed < 0 || order.arrivalRadius < 0 || order.slowRadius < 0)
        return BAD_VALUE;
    body.course.steer(order);
    *distance = body.course.distanceLeft(body.position());
    return OK;
}

int32_t Box2DTolvan::Follow(uint32_t id, float x, float y, float z, float speed, float arrivalRadius,
                            float slowRadius, float* distance)
{
    if (!distance)
        return BAD_VALUE;
    return withBody(id, {x, y, z, speed, arrivalRadius, slowRadius}, [&](WorldBody& body) {
        return giveOrder(body, {SteeringOrder::Along::Point, {x, y}, speed, arrivalRadius, slowRadius, false},
                         distance);
    });
}

int32_t Box2DTolvan::MoveTo(uint32_t id, float x, float y, float z, float speed, float arrivalRadius, float* distance)
{
    return Follow(id, x, y, z, speed, arrivalRadius, 0, distance);
}

int32_t Box2DTolvan::AddToPath(uint32_t id, float x, float y, float z)
{
    return withBody(id, {x, y, z}, [&](WorldBody& body) {
        body.course.pathPoints().points.push_back({x, y});
        return OK;
    });
}

int32_t Box2DTolvan::FollowPath(uint32_t id, float speed, float arrivalRadius, float loop, float* distance)
{
    if (!distance)
        return BAD_VALUE;
    return withBody(id, {speed, arrivalRadius, loop}, [&](WorldBody& body) {
        return giveOrder(body, {SteeringOrder::Along::PathPoints, {}, speed, arrivalRadius, 0, loop != 0}, distance);
    });
}

int32_t Box2DTolvan::MoveToPath(uint32_t id, float index, float speed, float* distance)
{
    if (!distance)
        return BAD_VALUE;
    return withBody(id, {index, speed}, [&](WorldBody& body) {
        const std::vector<PathPoint>& points = body.course.pathPoints().points;
        if (index < 0 || index != std::floor(index) || index >= static_cast<float>(points.size()))
            return BAD_VALUE;
        const PathPoint at = points[static_cast<size_t>(index)];
        return giveOrder(body, {SteeringOrder::Along::Point, at, speed, 0, 0, false}, distance);
    });
}

int32_t Box2DTolvan::AddWayPoint(uint32_t id, float x, float y, float z)
{
    return withBody(id, {x, y, z}, [&](WorldBody& body) {
        body.course.route().points.push_back({x, y});
        return OK;
    });
}

int32_t Box2DTolvan::RemoveWayPoint(uint32_t id, uint32_t index)
{
    return withBody(id, {}, [&](WorldBody& body) {
        PointList& route = body.course.route();
        if (index >= route.points.size())
            return BAD_VALUE;
        route.points.erase(route.points.begin() + index);
        if (index < route.next)
            --route.next;
        return OK;
    });
}

int32_t Box2DTolvan::FollowRoute(uint32_t id, float speed, float arrivalRadius, float* distance)
{
    if (!distance)
        return BAD_VALUE;
    return withBody(id, {speed, arrivalRadius}, [&](WorldBody& body) {
        return giveOrder(body, {SteeringOrder::Along::Route, {}, speed, arrivalRadius, 0, false}, distance);
    });
}

int32_t Box2DTolvan::SetActivePath(uint32_t id, uint32_t index, bool steering)
{
    return withBody(id, {}, [&](WorldBody& body) {
        PointList& path = body.course.pathPoints();
        if (index > path.points.size())
            return BAD_VALUE;
        path.next = index;
        body.course.setSteeringRuns(steering);
        return OK;
    });
}

int32_t Box2DTolvan::AddMeshWayPoint(uint32_t id)
{
    return withBody(id, {}, [&](WorldBody& body) {
        mesh_.setWayPoint(id, body.position());
        return OK;
    });
}

int32_t Box2DTolvan::AddMeshWayPoint(uint32_t id, float x, float y, float z)
{
    if (!allFinite({x, y, z}))
        return BAD_VALUE;
    mesh_.setWayPoint(id, {x, y});
    return OK;
}

int32_t Box2DTolvan::EnableMesh(uint32_t id, bool on)
{
    return withBody(id, {}, [&](WorldBody& body) {
        body.meshEnabled = on;
        return OK;
    });
}

int32_t Box2DTolvan::IsMeshEnabled(uint32_t id, bool* on)
{
    return readBody(id, on, [](WorldBody& body) { return body.meshEnabled; });
}

int32_t Box2DTolvan::CollideMesh(uint32_t id, bool on)
{
    return withBody(id, {}, [&](WorldBody& body) {
        changeObstacle(body, [&] { body.blocksMeshSetting = on; });
        return OK;
    });
}

int32_t Box2DTolvan::IsMeshColliding(uint32_t id, bool* on)
{
    return readBody(id, on, [](WorldBody& body) { return body.blocksMesh(); });
}

int32_t Box2DTolvan::FindPath(uint32_t id, uint32_t target, float x, float y, float z, bool go)
{
    return withBody(id, {x, y, z}, [&](WorldBody& body) {
        const WorldBody* goalBody = target == id ? nullptr : find(target);
        const PathPoint goal = goalBody ? goalBody->position() : PathPoint{x, y};
        std::optional<std::vector<PathPoint>> path =
            mesh_.findPath(body.position(), goal, body.meshEnabled, *this,
                           [&](const PathPoint& from, const PathPoint& to) { return !blockingBody(from, to, goalBody); });
        const bool found = path.has_value();
        body.course.setFoundPath(std::move(path));
        if (found && go) {
            const float speed = body.maxSpeed > 0 ? body.maxSpeed : kPathSpeed;
            body.course.steer({SteeringOrder::Along::FoundPath, {}, speed, 0, 0, false});
        }
        return OK;
    });
}

int32_t Box2DTolvan::GotoPath(uint32_t id, float speed, float* distance)
{
    if (!distance)
        return BAD_VALUE;
    return withBody(id, {speed}, [&](WorldBody& body) {
        if (body.course.foundPath().points.empty())
            return NO_PATH;
        return giveOrder(body, {SteeringOrder::Along::FoundPath, {}, speed, 0, 0, false}, distance);
    });
}

int32_t Box2DTolvan::IsAtGoal(uint32_t id, uint32_t* state)
{
    return readBody(id, state, [](WorldBody& body) { return body.course.takeGoalReport(); });
}
