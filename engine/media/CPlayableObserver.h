#pragma once

class CPlayable;

// What a playable tells those who watch it. Every answer is false unless an observer says
// otherwise.
class CPlayableObserver {
public:
    CPlayableObserver() = default;
    CPlayableObserver(const CPlayableObserver&) = default;
    CPlayableObserver& operator=(const CPlayableObserver&) { return *this; }
    virtual ~CPlayableObserver() = default;

    virtual bool onPlayableStarted(CPlayable*) { return false; }
    virtual bool onPlayableTick(CPlayable*) { return false; }
    virtual bool onPlayableFinished(CPlayable*) { return false; }
    virtual bool onPlayableResumed(CPlayable*) { return false; }
};
