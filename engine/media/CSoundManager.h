#pragma once

#include "foundation/CXObject.h"

#include <list>

class CSound4;

// The application's list of sounds. The device does not say when a sound has ended, so once
// a frame the manager looks for sounds that were started and no longer play, and has each
// report its end: in the order the sounds were added, at most a frame late.
class CSoundManager : public CXObject {
public:
    CSoundManager() = default;
    CSoundManager(const CSoundManager&) = delete;
    CSoundManager& operator=(const CSoundManager&) = delete;
    ~CSoundManager() override;

    // With autoDelete the manager deletes the sound when it is flushed.
    void add(CSound4* sound, bool autoDelete);
    // Marks the sound as started, so that its end is reported.
    void play(CSound4* sound);
    // Forgets the sound; its entry goes at the end of the next frame's check.
    void remove(CSound4* sound);
    // The check of one frame. The end reports may run behaviours that start, stop, make or
    // delete sounds: a deleted sound's entry is only marked, and unlinked after the walk.
    void domodal();
    // One last check, then every entry goes, and with it each sound that was added with
    // autoDelete.
    void Flush();
    // A started sound plays on: the frames look for its end.
    bool hasSoundsPlaying() const;

    virtual void pause();
    virtual void resume();

    int getCount() const { return count_; }

private:
    struct Entry {
        CSound4* sound;
        bool playing;
        bool autoDelete;
        bool removed;
    };

    Entry* find(CSound4* sound);

    int32_t count_ = 0;
    std::list<Entry> entries_;
};
