#include "graphics/CAnimoSequencePlayable.h"

#include "graphics/AnimationObject.h"
#include "graphics/CAnimo6.h"
#include "graphics/GraphicsWindow.h"

CAnimoSequencePlayable::CAnimoSequencePlayable(GraphicsWindow* window, CAnimo* animation)
    : CPlayable(window)
    , animation_(animation)
{
    type_ = kType;
    CPlayable::watch(this);
}

CAnimoSequencePlayable::CAnimoSequencePlayable(GraphicsWindow* window, AnimationObject* object)
    : CAnimoSequencePlayable(window, object != nullptr ? object->getAnimo() : nullptr)
{
    object_ = object;
}

CAnimoSequencePlayable::~CAnimoSequencePlayable()
{
    CPlayable::unwatch(this);
    detach();
    if (object_ != nullptr)
        object_->removeSeq(this);
}

void CAnimoSequencePlayable::onPlayableGone(CPlayable* playable)
{
    if (animation_ != nullptr && playable == static_cast<CPlayable*>(animation_)) {
        animation_ = nullptr;
        attached_ = false;
    }
}

void CAnimoSequencePlayable::detach()
{
    if (attached_ && animation_ != nullptr)
        animation_->removeNotifier(this);
    attached_ = false;
}

void CAnimoSequencePlayable::substAnimation(CAnimo* animation)
{
    detach();
    animation_ = animation;
    if (animation == nullptr)
        object_ = nullptr;
}

void CAnimoSequencePlayable::play()
{
    notify(NOTIFY_STARTED);
    detach();
    if (animation_ == nullptr)
        return;
    animation_->SetCurrentEvent(event_);
    animation_->play();
    if (animation_ != nullptr && animation_->isPlaying()) {
        animation_->addNotifier(this);
        attached_ = true;
    }
}

void CAnimoSequencePlayable::stop(bool notifyEnd)
{
    status_ &= ~STATUS_PLAYING;
    if (!attached_)
        return;
    // The animation's report of its end reaches onPlayableFinished before the leaf lets go.
    animation_->stop(notifyEnd);
    detach();
}

void CAnimoSequencePlayable::pause()
{
    if (attached_)
        animation_->pause();
}

void CAnimoSequencePlayable::resume()
{
    if (attached_)
        animation_->resume();
}

bool CAnimoSequencePlayable::isPlaying()
{
    return attached_ && animation_->isPlaying();
}

void CAnimoSequencePlayable::setVisibility(bool visible)
{
    CPlayable::setVisibility(visible);
    if (animation_ != nullptr)
        animation_->setVisibility(visible);
}

bool CAnimoSequencePlayable::onPlayableFinished(CPlayable* playable)
{
    detach();
    notify(NOTIFY_FINISHED);
    return CPlayable::onPlayableFinished(playable);
}
