#pragma once

class CGraphicsObject;

// Told by the collision inspector when a monitored picture begins and stops touching another;
// the first argument is the one that moved.
class CCollisionObserver {
public:
    CCollisionObserver() = default;
    CCollisionObserver(const CCollisionObserver&) = default;
    CCollisionObserver& operator=(const CCollisionObserver&) { return *this; }
    virtual ~CCollisionObserver() = default;

    virtual void onCollision(CGraphicsObject* moved, CGraphicsObject* other) = 0;
    virtual void onCollisionFinished(CGraphicsObject* moved, CGraphicsObject* other) = 0;
};
