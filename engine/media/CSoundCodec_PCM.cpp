#include "media/CSoundCodec_PCM.h"

#include "foundation/CDataBuffer.h"
#include "foundation/CFile.h"
#include "media/CWaveChunkReader.h"

bool CSoundCodec_PCM::decode(CFile* file)
{
    flush();
    CWaveChunkReader chunks(file, 0, file->Length());
    format_ = {};
    if (!chunks.readHeader())
        return false;
    const int32_t formatSize = chunks.find("fmt ");
    if (formatSize < 0 || !chunks.readFormat(formatSize, &format_))
        return false;
    const int32_t dataSize = chunks.find("data");
    if (dataSize < 0)
        return false;
    auto* samples = new CDataBuffer(dataSize, 1);
    keep(samples);
    return file->Read(samples->getBuffer(), dataSize) == dataSize;
}
