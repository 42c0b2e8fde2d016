#pragma once

#include "media/CPlayableObserver.h"
#include "script/CMC_Object.h"

#include <memory>

class CMovie;

// The MOVIE script object: a video on the screen that scripts load, place, play, stop, pause,
// resume, seek and loop. It owns its player and turns the player's reports into the signals
// "ONSTARTED", "ONFRAMEUPDATED" and "ONFINISHED", each raised in its plain form only, only when
// something is bound to it, and always on the main thread.
class CMC_Movie : public CMC_Object, public CPlayableObserver {
public:
    static constexpr int kType = 2024;
    static constexpr int SIGNAL_ONSTARTED = 3;
    static constexpr int SIGNAL_ONFINISHED = 4;
    static constexpr int SIGNAL_ONFRAMEUPDATED = 5;

    // The form of compiled scenes, whose record holds only the common part: unnamed, with an
    // empty player that is not on the screen.
    explicit CMC_Movie(CMC_ObjectsContainer* owner);
    // From a definition: FILENAME, PRIORITY (0 or more, and 0 when absent, puts the player on
    // the screen at that priority), POSITION, then the signals. A file that does not open
    // leaves the player empty.
    CMC_Movie(CMC_ObjectsContainer* owner, CMElement* element);
    // The player goes first: stopped without the finished report and off the screen.
    ~CMC_Movie() override;

    const CMC_SignalList* getBehavioursList() override;
    virtual CMovie* getMovie() { return player_.get(); }

    bool onPlayableStarted(CPlayable*) override;
    bool onPlayableTick(CPlayable*) override;
    bool onPlayableFinished(CPlayable*) override;

private:
    void raise(int signal);

    std::unique_ptr<CMovie> player_;
};
