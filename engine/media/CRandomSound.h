#pragma once

#include "media/CSound4.h"

#include <memory>
#include <vector>

// A sound made of several sound files, one of which, drawn at random, plays each time it is
// played. Animations make one for a frame whose sound names several files.
class CRandomSound : public CSound4 {
public:
    // Splits the list at ";". A name is looked for in the sound-effects folder unless it is
    // already a full path (it holds a ":" or begins with a path separator). Each file becomes a
    // sound made with the two flags.
    CRandomSound(MediaWindow* window, const CXString& list, bool flushAfterPlayed, bool preload);

    // Draws a sound and plays it, when there is any.
    void Play(bool loop) override;
    void Play() override;
    // The sound drawn last answers and obeys.
    void Stop() override;
    void stop(bool notify) override;
    bool IsPlaying() override;
    // Every sound takes the level.
    void setVolume(int volume) override;
    void setPanning(int panning) override;
    void setFrequency(int frequency) override;

    int getCount() const { return static_cast<int>(sounds_.size()); }
    CSound4* getSound(int i) const;
    // Null until the first play.
    CSound4* getLast() const { return last_; }

private:
    CSound4* draw();

    std::vector<std::unique_ptr<CSound4>> sounds_;
    CSound4* last_ = nullptr;
};
