#include "graphics/CCollisionInspector.h"

#include "graphics/CCollisionObserver.h"
#include "graphics/CGraphicsObject.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

CMonitoredObject::CMonitoredObject(CCollisionInspector* inspector, CGraphicsObject* object, bool alphaTest)
    : inspector_(inspector)
    , object_(object)
    , alphaTest_(alphaTest)
{
}

void CMonitoredObject::addCollision(CGraphicsObject* other)
{
    if (isColliding(other))
        return;
    collisions_.push_back(other);
    if (CMonitoredObject* partner = inspector_->recordOf(other))
        partners_.push_back(partner);
}

void CMonitoredObject::removeCollision(CGraphicsObject* other)
{
    std::erase(collisions_, other);
    std::erase_if(partners_, [other](const CMonitoredObject* partner) { return partner->object_ == other; });
}

CCollisionInspector::~CCollisionInspector()
{
    for (CMonitoredObject* record : monitored_) {
        if (record->object_ != nullptr)
            record->object_->collisionRecord_ = nullptr;
        delete record;
    }
}

void CCollisionInspector::addMonitoredObject(CGraphicsObject* object, bool alphaTest)
{
    if (object == nullptr || (object->collisionRecord_ != nullptr && object->collisionRecord_->inspector_ != this))
        return;
    if (CMonitoredObject* existing = find(object)) {
        existing->setActive(true);
        return;
    }
    auto* record = new CMonitoredObject(this, object, alphaTest);
    // Objects that ended monitoring stay listed by their partners; monitored again, they are
    // partners again.
    for (CMonitoredObject* partner : monitored_)
        if (partner->isColliding(object))
            partner->partners_.push_back(record);
    monitored_.push_back(record);
    byObject_.emplace(object, record);
    object->collisionRecord_ = record;
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
    const auto found = byObject_.find(object);
    return found != byObject_.end() ? found->second : nullptr;
}

CMonitoredObject* CCollisionInspector::recordOf(CGraphicsObject* object) const
{
    CMonitoredObject* record = object != nullptr ? object->collisionRecord_ : nullptr;
    return record != nullptr && record->inspector_ == this ? record : nullptr;
}

void CCollisionInspector::onPositionChanged(CGraphicsObject* object)
{
    CMonitoredObject* record = recordOf(object);
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
    // The plane's own sides: its rows are that long whatever the raster reports as its size.
    const unsigned char* alpha = b->GetAlphaPtr();
    const int width = b->width_;
    const int height = b->height_;
    if (alpha == nullptr || b->isPacked() || width <= 0 || height <= 0 || b->GetAlphaSize() < width * height
        || boxB.Width() <= 0 || boxB.Height() <= 0)
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
    const auto within = [](int value, int low, int size) {
        return static_cast<unsigned>(value) - static_cast<unsigned>(low) < static_cast<unsigned>(size);
    };
    for (const CXPoint& p : points)
        if (within(p.x, boxB.left, boxB.Width()) && within(p.y, boxB.top, boxB.Height()) && within(p.x, origin.x, width)
            && within(p.y, origin.y, height) && alpha[(p.y - origin.y) * width + (p.x - origin.x)] != 0)
            return true;
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
    if (boxesStale_)
        refreshBoxes();
    const size_t at = mover->index_;
    const CXRect a(boxes_.left[at], boxes_.top[at], boxes_.right[at], boxes_.bottom[at]);
    // Observers may add records, end monitoring, destroy or move objects: records stay in place
    // until the tick ends, so indices hold, and the objects still to test are found again
    // whenever the boxes changed.
    size_t next = 0;
    size_t position = 0;
    bool collected = false;
    while (mover->isActive()) {
        if (boxesStale_ || !collected) {
            if (boxesStale_)
                refreshBoxes();
            collectCandidates(mover, a, next);
            position = 0;
            collected = true;
        }
        if (position == candidates_.size())
            return;
        const size_t j = candidates_[position++];
        next = j + 1;
        CMonitoredObject* other = monitored_[j];
        if (other == mover || !other->isActive() || other->object_ == object)
            continue;
        const CXRect b(boxes_.left[j], boxes_.top[j], boxes_.right[j], boxes_.bottom[j]);
        const bool overlaps = std::max(a.left, b.left) < std::min(a.right, b.right)
                              && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
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

void CCollisionInspector::collectCandidates(const CMonitoredObject* mover, const CXRect& a, size_t from)
{
    // Only pairs whose boxes overlap, or that collided until now, can change.
    candidates_.clear();
    const size_t count = monitored_.size();
    const size_t at = mover->index_;
    if (boxes_.left[at] == a.left && boxes_.top[at] == a.top && boxes_.right[at] == a.right && boxes_.bottom[at] == a.bottom) {
        for (uint32_t j : neighbours_[at])
            if (j >= from)
                candidates_.push_back(j);
    } else {
        // An observer moved the mover itself: its box as it was when its test began still holds.
        for (size_t j = from; j < count; ++j)
            if (overlaps(a, j))
                candidates_.push_back(j);
    }
    // Partners whose boxes no longer overlap are the only ones missing.
    const size_t overlapping = candidates_.size();
    for (const CMonitoredObject* partner : mover->partners_)
        if (partner->index_ >= from && partner->index_ < count && !overlaps(a, partner->index_))
            candidates_.push_back(partner->index_);
    if (candidates_.size() > overlapping)
        std::sort(candidates_.begin(), candidates_.end());
}

void CCollisionInspector::findNeighbours()
{
    // Boxes in the order of their left sides; each box overlaps only boxes that start before
    // its right side, and each pair is found once.
    const size_t count = monitored_.size();
    if (byLeft_.size() != count) {
        byLeft_.resize(count);
        for (size_t i = 0; i < count; ++i)
            byLeft_[i] = static_cast<uint32_t>(i);
    }
    const int* left = boxes_.left.data();
    // The boxes moved a little since the last order: an insertion sort puts it right quickly.
    for (size_t k = 1; k < count; ++k) {
        const uint32_t index = byLeft_[k];
        size_t m = k;
        for (; m > 0 && left[byLeft_[m - 1]] > left[index]; --m)
            byLeft_[m] = byLeft_[m - 1];
        byLeft_[m] = index;
    }
    neighbours_.resize(count);
    for (std::vector<uint32_t>& list : neighbours_)
        list.clear();
    const int* top = boxes_.top.data();
    const int* right = boxes_.right.data();
    const int* bottom = boxes_.bottom.data();
    const uint32_t* order = byLeft_.data();
    for (size_t k = 0; k < count; ++k) {
        const uint32_t i = order[k];
        const int rightI = right[i];
        const int topI = top[i];
        const int bottomI = bottom[i];
        if (left[i] == INT_MAX)
            break;
        for (size_t m = k + 1; m < count && left[order[m]] < rightI; ++m) {
            const uint32_t j = order[m];
            if (topI < bottom[j] && top[j] < bottomI) {
                neighbours_[i].push_back(j);
                neighbours_[j].push_back(i);
            }
        }
    }
    for (std::vector<uint32_t>& list : neighbours_)
        std::sort(list.begin(), list.end());
}

void CCollisionInspector::refreshBoxes()
{
    const size_t count = monitored_.size();
    for (std::vector<int>* side : {&boxes_.left, &boxes_.top, &boxes_.right, &boxes_.bottom})
        side->resize(count);
    for (size_t i = 0; i < count; ++i) {
        CMonitoredObject* record = monitored_[i];
        record->index_ = i;
        const CXRect box = record->isActive() ? record->object_->GetBoundingBox() : CXRect();
        const bool empty = box.left >= box.right || box.top >= box.bottom;
        // An empty box overlaps nothing.
        boxes_.left[i] = empty ? INT_MAX : box.left;
        boxes_.top[i] = empty ? INT_MAX : box.top;
        boxes_.right[i] = empty ? INT_MIN : box.right;
        boxes_.bottom[i] = empty ? INT_MIN : box.bottom;
    }
    findNeighbours();
    boxesStale_ = false;
}

void CCollisionInspector::onObjectDestroyed(CGraphicsObject* object)
{
    CMonitoredObject* record = recordOf(object);
    if (record == nullptr)
        return;
    for (CMonitoredObject* partner : monitored_)
        partner->removeCollision(object);
    object->collisionRecord_ = nullptr;
    byObject_.erase(object);
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
    // A partner that is no longer monitored keeps the object in its list, not the record.
    for (CMonitoredObject* record : monitored_)
        std::erase_if(record->partners_, isDropped);
    for (CMonitoredObject* record : dropped) {
        if (record->object_ != nullptr) {
            record->object_->collisionRecord_ = nullptr;
            byObject_.erase(record->object_);
        }
        delete record;
    }
    boxesStale_ = true;
}
