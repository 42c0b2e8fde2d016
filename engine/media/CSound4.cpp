#include "media/CSound4.h"

#include "foundation/CDataBuffer.h"
#include "foundation/CFile.h"
#include "media/CSoundCodec.h"
#include "media/CSoundManager.h"
#include "media/CWaveChunkReader.h"
#include "media/MediaApplication.h"
#include "media/MediaWindow.h"
#include "platform/SoundDevice.h"
#include "platform/SoundLevels.h"
#include "script/CMElement.h"

std::unique_ptr<platform::SoundDevice> CSound4::m_pDirectSound;
bool CSound4::m_bSoundBufferCreated = false;

namespace {

// Sounds of this kind have no codec: they never load.
const char kSpeexExtension[] = ".SPX";

// The format tag of the file's "fmt " chunk; -1 when the file is no WAV file or has none.
int formatTagOf(CFile& file)
{
    CWaveChunkReader chunks(&file, 0, file.Length());
    if (!chunks.readHeader())
        return -1;
    const int32_t size = chunks.find("fmt ");
    platform::WaveFormat format;
    if (size < 0 || !chunks.readFormat(size, &format))
        return -1;
    return format.formatTag;
}

} // namespace

CSound4::CSound4(MediaWindow* window, const CXString& fileName, bool flushAfterPlayed, bool preload)
    : CPlayable(window)
    , flushAfterPlayed_(flushAfterPlayed)
{
    type_ = kType;
    if (CSoundManager* manager = soundManager())
        manager->add(this, false);
    CreatePrimarySoundBuffer(window);
    setFilename(fileName);
    if (preload)
        load();
}

CSound4::CSound4(MediaWindow* window)
    : CPlayable(window)
{
}

CSound4::CSound4(MediaWindow* window, CMElement* definition)
    : CPlayable(window)
{
    CreatePrimarySoundBuffer(window);
    const CXString name = definition->getPropertyValue("FILENAME");
    setFilename(window != nullptr ? window->GetSoundFXFullPath(name) : name);
    if (name.IsString() && definition->getPropertyBoolValue("PRELOAD"))
        load();
    loop_ = definition->getPropertyBoolValue("LOOP");
    flushAfterPlayed_ = definition->getPropertyBoolValue("FLUSHAFTERPLAYED");
}

CSound4::~CSound4()
{
    if (CSoundManager* manager = soundManager())
        manager->remove(this);
    Stop();
    Flush();
}

CSoundManager* CSound4::soundManager() const
{
    if (window_ == nullptr || window_->GetApplicationInterface() == nullptr)
        return nullptr;
    return window_->GetApplicationInterface()->getSoundManagerIfc();
}

platform::SoundDevice* CSound4::CreateDirectSoundInterface(MediaWindow*)
{
    if (m_bSoundBufferCreated)
        return m_pDirectSound.get();
    m_pDirectSound.reset();
    m_pDirectSound = platform::SoundDevice::open();
    return m_pDirectSound.get();
}

bool CSound4::CreatePrimarySoundBuffer(MediaWindow* window)
{
    if (!m_bSoundBufferCreated && m_pDirectSound) {
        if (m_pDirectSound->start())
            m_bSoundBufferCreated = true;
        else if (window != nullptr)
            window->setErrorCode(kErrorSoundCard);
    }
    return m_bSoundBufferCreated;
}

void CSound4::DestroySoundBuffer()
{
    // The device goes even when no sound ever started its output.
    m_pDirectSound.reset();
    m_bSoundBufferCreated = false;
}

bool CSound4::load()
{
    CXString upper = getFileName();
    upper.Upper();
    if (upper.endsWith(kSpeexExtension) || !m_pDirectSound)
        return false;
    CFile file(window_, getFileName(), CFile::MODE_READ | CFile::MODE_BINARY);
    if (file.LastError() != 0)
        return false;
    Flush();
    CSoundCodec* codec = CSoundCodec::getCodec(formatTagOf(file));
    if (codec == nullptr || file.Seek(0, SEEK_SET) != 0)
        return false;
    if (codec->decode(&file)) {
        CDataBuffer* samples = codec->getData();
        buffer_ = m_pDirectSound->createBuffer(*codec->getDesc(), static_cast<uint32_t>(samples->getMemoryUsage()));
        // A buffer the device could not fill would play whatever it held: it goes.
        if (buffer_ && !buffer_->fill(samples->getPtr()))
            buffer_.reset();
    }
    codec->flush();
    if (!buffer_)
        return false;
    applyLevels();
    CFileResolver::load();
    return true;
}

bool CSound4::Load(const CXString& fileName)
{
    Flush();
    setFilename(fileName);
    return load();
}

void CSound4::Flush()
{
    buffer_.reset();
    release();
}

void CSound4::applyLevels()
{
    applyVolume();
    buffer_->setPan(panning_);
    buffer_->setFrequency(frequency_);
}

void CSound4::applyVolume()
{
    // Switched off, sound effects still play and tell of their start and end, only unheard:
    // behaviours that wait for a sound go on as they would with sound.
    const bool heard = window_ == nullptr || window_->IsSoundOn();
    if (buffer_)
        buffer_->setVolume(heard ? volume_ : platform::SoundLevels::kSilent);
}

void CSound4::SetPosition(int offset)
{
    if (buffer_ && offset >= 0)
        buffer_->setPosition(static_cast<uint32_t>(offset));
}

void CSound4::Play(bool loop)
{
    if (!buffer_ && !load())
        return;
    SetPosition(0);
    applyVolume();
    buffer_->play(loop);
    notifyOnFinish_ = true;
    notify(NOTIFY_STARTED);
}

void CSound4::Play()
{
    if (!buffer_ && !load())
        return;
    SetPosition(startPosition_);
    if (CSoundManager* manager = soundManager())
        manager->play(this);
    applyVolume();
    buffer_->play(false);
    const uint32_t oldStatus = status_;
    startPosition_ = 0;
    notifyOnFinish_ = true;
    status_ = STATUS_PLAYING;
    notify(oldStatus == STATUS_PAUSED ? NOTIFY_RESUMED : NOTIFY_STARTED);
}

void CSound4::Stop()
{
    if (buffer_)
        buffer_->stop();
    status_ = 0;
}

bool CSound4::IsPlaying()
{
    return buffer_ && buffer_->isPlaying();
}

void CSound4::OnWAVFinished()
{
    if (notifyOnFinish_)
        notify(NOTIFY_FINISHED);
    notifyOnFinish_ = true;
    if (flushAfterPlayed_)
        Flush();
}

void CSound4::play()
{
    startPosition_ = 0;
    Play();
}

void CSound4::stop(bool notify)
{
    notifyOnFinish_ = notify;
    Stop();
}

void CSound4::pause()
{
    if (status_ != STATUS_PLAYING)
        return;
    startPosition_ = buffer_ ? static_cast<int32_t>(buffer_->position()) : 0;
    Stop();
    status_ = STATUS_PAUSED;
}

void CSound4::resume()
{
    if (status_ == STATUS_PAUSED)
        Play();
}

void CSound4::setVolume(int volume)
{
    CPlayable::setVolume(volume);
    applyVolume();
}

void CSound4::setPanning(int panning)
{
    if (buffer_)
        buffer_->setPan(panning);
    CPlayable::setPanning(panning);
}

void CSound4::setFrequency(int frequency)
{
    if (buffer_)
        buffer_->setFrequency(frequency);
    CPlayable::setFrequency(frequency);
}
