#pragma once

class CGraphicsObject;

// Told by the collision inspector when two monitored objects start or stop overlapping; the
// object that moved comes first.
class CCollisionObserver {
public:
    CCollisionObserver() = default;
    CCollisionObserver(const CCollisionObserver&) = default;
    CCollisionObserver& operator=(const CCollisionObserver&) { return *this; }
    virtual ~CCollisionObserver() = default;

    virtual void onCollision(CGraphicsObject* mover, CGraphicsObject* other) = 0;
    virtual void onCollisionFinished(CGraphicsObject* mover, CGraphicsObject* other) = 0;
};
