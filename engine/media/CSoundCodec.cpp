#include "media/CSoundCodec.h"

#include "foundation/CDataBuffer.h"
#include "media/CSoundCodec_ADPCM.h"
#include "media/CSoundCodec_PCM.h"

std::unique_ptr<std::array<std::unique_ptr<CSoundCodec>, CSoundCodec::kTableSize>> CSoundCodec::codecs;

CSoundCodec::~CSoundCodec()
{
    flush();
}

void CSoundCodec::flush()
{
    delete data_;
    data_ = nullptr;
}

void CSoundCodec::keep(CDataBuffer* data)
{
    flush();
    data_ = data;
}

void CSoundCodec::init_codecs()
{
    codecs = std::make_unique<std::array<std::unique_ptr<CSoundCodec>, kTableSize>>();
    (*codecs)[1] = std::make_unique<CSoundCodec_PCM>();
    (*codecs)[2] = std::make_unique<CSoundCodec_ADPCM>();
}

void CSoundCodec::done_codecs()
{
    codecs.reset();
}

CSoundCodec* CSoundCodec::getCodec(int tag)
{
    if (!codecs || tag < 0 || tag >= kTableSize)
        return nullptr;
    return (*codecs)[tag].get();
}
