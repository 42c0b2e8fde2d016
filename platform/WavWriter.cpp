#include "platform/WavWriter.h"

#include "platform/FileSystem.h"


namespace platform {
namespace {

constexpr uint16_t kPcm = 1;
constexpr uint16_t kBitsPerSample = 16;
constexpr uint32_t kFmtSize = 16;
// "WAVE", the "fmt " chunk and the "data" chunk's header.
constexpr uint32_t kHeaderAfterRiff = 4 + 8 + kFmtSize + 8;

void put16(std::string& bytes, uint16_t value)
{
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>(value >> 8);
}

void put32(std::string& bytes, uint32_t value)
{
    put16(bytes, static_cast<uint16_t>(value & 0xFFFF));
    put16(bytes, static_cast<uint16_t>(value >> 16));
}

} // namespace

bool writeWavFile(const std::string& path, const std::vector<int16_t>& samples, uint32_t rate, uint16_t channels,
                  std::string& cause)
{
    const uint64_t dataBytes = samples.size() * sizeof(int16_t);
    const auto fail = [&](const std::string& why) {
        cause = cannotWrite(path, why);
        return false;
    };
    if (channels == 0 || dataBytes > UINT32_MAX - kHeaderAfterRiff)
        return fail("no sound of that size");
    const uint16_t blockAlign = channels * (kBitsPerSample / 8);
    std::string bytes = "RIFF";
    put32(bytes, kHeaderAfterRiff + static_cast<uint32_t>(dataBytes));
    bytes += "WAVEfmt ";
    put32(bytes, kFmtSize);
    put16(bytes, kPcm);
    put16(bytes, channels);
    put32(bytes, rate);
    put32(bytes, rate * blockAlign);
    put16(bytes, blockAlign);
    put16(bytes, kBitsPerSample);
    bytes += "data";
    put32(bytes, static_cast<uint32_t>(dataBytes));
    for (const int16_t sample : samples)
        put16(bytes, static_cast<uint16_t>(sample));
    return replaceFilesTogether({{path, bytes}}, cause);
}

} // namespace platform
