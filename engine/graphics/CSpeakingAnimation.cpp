#include "graphics/CSpeakingAnimation.h"

#include "foundation/CXRandom.h"
#include "graphics/AnimationObject.h"
#include "graphics/CAnimo6.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/GraphicsWindow.h"
#include "media/CMC_Sound.h"
#include "media/CResourcesManager.h"
#include "media/CSound4.h"
#include "script/CMC_ObjectsContainer.h"

namespace {

// The animation that only marks a place: it is never shown.
const char kPlaceholderAnimation[] = "PIXEL.ANN";
// Draws for a speaking event before the last one drawn is taken whatever it is.
constexpr int kMaxDraws = 10000;
// The rate that events are asked to play at; animations play at their own.
constexpr int kEventRate = 15;

} // namespace

CSpeakingAnimation::CSpeakingAnimation(GraphicsWindow* window, CResourcesManager* resources)
    : CPlayable(window)
    , resources_(resources)
{
    type_ = kType;
    CPlayable::watch(this);
}

CSpeakingAnimation::~CSpeakingAnimation()
{
    CPlayable::unwatch(this);
    forgetAnimoObject();
    if (animation_ != nullptr)
        animation_->removeNotifier(this);
    dropSound();
}

void CSpeakingAnimation::onPlayableGone(CPlayable* playable)
{
    if (animation_ != nullptr && playable == static_cast<CPlayable*>(animation_))
        animation_ = nullptr;
    if (sound_ != nullptr && playable == sound_) {
        sound_ = nullptr;
        soundOrigin_ = SoundOrigin::None;
    }
}

void CSpeakingAnimation::forgetAnimoObject()
{
    if (animoObject_ != nullptr)
        animoObject_->removeSeq(this);
    animoObject_ = nullptr;
}

void CSpeakingAnimation::setAnimation(const CXString& name)
{
    CMC_ObjectsContainer* scene = window_ != nullptr ? window_->getRunningScene() : nullptr;
    if (animation_ != nullptr && animoObject_ == nullptr)
        animation_->removeNotifier(this);
    forgetAnimoObject();
    animation_ = nullptr;
    auto* object = scene != nullptr ? dynamic_cast<AnimationObject*>(scene->getObject(name.c_str())) : nullptr;
    if (object != nullptr && object->getAnimo() != nullptr) {
        animation_ = object->getAnimo();
        object->addSeq(this);
        animoObject_ = object;
        return;
    }
    if (resources_ == nullptr)
        return;
    animation_ = resources_->getAs<CAnimo>(name);
    if (animation_ == nullptr) {
        animation_ = new CAnimo(GraphicsWindow::of(window_), name);
        resources_->add(static_cast<CPlayable*>(animation_));
    }
    CRefreshScreen* screen = window_ != nullptr ? GraphicsWindow::of(window_)->GetRefreshScreenInterface() : nullptr;
    if (screen != nullptr && !name.equalsIgnoreCase(kPlaceholderAnimation))
        screen->put(animation_, 1000);
}

void CSpeakingAnimation::dropSound()
{
    if (sound_ != nullptr) {
        sound_->removeNotifier(this);
        if (soundOrigin_ == SoundOrigin::Manager)
            resources_->remove(sound_);
        else if (soundOrigin_ == SoundOrigin::Own)
            delete sound_;
    }
    sound_ = nullptr;
    soundOrigin_ = SoundOrigin::None;
}

void CSpeakingAnimation::apply(const CXString& name)
{
    CMC_ObjectsContainer* scene = window_ != nullptr ? window_->getRunningScene() : nullptr;
    dropSound();
    if (auto* object = scene != nullptr ? dynamic_cast<CMC_Sound*>(scene->getObject(name.c_str())) : nullptr) {
        sound_ = object->getSound();
        soundOrigin_ = sound_ != nullptr ? SoundOrigin::Object : SoundOrigin::None;
    } else if (resources_ != nullptr) {
        sound_ = resources_->getAs<CSound4>(name);
        if (sound_ == nullptr) {
            sound_ = new CSound4(window_, name, true, false);
            resources_->add(sound_);
        }
        soundOrigin_ = SoundOrigin::Manager;
    } else {
        sound_ = new CSound4(window_, name, true, false);
        soundOrigin_ = SoundOrigin::Own;
    }
    setFilename(name);
}

void CSpeakingAnimation::apply(CPlayable* sound)
{
    if (sound != nullptr && sound->getType() != CSound4::kType)
        return;
    dropSound();
    sound_ = sound;
    soundOrigin_ = sound != nullptr ? SoundOrigin::Given : SoundOrigin::None;
}

void CSpeakingAnimation::substAnimation(CAnimo* animation)
{
    if (animation_ != nullptr)
        animation_->removeNotifier(this);
    animation_ = animation;
    if (animation == nullptr)
        animoObject_ = nullptr;
}

CSound4* CSpeakingAnimation::sound() const
{
    return static_cast<CSound4*>(sound_);
}

CXString CSpeakingAnimation::eventNamed(const char* kind) const
{
    return prefix_.IsString() ? prefix_ + "_" + kind : CXString(kind);
}

bool CSpeakingAnimation::isSpeakingEvent(const CXString& event, const CXString& prefix)
{
    if (!prefix.IsString())
        return event.IsString() && event.c_str()[0] >= '0' && event.c_str()[0] <= '9';
    const CXString head = prefix + "_";
    if (!event.startsWith(head))
        return false;
    const CXString rest = event.Mid(head.GetLength(), event.GetLength());
    return !(rest == "START" || rest == "END" || rest == "STOP");
}

bool CSpeakingAnimation::playEvent(const CXString& event)
{
    if (animation_ == nullptr)
        return false;
    animation_->Play(event, 0, kEventRate);
    return animation_ != nullptr && animation_->isPlaying();
}

void CSpeakingAnimation::stopListening()
{
    if (animation_ != nullptr)
        animation_->removeNotifier(this);
    if (sound_ != nullptr)
        sound_->removeNotifier(this);
}

void CSpeakingAnimation::play()
{
    notify(NOTIFY_STARTED);
    soundStarted_ = false;
    finishing_ = false;
    if (sound_ != nullptr)
        sound_->addNotifier(this);
    if (animation_ == nullptr) {
        end();
        return;
    }
    status_ |= STATUS_PLAYING;
    animation_->addNotifier(this);
    if (CSound4* line = sound()) {
        line->load();
        line->setVolume(volume_);
        line->setPanning(panning_);
        if (frequency_ > 0)
            line->setFrequency(frequency_);
    }
    if (starting_ && playEvent(eventNamed("START")))
        return;
    startSound();
}

void CSpeakingAnimation::startSound()
{
    soundStarted_ = true;
    if (sound_ != nullptr) {
        sound_->setNotifier(this);
        sound_->play();
    }
    playOnOf();
}

void CSpeakingAnimation::playOnOf()
{
    if (sound_ == nullptr || !sound_->isPlaying() || animation_ == nullptr) {
        finish();
        return;
    }
    const int events = animation_->GetNOE();
    if (events == 0)
        return;
    int drawn = 0;
    for (int i = 0; i < kMaxDraws; ++i) {
        drawn = CXRandom::draw() % events;
        if (isSpeakingEvent(animation_->GetEventName(drawn), prefix_))
            break;
    }
    animation_->Play(drawn, 0, kEventRate);
}

void CSpeakingAnimation::finish()
{
    finishing_ = true;
    if (animation_ == nullptr || !animation_->isPlaying() || !animation_->isVisible()) {
        end();
        return;
    }
    animation_->stop(false);
    // The end or the stop event completes the play when it ends; without either the play ends now.
    if (ending_ && (playEvent(eventNamed("END")) || playEvent(eventNamed("STOP"))))
        return;
    end();
}

void CSpeakingAnimation::end()
{
    stopListening();
    stop(false);
    notify(NOTIFY_FINISHED);
}

bool CSpeakingAnimation::onPlayableFinished(CPlayable* playable)
{
    if ((status_ & STATUS_PLAYING) == 0)
        return CPlayable::onPlayableFinished(playable);
    if (animation_ != nullptr && playable == static_cast<CPlayable*>(animation_)) {
        if (finishing_)
            end();
        else if (!soundStarted_)
            startSound();
        else
            playOnOf();
    } else if (sound_ != nullptr && playable == sound_) {
        finish();
    }
    return CPlayable::onPlayableFinished(playable);
}

void CSpeakingAnimation::stop(bool notifyEnd)
{
    const bool wasPlaying = (status_ & STATUS_PLAYING) != 0;
    status_ &= ~(STATUS_PLAYING | STATUS_PAUSED);
    // What the sound and the animation report while they stop must not move the play on.
    stopListening();
    if (CSound4* line = sound()) {
        if (notifyEnd)
            line->stop(true);
        else
            line->Stop();
        line->Flush();
    }
    if (animation_ != nullptr) {
        if (notifyEnd)
            animation_->stop(true);
        else
            animation_->Stop();
    }
    if (notifyEnd && wasPlaying)
        notify(NOTIFY_FINISHED);
}

void CSpeakingAnimation::pause()
{
    if (sound_ != nullptr)
        sound_->pause();
    if (animation_ != nullptr)
        animation_->pause();
    if ((status_ & STATUS_PLAYING) != 0)
        status_ |= STATUS_PAUSED;
}

void CSpeakingAnimation::resume()
{
    if (sound_ != nullptr)
        sound_->resume();
    if (animation_ != nullptr)
        animation_->resume();
    status_ &= ~STATUS_PAUSED;
}

bool CSpeakingAnimation::isPlaying()
{
    return (status_ & STATUS_PLAYING) != 0
           && ((sound_ != nullptr && sound_->isPlaying()) || (animation_ != nullptr && animation_->isPlaying()));
}

void CSpeakingAnimation::move(int dx, int dy)
{
    if (animation_ != nullptr)
        animation_->move(dx, dy);
}

void CSpeakingAnimation::setPosition(int x, int y)
{
    if (animation_ == nullptr)
        return;
    animation_->Invalidate();
    animation_->setPosition(x, y);
    animation_->Invalidate();
}

bool CSpeakingAnimation::isVisible()
{
    return animation_ != nullptr && animation_->isVisible();
}

void CSpeakingAnimation::setVisibility(bool visible)
{
    if (animation_ != nullptr)
        animation_->Visible(visible);
}

void CSpeakingAnimation::alwaysOnTop()
{
    CRefreshScreen* screen = window_ != nullptr ? GraphicsWindow::of(window_)->GetRefreshScreenInterface() : nullptr;
    if (screen != nullptr && animation_ != nullptr)
        screen->SetFlags(animation_, 1);
}
