#include "media/CMusic.h"

#include "media/CSndStream.h"

CMusic::CMusic(MediaWindow* window)
    : window_(window)
{
}

CMusic::~CMusic() = default;

void CMusic::start(const CXString& name, bool loop)
{
    stream_ = std::make_unique<CSndStream>(window_, name);
    if (stream_->LastError() != 0)
        return;
    fileName_ = name;
    stream_->Play(loop);
}

void CMusic::stop()
{
    stream_.reset();
}

bool CMusic::isPlaying() const
{
    return stream_ && stream_->IsPlaying();
}

void CMusic::setVolume(int volume)
{
    if (stream_)
        stream_->setVolume(volume);
}

void CMusic::setPan(int pan)
{
    if (stream_)
        stream_->setPan(pan);
}

void CMusic::setFreq(int frequency)
{
    if (stream_)
        stream_->setFreq(frequency);
}

int CMusic::getVolume() const
{
    return stream_ ? stream_->getVolume() : 0;
}
