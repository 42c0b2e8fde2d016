#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Writes 16-bit PCM samples (channels interleaved) as a WAV file at the disk path. The file
// appears under its name only once it is complete; false, with the cause and nothing left
// behind, when it cannot be written.
bool writeWavFile(const std::string& path, const std::vector<int16_t>& samples, uint32_t rate, uint16_t channels,
                  std::string& cause);

} // namespace platform
