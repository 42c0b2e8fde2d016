#include "WorldBody.h"

#include "WorldScale.h"

#include <box2d/b2_circle_shape.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_polygon_shape.h>
#include <box2d/b2_world.h>

#include <algorithm>
#include <numbers>

namespace {

constexpr float kFriction = 0.3f;

b2BodyType typeOf(int32_t kind)
{
    switch (kind) {
    case ITolvan::KIND_STATIC:
        return b2_staticBody;
    case ITolvan::KIND_KINEMATIC:
        return b2_kinematicBody;
    default:
        return b2_dynamicBody;
    }
}

} // namespace

WorldBody::WorldBody(b2World& world, const BodyDescription& description)
    : z(description.z)
    , maxSpeed(description.maxSpeed)
    , id_(description.id)
    , shape_(description.shape)
    , rx_(description.rx)
    , ry_(description.ry)
    , mass_(description.mass)
{
    b2BodyDef definition;
    definition.type = typeOf(description.kind);
    definition.position = toMetres(description.x, description.y);
    definition.userData.pointer = reinterpret_cast<uintptr_t>(this);
    body_ = world.CreateBody(&definition);
    replaceFixture();
    setRestitution(description.restitution);
}

WorldBody* WorldBody::of(const b2Body* body)
{
    return reinterpret_cast<WorldBody*>(const_cast<b2Body*>(body)->GetUserData().pointer);
}

PathPoint WorldBody::position() const
{
    return toPixels(body_->GetPosition());
}

void WorldBody::setPosition(const PathPoint& at)
{
    body_->SetTransform(toMetres(at), body_->GetAngle());
    body_->SetAwake(true);
}

void WorldBody::setAngle(float radians)
{
    body_->SetTransform(body_->GetPosition(), radians);
    body_->SetAwake(true);
}

PathPoint WorldBody::velocity() const
{
    return toPixels(body_->GetLinearVelocity());
}

void WorldBody::setVelocity(const PathPoint& velocity)
{
    body_->SetLinearVelocity(toMetres(velocity));
}

float WorldBody::reach() const
{
    return shape_ == ITolvan::SHAPE_BOX ? std::max(rx_, ry_) : rx_;
}

PathBox WorldBody::bounds() const
{
    constexpr float slack = 1; // pixels
    b2AABB box;
    fixture_->GetShape()->ComputeAABB(&box, body_->GetTransform(), 0);
    const PathPoint low = toPixels(box.lowerBound);
    const PathPoint high = toPixels(box.upperBound);
    return {{low.x - slack, low.y - slack}, {high.x + slack, high.y + slack}};
}

bool WorldBody::meetsLine(const b2Vec2& from, const b2Vec2& to) const
{
    b2RayCastInput line;
    line.p1 = from;
    line.p2 = to;
    line.maxFraction = 1;
    b2RayCastOutput hit;
    return fixture_->RayCast(&hit, line, 0);
}

float WorldBody::area() const
{
    const float rx = rx_ / PIXELS_PER_METRE;
    const float ry = ry_ / PIXELS_PER_METRE;
    return shape_ == ITolvan::SHAPE_BOX ? 4 * rx * ry : std::numbers::pi_v<float> * rx * rx;
}

void WorldBody::replaceFixture()
{
    b2FixtureDef definition;
    definition.friction = kFriction;
    if (fixture_) {
        definition.friction = fixture_->GetFriction();
        definition.restitution = fixture_->GetRestitution();
        definition.isSensor = fixture_->IsSensor();
        definition.filter = fixture_->GetFilterData();
        body_->DestroyFixture(fixture_);
    }
    b2CircleShape circle;
    b2PolygonShape box;
    if (shape_ == ITolvan::SHAPE_BOX) {
        box.SetAsBox(rx_ / PIXELS_PER_METRE, ry_ / PIXELS_PER_METRE);
        definition.shape = &box;
    } else {
        circle.m_radius = rx_ / PIXELS_PER_METRE;
        definition.shape = &circle;
    }
    definition.density = mass_ / area();
    fixture_ = body_->CreateFixture(&definition);
}

void WorldBody::setSize(float rx, float ry)
{
    rx_ = rx;
    ry_ = ry;
    replaceFixture();
}

void WorldBody::setMass(float mass)
{
    mass_ = mass;
    if (mass == 0) {
        body_->SetType(b2_staticBody);
        return;
    }
    fixture_->SetDensity(mass / area());
    if (body_->GetType() != b2_dynamicBody)
        body_->SetType(b2_dynamicBody);
    body_->ResetMassData();
    body_->SetAwake(true);
}

void WorldBody::setRestitution(float restitution)
{
    fixture_->SetRestitution(std::min(restitution, 1.0f));
}

void WorldBody::setFriction(float friction)
{
    fixture_->SetFriction(friction);
}

void WorldBody::setCollisionType(uint32_t type)
{
    collisionType_ = type;
    b2Filter filter;
    if (type == ITolvan::COLLIDE_NONE)
        filter.maskBits = 0;
    fixture_->SetSensor(type == ITolvan::COLLIDE_SENSOR);
    fixture_->SetFilterData(filter);
}

void WorldBody::markStepStart()
{
    moveStart = position();
    placeAtStepStart_ = body_->GetTransform();
}

bool WorldBody::placeChanged() const
{
    const b2Transform& now = body_->GetTransform();
    const b2Transform& then = placeAtStepStart_;
    return now.p != then.p || now.q.s != then.q.s || now.q.c != then.q.c;
}

bool WorldBody::blocksMesh() const
{
    return blocksMeshSetting.value_or(body_->GetType() == b2_staticBody && isSolid());
}

void WorldBody::steer(float seconds)
{
    const PathPoint at = position();
    if (course.advance(at) == BodyCourse::Progress::Arrived)
        stop();
    if (const std::optional<PathPoint> wanted = course.velocity(at, maxSpeed, seconds)) {
        setVelocity(*wanted);
        body_->SetAwake(true);
    }
}

void WorldBody::applyForces()
{
    // Forces in world units become newtons by the same scale as lengths.
    if (force.x != 0 || force.y != 0)
        body_->ApplyForceToCenter(toMetres(force), true);
    for (const PointForce& push : pendingForces) {
        if (push.at)
            body_->ApplyForce(toMetres(push.force), toMetres(*push.at), true);
        else
            body_->ApplyForceToCenter(toMetres(push.force), true);
    }
}

void WorldBody::pullTowards(const WorldBody& attractor)
{
    if (!isDynamic() || &attractor == this)
        return;
    const PathPoint from = position();
    const PathPoint to = attractor.position();
    const float distance = distanceBetween(from, to);
    if (distance == 0)
        return;
    const float nearest = reach() + attractor.reach();
    const double squared = std::max(distance * distance, nearest * nearest);
    const float pull = static_cast<float>(attractor.g * attractor.mass() / squared) * body_->GetMass();
    const PathPoint push{(to.x - from.x) / distance * pull, (to.y - from.y) / distance * pull};
    body_->ApplyForceToCenter(toMetres(push), true);
}

void WorldBody::holdBounds()
{
    if (maxSpeed > 0) {
        const PathPoint moving = velocity();
        const float speed = lengthOf(moving);
        if (speed > maxSpeed)
            setVelocity({moving.x * maxSpeed / speed, moving.y * maxSpeed / speed});
    }
    if (limit) {
        const PathPoint at = position();
        const PathPoint held{std::clamp(at.x, limit->x1, limit->x2), std::clamp(at.y, limit->y1, limit->y2)};
        z = std::clamp(z, limit->z1, limit->z2);
        if (!(held == at)) {
            PathPoint moving = velocity();
            if (held.x != at.x)
                moving.x = 0;
            if (held.y != at.y)
                moving.y = 0;
            body_->SetTransform(toMetres(held), body_->GetAngle());
            setVelocity(moving);
        }
    }
    if (course.advance(position()) == BodyCourse::Progress::Arrived)
        stop();
}

void WorldBody::stop()
{
    setVelocity({});
}
