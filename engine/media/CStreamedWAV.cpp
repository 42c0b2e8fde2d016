#include "media/CStreamedWAV.h"

#include "foundation/CBigFile.h"
#include "foundation/CFile.h"
#include "media/CSound4.h"
#include "media/CWaveChunkReader.h"
#include "media/MediaWindow.h"
#include "platform/SoundDevice.h"
#include "platform/SoundLevels.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr uint32_t kRingMilliseconds = 1200;
// The most a playable format can take: the top rate in 16-bit stereo. A file that claims
// more would ask for a ring of any size.
constexpr uint32_t kMaxBytesPerSecond = platform::SoundLevels::kMaxFrequency * 4;

} // namespace

CStreamedWAV::CStreamedWAV(MediaWindow* window, const CXString& name, platform::SoundQueue** bufferSlot, platform::WaveFormat* format)
    : window_(window)
    , format_(format)
{
    Open(name);
    *bufferSlot = buffer_.get();
}

CStreamedWAV::~CStreamedWAV()
{
    Flush();
}

void CStreamedWAV::Open(const CXString& name)
{
    Flush();
    setErrorCode(0);
    file_ = std::make_unique<CFile>(window_, name, CFile::MODE_READ | CFile::MODE_BINARY);
    if (file_->LastError() == 0) {
        Open(0, file_->Length());
        return;
    }
    file_.reset();
    CBigFile* archive = CFile::getBigFileIfc();
    CFile* shared = CFile::getBigFileHandle();
    if (archive != nullptr && shared != nullptr) {
        const int sharedPosition = shared->Tell();
        const int start = archive->Seek(name);
        shared->Seek(sharedPosition, SEEK_SET);
        // The archive's own file opened once more: the same path, a position of our own.
        if (start >= 0)
            file_ = std::make_unique<CFile>(nullptr, shared->GetFileName(), CFile::MODE_READ | CFile::MODE_BINARY);
        if (file_ && file_->LastError() == 0) {
            Open(start, archive->GetSize(name));
            return;
        }
        file_.reset();
    }
    setErrorCode(ERROR_OPEN);
}

bool CStreamedWAV::Open(int32_t start, int32_t length)
{
    *format_ = {};
    CWaveChunkReader chunks(file_.get(), start, length);
    if (!chunks.readHeader())
        return false;
    const int32_t formatSize = chunks.find("fmt ");
    if (formatSize < 0 || !chunks.readFormat(formatSize, format_))
        return false;
    const int32_t dataSize = chunks.find("data");
    if (dataSize < 0)
        return false;
    if (!format_->isPlayable() || format_->avgBytesPerSec > kMaxBytesPerSecond)
        return false;
    dataStart_ = file_->Tell();
    dataLength_ = dataSize - dataSize % format_->blockAlign;
    readCount_ = 0;
    const uint32_t ring = format_->avgBytesPerSec * kRingMilliseconds / 1000;
    bufferSize_ = ring - ring % format_->blockAlign;
    platform::SoundDevice* device = CSound4::getDirectSound();
    if (bufferSize_ == 0 || device == nullptr)
        return false;
    buffer_ = device->createQueue(*format_);
    return buffer_ != nullptr;
}

void CStreamedWAV::StartRead()
{
    setPosition(0);
}

void CStreamedWAV::setPosition(int32_t position)
{
    if (!file_ || !buffer_)
        return;
    const int32_t bounded = std::clamp(position, 0, dataLength_);
    readCount_ = bounded - bounded % format_->blockAlign;
    file_->Seek(dataStart_ + readCount_, SEEK_SET);
}

int CStreamedWAV::Read(int count, unsigned char* dest)
{
    const int wanted = std::min(count, dataLength_ - readCount_);
    if (!file_ || wanted <= 0)
        return 0;
    if (file_->Tell() != dataStart_ + readCount_)
        file_->Seek(dataStart_ + readCount_, SEEK_SET);
    const int read = file_->Read(dest, wanted);
    readCount_ += read;
    return read;
}

void CStreamedWAV::Close()
{
    file_.reset();
}

void CStreamedWAV::Flush()
{
    Close();
    buffer_.reset();
}
