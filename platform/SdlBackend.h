#pragma once

#include "platform/Backend.h"
#include "platform/SdlCursors.h"
#include "platform/SdlDisplay.h"
#include "platform/SdlEvents.h"
#include "platform/SdlJoystick.h"
#include "platform/SdlMessageBox.h"

#include <memory>

namespace platform {

// The desktop back end over SDL2's video subsystem. Everything runs on the main thread.
class SdlBackend : public Backend {
public:
    // Null when SDL's video does not start, as where there is no display.
    static std::unique_ptr<SdlBackend> create();

    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;
    ~SdlBackend() override = default;

    SdlDisplay& display() override { return display_; }
    SdlEvents& events() override { return events_; }
    SdlCursors& cursors() override { return cursors_; }
    SdlJoystick& joystick() override { return joystick_; }
    SdlMessageBox& messageBox() override { return messageBox_; }

private:
    // Started before the members are made and ended after they are gone.
    class VideoSubsystem {
    public:
        VideoSubsystem();
        ~VideoSubsystem();
        VideoSubsystem(const VideoSubsystem&) = delete;
        VideoSubsystem& operator=(const VideoSubsystem&) = delete;
        bool started() const { return started_; }

    private:
        bool started_;
    };

    SdlBackend() = default;

    VideoSubsystem video_;
    SdlDisplay display_;
    SdlCursors cursors_{display_};
    SdlEvents events_{display_};
    SdlMessageBox messageBox_{display_};
    SdlJoystick joystick_;
};

} // namespace platform
