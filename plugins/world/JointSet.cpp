#include "JointSet.h"

#include "WorldScale.h"

#include <box2d/b2_body.h>
#include <box2d/b2_revolute_joint.h>
#include <box2d/b2_world.h>

#include <algorithm>

namespace {

void startMotor(b2RevoluteJoint* joint, float speed)
{
    joint->SetMotorSpeed(speed);
    joint->EnableMotor(true);
    joint->GetBodyA()->SetAwake(true);
    joint->GetBodyB()->SetAwake(true);
}

} // namespace

void JointSet::join(uint32_t name, b2Body* first, b2Body* second, const Pin& pin)
{
    breakJoint(name);
    b2RevoluteJointDef definition;
    definition.Initialize(first, second, toMetres(pin.anchor));
    definition.collideConnected = pin.collide;
    definition.enableLimit = pin.limit;
    definition.lowerAngle = pin.minAngle;
    definition.upperAngle = pin.maxAngle;
    definition.enableMotor = pin.motorSpeed != 0;
    definition.motorSpeed = pin.motorSpeed;
    // Torque in world units becomes newton metres by the length scale, twice.
    definition.maxMotorTorque =
        pin.maxTorque > 0 ? pin.maxTorque / (PIXELS_PER_METRE * PIXELS_PER_METRE) : STRONG_TORQUE;
    auto* joint = static_cast<b2RevoluteJoint*>(world_.CreateJoint(&definition));
    joints_[name] = Record{joint, std::nullopt};
}

bool JointSet::breakJoint(uint32_t name)
{
    const auto found = joints_.find(name);
    if (found == joints_.end())
        return false;
    world_.DestroyJoint(found->second.joint);
    joints_.erase(found);
    return true;
}

void JointSet::forgetBody(const b2Body* body)
{
    std::erase_if(joints_, [body](const auto& entry) {
        b2RevoluteJoint* joint = entry.second.joint;
        return joint->GetBodyA() == body || joint->GetBodyB() == body;
    });
}

bool JointSet::steer(uint32_t name, float angle)
{
    const auto found = joints_.find(name);
    if (found == joints_.end())
        return false;
    found->second.steerAngle = angle;
    startMotor(found->second.joint, 0);
    return true;
}

bool JointSet::drive(uint32_t name, float speed)
{
    const auto found = joints_.find(name);
    if (found == joints_.end())
        return false;
    found->second.steerAngle.reset();
    startMotor(found->second.joint, speed);
    return true;
}

void JointSet::applySteering()
{
    for (auto& [name, record] : joints_) {
        if (!record.steerAngle)
            continue;
        const float toGo = *record.steerAngle - record.joint->GetJointAngle();
        record.joint->SetMotorSpeed(std::clamp(toGo * STEER_GAIN, -FASTEST_STEER, FASTEST_STEER));
    }
}
