#include "media/CWaveChunkReader.h"

#include "foundation/CFile.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kHeaderSize = 12;
constexpr int kChunkHeaderSize = 8;

uint32_t littleEndian32(const uint8_t* bytes)
{
    return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

} // namespace

CWaveChunkReader::CWaveChunkReader(CFile* file, int32_t start, int32_t length)
    : file_(file)
    , start_(start)
    , end_(static_cast<int64_t>(start) + std::max(length, 0))
    , next_(start)
{
}

bool CWaveChunkReader::readHeader()
{
    uint8_t header[kHeaderSize];
    if (end_ - start_ < kHeaderSize || file_->Seek(static_cast<int>(start_), SEEK_SET) != 0
        || file_->Read(header, kHeaderSize) != kHeaderSize)
        return false;
    next_ = start_ + kHeaderSize;
    return std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVE", 4) == 0;
}

int32_t CWaveChunkReader::find(const char* id)
{
    while (next_ + kChunkHeaderSize <= end_) {
        uint8_t header[kChunkHeaderSize];
        if (file_->Seek(static_cast<int>(next_), SEEK_SET) != 0 || file_->Read(header, kChunkHeaderSize) != kChunkHeaderSize)
            return -1;
        const int64_t size = littleEndian32(header + 4);
        const int64_t first = next_ + kChunkHeaderSize;
        next_ = std::min(first + size + (size & 1), end_);
        if (std::memcmp(header, id, 4) == 0)
            return static_cast<int32_t>(std::min(size, end_ - first));
    }
    return -1;
}

bool CWaveChunkReader::readFormat(int32_t chunkSize, platform::WaveFormat* format)
{
    uint8_t stored[platform::WaveFormat::kStoredSize];
    const int count = file_->Read(stored, std::min<int>(chunkSize, platform::WaveFormat::kStoredSize));
    format->readStored(stored, count);
    file_->Seek(static_cast<int>(next_), SEEK_SET);
    return count >= 2;
}
