#pragma once

#include "ITolvan.h"
#include "JointSet.h"
#include "PathMesh.h"
#include "StepClock.h"
#include "WorldBody.h"

#include <box2d/b2_world.h>

#include <cmath>
#include <initializer_list>
#include <map>
#include <memory>

struct WorldDescription;

// ITolvan over a Box2D world (see ITolvan.h for what each operation does). Its bodies that
// block the mesh are the mesh's obstacles, by id.
class Box2DTolvan : public ITolvan, private MeshObstacles {
public:
    // The solver's passes at every sub-step.
    static constexpr int32_t VELOCITY_ITERATIONS = 8;
    static constexpr int32_t POSITION_ITERATIONS = 3;

    Box2DTolvan();
    Box2DTolvan(const Box2DTolvan&) = delete;
    Box2DTolvan& operator=(const Box2DTolvan&) = delete;
    ~Box2DTolvan() override;

    int32_t Create(const char* fileName) override;
    int32_t Load(const char* fileName) override;
    int32_t MoveObjects(float* time) override;
    int32_t Start() override;
    int32_t Stop() override;
    int32_t SetGravity(float gx, float gy, float gz) override;
    int32_t UseFF(bool on) override;

    int32_t AddObject(uint32_t id, int32_t flags) override;
    int32_t AddBody(uint32_t id, float x, float y, float z, float rx, float ry, float rz, int32_t shape, int32_t kind,
                    float mass, float restitution, float maxSpeed) override;
    int32_t RemoveObject(uint32_t id) override;
    int32_t ZeroAll(uint32_t id) override;

    int32_t SetPosition(uint32_t id, float x, float y, float z) override;
    int32_t GetPosition(uint32_t id, float* x, float* y, float* z) override;
    int32_t SetVelocity(uint32_t id, float vx, float vy, float vz, bool add) override;
    int32_t SetSpeed(uint32_t id, float speed) override;
    int32_t GetSpeed(uint32_t id, float* speed) override;
    int32_t SetMaxSpeed(uint32_t id, float speed) override;
    int32_t SetLimit(uint32_t id, float x1, float y1, float z1, float x2, float y2, float z2) override;
    int32_t GetMoveVector(uint32_t id, float* dx, float* dy, float* dz) override;
    int32_t GetMoveDistance(uint32_t id, float* distance) override;

    int32_t GetAngle(uint32_t id, float* angle) override;
    int32_t SetAngle(uint32_t id, float angle) override;
    int32_t Rotate(uint32_t id, int32_t axis, float angle) override;
    int32_t GetRotationX(uint32_t id, float* angle) override;
    int32_t GetRotationY(uint32_t id, float* angle) override;
    int32_t GetRotationZ(uint32_t id, float* angle) override;

    int32_t SetRadius(uint32_t id, float rx, float ry, float rz) override;
    int32_t SetMass(uint32_t id, float mass) override;
    int32_t SetRigid(uint32_t id, float rigid) override;
    int32_t SetDispersion(uint32_t id, float value) override;
    int32_t SetBodyProperties(uint32_t id, float friction, float restitution, float linearDamping,
                              float angularDamping) override;
    int32_t SetBodyDynamics(uint32_t id, float vx, float vy, float vz, float turnSpeed, float gravityScale) override;
    int32_t SetCollisionType(uint32_t id, uint32_t type) override;
    int32_t SetAlwaysActive(uint32_t id, bool on) override;
    int32_t SetActive(uint32_t id, bool active, bool steering) override;

    int32_t SetForce(uint32_t id, float fx, float fy, float fz) override;
    int32_t AddForce(uint32_t id, float fx, float fy, float fz) override;
    int32_t AddForceAt(uint32_t id, float fx, float fy, float fz, float px, float py, float pz) override;
    int32_t SetGravityCenter(uint32_t id, bool on) override;
    int32_t SetG(uint32_t id, double g) override;
    int32_t AddGravityEx(uint32_t id, uint32_t other, bool on) override;

    int32_t GetCollision(uint32_t id, bool* colliding) override;
    int32_t GetCollision(uint32_t id, uint32_t other, bool* colliding) override;
    int32_t GetAllCollisions(uint32_t id, const IVector<uint32_t>** ids) override;

    int32_t Join(uint32_t id, uint32_t other, float x, float y, float z, float collide, float minAngle, float maxAngle,
                 float motorSpeed, float maxTorque, float limit) override;
    int32_t Join2(uint32_t id, uint32_t other, float x, float y, float z, float collide, float minAngle,
                  float maxAngle, float motorSpeed, float maxTorque, float limit) override;
    int32_t Break(uint32_t id) override;
    int32_t JointSteer(uint32_t id, float angle) override;
    int32_t JointSpeed(uint32_t id, float speed) override;

    int32_t Follow(uint32_t id, float x, float y, float z, float speed, float arrivalRadius, float slowRadius,
                   float* distance) override;
    int32_t MoveTo(uint32_t id, float x, float y, float z, float speed, float arrivalRadius, float* distance) override;
    int32_t AddToPath(uint32_t id, float x, float y, float z) override;
    int32_t FollowPath(uint32_t id, float speed, float arrivalRadius, float loop, float* distance) override;
    int32_t MoveToPath(uint32_t id, float index, float speed, float* distance) override;
    int32_t AddWayPoint(uint32_t id, float x, float y, float z) override;
    int32_t RemoveWayPoint(uint32_t id, uint32_t index) override;
    int32_t FollowRoute(uint32_t id, float speed, float arrivalRadius, float* distance) override;
    int32_t SetActivePath(uint32_t id, uint32_t index, bool steering) override;
    int32_t AddMeshWayPoint(uint32_t id) override;
    int32_t AddMeshWayPoint(uint32_t id, float x, float y, float z) override;
    int32_t EnableMesh(uint32_t id, bool on) override;
    int32_t IsMeshEnabled(uint32_t id, bool* on) override;
    int32_t CollideMesh(uint32_t id, bool on) override;
    int32_t IsMeshColliding(uint32_t id, bool* on) override;
    int32_t FindPath(uint32_t id, uint32_t target, float x, float y, float z, bool go) override;
    int32_t GotoPath(uint32_t id, float speed, float* distance) override;
    int32_t IsAtGoal(uint32_t id, uint32_t* state) override;

private:
    static bool allFinite(std::initializer_list<float> values);
    // Finds the body, checks that every value is finite, then runs the action, whose
    // status is the result.
    template <typename Action>
    int32_t withBody(uint32_t id, std::initializer_list<float> values, Action action);
    WorldBody* find(uint32_t id);
    // Writes what read gives for the body.
    template <typename Value, typename Read>
    int32_t readBody(uint32_t id, Value* out, Read read);

    int32_t addBody(const BodyDescription& description);
    void removeBody(uint32_t id);
    void apply(const WorldDescription& description);
    // Runs a change to a body and tells the mesh when the body blocks it before or after.
    template <typename Change>
    void changeObstacle(WorldBody& body, Change change);
    // A body that blocks the mesh (but the one ignored) and crosses the line; null when none
    // does.
    const WorldBody* blockingBody(const PathPoint& from, const PathPoint& to, const WorldBody* ignored);
    // The body when it blocks the mesh now; null otherwise.
    const WorldBody* meshObstacle(uint32_t id);
    std::optional<uint32_t> blockerOf(const PathPoint& from, const PathPoint& to) override;
    bool blocks(uint32_t id, const PathPoint& from, const PathPoint& to) override;
    std::optional<PathBox> boundsOf(uint32_t id) override;
    int32_t giveOrder(WorldBody& body, const SteeringOrder& order, float* distance);

    void subStep();
    void recordContacts();

    b2World world_;
    JointSet joints_;
    std::map<uint32_t, std::unique_ptr<WorldBody>> bodies_;
    // The body found last: callers ask several things of one body in a row.
    WorldBody* lastFound_ = nullptr;
    PathMesh mesh_;
    StepClock clock_;
    bool running_ = true;
    bool forceFields_ = true;
};

inline bool Box2DTolvan::allFinite(std::initializer_list<float> values)
{
    for (float value : values) {
        if (!std::isfinite(value))
            return false;
    }
    return true;
}

template <typename Action>
inline int32_t Box2DTolvan::withBody(uint32_t id, std::initializer_list<float> values, Action action)
{
    WorldBody* body = find(id);
    if (!body)
        return UNKNOWN_ID;
    if (!allFinite(values))
        return BAD_VALUE;
    return action(*body);
}

template <typename Change>
inline void Box2DTolvan::changeObstacle(WorldBody& body, Change change)
{
    const bool blocked = body.blocksMesh() && body.body()->IsEnabled();
    change();
    if (blocked || (body.blocksMesh() && body.body()->IsEnabled()))
        mesh_.obstacleChanged(body.id());
}

template <typename Value, typename Read>
inline int32_t Box2DTolvan::readBody(uint32_t id, Value* out, Read read)
{
    if (!out)
        return BAD_VALUE;
    return withBody(id, {}, [&](WorldBody& body) {
        *out = read(body);
        return OK;
    });
}
