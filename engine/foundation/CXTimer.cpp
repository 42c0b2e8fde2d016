#include "foundation/CXTimer.h"

#include "platform/Clock.h"

#include <algorithm>
#include <climits>

bool CXTimer::enabled_ = true;

namespace {

int lastAllocatedId = 0;

} // namespace

CTimerObject::CTimerObject(int id, uint32_t interval, uint32_t now)
    : id_(id)
    , interval_(interval)
    , last_(now)
{
}

CXTimer::CXTimer(FoundationWindow*)
{
}

CXTimer::~CXTimer() = default;

CTimerObject& CXTimer::append(int id, unsigned int interval)
{
    timers_.push_back(std::make_unique<CTimerObject>(id, interval, platform::tickCount()));
    return *timers_.back();
}

int CXTimer::allocateId()
{
    if (lastAllocatedId == INT_MIN + 1)
        lastAllocatedId = 0;
    return --lastAllocatedId;
}

void CXTimer::add(int id, unsigned int interval, CTimerNotificator* target)
{
    append(id, interval).notificator_ = target;
}

void CXTimer::add(int id, unsigned int interval, CTimerUnit* target, bool checkActive)
{
    CTimerObject& timer = append(id, interval);
    timer.unit_ = target;
    timer.checkActive_ = checkActive;
}

CTimerObject* CXTimer::find(int id)
{
    for (const auto& timer : timers_)
        if (timer->id_ == id)
            return timer.get();
    return nullptr;
}

void CXTimer::remove(int id)
{
    if (CTimerObject* timer = find(id))
        timer->removed_ = true;
}

void CXTimer::reset(int id)
{
    if (CTimerObject* timer = find(id))
        timer->last_ = platform::tickCount();
}

void CXTimer::setInterval(int id, unsigned int interval)
{
    if (CTimerObject* timer = find(id))
        timer->interval_ = interval;
}

void CXTimer::deleteTimer(CTimerObject* timer)
{
    auto owned = std::find_if(timers_.begin(), timers_.end(), [timer](const auto& t) { return t.get() == timer; });
    if (owned != timers_.end())
        timers_.erase(owned);
}

void CXTimer::fire(CTimerObject& timer)
{
    ++timer.fireCount_;
    if (timer.unit_ != nullptr) {
        if (!timer.checkActive_ || (timer.unit_->isActive() && timer.unit_->wasInitiallyUpdated()))
            timer.unit_->onTimer(timer.id_);
    } else if (timer.notificator_ != nullptr) {
        timer.notificator_->onTimer(timer.id_);
    }
}

int CXTimer::domodal()
{
    if (!enabled_)
        return 0;
    std::vector<CTimerObject*> snapshot;
    snapshot.reserve(timers_.size());
    for (const auto& timer : timers_)
        snapshot.push_back(timer.get());

    for (CTimerObject* timer : snapshot) {
        if (timer->removed_) {
            deleteTimer(timer);
            continue;
        }
        // Unsigned difference: due across the 32-bit wrap of the tick count too.
        if (platform::tickCount() - timer->last_ < timer->interval_)
            continue;
        fire(*timer);
        // A handler may have removed its own timer (it is only marked) but never deletes it.
        timer->last_ = platform::tickCount();
    }
    return 0;
}

std::optional<uint32_t> CXTimer::nextDue() const
{
    if (!enabled_)
        return std::nullopt;
    platform::SoonestTick soonest(platform::tickCount());
    for (const auto& timer : timers_) {
        // A removed timer only waits to be deleted.
        if (!timer->removed_)
            soonest.add(timer->last_, timer->interval_);
    }
    return soonest.tick();
}

void CXTimer::enable(bool on)
{
    enabled_ = on;
}

void CXTimer::pause()
{
    uint32_t now = platform::tickCount();
    for (const auto& timer : timers_)
        timer->pausedElapsed_ = now - timer->last_;
}

void CXTimer::resume()
{
    uint32_t now = platform::tickCount();
    for (const auto& timer : timers_)
        timer->last_ = now - timer->pausedElapsed_;
}
