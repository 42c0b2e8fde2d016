#pragma once

#include "foundation/FoundationWindow.h"
#include "script/ScriptApplication.h"

class CCommandLine6;
class CPublicTrash;
class CXTimer;

// The engine window as the script's objects and their interpreter reach it; the window
// implements it.
class ScriptWindow : public FoundationWindow {
public:
    static ScriptWindow* getInstance() { return static_cast<ScriptWindow*>(instance_); }

    // The engine object of the running application; none until it registers itself.
    virtual ScriptApplication* GetApplicationInterface() const = 0;
    virtual CCommandLine6* getCommandLineIfc() const = 0;
    virtual CPublicTrash* getPublicTrashInterface() const = 0;
    virtual CXTimer* GetTimerInterface() const = 0;

protected:
    ~ScriptWindow() override = default;
};
