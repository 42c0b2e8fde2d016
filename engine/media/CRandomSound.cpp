#include "media/CRandomSound.h"

#include "foundation/CStringTokenizer.h"
#include "foundation/CXRandom.h"
#include "media/MediaWindow.h"

namespace {

bool isFullPath(const CXString& name)
{
    return name.Find(':', 0) >= 0 || name.GetAt(0) == '\\' || name.GetAt(0) == '/';
}

} // namespace

CRandomSound::CRandomSound(MediaWindow* window, const CXString& list, bool flushAfterPlayed, bool preload)
    : CSound4(window)
{
    CStringTokenizer names(list, ";");
    while (names.hasMoreTokens()) {
        const CXString name = names.nextToken();
        const CXString path = isFullPath(name) || window == nullptr ? name : window->GetSoundFXFullPath(name);
        sounds_.push_back(std::make_unique<CSound4>(window, path, flushAfterPlayed, preload));
    }
}

CSound4* CRandomSound::getSound(int i) const
{
    return i >= 0 && i < getCount() ? sounds_[static_cast<size_t>(i)].get() : nullptr;
}

CSound4* CRandomSound::draw()
{
    if (sounds_.empty())
        return nullptr;
    last_ = sounds_[static_cast<size_t>(CXRandom::draw()) % sounds_.size()].get();
    return last_;
}

void CRandomSound::Play(bool loop)
{
    if (CSound4* sound = draw())
        sound->Play(loop);
}

void CRandomSound::Play()
{
    if (CSound4* sound = draw())
        sound->Play();
}

void CRandomSound::Stop()
{
    if (last_ != nullptr)
        last_->Stop();
}

void CRandomSound::stop(bool notify)
{
    if (last_ != nullptr)
        last_->stop(notify);
}

bool CRandomSound::IsPlaying()
{
    return last_ != nullptr && last_->IsPlaying();
}

void CRandomSound::setVolume(int volume)
{
    for (const auto& sound : sounds_)
        sound->setVolume(volume);
    CPlayable::setVolume(volume);
}

void CRandomSound::setPanning(int panning)
{
    for (const auto& sound : sounds_)
        sound->setPanning(panning);
    CPlayable::setPanning(panning);
}

void CRandomSound::setFrequency(int frequency)
{
    for (const auto& sound : sounds_)
        sound->setFrequency(frequency);
    CPlayable::setFrequency(frequency);
}
