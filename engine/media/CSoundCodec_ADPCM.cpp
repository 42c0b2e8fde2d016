#include "media/CSoundCodec_ADPCM.h"

#include "foundation/CDataBuffer.h"
#include "foundation/CFile.h"

#include <sndfile.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <vector>

namespace {

// ADPCM packs a sample into 4 bits, so a file decodes to about four times its size; a header
// that promises far more is damaged, and is not given the memory it asks for.
constexpr int64_t kMaxGrowth = 8;
constexpr int64_t kBytesPerSample = 2;

CFile* fileOf(void* user)
{
    return static_cast<CFile*>(user);
}

sf_count_t fileLength(void* user)
{
    return fileOf(user)->Length();
}

sf_count_t fileSeek(sf_count_t offset, int whence, void* user)
{
    if (offset < INT_MIN || offset > INT_MAX || fileOf(user)->Seek(static_cast<int>(offset), whence) != 0)
        return -1;
    return fileOf(user)->Tell();
}

sf_count_t fileRead(void* buffer, sf_count_t count, void* user)
{
    return fileOf(user)->Read(buffer, static_cast<int>(std::min<sf_count_t>(count, INT_MAX)));
}

sf_count_t fileWrite(const void*, sf_count_t, void*)
{
    return 0;
}

sf_count_t fileTell(void* user)
{
    return fileOf(user)->Tell();
}

} // namespace

bool CSoundCodec_ADPCM::decode(CFile* file)
{
    flush();
    if (file->Seek(0, SEEK_SET) != 0)
        return false;
    SF_VIRTUAL_IO io{fileLength, fileSeek, fileRead, fileWrite, fileTell};
    SF_INFO info{};
    SNDFILE* sound = sf_open_virtual(&io, SFM_READ, &info, file);
    if (sound == nullptr)
        return false;
    const int64_t limit = std::min<int64_t>(INT_MAX, kMaxGrowth * file->Length());
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
