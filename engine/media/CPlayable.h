#pragma once

#include "foundation/CFileResolver.h"
#include "foundation/CXPoint.h"

#include <cstdint>
#include <utility>
#include <vector>

class CAnimo;
class CPlayableObserver;
class MediaWindow;

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
    // Play modes of the playables that hold others: one after the other, one at random, one
    // chosen by the parameter's first character.
    static constexpr int MODE_SEQUENCE = 1;
    static constexpr int MODE_RANDOM = 2;
    static constexpr int MODE_PARAMETER = 3;

    // Told of every playable that is destroyed, whoever observes it. A watcher neither comes
    // nor goes while it is told.
    class Watcher {
    public:
        virtual void onPlayableGone(CPlayable* playable) = 0;

    protected:
        ~Watcher() = default;
    };

    explicit CPlayable(MediaWindow* window);
    // The watchers hear that the playable goes.
    ~CPlayable() override;

    static void watch(Watcher* watcher);
    static void unwatch(Watcher* watcher);

    // Only a playable that holds others takes a child.
    virtual void addChild(CPlayable*) {}
    // The parent the playable reports to; isParent: none is set.
    virtual void setParent(CPlayable* parent) { parent_ = parent; }
    virtual bool isParent() { return parent_ == nullptr; }
    // Playables that play an animation switch to this one.
    virtual void substAnimation(CAnimo*) {}
    // The observers, in the order they came; the generic observer is not among them.
    virtual const std::vector<CPlayableObserver*>& getNotifiers() { return notifiers_; }
    // The observer becomes the only one besides the generic observer.
    virtual void setNotifier(CPlayableObserver* observer);
    // This playable while it plays, else none.
    virtual CPlayable* getPlaying() { return isPlaying() ? this : nullptr; }
    // The parameter of the event being played.
    virtual CXString getParam() { return parameter_; }
    // The parameter of the first event of that name, the letter case ignored; "" when none.
    virtual CXString getParameter(const CXString& event);
    virtual CXString getParameter() { return parameter_; }
    // Plays the event: a playing playable stops without telling its observers, the event's
    // parameter becomes the current one (empty for an unknown event), then play().
    virtual void play(const CXString& event);

    virtual void play() = 0;
    // With `notify` false the playable ends without telling its observers.
    virtual void stop(bool notify) = 0;
    virtual void pause() = 0;
    virtual void resume() = 0;

    // Whether a child's end is taken care of; a playable without children leaves it.
    virtual bool onPlayableFinished(CPlayable*) { return false; }
    // Hooks around playing that subclasses may fill.
    virtual void onStarted() {}
    virtual void onFinished() {}

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
    virtual void move(CXPoint d) { move(d.x, d.y); }
    virtual void setPosition(int, int) {}
    virtual void setPosition(CXPoint p) { setPosition(p.x, p.y); }
    virtual void SetGlobalPosition(int, int) {}
    virtual void SetGlobalPosition(CXPoint p) { SetGlobalPosition(p.x, p.y); }
    virtual void alwaysOnTop() {}
    // The event that play(event) was asked for last.
    virtual CXString getLastPlayedEvent() { return lastPlayedEvent_; }

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
    CPlayableObserver* getGenericNotifier() const { return genericNotifier_; }

    void setName(const CXString& name) { name_ = name; }
    CXString getName() const { return name_; }
    // Named events, each with a parameter; names may repeat.
    void addEvent(const CXString& name, const CXString& parameter) { events_.emplace_back(name, parameter); }
    // The parameter of the first event of exactly that name; an unknown name adds nothing.
    void setParameter(const CXString& event, const CXString& value);
    // The parameter of the event being played.
    void setParameter(const CXString& value) { parameter_ = value; }
    int getMode() const { return mode_; }
    void setMode(int mode) { mode_ = mode; }
    // Whether a sequence waits for this playable's end before it starts the next one.
    bool getWaitMode() const { return waitMode_; }
    void setWaitMode(bool wait) { waitMode_ = wait; }
    // How many playables hold this one as their child.
    int getParentsNo() const { return parents_; }
    void addParent() { ++parents_; }
    void subParent() { --parents_; }

protected:
    MediaWindow* window_;
    int32_t type_ = 0;
    uint32_t status_ = 0;
    int32_t current_ = -1;
    int32_t volume_ = 0;
    int32_t panning_ = 0;
    int32_t frequency_ = 0;

private:
    // The observers in the order they are told, the generic one last, as a copy that the
    // observers may change the playable's list under.
    std::vector<CPlayableObserver*> round() const;

    static inline std::vector<Watcher*> watchers_;

    CXString name_;
    bool waitMode_ = true;
    CXString parameter_;
    std::vector<std::pair<CXString, CXString>> events_;
    int32_t mode_ = MODE_SEQUENCE;
    int32_t parents_ = 0;
    bool visible_ = true;
    CXString lastPlayedEvent_;
    CPlayable* parent_ = nullptr;
    std::vector<CPlayableObserver*> notifiers_;
    CPlayableObserver* genericNotifier_ = nullptr;
};
