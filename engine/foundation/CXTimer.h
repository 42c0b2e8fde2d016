#pragma once

#include "foundation/CXObject.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class FoundationWindow;

// A plain target of a polled timer.
class CTimerNotificator {
public:
    virtual ~CTimerNotificator() = default;
    virtual void onTimer(int id) = 0;
};

// One registered timer: an id chosen by the registrant (not unique), its interval and
// exactly one target.
// A target whose ticks may wait while it is not shown: a screen unit.
class CTimerUnit : public CTimerNotificator {
public:
    virtual bool isActive() = 0;
    virtual bool wasInitiallyUpdated() = 0;
};

class CTimerObject : public CXObject {
public:
    CTimerObject(int id, uint32_t interval, uint32_t now);

    int getId() const { return id_; }
    uint32_t getInterval() const { return interval_; }
    uint64_t getFireCount() const { return fireCount_; }

private:
    friend class CXTimer;

    int32_t id_;
    uint32_t interval_;
    uint64_t fireCount_ = 0;
    uint32_t last_;
    uint32_t pausedElapsed_ = 0;
    CTimerUnit* unit_ = nullptr;
    CTimerNotificator* notificator_ = nullptr;
    bool checkActive_ = true;
    bool removed_ = false;
};

// The engine window's timer list. Nothing runs by itself: the window polls it once per
// frame, and each due timer calls its target at once, on the main thread. Times are the
// platform's 32-bit millisecond ticks, compared wrap-safely.
class CXTimer : public CXObject {
public:
    explicit CXTimer(FoundationWindow* window);
    ~CXTimer() override;
    CXTimer(const CXTimer&) = delete;
    CXTimer& operator=(const CXTimer&) = delete;

    // An id for a registrant that has none of its own: negative and never INT_MIN, so it
    // cannot meet the ids of screen units (small, non-negative) or of the deferred-delete
    // bin (INT_MIN); given again only after every other such id has been.
    static int allocateId();

    void add(int id, unsigned int interval, CTimerNotificator* target);
    // With checkActive the unit is called only while it is active and initially updated.
    void add(int id, unsigned int interval, CTimerUnit* target, bool checkActive);

    // The first timer registered with this id, removed or not; nullptr when none.
    CTimerObject* find(int id);
    // Marks the first timer with this id; the next poll deletes it without firing it.
    void remove(int id);
    // The interval of the first timer with this id starts again now.
    void reset(int id);
    // The first timer with this id fires every `interval` from now on; no timer: nothing.
    void setInterval(int id, unsigned int interval);

    // One poll: every due timer fires once, however late it is. Timers added by a
    // handler are first seen at the next poll. Returns 0.
    int domodal();
    // The tick at which the next poll has a timer to fire, the current one when a timer is
    // overdue; none without timers, or while polling is off.
    std::optional<uint32_t> nextDue() const;

    // Switches polling of every timer list on or off.
    static void enable(bool on);
    // pause() keeps each timer's elapsed time; resume() restores it, so the time left to
    // the next firing is the same as at pause().
    void pause();
    void resume();

private:
    CTimerObject& append(int id, unsigned int interval);
    void fire(CTimerObject& timer);
    void deleteTimer(CTimerObject* timer);

    static bool enabled_;
    std::vector<std::unique_ptr<CTimerObject>> timers_;
};
