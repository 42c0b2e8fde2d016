#pragma once

#include "script/ScriptApplication.h"

class CCommandLine6;
class CSoundManager;

// The running application as sounds and the network reach it.
class MediaApplication : public ScriptApplication {
public:
    virtual CCommandLine6* getCommandLine() const = 0;
    virtual CSoundManager* getSoundManagerIfc() const = 0;

protected:
    ~MediaApplication() override = default;
};
