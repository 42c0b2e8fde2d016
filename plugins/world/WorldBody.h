#pragma once

#include "BodyCourse.h"
#include "BodyDescription.h"
#include "ITolvan.h"
#include "PathPoint.h"

#include <box2d/b2_body.h>

#include <optional>
#include <vector>

class b2Fixture;
class b2World;

// One body of the world: its Box2D body and what the world keeps beside it (z and the
// carried rotations, forces, limits, attraction, mesh settings, contacts, course).
class WorldBody {
public:
    // A force through a point (none: the centre), in world units.
    struct PointForce {
        PathPoint force;
        std::optional<PathPoint> at;
    };
    struct LimitBox {
        float x1, y1, z1, x2, y2, z2;
    };

    static constexpr double DEFAULT_G = 1e6;

    // Makes the Box2D body in the world; the world's owner destroys it.
    WorldBody(b2World& world, const BodyDescription& description);
    WorldBody(const WorldBody&) = delete;
    WorldBody& operator=(const WorldBody&) = delete;

    uint32_t id() const { return id_; }
    b2Body* body() const { return body_; }
    // The body behind a Box2D body of this world.
    static WorldBody* of(const b2Body* body);

    PathPoint position() const;
    void setPosition(const PathPoint& at);
    void setAngle(float radians);
    PathPoint velocity() const;
    void setVelocity(const PathPoint& velocity);
    float mass() const { return mass_; }
    int32_t shape() const { return shape_; }
    // rx for a circle, the larger half size for a box.
    float reach() const;
    // A box a little larger than the body's shape as it stands, so that no line that meets the
    // shape passes by the box through rounding.
    PathBox bounds() const;
    // Whether the line, in metres, meets the body's shape.
    bool meetsLine(const b2Vec2& from, const b2Vec2& to) const;

    void setSize(float rx, float ry);
    // Above 0: dynamic with this mass; 0: static.
    void setMass(float mass);
    void setRestitution(float restitution);
    void setFriction(float friction);
    void setCollisionType(uint32_t type);
    bool isSolid() const { return collisionType_ == ITolvan::COLLIDE_SOLID; }
    bool isDynamic() const { return body_->GetType() == b2_dynamicBody; }
    // Whether the body blocks mesh lines: as set, else when it is static and solid.
    bool blocksMesh() const;

    // At the start of a sub-step of `seconds`: steering, then the forces and pulls.
    void steer(float seconds);
    void applyForces();
    void pullTowards(const WorldBody& attractor);
    // At the end of a sub-step: the largest speed, the limit box and the course's arrivals.
    void holdBounds();
    // Stops the body where it is.
    void stop();
    // Notes where the body stands as a step starts: moveStart, and what placeChanged compares.
    void markStepStart();
    // Whether the body moved or turned since markStepStart.
    bool placeChanged() const;

    float z = 0;
    float rotationX = 0; // degrees, carried
    float rotationY = 0;
    float maxSpeed = 0;
    std::optional<LimitBox> limit;
    PathPoint force;                       // acts at every sub-step
    std::vector<PointForce> pendingForces; // act through the next MoveObjects
    bool attractor = false;
    double g = DEFAULT_G;
    std::vector<uint32_t> pullers; // bodies that pull this one alone
    bool meshEnabled = true;
    std::optional<bool> blocksMeshSetting;
    IVector<uint32_t> contacts;
    PathPoint moveStart;
    PathPoint moveVector;
    BodyCourse course;

private:
    void replaceFixture();
    float area() const; // square metres

    uint32_t id_;
    b2Body* body_;
    b2Transform placeAtStepStart_;
    b2Fixture* fixture_ = nullptr;
    int32_t shape_;
    float rx_, ry_;
    float mass_;
    uint32_t collisionType_ = ITolvan::COLLIDE_SOLID;
};
