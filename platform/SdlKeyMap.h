#pragma once

namespace platform {

// The engine's key code (KeyCodes.h) of an SDL scancode; 0 for a key the engine has no code for.
int keyCodeOfSdlScancode(int scancode);

} // namespace platform
