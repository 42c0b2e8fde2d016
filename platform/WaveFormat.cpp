#include "platform/WaveFormat.h"

#include "platform/SoundLevels.h"

namespace platform {
namespace {

uint32_t littleEndian(const uint8_t* bytes, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | bytes[i];
    return value;
}

} // namespace

void WaveFormat::readStored(const uint8_t* bytes, int count)
{
    struct Field {
        int offset;
        int size;
        void (*store)(WaveFormat&, uint32_t);
    };
    static constexpr Field fields[] = {
        {0, 2, [](WaveFormat& f, uint32_t v) { f.formatTag = static_cast<uint16_t>(v); }},
        {2, 2, [](WaveFormat& f, uint32_t v) { f.channels = static_cast<uint16_t>(v); }},
        {4, 4, [](WaveFormat& f, uint32_t v) { f.samplesPerSec = v; }},
        {8, 4, [](WaveFormat& f, uint32_t v) { f.avgBytesPerSec = v; }},
        {12, 2, [](WaveFormat& f, uint32_t v) { f.blockAlign = static_cast<uint16_t>(v); }},
        {14, 2, [](WaveFormat& f, uint32_t v) { f.bitsPerSample = static_cast<uint16_t>(v); }},
        {16, 2, [](WaveFormat& f, uint32_t v) { f.extraSize = static_cast<uint16_t>(v); }},
    };
    for (const Field& field : fields) {
        if (field.offset + field.size <= count)
            field.store(*this, littleEndian(bytes + field.offset, field.size));
    }
}

bool WaveFormat::isPlayable() const
{
    return formatTag == kPcm && (channels == 1 || channels == 2) && (bitsPerSample == 8 || bitsPerSample == 16)
        && blockAlign == channels * bitsPerSample / 8 && samplesPerSec >= SoundLevels::kMinFrequency
        && samplesPerSec <= SoundLevels::kMaxFrequency;
}

} // namespace platform
