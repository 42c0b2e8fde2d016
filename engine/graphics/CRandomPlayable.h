#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "foundation/CXTimer.h"
#include "media/CPlayable.h"
#include "media/CPlayableObserver.h"

#include <cstdint>
#include <memory>
#include <vector>

class CRandomPlayable;
class GraphicsUnit;
class GraphicsWindow;

// Asked by a random player before each play and told after it. Unless told otherwise every
// play may start, and a burst ends normally.
class CRandomPlayableNotifier {
public:
    virtual ~CRandomPlayableNotifier() = default;

    // Whether the playable may play now; plays counts this one.
    virtual bool onRandomPlay(CPlayable*, int) { return true; }
    // True asks for another play at once, outside the burst's count.
    virtual bool onRandomFinished(CPlayable*, int) { return false; }
};

// One playable of a random player: it waits a random number of seconds (1 to 60 / frequency),
// then plays a burst of back-to-back plays (at least one), then waits again.
class CRandomPlayableEntry : public CXObject, public CPlayableObserver {
public:
    // Observes the playable from now on.
    CRandomPlayableEntry(CRandomPlayable* owner, CPlayable* playable, double frequency, int burstLimit,
                         const CXString& event);
    // The playable is not observed any more.
    ~CRandomPlayableEntry() override;
    CRandomPlayableEntry(const CRandomPlayableEntry&) = delete;
    CRandomPlayableEntry& operator=(const CRandomPlayableEntry&) = delete;

    virtual bool isPlaying();
    // None once the playable went or the entry was removed.
    virtual CPlayable* getPlayable() { return playable_; }
    // The plays of the current burst.
    virtual int getSeqTime() { return plays_; }
    // One second passed.
    virtual void tick();

    bool onPlayableFinished(CPlayable* playable) override;

    // Stops observing; the entry does nothing more and waits to be deleted.
    void forget();
    int getCountdown() const { return countdown_; }
    int getBurstLength() const { return burstLength_; }

private:
    // A new wait and a new burst.
    void initialize();
    // Some event of the animation, tried a few times until one starts.
    void playAnyEvent();

    CRandomPlayable* owner_;
    CPlayable* playable_;
    double frequency_;
    int32_t burstLimit_;
    int32_t countdown_ = 0;
    int32_t burstLength_ = 0;
    int32_t plays_ = 0;
    CXString event_;
};

// The random player of a screen unit: once a second every entry counts down, and a due entry
// plays when the notifiers agree. Without a notifier nothing plays. A playable that is
// destroyed leaves the player with all its entries.
class CRandomPlayable : public CXObject, public CTimerNotificator, private CPlayable::Watcher {
public:
    static constexpr unsigned kPeriodMs = 1000;

    // Runs on the window's timer list from now on; the unit that owns it registers itself
    // as a notifier when it wants plays.
    CRandomPlayable(GraphicsWindow* window, GraphicsUnit* owner);
    ~CRandomPlayable() override;
    CRandomPlayable(const CRandomPlayable&) = delete;
    CRandomPlayable& operator=(const CRandomPlayable&) = delete;

    // A new entry, also for a playable added before. An empty event plays any event of an
    // animation.
    virtual void add(CPlayable* playable, double frequency, int burstLimit, const CXString& event);
    // Removes the first entry of the playable; false when there is none.
    virtual bool remove(CPlayable* playable);
    void addNotifier(CRandomPlayableNotifier* notifier);
    void removeNotifier(CRandomPlayableNotifier* notifier);
    // Asks every notifier in turn; the last one's answer, false when there is none.
    bool notify(CRandomPlayableEntry* entry, bool starting);
    // Every entry ticks, in order.
    void onTimer(int id) override;

    // The entries in order; removed ones are gone at once or after the running round.
    const std::vector<std::unique_ptr<CRandomPlayableEntry>>& getEntries() const { return entries_; }

private:
    void onPlayableGone(CPlayable* playable) override;
    void eraseForgotten();

    CXTimer* timers_;
    int timerId_;
    std::vector<std::unique_ptr<CRandomPlayableEntry>> entries_;
    std::vector<CRandomPlayableNotifier*> notifiers_;
    // An entry's play may remove entries while the round runs; they are erased after it.
    int ticking_ = 0;
};
