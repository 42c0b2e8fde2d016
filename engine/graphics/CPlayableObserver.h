#pragma once

class CPlayable;

// What a playable tells those who watch it. Every answer is false unless an observer says
// otherwise.
class CPlayableObserver {
public:
    virtual ~CPlayableObserver() = default;

    virtual bool onPlayableStarted(CPlayable*) { return false; }
    virtual bool onPlayableTick(CPlayable*) { return false; }
    virtual bool onPlayableFinished(CPlayable*) { return false; }
    virtual bool onPlayableResumed(CPlayable*) { return false; }
};
