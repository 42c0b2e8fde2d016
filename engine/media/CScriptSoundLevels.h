#pragma once

#include <cstdint>

// The sound levels that scripts speak, against the sound device's: a script volume v of 800
// is full level and every step below lowers it by 0.04 dB, 25 or less being silence; a
// script pan p of 400 is the centre, every step 0.02 dB to a side, full left or right from
// 1550 steps away. The device takes hundredths of a decibel: volume -10000 to 0, pan -10000
// to 10000. Levels above full are full level.
class CScriptSoundLevels {
public:
    static constexpr int32_t kSilence = -10000;
    static constexpr int32_t kFullLeft = -10000;
    static constexpr int32_t kFullRight = 10000;

    static int32_t volumeToDevice(int64_t volume);
    static int32_t panToDevice(int64_t pan);
    // The script volume of a device level; silence gives 0.
    static int32_t volumeFromDevice(int32_t level);
};
