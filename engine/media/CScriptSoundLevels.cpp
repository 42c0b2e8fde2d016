#include "media/CScriptSoundLevels.h"

namespace {

// Everything from 3100 hundredths of a decibel below full level on is silence.
constexpr int64_t kQuietest = -3100;

} // namespace

int32_t CScriptSoundLevels::volumeToDevice(int64_t volume)
{
    const int64_t level = 4 * (volume - 800);
    if (level <= kQuietest)
        return kSilence;
    return level > 0 ? 0 : static_cast<int32_t>(level);
}

int32_t CScriptSoundLevels::panToDevice(int64_t pan)
{
    const int64_t level = 2 * (pan - 400);
    if (level <= kQuietest)
        return kFullLeft;
    if (level >= -kQuietest)
        return kFullRight;
    return static_cast<int32_t>(level);
}

int32_t CScriptSoundLevels::volumeFromDevice(int32_t level)
{
    if (level <= kSilence)
        return 0;
    return level / 4 + 800;
}
