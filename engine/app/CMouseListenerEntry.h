#pragma once

#include "foundation/CSortedVector.h"

#include <functional>
#include <vector>

class CMouseListener;

// One registration of a mouse listener (not owned) at a priority.
class CMouseListenerEntry : public CXObject {
public:
    CMouseListenerEntry(CMouseListener* listener, int priority);

    // Above 0 when this entry's priority is the greater, so that a new entry goes behind every
    // entry of its priority.
    int compare(CXObject* other) override;

    CMouseListener* getListener() const { return listener_; }
    int getPriority() const { return priority_; }

private:
    CMouseListener* listener_;
    int priority_;
};

// The window's mouse listeners in ascending priority. The same listener may be registered
// more than once; each registration is an entry of its own.
class CMouseListeners {
public:
    // The priority that setCaption gives.
    static constexpr int kCaptionPriority = 1000000;

    CMouseListeners();
    ~CMouseListeners();
    CMouseListeners(const CMouseListeners&) = delete;
    CMouseListeners& operator=(const CMouseListeners&) = delete;

    void add(CMouseListener* listener, int priority);
    // Removes the first entry of the listener; nothing when there is none.
    void remove(CMouseListener* listener);
    // Gives the listener the top place: the listener on top until now and the listener are
    // told of the change, and the listener is registered again at kCaptionPriority.
    void setCaption(CMouseListener* listener);
    int getCount() const { return entries_.getCount(); }

    // Asks the listeners, highest priority first and the latest among equals first, until one
    // answers true. A listener removed meanwhile is not asked; one added waits for the next walk.
    void walk(const std::function<bool(CMouseListener*)>& ask);

private:
    CMouseListenerEntry* entry(int i) const { return static_cast<CMouseListenerEntry*>(entries_.at(i)); }

    CSortedVector entries_;
    // Entries removed during a walk live on until it ends, so that the walk can tell them gone.
    std::vector<CMouseListenerEntry*> retired_;
    int walks_ = 0;
};
