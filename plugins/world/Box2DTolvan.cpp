#include "Box2DTolvan.h"

#include "TolvanWorld.h"
#include "WorldFile.h"
#include "WorldScale.h"

#include "platform/Clock.h"

#include <box2d/b2_contact.h>
#include <box2d/b2_fixture.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

bool noneNegative(std::initializer_list<float> values)
{
    return std::all_of(values.begin(), values.end(), [](float value) { return value >= 0; });
}

} // namespace

std::unique_ptr<ITolvan> makeTolvanWorld()
{
    return std::make_unique<Box2DTolvan>();
}

Box2DTolvan::Box2DTolvan()
    : world_(b2Vec2(0, 0))
    , joints_(world_)
{
    clock_.restart(platform::tickCount());
}

Box2DTolvan::~Box2DTolvan() = default;

WorldBody* Box2DTolvan::find(uint32_t id)
{
    if (lastFound_ != nullptr && lastFound_->id() == id)
        return lastFound_;
    const auto found = bodies_.find(id);
    if (found == bodies_.end())
        return nullptr;
    lastFound_ = found->second.get();
    return lastFound_;
}

// --- the world ---

int32_t Box2DTolvan::Create(const char* fileName)
{
    WorldDescription description;
    if (fileName != nullptr && *fileName != '\0') {
        const int32_t status = WorldFile::read(fileName, &description);
        if (status != OK)
            return status;
    }
    while (!bodies_.empty())
        removeBody(bodies_.begin()->first);
    mesh_.clear();
    world_.SetGravity(b2Vec2(0, 0));
    running_ = true;
    forceFields_ = true;
    clock_.restart(platform::tickCount());
    apply(description);
    return OK;
}

int32_t Box2DTolvan::Load(const char* fileName)
{
    WorldDescription description;
    const int32_t status = WorldFile::read(fileName, &description);
    if (status != OK)
        return status;
    for (const BodyDescription& body : description.bodies) {
        if (find(body.id))
            return ID_IN_USE;
    }
    apply(description);
    return OK;
}

void Box2DTolvan::apply(const WorldDescription& description)
{
    if (description.gravity)
        world_.SetGravity(toMetres(*description.gravity));
    for (const BodyDescription& body : description.bodies)
        addBody(body);
    for (const WorldDescription::WayPoint& wayPoint : description.wayPoints)
        mesh_.setWayPoint(wayPoint.number, wayPoint.at);
}

int32_t Box2DTolvan::MoveObjects(float* time)
{
    if (!time)
        return BAD_VALUE;
    const uint32_t now = platform::tickCount();
    if (!running_) {
        clock_.restart(now);
        *time = 0;
        return OK;
    }
    const StepClock::Step step = clock_.advance(now);
    if (step.subSteps > 0) {
        for (auto& [id, body] : bodies_) {
            body->contacts.clear();
            body->markStepStart();
        }
        for (int i = 0; i < step.subSteps; ++i)
            subStep();
        for (auto& [id, body] : bodies_) {
            body->pendingForces.clear();
            std::sort(body->contacts.items().begin(), body->contacts.items().end());
            const PathPoint at = body->position();
            body->moveVector = {at.x - body->moveStart.x, at.y - body->moveStart.y};
            // A body that blocks the mesh changes its links as it moves or turns.
            if (body->blocksMesh() && body->placeChanged())
                mesh_.obstacleChanged(id);
        }
    }
    *time = static_cast<float>(step.elapsedMs) / 1000.0f;
    return OK;
}

void Box2DTolvan::subStep()
{
    std::vector<const WorldBody*> attractors;
    if (forceFields_) {
        for (const auto& [id, body] : bodies_) {
            if (body->attractor && body->body()->IsEnabled())
                attractors.push_back(body.get());
        }
    }
    for (auto& [id, body] : bodies_) {
        if (!body->body()->IsEnabled())
            continue;
        body->steer(StepClock::SUB_STEP_SECONDS);
        body->applyForces();
        for (const WorldBody* attractor : attractors)
            body->pullTowards(*attractor);
        if (!forceFields_)
            continue;
        for (uint32_t puller : body->pullers) {
            if (const WorldBody* other = find(puller))
                body->pullTowards(*other);
        }
    }
    joints_.applySteering();
    world_.Step(StepClock::SUB_STEP_SECONDS, VELOCITY_ITERATIONS, POSITION_ITERATIONS);
    for (auto& [id, body] : bodies_)
        body->holdBounds();
    recordContacts();
}

void Box2DTolvan::recordContacts()
{
    auto note = [](WorldBody* body, uint32_t other) {
        std::vector<uint32_t>& ids = body->contacts.items();
        if (std::find(ids.begin(), ids.end(), other) == ids.end())
            ids.push_back(other);
    };
    for (b2Contact* contact = world_.GetContactList(); contact; contact = contact->GetNext()) {
        if (!contact->IsTouching())
            continue;
        WorldBody* a = WorldBody::of(contact->GetFixtureA()->GetBody());
        WorldBody* b = WorldBody::of(contact->GetFixtureB()->GetBody());
        note(a, b->id());
        note(b, a->id());
    }
}

int32_t Box2DTolvan::Start()
{
    if (!running_)
        clock_.restart(platform::tickCount());
    running_ = true;
    return OK;
}

int32_t Box2DTolvan::Stop()
{
    running_ = false;
    return OK;
}

int32_t Box2DTolvan::SetGravity(float gx, float gy, float gz)
{
    if (!allFinite({gx, gy, gz}))
        return BAD_VALUE;
    world_.SetGravity(toMetres(gx, gy));
    for (auto& [id, body] : bodies_)
        body->body()->SetAwake(true);
    return OK;
}

int32_t Box2DTolvan::UseFF(bool on)
{
    forceFields_ = on;
    return OK;
}

// --- bodies ---

int32_t Box2DTolvan::addBody(const BodyDescription& description)
{
    if (find(description.id))
        return ID_IN_USE;
    if (!description.isValid())
        return BAD_VALUE;
    auto body = std::make_unique<WorldBody>(world_, description);
    if (body->blocksMesh())
        mesh_.obstacleChanged(description.id);
    bodies_.emplace(description.id, std::move(body));
    return OK;
}

void Box2DTolvan::removeBody(uint32_t id)
{
    WorldBody* body = find(id);
    if (body->blocksMesh())
        mesh_.obstacleChanged(id);
    joints_.forgetBody(body->body());
    world_.DestroyBody(body->body());
    lastFound_ = nullptr;
    bodies_.erase(id);
    for (auto& [otherId, other] : bodies_)
        std::erase(other->pullers, id);
}

int32_t Box2DTolvan::AddObject(uint32_t id, int32_t)
{
    BodyDescription description;
    description.id = id;
    description.rx = 10;
    description.mass = 1;
    return addBody(description);
}

int32_t Box2DTolvan::AddBody(uint32_t id, float x, float y, float z, float rx, float ry, float rz, int32_t shape,
                             int32_t kind, float mass, float restitution, float maxSpeed)
{
    return addBody(BodyDescription{id, x, y, z, rx, ry, rz, shape, kind, mass, restitution, maxSpeed});
}

int32_t Box2DTolvan::RemoveObject(uint32_t id)
{
    if (!find(id))
        return UNKNOWN_ID;
    removeBody(id);
    return OK;
}

int32_t Box2DTolvan::ZeroAll(uint32_t id)
{
    return withBody(id, {}, [](WorldBody& body) {
        body.stop();
        body.body()->SetAngularVelocity(0);
        body.force = {};
        body.pendingForces.clear();
        body.course.endOrder();
        return OK;
    });
}

// --- position and motion ---

int32_t Box2DTolvan::SetPosition(uint32_t id, float x, float y, float z)
{
    return withBody(id, {x, y, z}, [&](WorldBody& body) {
        changeObstacle(body, [&] { body.setPosition({x, y}); });
        body.z = z;
        return OK;
    });
}

int32_t Box2DTolvan::GetPosition(uint32_t id, float* x, float* y, float* z)
{
    if (!x || !y || !z)
        return BAD_VALUE;
    return withBody(id, {}, [&](WorldBody& body) {
        const PathPoint at = body.position();
        *x = at.x;
        *y = at.y;
        *z = body.z;
        return OK;
    });
}

int32_t Box2DTolvan::SetVelocity(uint32_t id, float vx, float vy, float vz, bool add)
{
    return withBody(id, {vx, vy, vz}, [&](WorldBody& body) {
        const PathPoint base = add ? body.velocity() : PathPoint{};
        body.course.endOrder();
        body.setVelocity({base.x + vx, base.y + vy});
        body.body()->SetAwake(true);
        return OK;
    });
}

int32_t Box2DTolvan::SetSpeed(uint32_t id, float speed)
{
    return withBody(id, {speed}, [&](WorldBody& body) {
        if (speed < 0)
            return BAD_VALUE;
        const PathPoint moving = body.velocity();
        const float now = lengthOf(moving);
        const float angle = body.body()->GetAngle();
        const PathPoint way = now > 0 ? PathPoint{moving.x / now, moving.y / now}
                                      : PathPoint{std::cos(angle), std::sin(angle)};
        body.course.endOrder();
        body.setVelocity({way.x * speed, way.y * speed});
        body.body()->SetAwake(true);
        return OK;
    });
}

int32_t Box2DTolvan::GetSpeed(uint32_t id, float* speed)
{
    return readBody(id, speed, [](WorldBody& body) {
        return lengthOf(body.velocity());
    });
}

int32_t Box2DTolvan::SetMaxSpeed(uint32_t id, float speed)
{
    return withBody(id, {speed}, [&](WorldBody& body) {
        if (speed < 0)
            return BAD_VALUE;
        body.maxSpeed = speed;
        return OK;
    });
}

int32_t Box2DTolvan::SetLimit(uint32_t id, float x1, float y1, float z1, float x2, float y2, float z2)
{
    return withBody(id, {x1, y1, z1, x2, y2, z2}, [&](WorldBody& body) {
        if (x1 > x2 || y1 > y2 || z1 > z2)
            return BAD_VALUE;
        body.limit = WorldBody::LimitBox{x1, y1, z1, x2, y2, z2};
        return OK;
    });
}

int32_t Box2DTolvan::GetMoveVector(uint32_t id, float* dx, float* dy, float* dz)
{
    if (!dx || !dy || !dz)
        return BAD_VALUE;
    return withBody(id, {}, [&](WorldBody& body) {
        *dx = body.moveVector.x;
        *dy = body.moveVector.y;
        *dz = 0;
        return OK;
    });
}

int32_t Box2DTolvan::GetMoveDistance(uint32_t id, float* distance)
{
    return readBody(id, distance, [](WorldBody& body) { return lengthOf(body.moveVector); });
}

// --- turning ---

int32_t Box2DTolvan::GetAngle(uint32_t id, float* angle)
{
    return GetRotationZ(id, angle);
}

int32_t Box2DTolvan::SetAngle(uint32_t id, float angle)
{
    return withBody(id, {angle}, [&](WorldBody& body) {
        changeObstacle(body, [&] { body.setAngle(toRadians(angle)); });
        return OK;
    });
}

int32_t Box2DTolvan::Rotate(uint32_t id, int32_t axis, float angle)
{
    return withBody(id, {angle}, [&](WorldBody& body) {
        switch (axis) {
        case 0:
            body.rotationX = wrapDegrees(body.rotationX + angle);
            return OK;
        case 1:
            body.rotationY = wrapDegrees(body.rotationY + angle);
            return OK;
        case 2:
            changeObstacle(body, [&] { body.setAngle(body.body()->GetAngle() + toRadians(angle)); });
            return OK;
        default:
            return BAD_VALUE;
        }
    });
}

int32_t Box2DTolvan::GetRotationX(uint32_t id, float* angle)
{
    return readBody(id, angle, [](WorldBody& body) { return body.rotationX; });
}

int32_t Box2DTolvan::GetRotationY(uint32_t id, float* angle)
{
    return readBody(id, angle, [](WorldBody& body) { return body.rotationY; });
}

int32_t Box2DTolvan::GetRotationZ(uint32_t id, float* angle)
{
    return readBody(id, angle, [](WorldBody& body) { return toDegrees(body.body()->GetAngle()); });
}

// --- properties ---

int32_t Box2DTolvan::SetRadius(uint32_t id, float rx, float ry, float rz)
{
    return withBody(id, {rx, ry, rz}, [&](WorldBody& body) {
        if (!isValidSize(body.shape(), rx, ry, rz))
            return BAD_VALUE;
        changeObstacle(body, [&] { body.setSize(rx, ry); });
        return OK;
    });
}

int32_t Box2DTolvan::SetMass(uint32_t id, float mass)
{
    return withBody(id, {mass}, [&](WorldBody& body) {
        if (mass < 0)
            return BAD_VALUE;
        changeObstacle(body, [&] { body.setMass(mass); });
        return OK;
    });
}

int32_t Box2DTolvan::SetRigid(uint32_t id, float rigid)
{
    return withBody(id, {rigid}, [&](WorldBody& body) {
        if (rigid < 0)
            return BAD_VALUE;
        body.setRestitution(rigid);
        return OK;
    });
}

int32_t Box2DTolvan::SetDispersion(uint32_t id, float value)
{
    return withBody(id, {value}, [&](WorldBody& body) {
        if (value < 0)
            return BAD_VALUE;
        body.body()->SetLinearDamping(value);
        return OK;
    });
}

int32_t Box2DTolvan::SetBodyProperties(uint32_t id, float friction, float restitution, float linearDamping,
                                       float angularDamping)
{
    return withBody(id, {friction, restitution, linearDamping, angularDamping}, [&](WorldBody& body) {
        if (!noneNegative({friction, restitution, linearDamping, angularDamping}))
            return BAD_VALUE;
        body.setFriction(friction);
        body.setRestitution(restitution);
        body.body()->SetLinearDamping(linearDamping);
        body.body()->SetAngularDamping(angularDamping);
        return OK;
    });
}

int32_t Box2DTolvan::SetBodyDynamics(uint32_t id, float vx, float vy, float vz, float turnSpeed, float gravityScale)
{
    return withBody(id, {vx, vy, vz, turnSpeed, gravityScale}, [&](WorldBody& body) {
        body.course.endOrder();
        body.setVelocity({vx, vy});
        body.body()->SetAngularVelocity(toRadians(turnSpeed));
        body.body()->SetGravityScale(gravityScale);
        body.body()->SetAwake(true);
        return OK;
    });
}

int32_t Box2DTolvan::SetCollisionType(uint32_t id, uint32_t type)
{
    return withBody(id, {}, [&](WorldBody& body) {
        if (type != COLLIDE_SOLID && type != COLLIDE_SENSOR && type != COLLIDE_NONE)
            return BAD_VALUE;
        changeObstacle(body, [&] { body.setCollisionType(type); });
        return OK;
    });
}

int32_t Box2DTolvan::SetAlwaysActive(uint32_t id, bool on)
{
    return withBody(id, {}, [&](WorldBody& body) {
        body.body()->SetSleepingAllowed(!on);
        return OK;
    });
}

int32_t Box2DTolvan::SetActive(uint32_t id, bool active, bool steering)
{
    return withBody(id, {}, [&](WorldBody& body) {
        changeObstacle(body, [&] { body.body()->SetEnabled(active); });
        body.course.setSteeringRuns(steering);
        return OK;
    });
}

// --- forces ---

int32_t Box2DTolvan::SetForce(uint32_t id, float fx, float fy, float fz)
{
    return withBody(id, {fx, fy, fz}, [&](WorldBody& body) {
        body.force = {fx, fy};
        body.body()->SetAwake(true);
        return OK;
    });
}

int32_t Box2DTolvan::AddForce(uint32_t id, float fx, float fy, float fz)
{
    return withBody(id, {fx, fy, fz}, [&](WorldBody& body) {
        body.pendingForces.push_back({{fx, fy}, std::nullopt});
        return OK;
    });
}

int32_t Box2DTolvan::AddForceAt(uint32_t id, float fx, float fy, float fz, float px, float py, float pz)
{
    return withBody(id, {fx, fy, fz, px, py, pz}, [&](WorldBody& body) {
        body.pendingForces.push_back({{fx, fy}, PathPoint{px, py}});
        return OK;
    });
}

int32_t Box2DTolvan::SetGravityCenter(uint32_t id, bool on)
{
    return withBody(id, {}, [&](WorldBody& body) {
        body.attractor = on;
        return OK;
    });
}

int32_t Box2DTolvan::SetG(uint32_t id, double g)
{
    return withBody(id, {}, [&](WorldBody& body) {
        if (!std::isfinite(g))
            return BAD_VALUE;
        body.g = g;
        return OK;
    });
}

int32_t Box2DTolvan::AddGravityEx(uint32_t id, uint32_t other, bool on)
{
    return withBody(id, {}, [&](WorldBody& body) {
        if (!find(other))
            return UNKNOWN_ID;
        if (other == id)
            return BAD_VALUE;
        std::erase(body.pullers, other);
        if (on)
            body.pullers.push_back(other);
        return OK;
    });
}

// --- collisions ---

int32_t Box2DTolvan::GetCollision(uint32_t id, bool* colliding)
{
    return readBody(id, colliding, [](WorldBody& body) { return !body.contacts.empty(); });
}

int32_t Box2DTolvan::GetCollision(uint32_t id, uint32_t other, bool* colliding)
{
    if (!colliding)
        return BAD_VALUE;
    return withBody(id, {}, [&](WorldBody& body) {
        if (!find(other))
            return UNKNOWN_ID;
        *colliding = std::binary_search(body.contacts.begin(), body.contacts.end(), other);
        return OK;
    });
}

int32_t Box2DTolvan::GetAllCollisions(uint32_t id, const IVector<uint32_t>** ids)
{
    return readBody(id, ids, [](WorldBody& body) { return &std::as_const(body.contacts); });
}

// --- joints ---

int32_t Box2DTolvan::Join(uint32_t id, uint32_t other, float x, float y, float z, float collide, float minAngle,
                          float maxAngle, float motorSpeed, float maxTorque, float limit)
{
    return withBody(id, {x, y, z, collide, minAngle, maxAngle, motorSpeed, maxTorque, limit}, [&](WorldBody& body) {
        WorldBody* second = find(other);
        if (!second)
            return UNKNOWN_ID;
        if (other == id || minAngle > maxAngle || maxTorque < 0)
            return BAD_VALUE;
        JointSet::Pin pin;
        pin.anchor = {x, y};
        pin.collide = collide != 0;
        pin.limit = limit != 0;
        pin.minAngle = minAngle;
        pin.maxAngle = maxAngle;
        pin.motorSpeed = motorSpeed;
        pin.maxTorque = maxTorque;
        joints_.join(id, body.body(), second->body(), pin);
        return OK;
    });
}

int32_t Box2DTolvan::Join2(uint32_t id, uint32_t other, float x, float y, float z, float collide, float minAngle,
                           float maxAngle, float motorSpeed, float maxTorque, float limit)
{
    return Join(id, other, x, y, z, collide, minAngle, maxAngle, motorSpeed, maxTorque, limit);
}

int32_t Box2DTolvan::Break(uint32_t id)
{
    return joints_.breakJoint(id) ? OK : UNKNOWN_ID;
}

int32_t Box2DTolvan::JointSteer(uint32_t id, float angle)
{
    if (!std::isfinite(angle))
        return BAD_VALUE;
    return joints_.steer(id, angle) ? OK : UNKNOWN_ID;
}

int32_t Box2DTolvan::JointSpeed(uint32_t id, float speed)
{
    if (!std::isfinite(speed))
        return BAD_VALUE;
    return joints_.drive(id, speed) ? OK : UNKNOWN_ID;
}
