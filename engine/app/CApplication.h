#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

class CAnimationManager;
class CCommandLine6;
class CConfig;
class CSoundManager;
class CMC_ObjectsContainer;
class CWindow;

// The engine object that the start-up program makes right after the window: it owns the
// engine-wide managers, opens the archive file and the application's INI file, and registers
// itself with the window, through which the rest of the engine reaches it.
class CApplication : public CXObject {
public:
    // Makes the animation manager, the sound manager and the codec table, opens the archive
    // when one is named ("data.bf" from the start-up program) and the INI file rootPath +
    // iniName when one is named; neither the window nor the command line is owned.
    CApplication(CWindow* window, const CXString& iniName, const CXString& archiveName, CCommandLine6* commandLine);
    ~CApplication() override;
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    CWindow* getWindow() const { return window_; }
    CCommandLine6* getCommandLine() const { return commandLine_; }
    // The application INI; none when no INI name was given.
    CConfig* GetConfigInterface() const { return config_; }
    CAnimationManager* getAnimoManagerIfc() const { return animationManager_; }
    CSoundManager* getSoundManagerIfc() const { return soundManager_; }
    // The application's work for one frame, run by the window's frame pump also while the
    // program is inactive; the application never asks the program to end here (false).
    virtual bool domodal();
    // The program may end.
    virtual bool OnExit() { return true; }
    // Asked first of every key press; 0 lets the hot spots and the key listeners have it.
    virtual int OnKeyDown(int key, int flags);
    // A sound's name in the sound-effects folder.
    virtual CXString getWAVPath(const CXString& name);
    // The root script container of the running application; none until it is registered.
    CMC_ObjectsContainer* getMCApplicationIfc() const { return mcApplication_; }
    void setMCApplicationIfc(CMC_ObjectsContainer* root) { mcApplication_ = root; }

private:
    CWindow* window_;
    CAnimationManager* animationManager_;
    CSoundManager* soundManager_;
    CCommandLine6* commandLine_;
    CConfig* config_ = nullptr;
    CMC_ObjectsContainer* mcApplication_ = nullptr;
    CXString iniName_;
    CXString archiveName_;
};
