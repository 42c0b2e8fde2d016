#pragma once

#include "platform/WaveFormat.h"

#include <array>
#include <memory>

class CDataBuffer;
class CFile;

// Turns a WAV file into PCM samples in memory, picked by the format tag of its "fmt " chunk.
// The table holds one codec per tag, made once and used for every file, so each decode is
// followed by the caller's flush before the next.
class CSoundCodec {
public:
    static constexpr int kTableSize = 3;

    CSoundCodec() = default;
    virtual ~CSoundCodec();
    CSoundCodec(const CSoundCodec&) = delete;
    CSoundCodec& operator=(const CSoundCodec&) = delete;

    // Frees the decoded samples.
    virtual void flush();
    // Decodes the file, open at its start: true when getData() holds the samples that
    // getDesc() describes. Whatever happens, the caller flushes afterwards.
    virtual bool decode(CFile* file) = 0;
    virtual platform::WaveFormat* getDesc() = 0;

    // The decoded samples, their byte count its memory usage; null when nothing is decoded.
    CDataBuffer* getData() const { return data_; }

    // Builds the table: nothing for tag 0, PCM for tag 1, Microsoft ADPCM for tag 2.
    static void init_codecs();
    static void done_codecs();
    // Null for a tag without a codec, and before the table is built.
    static CSoundCodec* getCodec(int tag);

protected:
    // Takes over decoded samples.
    void keep(CDataBuffer* data);

private:
    CDataBuffer* data_ = nullptr;

    static std::unique_ptr<std::array<std::unique_ptr<CSoundCodec>, kTableSize>> codecs;
};
