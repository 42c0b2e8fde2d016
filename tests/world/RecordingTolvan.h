#pragma once

#include "plugins/world/ITolvan.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// An ITolvan that writes down every call, with its arguments, and answers as the test
// tells it. Calls read as "SetPosition(7, -300, 200, 0)": ids and indices in decimal,
// floats and doubles in their shortest exact form, bools as true or false, names in quotes.
// Outputs are written from the answers whatever the status, so a test can show that a
// caller ignores them when the status is negative.
class RecordingTolvan : public ITolvan {
public:
    struct BodyAnswers {
        float x = 0, y = 0, z = 0;
        float angle = 0;
        float rotationX = 0, rotationY = 0, rotationZ = 0;
        float speed = 0;
        bool colliding = false;
        // GetAllCollisions, and GetCollision(id, other) for the ids listed.
        std::vector<uint32_t> collisions;
        uint32_t goalState = GOAL_NONE; // IsAtGoal gives it every time it is asked
        float moveX = 0, moveY = 0, moveZ = 0;
        float moveDistance = 0;
        bool meshEnabled = false;
        bool meshColliding = false;
        float distance = 0; // what the steering operations write
    };

    std::vector<std::string> calls;
    // The status of an operation by name (both forms of an overload share it); OK else.
    std::map<std::string, int32_t> statuses;
    std::map<uint32_t, BodyAnswers> bodies;
    float stepTime = 0; // what MoveObjects writes

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
    // Writes the call down; its status.
    template <typename... Arguments>
    int32_t record(const char* name, const Arguments&... arguments);
    void writeDistance(uint32_t id, float* distance);

    std::map<uint32_t, IVector<uint32_t>> collisionLists_;
};
