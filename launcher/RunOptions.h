#pragma once

#include <optional>
#include <string>

class CCommandLine6;

// The program's own options beside the engine's: "frames" n ends the run after n frames, and
// "screenshot" file writes the last frame shown as a PNG file at the end.
struct RunOptions {
    // 0: the run goes on until the window is closed or the application ends.
    int frames = 0;
    // A disk path; empty: no screenshot.
    std::string screenshot;

    // None, with the cause, when an option lacks its value or "frames" is not a whole number
    // above 0.
    static std::optional<RunOptions> read(const CCommandLine6& commandLine, std::string& cause);
};
