#pragma once

#include "foundation/CXArray.h"
#include "foundation/CXObject.h"

class CCollisionObserver;
class CGraphicsObject;

// One monitored graphics object of the collision inspector.
class CMonitoredObject {
public:
    CMonitoredObject(CGraphicsObject* object, bool alphaTest);

    CGraphicsObject* getObject() const { return object_; }
    bool hasAlphaTest() const { return alphaTest_; }
    bool isMoved() const { return (flags_ & kMoved) != 0; }
    void setMoved() { flags_ |= kMoved; }
    void clearMoved() { flags_ &= ~kMoved; }
    bool isActive() const { return active_; }
    void setActive(bool active) { active_ = active; }

private:
    static constexpr int kMoved = 1;

    CGraphicsObject* object_;
    bool alphaTest_;
    int flags_ = 0;
    bool active_ = true;
};

// Decides once per tick which monitored graphics objects started or stopped overlapping;
// a monitored object reports every change of its position here.
class CCollisionInspector : public CXObject {
public:
    CCollisionInspector();
    CCollisionInspector(const CCollisionInspector&) = delete;
    CCollisionInspector& operator=(const CCollisionInspector&) = delete;
    ~CCollisionInspector() override;

    CXObject* clone() override { return nullptr; }

    // A second call for the same object only makes its record active again.
    void addMonitoredObject(CGraphicsObject* object, bool alphaTest);
    // Ends the monitoring: the record stays, inactive, until a tick finds it moved.
    void removeMonitoredObject(CGraphicsObject* object);
    // Observers are told in the order they were added; one added twice is told once.
    void addNotifier(CCollisionObserver* observer);
    void removeNotifier(CCollisionObserver* observer);
    bool hasNotifier(CCollisionObserver* observer) const { return notifiers_.contains(observer); }
    // Queues the object's record for the next tick, once.
    virtual void onPositionChanged(CGraphicsObject* object);

    CMonitoredObject* find(CGraphicsObject* object) const;
    int getMovedCount() const { return moved_.getCount(); }

private:
    CMonitoredObject* record(const CXArray& list, int i) const { return static_cast<CMonitoredObject*>(list.at(i)); }

    CXArray monitored_{101, 0.75f};
    CXArray notifiers_{101, 0.75f};
    CXArray moved_{101, 0.75f};
};
