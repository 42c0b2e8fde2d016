#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

class CCommandLine6;
class CSoundManager;
class CWindow;

// The engine object that the start-up program makes right after the window: it owns the
// engine-wide managers, opens the archive and is polled once a frame through the window.
class CApplication : public CXObject {
public:
    // Makes the sound manager and the codec table, opens the archive when a name is given
    // ("data.bf" from the start-up program) and tells the window of itself.
    CApplication(CWindow* window, const CXString& iniName, const CXString& bigFileName, CCommandLine6* commandLine);
    ~CApplication() override;
    CApplication(const CApplication&) = delete;
    CApplication& operator=(const CApplication&) = delete;

    CSoundManager* getSoundManagerIfc() const { return soundManager_; }
    CCommandLine6* getCommandLine() const { return commandLine_; }
    // A sound's name in the sound-effects folder.
    virtual CXString getWAVPath(const CXString& name);

private:
    CWindow* window_;
    CSoundManager* soundManager_;
    CCommandLine6* commandLine_;
    CXString bigFileName_;
};
