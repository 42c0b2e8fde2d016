#pragma once

#include "foundation/CXString.h"
#include "media/MediaApplication.h"

class CAnimationManager;

// The running application as pictures, animations and sequences reach it.
class GraphicsApplication : public MediaApplication {
public:
    virtual CAnimationManager* getAnimoManagerIfc() const = 0;
    // Where the sound of the given name is found.
    virtual CXString getWAVPath(const CXString& name) = 0;

protected:
    ~GraphicsApplication() override = default;
};
