#pragma once

namespace platform {

// The debugger output of the engine: lines go to standard error, and only while
// debug output is switched on (the "debug" option of the command line).
void setDebugOutputEnabled(bool enabled);
bool isDebugOutputEnabled();
void debugOutput(const char* text);

} // namespace platform
