#pragma once

#include "media/CSoundCodec.h"

// Format tag 2, Microsoft ADPCM: libsndfile decodes the file, read through the engine's own
// file object, into 16-bit samples.
class CSoundCodec_ADPCM : public CSoundCodec {
public:
    bool decode(CFile* file) override;
    platform::WaveFormat* getDesc() override { return &format_; }

private:
    platform::WaveFormat format_;
};
