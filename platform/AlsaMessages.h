#pragma once

namespace platform {

// ALSA's library writes its complaints straight to standard error: where SDL looks for a sound
// output on a machine without a sound card, eight lines of them. Routed here, they go to the
// debug output instead, where they tell why no sound device opened.
void routeAlsaMessages();

} // namespace platform
