#include "media/CSoundCodec_ADPCM.h"

#include "foundation/CDataBuffer.h"
#include "media/CWaveImage.h"

#include <sndfile.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ADPCM packs a sample into 4 bits, so a file decodes to about four times its size; a header
// that promises far more is damaged, and is not given the memory it asks for.
constexpr int64_t kMaxGrowth = 8;
constexpr int64_t kBytesPerSample = 2;

// The bytes that libsndfile reads, and its place in them, never outside them.
struct MemoryFile {
    const std::string& bytes;
    sf_count_t position = 0;
};

MemoryFile& memoryOf(void* user)
{
    return *static_cast<MemoryFile*>(user);
}

sf_count_t memoryLength(void* user)
{
    return static_cast<sf_count_t>(memoryOf(user).bytes.size());
}

sf_count_t memorySeek(sf_count_t offset, int whence, void* user)
{
    MemoryFile& memory = memoryOf(user);
    const sf_count_t base = whence == SEEK_CUR ? memory.position : whence == SEEK_END ? memoryLength(user) : 0;
    if (offset < -base || offset > memoryLength(user) - base)
        return -1;
    memory.position = base + offset;
    return memory.position;
}

sf_count_t memoryRead(void* buffer, sf_count_t count, void* user)
{
    MemoryFile& memory = memoryOf(user);
    const sf_count_t read = std::min(memoryLength(user) - memory.position, std::max<sf_count_t>(count, 0));
    std::memcpy(buffer, memory.bytes.data() + memory.position, static_cast<size_t>(read));
    memory.position += read;
    return read;
}

sf_count_t memoryWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t memoryTell(void* user)
{
    return memoryOf(user).position;
}

} // namespace

bool CSoundCodec_ADPCM::decode(CFile* file)
{
    flush();
    // libsndfile walks every chunk it meets, and some damaged ones keep it walking for ever: it
    // reads only the chunks that our own walk has found and checked.
    const std::string image = CWaveImage::of(file);
    if (image.empty())
        return false;
    MemoryFile memory{image};
    SF_VIRTUAL_IO io{memoryLength, memorySeek, memoryRead, memoryWrite, memoryTell};
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&io, SFM_READ, &info, &memory);
    if (sound == nullptr)
        return false;
    const int64_t limit = std::min<int64_t>(INT_MAX, kMaxGrowth * static_cast<int64_t>(image.size()));
    const bool sane = info.channels > 0 && info.samplerate > 0 && info.frames > 0
        && info.frames <= limit / kBytesPerSample / info.channels;
    sf_count_t frames = 0;
    std::vector<short> samples;
    if (sane) {
        samples.resize(static_cast<size_t>(info.frames * info.channels));
        frames = sf_readf_short(sound, samples.data(), info.frames);
    }
    sf_close(sound);
    if (frames <= 0)
        return false;

    format_ = {};
    format_.formatTag = platform::WaveFormat::kPcm;
    format_.channels = static_cast<uint16_t>(info.channels);
    format_.samplesPerSec = static_cast<uint32_t>(info.samplerate);
    format_.blockAlign = static_cast<uint16_t>(info.channels * kBytesPerSample);
    format_.avgBytesPerSec = format_.blockAlign * format_.samplesPerSec;
    format_.bitsPerSample = 16;
    // A file cut short keeps what decoded.
    const auto bytes = static_cast<int>(frames * info.channels * kBytesPerSample);
    keep(new CDataBuffer(reinterpret_cast<const char*>(samples.data()), bytes, 1));
    return true;
}
