#pragma once

#include <cstdint>

namespace platform {

// The format record of a block of samples, field for field as a WAV file's "fmt " chunk
// stores it (18 little-endian bytes, the last field only in chunks that long).
struct WaveFormat {
    static constexpr uint16_t kPcm = 1;
    static constexpr int kStoredSize = 18;

    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t samplesPerSec = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 0;

    // Reads the fields that the first `count` stored bytes hold (at most kStoredSize); the
    // others keep their values.
    void readStored(const uint8_t* bytes, int count);

    // Whether the sound device plays samples of this format: PCM, mono or stereo, 8 or 16
    // bits, whole frames, a rate the device can take.
    bool isPlayable() const;
};

} // namespace platform
