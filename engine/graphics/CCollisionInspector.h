#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXRect.h"

#include <vector>

class CCollisionObserver;
class CGraphicsObject;

// One monitored graphics object of the collision inspector, with the objects it overlaps now.
class CMonitoredObject {
public:
    CMonitoredObject(CGraphicsObject* object, bool alphaTest);

    // None once the object was destroyed.
    CGraphicsObject* getObject() const { return object_; }
    bool hasAlphaTest() const { return alphaTest_; }
    bool isMoved() const { return (flags_ & kMoved) != 0; }
    void setMoved() { flags_ |= kMoved; }
    void clearMoved() { flags_ &= ~kMoved; }
    // Monitoring ended, or the object is gone.
    bool isActive() const { return active_ && object_ != nullptr; }
    void setActive(bool active) { active_ = active; }

    bool isColliding(CGraphicsObject* other) const;
    bool hasCollisions() const { return !collisions_.empty(); }
    // Listed once, however often added.
    void addCollision(CGraphicsObject* other);
    void removeCollision(CGraphicsObject* other);

private:
    friend class CCollisionInspector;
    static constexpr int kMoved = 1;

    CGraphicsObject* object_;
    bool alphaTest_;
    int flags_ = 0;
    std::vector<CGraphicsObject*> collisions_;
    bool active_ = true;
};

// Decides once per tick which monitored graphics objects started or stopped overlapping and
// tells its observers, the object that moved first. Only objects that reported a move since the
// last tick are tested, each against every other monitored object: their boxes must share an
// area, and with the mover's alpha test also one of eight points of the mover's box must fall
// on a non-transparent pixel of the other.
class CCollisionInspector : public CXObject {
public:
    // Kinds of notify.
    static constexpr int COLLISION = 1;
    static constexpr int COLLISION_FINISHED = 2;

    CCollisionInspector() = default;
    CCollisionInspector(const CCollisionInspector&) = delete;
    CCollisionInspector& operator=(const CCollisionInspector&) = delete;
    ~CCollisionInspector() override;

    CXObject* clone() override { return nullptr; }

    // A second call for the same object only makes its record active again; the alpha test
    // stays as it was first given.
    void addMonitoredObject(CGraphicsObject* object, bool alphaTest);
    // Ends monitoring without telling anyone: partners keep listing the object until they
    // move apart from it. The record goes at the first tick that finds it moved.
    void removeMonitoredObject(CGraphicsObject* object);
    // Observers are told in the order they came, each once.
    void addNotifier(CCollisionObserver* observer);
    void removeNotifier(CCollisionObserver* observer);

    // Kind 1 tells onCollision, kind 2 onCollisionFinished; other kinds nothing.
    virtual void notify(int kind, CGraphicsObject* a, CGraphicsObject* b);
    // Whether one of eight points of box a (corners and edge middles, clockwise from the
    // top-left) lies in box b on a pixel of b that is not transparent. Never for a b without an
    // alpha plane or packed.
    virtual bool checkAlphaCollision(CGraphicsObject* a, CXRect boxA, CGraphicsObject* b, CXRect boxB);
    // Queues the object's record for the next tick, once.
    virtual void onPositionChanged(CGraphicsObject* object);
    // Tests the objects that moved.
    void tick();

    CMonitoredObject* find(CGraphicsObject* object) const;
    int getMovedCount() const { return static_cast<int>(moved_.size()); }

private:
    friend class CGraphicsObject;
    // A destroyed object leaves at once, also from its partners' lists; no one is told.
    void onObjectDestroyed(CGraphicsObject* object);
    void testMover(CMonitoredObject* mover);
    void refreshBoxes();
    // Deletes the records that the predicate picks, taking them out of every list.
    template <typename Predicate>
    void dropRecords(Predicate pick);

    std::vector<CMonitoredObject*> monitored_;
    std::vector<CCollisionObserver*> notifiers_;
    std::vector<CMonitoredObject*> moved_;
    // The monitored objects' boxes, taken once per tick and again after a move during it.
    std::vector<CXRect> boxes_;
    bool boxesStale_ = true;
    bool ticking_ = false;
};
