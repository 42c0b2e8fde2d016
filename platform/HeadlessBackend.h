#pragma once

#include "platform/Backend.h"
#include "platform/Clock.h"
#include "platform/HeadlessCursors.h"
#include "platform/HeadlessDisplay.h"
#include "platform/HeadlessEvents.h"
#include "platform/HeadlessJoystick.h"
#include "platform/HeadlessMessageBox.h"

namespace platform {

// The back end without a display: tests drive it, and the program runs on it without graphics.
class HeadlessBackend : public Backend {
public:
    enum class Time {
        Manual, // a manual clock becomes the clock in use until the back end is gone
        System,
    };

    explicit HeadlessBackend(Time time = Time::Manual);
    HeadlessBackend(const HeadlessBackend&) = delete;
    HeadlessBackend& operator=(const HeadlessBackend&) = delete;
    ~HeadlessBackend() override;

    HeadlessDisplay& display() override { return display_; }
    HeadlessEvents& events() override { return events_; }
    HeadlessCursors& cursors() override { return cursors_; }
    HeadlessJoystick& joystick() override { return joystick_; }
    HeadlessMessageBox& messageBox() override { return messageBox_; }
    bool isHeadless() const override { return true; }
    // The clock that tests advance; meaningful with Time::Manual only.
    ManualClock& clock() { return clock_; }

private:
    bool manualTime_;
    ManualClock clock_;
    HeadlessDisplay display_;
    HeadlessCursors cursors_;
    HeadlessEvents events_;
    HeadlessJoystick joystick_;
    HeadlessMessageBox messageBox_;
};

} // namespace platform
