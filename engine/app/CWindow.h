#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "foundation/CXTimer.h"

class CCollisionInspector;
class CApplication;
class CCommandLine6;
class CKeyboard;
class CLanguageOSVer;
class CMusic;
class CPublicTrash;
class CRefreshScreen;
class CUnit6;

// The one engine window of the process: frame pump, devices, timers and the data paths.
class CWindow : public CXObject, private CTimerNotificator {
public:
    // The start-up program's folder; plug-in libraries load from there.
    static CXString exePath;
    // The current folder when the window was built: the root of the local data tree,
    // ending with a backslash.
    static CXString rootPath;

    // Takes the language object and the command line (neither owned) and the start-up
    // program's folder; creates the timer list, the sound device, the music player, the
    // keyboard device, the deferred-delete bin and the collision inspector. Sound and music are on unless the command
    // line says "nosound" or "nomusic".
    CWindow(CLanguageOSVer* language, const CXString& startFolder, CCommandLine6* commandLine = nullptr);
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    ~CWindow() override;

    CLanguageOSVer* getLangIfc() const { return language_; }
    CCommandLine6* getCommandLineIfc() const { return commandLine_; }
    CXTimer* GetTimerInterface() const { return timers_; }
    CPublicTrash* getPublicTrashInterface() const { return trash_; }
    CKeyboard* getKeyboardInterface() const { return keyboard_; }
    CMusic* getMusicInterface() const { return music_; }
    // The screen composer; it comes with the display surface and is null until then.
    CRefreshScreen* GetRefreshScreenInterface() const { return refreshScreen_; }
    CCollisionInspector* getCollisionInspectorInterface() const { return collisionInspector_; }
    // The engine object of the running application; none until it registers itself.
    CApplication* GetApplicationInterface() const { return application_; }
    void SetApplicationInterface(CApplication* application) { application_ = application; }

    // The root of the data-disc tree: the application folder, ending with a backslash,
    // set once at start-up; empty until then.
    static void setCDPath(const CXString& path);
    static CXString getCDPath();

    // The window's own timer handler; it has nothing to do.
    virtual int OnTimer(int id);
    // A timer for a screen unit; without a unit the timer's target is the window itself.
    void SetTimer(int id, unsigned int elapse, CUnit6* unit, bool checkActive);
    void KillTimer(int id);

    // The program has the input focus: only then do frames run.
    bool isActive() const { return active_; }
    void Activate(bool active) { active_ = active; }
    // One frame of the active program: due timers, then the due animation steps, then the
    // sounds' ends, then the loops of the music streams. Returns 0.
    int Tick();

    void SoundOn(bool on) { soundOn_ = on; }
    void MusicOn(bool on) { musicOn_ = on; }
    bool IsSoundOn() const { return soundOn_; }
    bool IsMusicOn() const { return musicOn_; }
    // Plays the music file, named from the root folder, while sound and music are on; the
    // music already playing from that file (in any letter case) plays on.
    void StartMusic(const CXString& name, bool loop);
    void StopMusic();
    bool isMusicPlaying() const;
    // In the sound device's units.
    int getMusicVolume() const;
    void setMusicVolume(int volume);
    void setMusicPan(int pan);
    void setMusicFreq(int frequency);

    void SetSoundFXPath(const CXString& path) { soundFXPath_ = path; }
    CXString GetSoundFXPath() const { return soundFXPath_; }
    // The name inside the sound-effects folder, or the name alone while none is set.
    CXString GetSoundFXFullPath(const CXString& name) const;

    // The log sink of the engine; it keeps nothing.
    static void toLog(const CXString& text, bool flag);

private:
    void onTimer(int id) override { OnTimer(id); }

    static CXString cdPath_;

    CLanguageOSVer* language_;
    CCommandLine6* commandLine_;
    CXTimer* timers_;
    CKeyboard* keyboard_;
    CPublicTrash* trash_;
    CRefreshScreen* refreshScreen_ = nullptr;
    CCollisionInspector* collisionInspector_;
    CApplication* application_ = nullptr;
    CMusic* music_ = nullptr;
    bool active_ = false;
    bool soundOn_ = true;
    bool musicOn_ = true;
    CXString soundFXPath_;
};
