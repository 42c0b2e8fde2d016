#pragma once

#include "foundation/CXString.h"
#include "media/CPlayable.h"

#include <cstdint>
#include <memory>

class CMElement;
class CSoundManager;
class MediaWindow;

namespace platform {
class SoundBuffer;
class SoundDevice;
} // namespace platform

// One sound effect: a WAV file decoded whole into a buffer of the sound device and played from
// memory. As a playable it tells its observers when it starts, ends and resumes; its end is
// found by the application's sound manager, once a frame. The class also keeps the process's
// sound device, which the engine window opens at start-up and closes at the end.
class CSound4 : public CPlayable {
public:
    // The playable type of sounds.
    static constexpr int kType = 1;

    // The engine's sound: registered with the application's sound manager; `preload` loads the
    // file (a name already resolved) at once.
    CSound4(MediaWindow* window, const CXString& fileName, bool flushAfterPlayed, bool preload);
    // An empty sound, not registered.
    explicit CSound4(MediaWindow* window);
    // From a definition: FILENAME (in the sound-effects folder), PRELOAD, LOOP,
    // FLUSHAFTERPLAYED. Not registered.
    CSound4(MediaWindow* window, CMElement* definition);
    ~CSound4() override;
    CSound4(const CSound4&) = delete;
    CSound4& operator=(const CSound4&) = delete;

    // --- the device ---
    // Opens the device unless the output already runs: null when there is none.
    static platform::SoundDevice* CreateDirectSoundInterface(MediaWindow* window);
    // Starts the device's output once; when it cannot run, the window's error becomes
    // kErrorSoundCard. Whether the output runs.
    static bool CreatePrimarySoundBuffer(MediaWindow* window);
    static void DestroySoundBuffer();
    static platform::SoundDevice* getDirectSound() { return m_pDirectSound.get(); }
    static constexpr int kErrorSoundCard = -997;

    // --- loading ---
    bool load();
    bool Load(const CXString& fileName);
    void Flush();

    // --- playing ---
    void SetPosition(int offset);
    virtual void Play(bool loop);
    virtual void Play();
    virtual void Stop();
    virtual void Mute() {}
    virtual bool IsPlaying();
    // The sound manager saw the sound end.
    virtual void OnWAVFinished();

    // --- the playable ---
    void play() override;
    void stop(bool notify) override;
    void pause() override;
    void resume() override;
    bool isPlaying() override { return IsPlaying(); }
    void seek(int offset) override { SetPosition(offset); }
    // In the device's units; kept also without a buffer, and applied when one is made.
    void setVolume(int volume) override;
    void setPanning(int panning) override;
    void setFrequency(int frequency) override;

    bool isLooped() const { return loop_; }
    bool isFlushedAfterPlayed() const { return flushAfterPlayed_; }
    // The byte offset where the next Play() starts.
    int32_t getStartPosition() const { return startPosition_; }

private:
    CSoundManager* soundManager() const;
    void applyLevels();
    // The volume given, or silence while the window's sound is switched off.
    void applyVolume();

    static std::unique_ptr<platform::SoundDevice> m_pDirectSound;
    static bool m_bSoundBufferCreated;

    std::unique_ptr<platform::SoundBuffer> buffer_;
    bool loop_ = false;
    bool flushAfterPlayed_ = false;
    bool notifyOnFinish_ = true;
    int32_t startPosition_ = 0;
};
