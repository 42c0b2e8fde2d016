#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXRect.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

class CCollisionInspector;
class CCollisionObserver;
class CGraphicsObject;

// One monitored graphics object of the collision inspector, with the objects it overlaps now.
class CMonitoredObject {
public:
    CMonitoredObject(CCollisionInspector* inspector, CGraphicsObject* object, bool alphaTest);

    // None once the object was destroyed.
    CGraphicsObject* getObject() const { return object_; }
    bool hasAlphaTest() const { return alphaTest_; }
    bool isMoved() const { return (flags_ & kMoved) != 0; }
    void setMoved() { flags_ |= kMoved; }
    void clearMoved() { flags_ &= ~kMoved; }
    // Monitoring ended, or the object is gone.
    bool isActive() const { return active_ && object_ != nullptr; }
    void setActive(bool active) { active_ = active; }

    bool isColliding(CGraphicsObject* other) const
    {
        for (CGraphicsObject* partner : collisions_)
            if (partner == other)
                return true;
        return false;
    }
    bool hasCollisions() const { return !collisions_.empty(); }
    // Listed once, however often added.
    void addCollision(CGraphicsObject* other);
    void removeCollision(CGraphicsObject* other);

private:
    friend class CCollisionInspector;
    friend class CGraphicsObject;
    static constexpr int kMoved = 1;

    CCollisionInspector* inspector_;
    CGraphicsObject* object_;
    bool alphaTest_;
    int flags_ = 0;
    std::vector<CGraphicsObject*> collisions_;
    // The records of the partners that are monitored, for the tick's look-ups.
    std::vector<CMonitoredObject*> partners_;
    bool active_ = true;
    // The record's place in the inspector's list, as of the last look at the boxes.
    size_t index_ = 0;
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
    // stays as it was first given. An object monitored by another inspector is refused.
    void addMonitoredObject(CGraphicsObject* object, bool alphaTest);
    // Ends monitoring without telling anyone: partners keep listing the object until they
    // move apart from it. The record goes at the first tick that finds it moved.
    void removeMonitoredObject(CGraphicsObject* object);
    // Observers are told in the order they came, each once.
    void addNotifier(CCollisionObserver* observer);
    void removeNotifier(CCollisionObserver* observer);
    bool hasNotifier(CCollisionObserver* observer) const
    {
        return std::find(notifiers_.begin(), notifiers_.end(), observer) != notifiers_.end();
    }

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

    // Also for an object that is gone: the pointer is only compared.
    CMonitoredObject* find(CGraphicsObject* object) const;
    int getMovedCount() const { return static_cast<int>(moved_.size()); }

private:
    friend class CGraphicsObject;
    friend class CMonitoredObject;
    // The record of a live object, read from the object itself.
    CMonitoredObject* recordOf(CGraphicsObject* object) const;
    // A destroyed object leaves at once, also from its partners' lists; no one is told.
    void onObjectDestroyed(CGraphicsObject* object);
    void testMover(CMonitoredObject* mover);
    // The places, from `from` on, of the records whose boxes overlap box a or whose objects
    // the mover collides with, in order.
    void collectCandidates(const CMonitoredObject* mover, const CXRect& a, size_t from);
    // Whether the boxes share an area (a box without one shares none).
    bool overlaps(const CXRect& box, size_t j) const
    {
        return box.left < boxes_.right[j] && boxes_.left[j] < box.right && box.top < boxes_.bottom[j]
               && boxes_.top[j] < box.bottom;
    }
    // For each record, the records whose boxes overlap its box, in order.
    void findNeighbours();
    void refreshBoxes();
    // Deletes the records that the predicate picks, taking them out of every list.
    template <typename Predicate>
    void dropRecords(Predicate pick);

    std::vector<CMonitoredObject*> monitored_;
    std::unordered_map<CGraphicsObject*, CMonitoredObject*> byObject_;
    std::vector<CCollisionObserver*> notifiers_;
    std::vector<CMonitoredObject*> moved_;
    // The monitored objects' boxes side by side, taken once per tick and again after a move
    // during it; empty boxes never overlap.
    struct Boxes {
        std::vector<int> left;
        std::vector<int> top;
        std::vector<int> right;
        std::vector<int> bottom;
    } boxes_;
    std::vector<uint32_t> byLeft_;
    std::vector<std::vector<uint32_t>> neighbours_;
    std::vector<size_t> candidates_;
    bool boxesStale_ = true;
    bool ticking_ = false;
};
