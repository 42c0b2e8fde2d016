#pragma once

#include "foundation/CXTimer.h"
#include "script/CMC_Object.h"

class CWindow;

// The TIMER script object: "ONTICK" every ELAPSE milliseconds, at most TICKS times (0 or less:
// without limit). It ticks with the frames: an entry of the window's timer list, polled once
// per frame, so the interval counts from the end of the previous tick's handlers. While the
// timer is disabled its entry goes on firing, but nothing is counted or raised.
class CMC_Timer : public CMC_Object, private CTimerNotificator {
public:
    static constexpr int TYPE = 2007;
    static constexpr int SIGNAL_ONTICK = 3;

    // The form of compiled scenes: "temp", enabled, without an entry until its record is read.
    explicit CMC_Timer(CMC_ObjectsContainer* container);
    // From a definition: an entry only with an ELAPSE; ENABLED other than empty or "true"
    // (in any case) starts the timer disabled.
    CMC_Timer(CMC_ObjectsContainer* container, CMElement* element);
    // The entry leaves the window's timer list at its next poll.
    ~CMC_Timer() override;

    const CMC_SignalList* getBehavioursList() override;
    // ELAPSE and TICKS after the object's record, whose note "{ENABLED}" keeps whether the
    // timer starts enabled. Read back, it starts with no ticks, and with an entry only with an
    // ELAPSE, as from its definition; a record without the note, written before it was kept,
    // gets its entry also with an empty ELAPSE (then it ticks every frame) and starts enabled.
    void serialize(CXArchive* archive) override;

    bool isEnabled() const { return enabled_; }
    int getTicks() const { return ticks_; }
    // Whether the timer has an entry in the window's timer list.
    bool isRegistered() const { return registered_; }
    // A disabled timer counts from 0 again, a whole interval from now.
    void enable();
    void disable() { enabled_ = false; }
    // Disables the timer and keeps, for every entry of the window's list, the time since it
    // last fired.
    void pause();
    // Enables a disabled timer and, after its PAUSE, gives every entry of the window's list
    // back the time it had at the pause; after DISABLE the list's schedule stays as it is.
    void resume();
    // The interval starts again now with no ticks; the enabled state stays.
    void reset();
    // The interval starts again now with that many ticks counted.
    void set(int ticks);
    // The entry's interval; the ELAPSE text stays, and a timer without an entry gets none.
    void setElapse(unsigned int ms);

protected:
    std::vector<RecordNote> getRecordNotes() override;

private:
    void onTimer(int id) override;
    void registerEntry();
    CXTimer* timerList() const;

    CWindow* window_;
    bool enabled_ = true;
    int32_t ticks_ = 0;
    int32_t limit_ = 0;
    CXString elapse_;
    int id_;
    bool registered_ = false;
    // The timer's PAUSE kept the time of the window's list, and no RESUME or ENABLE has come.
    bool pausedTheList_ = false;
};
