#pragma once

#include "foundation/CFileResolver.h"

#include <cstdint>
#include <vector>

class CPlayableObserver;
class CWindow;

// Base of everything that plays: animations, images, sounds, sequences and video.
class CPlayable : public CFileResolver {
public:
    // Bits of the play status.
    static constexpr uint32_t STATUS_PLAYING = 1;
    static constexpr uint32_t STATUS_PAUSED = 2;
    // Codes of notify.
    static constexpr int NOTIFY_STARTED = 1;
    static constexpr int NOTIFY_TICK = 2;
    static constexpr int NOTIFY_FINISHED = 3;
    static constexpr int NOTIFY_RESUMED = 4;

    explicit CPlayable(CWindow* window);

    virtual void play() = 0;
    // With `notify` false the playable ends without telling its observers.
    virtual void stop(bool notify) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;

    virtual uint32_t getStatus() { return status_; }
    virtual bool isPlaying() { return (status_ & STATUS_PLAYING) != 0; }
    virtual bool isPaused() { return (status_ & STATUS_PAUSED) != 0; }
    virtual int getType() { return type_; }
    virtual void seek(int position) = 0;
    // One step back or on: every subclass's seek takes -3 and -4 as those requests. The
    // position the subclass keeps afterwards.
    virtual int previous();
    virtual int next();
    // Ten steps a second, unless the subclass plays at its own rate.
    virtual int getFPS() { return 10; }
    // Placing and layering, for playables that are drawn.
    virtual void move(int, int) {}
    virtual void SetGlobalPosition(int, int) {}
    virtual void alwaysOnTop() {}

    virtual bool isVisible() { return visible_; }
    virtual void setVisibility(bool visible) { visible_ = visible; }
    virtual void show() { setVisibility(true); }
    virtual void hide() { setVisibility(false); }

    // Tells every observer, in the order they came, and then the generic one, the event of the
    // code; observers may come and go meanwhile without disturbing this round. The last
    // observer's answer, true when there is none or the code is unknown.
    virtual bool notify(int code);

    // Stored for the subclass, which knows what they mean.
    virtual void setVolume(int volume) { volume_ = volume; }
    virtual void setPanning(int panning) { panning_ = panning; }
    virtual void setFrequency(int frequency) { frequency_ = frequency; }

    // An observer is registered once, however often it is added; the playable does not own it.
    void addNotifier(CPlayableObserver* observer);
    void removeNotifier(CPlayableObserver* observer);
    // Keeps the generic observer, which clearNotifiers leaves in place.
    void clearNotifiers() { notifiers_.clear(); }
    void setGenericNotifier(CPlayableObserver* observer) { genericNotifier_ = observer; }

protected:
    CWindow* window_;
    int32_t type_ = 0;
    uint32_t status_ = 0;
    int32_t current_ = -1;
    int32_t volume_ = 0;
    int32_t panning_ = 0;
    int32_t frequency_ = 0;

private:
    bool visible_ = true;
    std::vector<CPlayableObserver*> notifiers_;
    CPlayableObserver* genericNotifier_ = nullptr;
};
