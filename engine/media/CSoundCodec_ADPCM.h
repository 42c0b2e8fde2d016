#pragma once

#include "media/CSoundCodec.h"

// Format tag 2, Microsoft ADPCM: libsndfile decodes the file's "fmt ", "fact" and "data" chunks,
// copied into memory by our own chunk walk, into 16-bit samples.
class CSoundCodec_ADPCM : public CSoundCodec {
public:
    bool decode(CFile* file) override;
    platform::WaveFormat* getDesc() override { return &format_; }

private:
    platform::WaveFormat format_;
};
