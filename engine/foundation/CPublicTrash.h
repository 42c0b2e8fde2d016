#pragma once

#include "foundation/CXTimer.h"
#include "foundation/CXVector.h"

#include <climits>

// The deferred-delete bin: objects that the current frame may still use are marked with
// setToDelete and handed to the bin, which owns them from then on and deletes the marked
// ones at its timer, between frames. Unmarked objects wait until they are marked.
class CPublicTrash : public CXVector, public CTimerNotificator {
public:
    // Screen units use small non-negative ids, so the bin's id can never collide with theirs.
    static constexpr int kTimerId = INT_MIN;
    static constexpr unsigned int kPeriodMs = 10000;

    // Registers the bin with the timer list.
    explicit CPublicTrash(CXTimer* timers);
    // Takes the bin's timer off the list and deletes the marked objects still in the bin; an
    // unmarked one is still held by whoever handed it in, and leaves the bin when deleted.
    ~CPublicTrash() override;
    CPublicTrash(const CPublicTrash&) = delete;
    CPublicTrash& operator=(const CPublicTrash&) = delete;

    // Deletes every marked object and keeps the others in their order.
    void onTimer(int id) override;
    // At the end of the program: deletes the marked objects, also those that deleting them
    // hands in.
    void deleteAllMarked();

private:
    // One pass of onTimer; whether any object was deleted.
    bool deleteMarked();

    CXTimer* timers_;
};
