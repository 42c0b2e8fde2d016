#include "RecordingTolvan.h"

#include <algorithm>
#include <charconv>
#include <type_traits>

namespace {

template <typename Number>
std::string shortest(Number value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::string format(bool value)
{
    return value ? "true" : "false";
}

std::string format(const char* value)
{
    return value ? "\"" + std::string(value) + "\"" : "null";
}

template <typename Number>
    requires std::is_arithmetic_v<Number>
std::string format(Number value)
{
    return shortest(value);
}

} // namespace

template <typename... Arguments>
int32_t RecordingTolvan::record(const char* name, const Arguments&... arguments)
{
    const std::string parts[] = {format(arguments)..., ""};
    std::string call = std::string(name) + "(";
    for (size_t i = 0; i < sizeof...(arguments); ++i)
        call += (i > 0 ? ", " : "") + parts[i];
    calls.push_back(call + ")");
    const auto status = statuses.find(name);
    return status == statuses.end() ? OK : status->second;
}

void RecordingTolvan::writeDistance(uint32_t id, float* distance)
{
    *distance = bodies[id].distance;
}

int32_t RecordingTolvan::Create(const char* fileName) { return record("Create", fileName); }
int32_t RecordingTolvan::Load(const char* fileName) { return record("Load", fileName); }

int32_t RecordingTolvan::MoveObjects(float* time)
{
    *time = stepTime;
    return record("MoveObjects");
}

int32_t RecordingTolvan::Start() { return record("Start"); }
int32_t RecordingTolvan::Stop() { return record("Stop"); }
int32_t RecordingTolvan::SetGravity(float gx, float gy, float gz) { return record("SetGravity", gx, gy, gz); }
int32_t RecordingTolvan::UseFF(bool on) { return record("UseFF", on); }

int32_t RecordingTolvan::AddObject(uint32_t id, int32_t flags) { return record("AddObject", id, flags); }

int32_t RecordingTolvan::AddBody(uint32_t id, float x, float y, float z, float rx, float ry, float rz, int32_t shape,
                                 int32_t kind, float mass, float restitution, float maxSpeed)
{
    return record("AddBody", id, x, y, z, rx, ry, rz, shape, kind, mass, restitution, maxSpeed);
}

int32_t RecordingTolvan::RemoveObject(uint32_t id) { return record("RemoveObject", id); }
int32_t RecordingTolvan::ZeroAll(uint32_t id) { return record("ZeroAll", id); }

int32_t RecordingTolvan::SetPosition(uint32_t id, float x, float y, float z) { return record("SetPosition", id, x, y, z); }

int32_t RecordingTolvan::GetPosition(uint32_t id, float* x, float* y, float* z)
{
    const BodyAnswers& body = bodies[id];
    *x = body.x;
    *y = body.y;
    *z = body.z;
    return record("GetPosition", id);
}

int32_t RecordingTolvan::SetVelocity(uint32_t id, float vx, float vy, float vz, bool add)
{
    return record("SetVelocity", id, vx, vy, vz, add);
}

int32_t RecordingTolvan::SetSpeed(uint32_t id, float speed) { return record("SetSpeed", id, speed); }

int32_t RecordingTolvan::GetSpeed(uint32_t id, float* speed)
{
    *speed = bodies[id].speed;
    return record("GetSpeed", id);
}

int32_t RecordingTolvan::SetMaxSpeed(uint32_t id, float speed) { return record("SetMaxSpeed", id, speed); }

int32_t RecordingTolvan::SetLimit(uint32_t id, float x1, float y1, float z1, float x2, float y2, float z2)
{
    return record("SetLimit", id, x1, y1, z1, x2, y2, z2);
}

int32_t RecordingTolvan::GetMoveVector(uint32_t id, float* dx, float* dy, float* dz)
{
    const BodyAnswers& body = bodies[id];
    *dx = body.moveX;
    *dy = body.moveY;
    *dz = body.moveZ;
    return record("GetMoveVector", id);
}

int32_t RecordingTolvan::GetMoveDistance(uint32_t id, float* distance)
{
    *distance = bodies[id].moveDistance;
    return record("GetMoveDistance", id);
}

int32_t RecordingTolvan::GetAngle(uint32_t id, float* angle)
{
    *angle = bodies[id].angle;
    return record("GetAngle", id);
}

int32_t RecordingTolvan::SetAngle(uint32_t id, float angle) { return record("SetAngle", id, angle); }
int32_t RecordingTolvan::Rotate(uint32_t id, int32_t axis, float angle) { return record("Rotate", id, axis, angle); }

int32_t RecordingTolvan::GetRotationX(uint32_t id, float* angle)
{
    *angle = bodies[id].rotationX;
    return record("GetRotationX", id);
}

int32_t RecordingTolvan::GetRotationY(uint32_t id, float* angle)
{
    *angle = bodies[id].rotationY;
    return record("GetRotationY", id);
}

int32_t RecordingTolvan::GetRotationZ(uint32_t id, float* angle)
{
    *angle = bodies[id].rotationZ;
    return record("GetRotationZ", id);
}

int32_t RecordingTolvan::SetRadius(uint32_t id, float rx, float ry, float rz) { return record("SetRadius", id, rx, ry, rz); }
int32_t RecordingTolvan::SetMass(uint32_t id, float mass) { return record("SetMass", id, mass); }
int32_t RecordingTolvan::SetRigid(uint32_t id, float rigid) { return record("SetRigid", id, rigid); }
int32_t RecordingTolvan::SetDispersion(uint32_t id, float value) { return record("SetDispersion", id, value); }

int32_t RecordingTolvan::SetBodyProperties(uint32_t id, float friction, float restitution, float linearDamping,
                                           float angularDamping)
{
    return record("SetBodyProperties", id, friction, restitution, linearDamping, angularDamping);
}

int32_t RecordingTolvan::SetBodyDynamics(uint32_t id, float vx, float vy, float vz, float turnSpeed,
                                         float gravityScale)
{
    return record("SetBodyDynamics", id, vx, vy, vz, turnSpeed, gravityScale);
}

int32_t RecordingTolvan::SetCollisionType(uint32_t id, uint32_t type) { return record("SetCollisionType", id, type); }
int32_t RecordingTolvan::SetAlwaysActive(uint32_t id, bool on) { return record("SetAlwaysActive", id, on); }

int32_t RecordingTolvan::SetActive(uint32_t id, bool active, bool steering)
{
    return record("SetActive", id, active, steering);
}

int32_t RecordingTolvan::SetForce(uint32_t id, float fx, float fy, float fz) { return record("SetForce", id, fx, fy, fz); }
int32_t RecordingTolvan::AddForce(uint32_t id, float fx, float fy, float fz) { return record("AddForce", id, fx, fy, fz); }

int32_t RecordingTolvan::AddForceAt(uint32_t id, float fx, float fy, float fz, float px, float py, float pz)
{
    return record("AddForceAt", id, fx, fy, fz, px, py, pz);
}

int32_t RecordingTolvan::SetGravityCenter(uint32_t id, bool on) { return record("SetGravityCenter", id, on); }
int32_t RecordingTolvan::SetG(uint32_t id, double g) { return record("SetG", id, g); }

int32_t RecordingTolvan::AddGravityEx(uint32_t id, uint32_t other, bool on)
{
    return record("AddGravityEx", id, other, on);
}

int32_t RecordingTolvan::GetCollision(uint32_t id, bool* colliding)
{
    *colliding = bodies[id].colliding;
    return record("GetCollision", id);
}

int32_t RecordingTolvan::GetCollision(uint32_t id, uint32_t other, bool* colliding)
{
    const std::vector<uint32_t>& ids = bodies[id].collisions;
    *colliding = std::find(ids.begin(), ids.end(), other) != ids.end();
    return record("GetCollision", id, other);
}

int32_t RecordingTolvan::GetAllCollisions(uint32_t id, const IVector<uint32_t>** ids)
{
    IVector<uint32_t>& list = collisionLists_[id];
    list.items() = bodies[id].collisions;
    *ids = &list;
    return record("GetAllCollisions", id);
}

int32_t RecordingTolvan::Join(uint32_t id, uint32_t other, float x, float y, float z, float collide, float minAngle,
                              float maxAngle, float motorSpeed, float maxTorque, float limit)
{
    return record("Join", id, other, x, y, z, collide, minAngle, maxAngle, motorSpeed, maxTorque, limit);
}

int32_t RecordingTolvan::Join2(uint32_t id, uint32_t other, float x, float y, float z, float collide, float minAngle,
                               float maxAngle, float motorSpeed, float maxTorque, float limit)
{
    return record("Join2", id, other, x, y, z, collide, minAngle, maxAngle, motorSpeed, maxTorque, limit);
}

int32_t RecordingTolvan::Break(uint32_t id) { return record("Break", id); }
int32_t RecordingTolvan::JointSteer(uint32_t id, float angle) { return record("JointSteer", id, angle); }
int32_t RecordingTolvan::JointSpeed(uint32_t id, float speed) { return record("JointSpeed", id, speed); }

int32_t RecordingTolvan::Follow(uint32_t id, float x, float y, float z, float speed, float arrivalRadius,
                                float slowRadius, float* distance)
{
    writeDistance(id, distance);
    return record("Follow", id, x, y, z, speed, arrivalRadius, slowRadius);
}

int32_t RecordingTolvan::MoveTo(uint32_t id, float x, float y, float z, float speed, float arrivalRadius,
                                float* distance)
{
    writeDistance(id, distance);
    return record("MoveTo", id, x, y, z, speed, arrivalRadius);
}

int32_t RecordingTolvan::AddToPath(uint32_t id, float x, float y, float z) { return record("AddToPath", id, x, y, z); }

int32_t RecordingTolvan::FollowPath(uint32_t id, float speed, float arrivalRadius, float loop, float* distance)
{
    writeDistance(id, distance);
    return record("FollowPath", id, speed, arrivalRadius, loop);
}

int32_t RecordingTolvan::MoveToPath(uint32_t id, float index, float speed, float* distance)
{
    writeDistance(id, distance);
    return record("MoveToPath", id, index, speed);
}

int32_t RecordingTolvan::AddWayPoint(uint32_t id, float x, float y, float z) { return record("AddWayPoint", id, x, y, z); }
int32_t RecordingTolvan::RemoveWayPoint(uint32_t id, uint32_t index) { return record("RemoveWayPoint", id, index); }

int32_t RecordingTolvan::FollowRoute(uint32_t id, float speed, float arrivalRadius, float* distance)
{
    writeDistance(id, distance);
    return record("FollowRoute", id, speed, arrivalRadius);
}

int32_t RecordingTolvan::SetActivePath(uint32_t id, uint32_t index, bool steering)
{
    return record("SetActivePath", id, index, steering);
}

int32_t RecordingTolvan::AddMeshWayPoint(uint32_t id) { return record("AddMeshWayPoint", id); }

int32_t RecordingTolvan::AddMeshWayPoint(uint32_t id, float x, float y, float z)
{
    return record("AddMeshWayPoint", id, x, y, z);
}

int32_t RecordingTolvan::EnableMesh(uint32_t id, bool on) { return record("EnableMesh", id, on); }

int32_t RecordingTolvan::IsMeshEnabled(uint32_t id, bool* on)
{
    *on = bodies[id].meshEnabled;
    return record("IsMeshEnabled", id);
}

int32_t RecordingTolvan::CollideMesh(uint32_t id, bool on) { return record("CollideMesh", id, on); }

int32_t RecordingTolvan::IsMeshColliding(uint32_t id, bool* on)
{
    *on = bodies[id].meshColliding;
    return record("IsMeshColliding", id);
}

int32_t RecordingTolvan::FindPath(uint32_t id, uint32_t target, float x, float y, float z, bool go)
{
    return record("FindPath", id, target, x, y, z, go);
}

int32_t RecordingTolvan::GotoPath(uint32_t id, float speed, float* distance)
{
    writeDistance(id, distance);
    return record("GotoPath", id, speed);
}

int32_t RecordingTolvan::IsAtGoal(uint32_t id, uint32_t* state)
{
    *state = bodies[id].goalState;
    return record("IsAtGoal", id);
}
