#pragma once

#include <optional>
#include <set>
#include <string>

class CCommandLine6;

// The program's own options beside the engine's: "frames" n ends the run after n frames, and
// "screenshot" file writes the last frame shown as a PNG file at the end. For scripted runs on
// the headless back end: "input" file injects the events of an input script (InputScript)
// before their frames, "shots" n1,n2,... writes those frames as "shot-<n>.png" in the folder
// the program started in, and "audio" file writes the run's sound as a WAV file.
struct RunOptions {
    // 0: the run goes on until the window is closed or the application ends.
    int frames = 0;
    // Disk paths; empty: none. Files named for the run are absolute, so that the application's
    // change of folder does not move them.
    std::string screenshot;
    std::string input;
    std::string audio;
    std::string frameTimes;
    std::string shotsFolder;
    std::set<int> shots;

    // Input and sound are scripted only without a display.
    bool needsHeadless() const { return !input.empty() || !audio.empty(); }
    // The disk path of the shot of that frame.
    std::string shotFile(int frame) const;

    // None, with the cause, when an option lacks its value, "frames" is not a whole number
    // above 0 or "shots" is not a list of them.
    static std::optional<RunOptions> read(const CCommandLine6& commandLine, std::string& cause);
};
