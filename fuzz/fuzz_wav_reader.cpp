// Bytes of any shape read as a WAV file: decoded whole by the PCM and the ADPCM codec, and
// streamed piece by piece.
#include "foundation/CDataBuffer.h"
#include "foundation/CFile.h"
#include "media/CSoundCodec_ADPCM.h"
#include "media/CSoundCodec_PCM.h"
#include "media/CStreamedWAV.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// The file is read from disk; one per process, removed when the process ends.
struct ScratchFile {
    std::string path = "/tmp/fuzz_wav_reader." + std::to_string(::getpid()) + ".wav";
    ~ScratchFile() { std::remove(path.c_str()); }
};

void decodeWith(CSoundCodec& codec, const std::string& path, size_t size)
{
    CFile file(nullptr, path.c_str(), CFile::MODE_READ | CFile::MODE_BINARY);
    if (codec.decode(&file) && codec.getData() == nullptr)
        __builtin_trap(); // reported decoded, yet holds nothing
    if (dynamic_cast<CSoundCodec_PCM*>(&codec) != nullptr && codec.getData() != nullptr
        && static_cast<size_t>(codec.getData()->getMemoryUsage()) > size)
        __builtin_trap(); // PCM samples come from the file: never more than it holds
    codec.flush();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ScratchFile scratch;
    FILE* out = std::fopen(scratch.path.c_str(), "wb");
    if (out == nullptr)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    CSoundCodec_PCM pcm;
    decodeWith(pcm, scratch.path, size);
    CSoundCodec_ADPCM adpcm;
    decodeWith(adpcm, scratch.path, size);

    platform::WaveFormat format;
    platform::SoundQueue* buffer = nullptr;
    CStreamedWAV reader(nullptr, scratch.path.c_str(), &buffer, &format);
    unsigned char piece[4096];
    size_t streamed = 0;
    for (int count; (count = reader.Read(sizeof piece, piece)) > 0;)
        streamed += static_cast<size_t>(count);
    if (streamed > size)
        __builtin_trap(); // the samples lie inside the file
    return 0;
}
