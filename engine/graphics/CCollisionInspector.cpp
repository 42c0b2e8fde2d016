#include "graphics/CCollisionInspector.h"

#include "graphics/CCollisionObserver.h"
#include "graphics/CGraphicsObject.h"

#include <algorithm>

CMonitoredObject::CMonitoredObject(CGraphicsObject* object, bool alphaTest)
    : object_(object)
    , alphaTest_(alphaTest)
{
}

bool CMonitoredObject::isColliding(CGraphicsObject* other) const
{
    return std::find(collisions_.begin(), collisions_.end(), other) != collisions_.end();
}

void CMonitoredObject::addCollision(CGraphicsObject* other)
{
    if (!isColliding(other))
        collisions_.push_back(other);
}

void CMonitoredObject::removeCollision(CGraphicsObject* other)
{
    std::erase(collisions_, other);
}

CCollisionInspector::~CCollisionInspector()
{
    for (CMonitoredObject* record : monitored_) {
        if (record->object_ != nullptr)
            record->object_->collisionInspector_ = nullptr;
        delete record;
    }
}

void CCollisionInspector::addMonitoredObject(CGraphicsObject* object, bool alphaTest)
{
    if (object == nullptr)
        return;
    if (CMonitoredObject* existing = find(object)) {
        existing->setActive(true);
        return;
    }
    monitored_.push_back(new CMonitoredObject(object, alphaTest));
    object->collisionInspector_ = this;
    boxesStale_ = true;
}

void CCollisionInspector::removeMonitoredObject(CGraphicsObject* object)
{
    if (CMonitoredObject* record = find(object))
        record->setActive(false);
}

void CCollisionInspector::addNotifier(CCollisionObserver* observer)
{
    if (observer != nullptr && std::find(notifiers_.begin(), notifiers_.end(), observer) == notifiers_.end())
        notifiers_.push_back(observer);
}

void CCollisionInspector::removeNotifier(CCollisionObserver* observer)
{
    std::erase(notifiers_, observer);
}

CMonitoredObject* CCollisionInspector::find(CGraphicsObject* object) const
{
    for (CMonitoredObject* record : monitored_)
        if (record->object_ == object && object != nullptr)
            return record;
    return nullptr;
}

void CCollisionInspector::onPositionChanged(CGraphicsObject* object)
{
    CMonitoredObject* record = find(object);
    if (record == nullptr)
        return;
    boxesStale_ = true;
    if (record->isMoved())
        return;
    record->setMoved();
    moved_.push_back(record);
}

void CCollisionInspector::notify(int kind, CGraphicsObject* a, CGraphicsObject* b)
{
    if (kind != COLLISION && kind != COLLISION_FINISHED)
        return;
    // An observer may add or remove observers while it is told.
    const std::vector<CCollisionObserver*> round = notifiers_;
    for (CCollisionObserver* observer : round) {
        if (std::find(notifiers_.begin(), notifiers_.end(), observer) == notifiers_.end())
            continue;
        if (kind == COLLISION)
            observer->onCollision(a, b);
        else
            observer->onCollisionFinished(a, b);
    }
}

bool CCollisionInspector::checkAlphaCollision(CGraphicsObject*, CXRect boxA, CGraphicsObject* b, CXRect boxB)
{
    const unsigned char* alpha = b->GetAlphaPtr();
    const int width = b->Width();
    const int height = b->Height();
    if (alpha == nullptr || b->isPacked() || width <= 0 || height <= 0 || b->GetAlphaSize() < width * height)
        return false;
    const int x0 = boxA.left;
    const int y0 = boxA.top;
    const int w = boxA.Width();
    const int h = boxA.Height();
    const CXPoint points[] = {{x0, y0},         {x0 + w / 2, y0},         {x0 + w - 1, y0},
                              {x0 + w - 1, y0 + h / 2}, {x0 + w - 1, y0 + h - 1}, {x0 + w / 2, y0 + h - 1},
                              {x0, y0 + h - 1}, {x0, y0 + h / 2}};
    // The alpha plane starts at b's own corner, which its box leaves when the box is cut by
    // the screen's edge or b's clipping rectangle.
    const CXPoint origin = b->getRect().LeftTop();
    for (const CXPoint& p : points) {
        const int x = p.x - origin.x;
        const int y = p.y - origin.y;
        if (boxB.IsInRect(p) && x >= 0 && y >= 0 && x < width && y < height && alpha[y * width + x] != 0)
            return true;
    }
    return false;
}

void CCollisionInspector::tick()
{
    if (ticking_)
        return;
    ticking_ = true;
    // Moves reported while the movers are tested queue for the next tick.
    std::vector<CMonitoredObject*> movers;
    movers.swap(moved_);
    for (CMonitoredObject* mover : movers)
        if (mover->isActive())
            testMover(mover);
    ticking_ = false;
    dropRecords([&movers](CMonitoredObject* record) {
        return record->object_ == nullptr
               || (!record->isActive() && std::find(movers.begin(), movers.end(), record) != movers.end());
    });
}

void CCollisionInspector::testMover(CMonitoredObject* mover)
{
    // Cleared first, so that a move made by an observer while the mover is tested is tested at
    // the next tick.
    mover->clearMoved();
    CGraphicsObject* object = mover->object_;
    const CXRect a = object->GetBoundingBox();
    // Observers may add records, end monitoring or destroy objects: records stay in place
    // until the tick ends, so indices hold.
    for (size_t j = 0; j < monitored_.size() && mover->isActive(); ++j) {
        if (boxesStale_)
            refreshBoxes();
        CMonitoredObject* other = monitored_[j];
        if (other == mover || !other->isActive() || other->object_ == object)
            continue;
        const CXRect& b = boxes_[j];
        const bool overlaps = std::max(a.left, b.left) < std::min(a.right, b.right)
                              && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
        if (!overlaps && !mover->hasCollisions())
            continue;
        const bool colliding =
            overlaps && (!mover->alphaTest_ || checkAlphaCollision(object, a, other->object_, b));
        if (colliding == mover->isColliding(other->object_))
            continue;
        if (colliding) {
            mover->addCollision(other->object_);
            other->addCollision(object);
        } else {
            mover->removeCollision(other->object_);
            other->removeCollision(object);
        }
        notify(colliding ? COLLISION : COLLISION_FINISHED, object, other->object_);
    }
}

void CCollisionInspector::refreshBoxes()
{
    boxes_.resize(monitored_.size());
    for (size_t i = 0; i < monitored_.size(); ++i)
        boxes_[i] = monitored_[i]->isActive() ? monitored_[i]->object_->GetBoundingBox() : CXRect();
    boxesStale_ = false;
}

void CCollisionInspector::onObjectDestroyed(CGraphicsObject* object)
{
    CMonitoredObject* record = find(object);
    if (record == nullptr)
        return;
    for (CMonitoredObject* partner : monitored_)
        partner->removeCollision(object);
    record->object_ = nullptr;
    boxesStale_ = true;
    if (!ticking_)
        dropRecords([record](CMonitoredObject* candidate) { return candidate == record; });
}

template <typename Predicate>
void CCollisionInspector::dropRecords(Predicate pick)
{
    std::vector<CMonitoredObject*> dropped;
    for (CMonitoredObject* record : monitored_)
        if (pick(record))
            dropped.push_back(record);
    if (dropped.empty())
        return;
    const auto isDropped = [&dropped](CMonitoredObject* record) {
        return std::find(dropped.begin(), dropped.end(), record) != dropped.end();
    };
    std::erase_if(monitored_, isDropped);
    std::erase_if(moved_, isDropped);
    for (CMonitoredObject* record : dropped) {
        if (record->object_ != nullptr)
            record->object_->collisionInspector_ = nullptr;
        delete record;
    }
    boxesStale_ = true;
}
