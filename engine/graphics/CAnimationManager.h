#pragma once

#include "foundation/CXObject.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CMC_Groupped;
class CPlayable;
class CRefreshScreen;
class GraphicsWindow;

// The frame clock of everything that plays frame by frame. Animations and sequences register
// themselves while they live; once per engine frame the manager steps each playing one whose
// interval of 1000 / frames-per-second milliseconds has passed since its last step. A late frame
// delays the later steps instead of making them up: a playable steps at most once a frame.
class CAnimationManager : public CXObject {
public:
    CAnimationManager() = default;
    CAnimationManager(const CAnimationManager&) = delete;
    CAnimationManager& operator=(const CAnimationManager&) = delete;

    // The manager of the window's application; none without one.
    static CAnimationManager* of(GraphicsWindow* window);

    // A playable added twice is stepped twice. The screen is kept for the caller only.
    void add(CPlayable* playable, CRefreshScreen* screen);
    // Forgets the first registration of the playable.
    void remove(CPlayable* playable);
    // One frame: every due playable is chosen from a single reading of the clock before any of
    // them steps, so steps that start, stop, make or destroy playables cannot disturb the round.
    // A playable registered meanwhile waits for the next frame; one removed is not stepped.
    int domodal();
    // The tick at which a frame next has a playable to step, the current one when a step is
    // overdue; none while nothing plays.
    std::optional<uint32_t> nextStepDue() const;

    // Pauses every playing playable; resumes every paused one.
    virtual void pause();
    virtual void resume();
    // Resumes only the paused animations of the group's ANIMO members; other members match
    // nothing. No group resumes every paused playable.
    void resume(CMC_Groupped* group);
    // Resumes only the paused playables that the test chooses.
    void resume(const std::function<bool(CPlayable*)>& chosen);

    int getCount() const { return static_cast<int>(entries_.size()); }

private:
    // The playables of the group's ANIMO members, as scenes see them.
    static std::vector<CPlayable*> animationsOf(CMC_Groupped* group);

    struct Registration {
        CPlayable* playable;
        CRefreshScreen* screen;
        bool due;
        uint32_t last;
        // Set once the playable is removed, for the rounds that still hold the registration.
        bool removed;
    };
    using Round = std::vector<std::shared_ptr<Registration>>;

    Round entries_;
};
