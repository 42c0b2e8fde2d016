#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A list that the world fills and owns; callers only read it. A pointer handed out by the
// world stays valid until the world's next MoveObjects, RemoveObject, Create or Load.
template <typename T>
class IVector {
public:
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    const T& operator[](std::size_t index) const { return items_[index]; }
    typename std::vector<T>::const_iterator begin() const { return items_.begin(); }
    typename std::vector<T>::const_iterator end() const { return items_.end(); }

    void clear() { items_.clear(); }
    std::vector<T>& items() { return items_; }

private:
    std::vector<T> items_;
};

// The physics and path-finding world behind a WORLD object.
//
// Units and axes: world units are screen pixels; x grows to the right, y grows upwards, the
// origin is wherever the caller puts it (the WORLD object puts it at the screen's centre).
// A body carries its z (GetPosition gives back what was set) but z is not simulated; the z
// of forces, velocities, points and the like is checked and not used. Times are seconds,
// speeds pixels a second, forces mass times pixels a second squared. Angles that bodies
// report or take are degrees, counter-clockwise (scripts read them as integers); joint
// angles are radians.
//
// Bodies are named by ids that the caller chooses. Every operation returns a status: OK, or
// a negative value that says why nothing happened. An operation that fails changes nothing
// and writes none of its outputs, except where it says so. Every float argument must be
// finite (NaN and infinities give BAD_VALUE); sizes, masses, speeds and the like must not be
// negative. Output pointers must not be null.
class ITolvan {
public:
    static constexpr int32_t OK = 0;
    static constexpr int32_t UNKNOWN_ID = -1;      // no body (or joint) of that id
    static constexpr int32_t BAD_VALUE = -2;       // a value the operation cannot take
    static constexpr int32_t ID_IN_USE = -3;       // a body of that id exists already
    static constexpr int32_t UNREADABLE_FILE = -4; // the world file cannot be opened or read
    static constexpr int32_t DAMAGED_FILE = -5;    // the world file breaks its format
    static constexpr int32_t NO_PATH = -6;         // the body has no found path to follow

    // Shapes and kinds of bodies (AddBody and the world file).
    static constexpr int32_t SHAPE_CIRCLE = 0; // radius rx
    static constexpr int32_t SHAPE_BOX = 1;    // half width rx, half height ry
    static constexpr int32_t KIND_DYNAMIC = 0; // moved by forces and contacts
    static constexpr int32_t KIND_STATIC = 1;  // never moves by itself
    static constexpr int32_t KIND_KINEMATIC = 2; // moves by its velocity alone, pushes others

    // Collision types (SetCollisionType).
    static constexpr uint32_t COLLIDE_SOLID = 0;  // touches and pushes (the default)
    static constexpr uint32_t COLLIDE_SENSOR = 1; // reports contacts, pushes nothing
    static constexpr uint32_t COLLIDE_NONE = 2;   // neither touches nor reports

    // Goal states (IsAtGoal).
    static constexpr uint32_t GOAL_NONE = 0;
    static constexpr uint32_t GOAL_REACHED = 1;
    static constexpr uint32_t GOAL_NO_PATH = 2;

    virtual ~ITolvan() = default;

    // --- the world ---

    // Makes the world anew from a world file (empty name: an empty world): every body,
    // joint and way point goes, gravity becomes 0, the world runs, and the step clock starts
    // now. A file that cannot be read or is damaged leaves the world as it was.
    virtual int32_t Create(const char* fileName) = 0;
    // Adds the bodies, way points and gravity of a world file to the world. A file that names
    // a body id the world has already gives ID_IN_USE, and nothing of it is added.
    virtual int32_t Load(const char* fileName) = 0;
    // Steps the world by the clock time since its last step (or since Create or Start),
    // counted in whole milliseconds and at most 100 ms, in fixed sub-steps; a remainder
    // shorter than a sub-step carries over to the next call. Writes that time in seconds
    // (0 while stopped). The collision lists and move vectors then tell of the sub-steps of
    // this call; a call that runs no sub-step keeps those of the last one that did.
    virtual int32_t MoveObjects(float* time) = 0;
    // A new world runs. Stop freezes it: MoveObjects moves nothing and gives time 0.
    // Start lets it run again, from the moment of the call (the frozen time is not made up).
    virtual int32_t Start() = 0;
    virtual int32_t Stop() = 0;
    // The acceleration every dynamic body falls with (pixels a second squared; 0 at first).
    // gz is checked and not simulated.
    virtual int32_t SetGravity(float gx, float gy, float gz) = 0;
    // Force fields on (the default) or off: while off, attractors (SetGravityCenter,
    // AddGravityEx) pull nothing.
    virtual int32_t UseFF(bool on) = 0;

    // --- bodies ---

    // A dynamic circle of radius 10, mass 1 and restitution 0 at the origin. The flags are
    // reserved: the WORLD object always passes 0xF0000, and they change nothing.
    virtual int32_t AddObject(uint32_t id, int32_t flags) = 0;
    // A body described in full: position (x, y, z), sizes (rx, ry, rz: see SHAPE_*), shape,
    // kind, mass, restitution and largest speed (0: none). A dynamic body needs a mass
    // above 0; a static or kinematic one keeps its mass only as the pull of an attractor.
    virtual int32_t AddBody(uint32_t id, float x, float y, float z, float rx, float ry, float rz, int32_t shape,
                            int32_t kind, float mass, float restitution, float maxSpeed) = 0;
    // Takes the body out of the world with its joints, paths and pulls.
    virtual int32_t RemoveObject(uint32_t id) = 0;
    // Stops the body: no velocity, no turning, no persistent or pending forces, no steering.
    virtual int32_t ZeroAll(uint32_t id) = 0;

    // --- position and motion ---

    // Puts the body at a point at once (it keeps its velocity).
    virtual int32_t SetPosition(uint32_t id, float x, float y, float z) = 0;
    virtual int32_t GetPosition(uint32_t id, float* x, float* y, float* z) = 0;
    // Sets the velocity (add false) or adds to it (add true); vz is checked and not
    // simulated. Ends the body's steering.
    virtual int32_t SetVelocity(uint32_t id, float vx, float vy, float vz, bool add) = 0;
    // Sets the speed and keeps the direction of motion; a body at rest goes the way it
    // faces. Ends the body's steering.
    virtual int32_t SetSpeed(uint32_t id, float speed) = 0;
    // The length of the velocity.
    virtual int32_t GetSpeed(uint32_t id, float* speed) = 0;
    // The largest speed the body keeps after each sub-step; 0 for none.
    virtual int32_t SetMaxSpeed(uint32_t id, float speed) = 0;
    // A box the body's centre stays in after each sub-step (each lower bound at most its
    // upper one); motion out of the box stops at its side.
    virtual int32_t SetLimit(uint32_t id, float x1, float y1, float z1, float x2, float y2, float z2) = 0;
    // How far the body moved during the last MoveObjects (dz is 0), and the length of that.
    virtual int32_t GetMoveVector(uint32_t id, float* dx, float* dy, float* dz) = 0;
    virtual int32_t GetMoveDistance(uint32_t id, float* distance) = 0;

    // --- turning (degrees) ---

    // The body's heading in the plane, 0 to below 360.
    virtual int32_t GetAngle(uint32_t id, float* angle) = 0;
    virtual int32_t SetAngle(uint32_t id, float angle) = 0;
    // Turns by angle about an axis: 2 (z) turns the body in the plane; 0 (x) and 1 (y) turn
    // rotations that are carried and not simulated. Other axes are a BAD_VALUE.
    virtual int32_t Rotate(uint32_t id, int32_t axis, float angle) = 0;
    // The rotations about x, y and z, each 0 to below 360; z is the heading.
    virtual int32_t GetRotationX(uint32_t id, float* angle) = 0;
    virtual int32_t GetRotationY(uint32_t id, float* angle) = 0;
    virtual int32_t GetRotationZ(uint32_t id, float* angle) = 0;

    // --- properties ---

    // Circle radius rx, or box half sizes rx and ry; rz is checked and not simulated. rx (and
    // ry for a box) must be above 0, none may be negative. The mass stays.
    virtual int32_t SetRadius(uint32_t id, float rx, float ry, float rz) = 0;
    // Mass above 0 makes the body dynamic with that mass; mass 0 makes it static.
    virtual int32_t SetMass(uint32_t id, float mass) = 0;
    // Restitution, 0 (no bounce) to 1 (full bounce); more than 1 is held at 1.
    virtual int32_t SetRigid(uint32_t id, float rigid) = 0;
    // Linear damping: the share of its speed the body loses each second, about (0 at first).
    virtual int32_t SetDispersion(uint32_t id, float value) = 0;
    // Friction, restitution (as SetRigid), linear damping and angular damping.
    virtual int32_t SetBodyProperties(uint32_t id, float friction, float restitution, float linearDamping,
                                      float angularDamping) = 0;
    // Velocity (vx, vy; vz checked and not simulated), turning speed in degrees a second,
    // and the share of the world's gravity the body falls with (1 at first).
    virtual int32_t SetBodyDynamics(uint32_t id, float vx, float vy, float vz, float turnSpeed,
                                    float gravityScale) = 0;
    // One of COLLIDE_SOLID, COLLIDE_SENSOR, COLLIDE_NONE.
    virtual int32_t SetCollisionType(uint32_t id, uint32_t type) = 0;
    // A body always active never falls asleep (resting bodies sleep until something touches
    // them, and then report speed 0).
    virtual int32_t SetAlwaysActive(uint32_t id, bool on) = 0;
    // active: whether the body takes part in the simulation (an inactive one neither moves
    // nor touches). steering: whether its steering runs (the order is kept while it does not).
    virtual int32_t SetActive(uint32_t id, bool active, bool steering) = 0;

    // --- forces ---

    // A force that acts at the body's centre at every sub-step until it is set again.
    virtual int32_t SetForce(uint32_t id, float fx, float fy, float fz) = 0;
    // A force that acts through the next MoveObjects only, at the centre or at a world point
    // (which also turns the body); fz and pz are checked and not simulated.
    virtual int32_t AddForce(uint32_t id, float fx, float fy, float fz) = 0;
    virtual int32_t AddForceAt(uint32_t id, float fx, float fy, float fz, float px, float py, float pz) = 0;
    // An attractor pulls every other dynamic body towards itself with the acceleration
    // g × its mass / distance², the distance held at no less than the two sizes added.
    virtual int32_t SetGravityCenter(uint32_t id, bool on) = 0;
    // The attractor's g (1,000,000 at first: a mass of 1 pulls with 100 pixels a second
    // squared at 100 pixels).
    virtual int32_t SetG(uint32_t id, double g) = 0;
    // on: body other pulls body id (alone) with other's g, attractor or not; off: stops it.
    virtual int32_t AddGravityEx(uint32_t id, uint32_t other, bool on) = 0;

    // --- collisions ---

    // Whether the body touched any body, or body other, during the last MoveObjects.
    virtual int32_t GetCollision(uint32_t id, bool* colliding) = 0;
    virtual int32_t GetCollision(uint32_t id, uint32_t other, bool* colliding) = 0;
    // The ids of the bodies it touched then, in increasing order.
    virtual int32_t GetAllCollisions(uint32_t id, const IVector<uint32_t>** ids) = 0;

    // --- joints: a pin through two bodies, named after its first body ---

    // Pins bodies id and other together at the world point (x, y); z is checked. collide:
    // non-zero lets the two bodies touch each other. The turn of other against id stays
    // within minAngle to maxAngle (radians) while limit is non-zero. motorSpeed (radians a
    // second) drives the pin when not 0; maxTorque is the motor's strength (0: strong
    // enough for bodies of any usual mass). A joint of the same name is replaced.
    virtual int32_t Join(uint32_t id, uint32_t other, float x, float y, float z, float collide, float minAngle,
                         float maxAngle, float motorSpeed, float maxTorque, float limit) = 0;
    // The same joint; the WORLD object hands its values over unconverted.
    virtual int32_t Join2(uint32_t id, uint32_t other, float x, float y, float z, float collide, float minAngle,
                          float maxAngle, float motorSpeed, float maxTorque, float limit) = 0;
    // Takes joint id away (UNKNOWN_ID when there is none).
    virtual int32_t Break(uint32_t id) = 0;
    // Drives joint id until the turn of its second body reaches angle (radians).
    virtual int32_t JointSteer(uint32_t id, float angle) = 0;
    // Drives joint id at a steady speed (radians a second).
    virtual int32_t JointSpeed(uint32_t id, float speed) = 0;

    // --- paths ---
    //
    // Each body has three lists of points: its path points (AddToPath), its route (way
    // points, AddWayPoint) and its found path (FindPath). The world has the mesh: way points
    // that all bodies share, each joined to every other one that it sees (the line between
    // them crosses no body that blocks the mesh). z of points is checked and not used.
    //
    // Steering: the operations that steer (Follow, MoveTo, MoveToPath, FollowPath,
    // FollowRoute, GotoPath, FindPath with go) give the body a steering order and write the
    // distance left along it. At every sub-step the world then sets the body's velocity
    // towards its next point at the order's speed (no faster than the body's largest
    // speed, and no further than the point); within the arrival radius (at least a twentieth
    // of a pixel) it takes the next point, and after the last one the body stops and the order
    // ends. A new order replaces the old one; following the same list again goes on from
    // where it was.

    // Steers to a point, slowing down inside slowRadius (0: never).
    virtual int32_t Follow(uint32_t id, float x, float y, float z, float speed, float arrivalRadius, float slowRadius,
                           float* distance) = 0;
    // Steers to a point.
    virtual int32_t MoveTo(uint32_t id, float x, float y, float z, float speed, float arrivalRadius,
                           float* distance) = 0;
    // Path points.
    virtual int32_t AddToPath(uint32_t id, float x, float y, float z) = 0;
    // Steers along the path points; loop non-zero starts again at the first after the last.
    virtual int32_t FollowPath(uint32_t id, float speed, float arrivalRadius, float loop, float* distance) = 0;
    // Steers straight to path point number index (a whole number from 0).
    virtual int32_t MoveToPath(uint32_t id, float index, float speed, float* distance) = 0;
    // Way points of the route.
    virtual int32_t AddWayPoint(uint32_t id, float x, float y, float z) = 0;
    virtual int32_t RemoveWayPoint(uint32_t id, uint32_t index) = 0;
    // Steers along the route.
    virtual int32_t FollowRoute(uint32_t id, float speed, float arrivalRadius, float* distance) = 0;
    // Which path point the body takes next (index up to the number of points), and whether
    // its steering runs (as SetActive).
    virtual int32_t SetActivePath(uint32_t id, uint32_t index, bool steering) = 0;
    // Mesh way point number id at a point, or where body id stands; a number in use moves
    // its way point.
    virtual int32_t AddMeshWayPoint(uint32_t id) = 0;
    virtual int32_t AddMeshWayPoint(uint32_t id, float x, float y, float z) = 0;
    // Whether FindPath may lead the body over the mesh (on at first); without it a path is
    // only the straight line to the goal.
    virtual int32_t EnableMesh(uint32_t id, bool on) = 0;
    virtual int32_t IsMeshEnabled(uint32_t id, bool* on) = 0;
    // Whether the body blocks the lines of the mesh and of found paths (at first: static
    // solid bodies do, the others do not).
    virtual int32_t CollideMesh(uint32_t id, bool on) = 0;
    virtual int32_t IsMeshColliding(uint32_t id, bool* on) = 0;
    // Finds the shortest path (A*) from the body over the mesh to a goal: body target when
    // the world has it and it is not the body itself, else the point (x, y). go: the body
    // steers along it at once, at its largest speed or else 100 pixels a second. No path
    // leaves an empty found path, and IsAtGoal then reports GOAL_NO_PATH.
    virtual int32_t FindPath(uint32_t id, uint32_t target, float x, float y, float z, bool go) = 0;
    // Steers along the found path (NO_PATH when there is none).
    virtual int32_t GotoPath(uint32_t id, float speed, float* distance) = 0;
    // What happened to the body's found path since the last question: GOAL_REACHED when it
    // arrived at its end, GOAL_NO_PATH when FindPath found none, else GOAL_NONE. Each
    // report is given once.
    virtual int32_t IsAtGoal(uint32_t id, uint32_t* state) = 0;
};
