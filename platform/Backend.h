#pragma once

#include "platform/Cursors.h"
#include "platform/Display.h"
#include "platform/Events.h"
#include "platform/Joystick.h"
#include "platform/MessageBox.h"

#include <memory>

namespace platform {

// The window-system services of one back end: SDL2 on a desktop, or headless where there is
// no display.
class Backend {
public:
    virtual ~Backend() = default;
    virtual Display& display() = 0;
    virtual EventSource& events() = 0;
    virtual Cursors& cursors() = 0;
    virtual Joystick& joystick() = 0;
    virtual MessageBox& messageBox() = 0;
    // True for the back end without a display.
    virtual bool isHeadless() const { return false; }
};

struct BackendOptions {
    bool noGraphics = false; // the "nogfx" option
    // Headless only: time moves only when the frame loop waits for its next frame, by the
    // whole wait, so a run takes no longer than its work and goes the same every time.
    bool steppedTime = false;
};

// SDL2, or headless when graphics are switched off or no display opens: on the system clock,
// or on a manual one with steppedTime.
std::unique_ptr<Backend> createBackend(const BackendOptions& options);

} // namespace platform
