#include "graphics/CHotSpot.h"

#include "foundation/CXVector.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/GraphicsUnit.h"
#include "graphics/GraphicsWindow.h"

#include <algorithm>
#include <climits>

CXVector* CHotSpot::list_ = nullptr;
GraphicsWindow* CHotSpot::window_ = nullptr;
int CHotSpot::minPriority_ = 0;
int CHotSpot::maxPriority_ = 10000000;
uint64_t CHotSpot::nextSerial_ = 0;
uint64_t CHotSpot::listChanges_ = 0;
uint64_t CHotSpot::shapeChanges_ = 0;
CHotSpot::Reaches CHotSpot::reaches_;
std::vector<CHotSpot*> CHotSpot::overSpots_;
CHotSpot::ReachStamp CHotSpot::reachesTaken_;

CHotSpot::CHotSpot(GraphicsWindow* window)
    : serial_(nextSerial_++)
{
    initialize(window);
    add(this);
}

CHotSpot::CHotSpot(GraphicsWindow* window, _event event, int param)
    : CHotSpot(window)
{
    event_ = event;
    param_ = param;
}

CHotSpot::CHotSpot(GraphicsWindow* window, CHotSpot* other, _event event, int param, CMC_Button* button)
    : serial_(nextSerial_++)
    , param_(param)
    , event_(event)
    , button_(button)
{
    initialize(window);
    if (other == nullptr)
        add(this);
}

CHotSpot::CHotSpot(const CHotSpot& other)
    : CXObject(other)
    , serial_(nextSerial_++)
{
    *this = other;
}

CHotSpot& CHotSpot::operator=(const CHotSpot& other)
{
    CXObject::operator=(other);
    ++shapeChanges_;
    parent_ = other.parent_;
    id_ = other.id_;
    activeRect_ = other.activeRect_;
    object_ = other.object_;
    param_ = other.param_;
    event_ = other.event_;
    enabled_ = other.enabled_;
    cursor_ = other.cursor_;
    setOver(other.over_);
    unit_ = other.unit_;
    priority_ = other.priority_;
    button_ = other.button_;
    return *this;
}

CHotSpot::~CHotSpot()
{
    setOver(false);
    remove(this);
}

void CHotSpot::setOver(bool over)
{
    if (over == over_)
        return;
    over_ = over;
    if (over)
        overSpots_.push_back(this);
    else
        std::erase(overSpots_, this);
}

void CHotSpot::initialize(GraphicsWindow* window)
{
    if (window_ == nullptr)
        window_ = window;
    if (list_ == nullptr)
        list_ = new CXVector(101, 0.75f);
}

void CHotSpot::done()
{
    delete list_;
    list_ = nullptr;
    window_ = nullptr;
    ++listChanges_;
}

bool CHotSpot::add(CHotSpot* spot)
{
    if (list_ != nullptr)
        list_->add(spot);
    ++listChanges_;
    return true;
}

bool CHotSpot::remove(CHotSpot* spot)
{
    if (list_ != nullptr)
        list_->remove(spot);
    ++listChanges_;
    return true;
}

int CHotSpot::Set(CGraphicsObject* object, _event, int)
{
    object_ = object;
    activeRect_ = CXRect();
    ++shapeChanges_;
    return 0;
}

int CHotSpot::SetActiveRect(CXRect rect, _event, int)
{
    activeRect_ = rect;
    object_ = nullptr;
    ++shapeChanges_;
    return 0;
}

bool CHotSpot::TestHit(CXPoint p)
{
    if (!enabled_)
        return false;
    if (activeRect_.Width() != 0 && activeRect_.Height() != 0)
        return activeRect_.IsInRect(p);
    return object_ != nullptr && object_->testHit(p);
}

void CHotSpot::Enable(bool enabled)
{
    if (enabled_ && !enabled && !over_ && cursor_)
        showMainCursor();
    enabled_ = enabled;
}

int CHotSpot::getPriority()
{
    if (object_ == nullptr)
        return priority_;
    CRefreshScreen* screen = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr;
    return screen != nullptr ? screen->GetPriority(object_) : -1;
}

void CHotSpot::showMainCursor()
{
    if (window_ != nullptr)
        window_->EndWaitCursor();
}

bool CHotSpot::withinPriorityWindow()
{
    const int priority = getPriority();
    return priority >= minPriority_ && priority <= maxPriority_;
}

bool CHotSpot::unitAllows()
{
    return unit_ == nullptr || unit_->isActive();
}

CHotSpot::Snapshot CHotSpot::snapshot(bool onlyOver)
{
    Snapshot taken{{}, listChanges_};
    if (list_ == nullptr || (onlyOver && overSpots_.empty()))
        return taken;
    for (int i = 0; i < list_->getCount(); ++i) {
        auto* spot = static_cast<CHotSpot*>(list_->at(i));
        if (!onlyOver || std::ranges::find(overSpots_, spot) != overSpots_.end())
            taken.spots.emplace_back(spot, spot->serial_);
    }
    return taken;
}

bool CHotSpot::isLive(const Snapshot& taken, const std::pair<CHotSpot*, uint64_t>& entry)
{
    if (taken.listChanges == listChanges_)
        return true;
    return list_ != nullptr && list_->contains(entry.first) && entry.first->serial_ == entry.second;
}

CXRect CHotSpot::reach()
{
    if (activeRect_.Width() != 0 && activeRect_.Height() != 0)
        return activeRect_;
    if (object_ == nullptr)
        return CXRect();
    if (!object_->keepsToOwnBox())
        return {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    return object_->ownBox();
}

const CHotSpot::Reaches& CHotSpot::reaches()
{
    const ReachStamp now{listChanges_, shapeChanges_, CGraphicsObject::geometryChanges()};
    if (now == reachesTaken_)
        return reaches_;
    reaches_.boxes.clear();
    reaches_.spots.clear();
    for (int i = 0; i < list_->getCount(); ++i) {
        auto* spot = static_cast<CHotSpot*>(list_->at(i));
        reaches_.boxes.push_back(spot->reach());
        reaches_.spots.push_back(spot);
    }
    reachesTaken_ = now;
    return reaches_;
}

CHotSpot* CHotSpot::findAt(CXVector* list, CXPoint p)
{
    if (list == nullptr)
        return nullptr;
    // Over a copy: a spot's own priority may be worked out by a subclass.
    std::vector<CHotSpot*> spots;
    // The far edges of the plane lie outside even the unbounded reaches: there every spot is
    // tested.
    if (list == list_ && p.x != INT_MAX && p.y != INT_MAX) {
        const Reaches& known = reaches();
        for (size_t i = 0; i < known.boxes.size(); ++i)
            if (known.boxes[i].IsInRect(p))
                spots.push_back(known.spots[i]);
    } else {
        spots.reserve(static_cast<size_t>(list->getCount()));
        for (int i = 0; i < list->getCount(); ++i)
            spots.push_back(static_cast<CHotSpot*>(list->at(i)));
    }
    CHotSpot* best = nullptr;
    int bestPriority = -1;
    for (CHotSpot* spot : spots) {
        if (!spot->TestHit(p) || !spot->unitAllows() || !spot->enabled_)
            continue;
        const int priority = spot->getPriority();
        if (priority < minPriority_ || priority > maxPriority_)
            continue;
        if (priority > bestPriority) {
            best = spot;
            bestPriority = priority;
        }
    }
    return best;
}

int CHotSpot::OnMouseEvent(int kind, CXPoint p, int value)
{
    switch (kind) {
    case EVENT_MOUSEMOVE: return dispatchMove(p, value);
    case EVENT_LBUTTONDOWN: return dispatchLeftButton(p, value, true);
    case EVENT_LBUTTONUP: return dispatchLeftButton(p, value, false);
    case EVENT_RBUTTONDOWN: return dispatchRightButton(p, value);
    case EVENT_RBUTTONUP:
    case EVENT_MBUTTONDOWN:
    case EVENT_MBUTTONUP:
    case EVENT_LBUTTONDBLCLK: return 0;
    default: return value;
    }
}

int CHotSpot::OnChar(int, int)
{
    return 0;
}

int CHotSpot::dispatchMove(CXPoint p, int value)
{
    if (list_ == nullptr)
        return 0;
    int result = 0;
    // Only a spot that the pointer is over can be left.
    const Snapshot over = snapshot(true);
    for (const auto& entry : over.spots) {
        if (!isLive(over, entry))
            continue;
        CHotSpot* spot = entry.first;
        if (!spot->enabled_ || !spot->over_ || !spot->withinPriorityWindow() || spot->TestHit(p))
            continue;
        if (spot->cursor_)
            showMainCursor();
        spot->setOver(false);
        result = spot->OnFocusOff(p, value, spot->parent_);
        if (result > 0)
            break;
    }
    CHotSpot* hit = findAt(list_, p);
    if (hit == nullptr || !hit->TestHit(p))
        return result;
    if (hit->unitAllows() && hit->cursor_ && window_ != nullptr)
        window_->BeginActiveCursor();
    if (!hit->enabled_)
        return result;
    if (hit->over_)
        return hit->OnMouseMove(p, value, hit->parent_);
    hit->setOver(true);
    const Snapshot entered{{{hit, hit->serial_}}, listChanges_};
    hit->OnMouseMove(p, value, hit->parent_);
    // The move may have deleted the spot it entered.
    return isLive(entered, entered.spots.front()) ? hit->OnFocusOn(p, value, hit->parent_) : 0;
}

int CHotSpot::dispatchLeftButton(CXPoint p, int value, bool down)
{
    CHotSpot* hit = findAt(list_, p);
    if (hit == nullptr || !hit->enabled_ || !hit->TestHit(p))
        return 0;
    // A release makes the next move over the spot count as entering it again.
    hit->setOver(down);
    return down ? hit->OnLButtonDown(p, value, hit->parent_) : hit->OnLButtonUp(p, value, hit->parent_);
}

int CHotSpot::dispatchRightButton(CXPoint p, int value)
{
    int result = 0;
    const Snapshot all = snapshot(false);
    for (const auto& entry : all.spots) {
        if (!isLive(all, entry))
            continue;
        CHotSpot* spot = entry.first;
        if (!spot->enabled_ || !spot->TestHit(p))
            continue;
        if (spot->cursor_)
            showMainCursor();
        spot->setOver(true);
        result = spot->OnRButtonDown(p, value, spot->parent_);
        if (result > 0)
            break;
    }
    return result;
}
