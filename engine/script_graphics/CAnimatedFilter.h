#pragma once

#include "foundation/CXTimer.h"
#include "script_graphics/CFilter.h"

#include <vector>

class CAnimatedFilter;

// Told when a link of an animated filter starts, runs a tick and stops.
class CFilterListener {
public:
    virtual ~CFilterListener() = default;
    virtual void onFilterStarted(CFilterLink* link, CFilter* filter) = 0;
    virtual void onFilterFinished(CFilterLink* link, CFilter* filter) = 0;
    virtual void onFilterTick(CFilterLink* link, CFilter* filter) = 0;
};

// A filter whose kind works frame after frame: its timer on the owner window's list fires at
// most once a frame and steps every active link once.
//
// Listeners hear a running tick through onFilterFinished and the end of a link (STOP, or its
// last step) through onFilterTick. Scripts written for this system count on that order: every
// running tick raises "ONFINISHED" and the end raises "ONTICK".
class CAnimatedFilter : public CFilter, private CTimerNotificator {
public:
    explicit CAnimatedFilter(ScriptGraphicsWindow* owner);
    ~CAnimatedFilter() override;

    // Appends the link.
    void addLink(CFilterLink* link) override;

    // The active flag of the object's link; false without one.
    bool isRunning(CGraphicsObject* graphics);
    // Listeners hear of the start while the link is still inactive; then the kind prepares it.
    // Nothing for an object without a link or with a running one.
    void start(CGraphicsObject* graphics);
    void startLink(CFilterLink* link);
    // Listeners hear of the stop once the link is inactive. Nothing unless it runs.
    void stop(CGraphicsObject* graphics);
    void stopLink(CFilterLink* link);
    // One step of the effect on the link; true when the effect has finished.
    virtual bool step(CFilterLink* link, CFilterOptions* options) = 0;

    // Not owned.
    void addListener(CFilterListener* listener) { listeners_.push_back(listener); }

    // The tick: each active link counts the tick and steps; a finished step stops it. Handlers
    // that remove links leave the walk on the list as it then is.
    void onTimer(int id) override;

private:
    template <typename Tell>
    void tellListeners(const CFilterLink* link, Tell tell);

    int timerId_;
    std::vector<CFilterListener*> listeners_;
};
