#pragma once

#include "media/CSoundCodec.h"

// Format tag 1: the samples are the "data" chunk's bytes as they stand.
class CSoundCodec_PCM : public CSoundCodec {
public:
    bool decode(CFile* file) override;
    platform::WaveFormat* getDesc() override { return &format_; }

private:
    platform::WaveFormat format_;
};
