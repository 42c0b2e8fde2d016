#pragma once

#include "platform/Events.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The events of a scripted run, by the frame before which they come. A script is a text file
// with one event a line, its frame first:
//   120 key down RIGHT      121 key up RIGHT       (keys named as scripts name them)
//   200 move 400 300        201 press LEFT         203 release LEFT
// Buttons are LEFT, MIDDLE and RIGHT, pressed and released where the last move left the
// pointer. Frames count from 1 and never go back; empty lines and lines starting with '#'
// are skipped.
class InputScript {
public:
    // None, with the cause naming the line, when the file cannot be read or a line does not
    // parse, names an unknown key or button, or goes back in frames.
    static std::optional<InputScript> load(const std::string& path, std::string& cause);

    // The events to come before that frame, in the script's order; none for most frames.
    std::vector<platform::Event> eventsBefore(int frame) const;

private:
    std::map<int, std::vector<platform::Event>> events_;
};
