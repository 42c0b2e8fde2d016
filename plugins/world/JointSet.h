#pragma once

#include "PathPoint.h"

#include <cstdint>
#include <map>
#include <optional>

class b2Body;
class b2RevoluteJoint;
class b2World;

// The pins of a world, each named after its first body; a pin's motor runs at a set speed
// or steers the pin to a set angle.
class JointSet {
public:
    struct Pin {
        PathPoint anchor; // world units
        bool collide = false;
        bool limit = true;
        float minAngle = 0; // radians
        float maxAngle = 0;
        float motorSpeed = 0;   // radians a second; 0: motor off
        float maxTorque = 0;    // world units; 0: strong
    };

    // The motor's strength when none is given, in newton metres.
    static constexpr float STRONG_TORQUE = 1e5f;
    // Steering turns the pin at 10 times the angle still to go each second, at most this.
    static constexpr float STEER_GAIN = 10.0f;
    static constexpr float FASTEST_STEER = 12.566371f; // two turns a second

    explicit JointSet(b2World& world) : world_(world) {}
    JointSet(const JointSet&) = delete;
    JointSet& operator=(const JointSet&) = delete;

    // Replaces a pin of that name.
    void join(uint32_t name, b2Body* first, b2Body* second, const Pin& pin);
    bool breakJoint(uint32_t name);
    // Drops the pins of a body that is going (its destruction takes them out of Box2D).
    void forgetBody(const b2Body* body);
    bool steer(uint32_t name, float angle);
    bool drive(uint32_t name, float speed);
    // At the start of each sub-step.
    void applySteering();

private:
    struct Record {
        b2RevoluteJoint* joint;
        std::optional<float> steerAngle;
    };

    b2World& world_;
    std::map<uint32_t, Record> joints_;
};
