#pragma once

#include "platform/WaveFormat.h"

#include <cstdint>

class CFile;

// Walks the chunks of a RIFF WAVE file held in an open file at [start, start + length), never
// reading outside that stretch, however the file's sizes lie. A chunk of odd size is followed
// by a pad byte.
class CWaveChunkReader {
public:
    CWaveChunkReader(CFile* file, int32_t start, int32_t length);

    // "RIFF" at the start and "WAVE" 8 bytes on; the walk then begins behind them.
    bool readHeader();
    // Walks on to the chunk with the given four-letter id and leaves the file at its first
    // byte: the chunk's size, cut to what the file holds; -1 when the file ends first.
    int32_t find(const char* id);
    // Reads the format record from the start of a chunk that find("fmt ") just found, at most
    // the record's 18 bytes of it; the walk goes on behind the whole chunk. False when the
    // chunk is too short to hold a format tag.
    bool readFormat(int32_t chunkSize, platform::WaveFormat* format);

private:
    CFile* file_;
    int64_t start_;
    int64_t end_;
    // Where the next chunk header lies.
    int64_t next_;
};
