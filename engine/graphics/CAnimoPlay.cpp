// How an animation plays: starting and ending events, the steps with their loops, and the
// frame sounds.
#include "graphics/CAnimo.h"

#include "graphics/GraphicsWindow.h"
#include "media/CSndStream.h"
#include "media/CSound4.h"

#include <algorithm>
#include <climits>

namespace {

const char kReverseSuffix[] = "_reverse";

// The name an event record keeps of the text.
CXString storedEventName(const CXString& text)
{
    _annEventInfo3 record;
    record.setName(text);
    return record.getName();
}

} // namespace

void CAnimo::setStatus(_astatus status)
{
    astatus_ = status;
    status_ = status == ASTATUS_PLAYING ? STATUS_PLAYING : status == ASTATUS_PAUSED ? STATUS_PAUSED : 0;
}

void CAnimo::Play(_animoevent event, int position, int)
{
    Invalidate();
    event = GetEventNo(event);
    if (GetNOFInEvent(event) == 0)
        return;
    if (IsPlaying()) {
        const _annEventInfo3* playing = eventAt(currentEvent_);
        if ((animoFlags_ & ANIMO_NO_INTERRUPT) != 0 || (playing != nullptr && (playing->flags & EVENT_NO_INTERRUPT) != 0))
            return;
    }
    if (_annEventInfo3* old = eventAt(currentEvent_))
        old->loopCounter = 0;
    currentEvent_ = event;
    lastPlayedEvent_ = event;
    if (!isVisible())
        show();
    if (fps_ == 0)
        fps_ = kDefaultFps;
    setStatus(ASTATUS_PLAYING);
    SetEventFrame(event, position);
    notify(NOTIFY_STARTED);
}

void CAnimo::Play(const CXString& event, int position, int unused)
{
    const int found = resolveEventName(event);
    if (found >= 0)
        Play(found, position, unused);
}

void CAnimo::Play()
{
    Play(0, 0, 0);
}

void CAnimo::play()
{
    Play(currentEvent_, 0, kDefaultFps);
}

void CAnimo::Continue()
{
    const _annEventInfo3* info = eventAt(currentEvent_);
    if (info == nullptr || info->frameCount() == 0)
        return;
    fps_ = info->fps == 0 ? kDefaultFps : static_cast<int>(std::min<uint32_t>(info->fps, INT_MAX));
    setStatus(ASTATUS_PLAYING);
    Next();
}

void CAnimo::Stop()
{
    if (IsPlaying())
        StopNoNotify();
}

void CAnimo::StopNoNotify()
{
    if (!IsPlaying())
        return;
    if (stream_)
        stream_->Stop();
    const _annEventInfo3* info = eventAt(currentEvent_);
    const uint32_t eventFlags = info != nullptr ? info->flags : 0;
    if ((eventFlags & EVENT_HIDE_ON_STOP) != 0)
        hide();
    setStatus(ASTATUS_STOPPED);
    if ((eventFlags & EVENT_KEEP_SOUND) == 0 && (animoFlags_ & ANIMO_KEEP_SOUND) == 0) {
        if (currentSound_ != nullptr)
            currentSound_->stop(true);
        currentSound_ = nullptr;
    }
}

void CAnimo::stop(bool notifyEnd)
{
    Stop();
    if (notifyEnd)
        notify(NOTIFY_FINISHED);
}

void CAnimo::Pause()
{
    if (IsPlaying())
        setStatus(ASTATUS_PAUSED);
}

void CAnimo::Resume()
{
    if (astatus_ == ASTATUS_PAUSED)
        setStatus(ASTATUS_PLAYING);
}

bool CAnimo::finishEvent(int event)
{
    stop(true);
    return !IsPlaying() && currentEvent_ == event;
}

bool CAnimo::hasNextEvent()
{
    return GetNOFInEvent(currentEvent_ + 1) > 0;
}

void CAnimo::switchToNextEvent()
{
    ++currentEvent_;
}

bool CAnimo::soundStillPlays()
{
    return (stream_ && stream_->IsPlaying()) || (currentSound_ != nullptr && currentSound_->IsPlaying());
}

bool CAnimo::Next()
{
    const int before = currentImage_;
    if (isVisible())
        invalidateArea(GetBoundingBox());
    const int event = currentEvent_;
    const _annEventInfo3* info = eventAt(event);
    if (images_.empty() || info == nullptr || info->frameCount() == 0)
        return false;
    const int count = info->frameCount();
    int position = positionInEvent_ + 1;
    if (info->loopEnd == 0) {
        if (position >= count) {
            position = count - 1;
            if ((animoFlags_ & ANIMO_PLAY_ON) == 0) {
                stop(true);
                return false;
            }
            if (hasNextEvent()) {
                switchToNextEvent();
                position = 0;
            }
        }
    } else {
        // Loop fields beyond the event are taken as its last position.
        const int loopEnd = std::min<int>(info->loopEnd, count - 1);
        const int loopStart = std::min<int>(info->loopStart, loopEnd);
        const uint32_t flags = info->flags;
        const bool loopWhileSound = (flags & EVENT_LOOP_WHILE_SOUND) != 0;
        if (position > loopEnd) {
            if ((flags & EVENT_BOUNCE) != 0) {
                position -= 2;
                direction_ = DIRECTION_BACKWARD;
            } else if (loopWhileSound && !soundStillPlays()) {
                // The sound has ended: past the loop the event runs out, or plays on.
                if (position + 1 < count) {
                    ++position;
                } else if ((animoFlags_ & ANIMO_PLAY_ON) == 0) {
                    if (!finishEvent(event))
                        return currentImage_ != before;
                } else if (hasNextEvent()) {
                    switchToNextEvent();
                    position = 0;
                } else if (position >= count) {
                    stop(true);
                    return false;
                }
            } else if (info->loopCount == 0) {
                position = loopStart;
            } else {
                _annEventInfo3& looping = events_[static_cast<size_t>(event)];
                if (++looping.loopCounter < looping.loopCount) {
                    position = loopStart;
                } else {
                    looping.loopCounter = 0;
                    if (!finishEvent(event))
                        return currentImage_ != before;
                }
            }
        }
    }
    SetEventFrame(currentEvent_, position);
    return currentImage_ != before;
}

bool CAnimo::Prev()
{
    const int before = currentImage_;
    const int event = currentEvent_;
    const _annEventInfo3* info = eventAt(event);
    if (images_.empty() || info == nullptr || info->frameCount() == 0)
        return false;
    int position = positionInEvent_ - 1;
    if (info->loopEnd == 0) {
        if (position < 0) {
            stop(true);
            return false;
        }
    } else {
        const int loopEnd = std::min<int>(info->loopEnd, info->frameCount() - 1);
        const int loopStart = std::min<int>(info->loopStart, loopEnd);
        if (position < loopStart) {
            if ((info->flags & EVENT_BOUNCE) != 0) {
                position += 2;
                direction_ = DIRECTION_FORWARD;
            } else if ((info->flags & EVENT_LOOP_WHILE_SOUND) == 0 || soundStillPlays()) {
                position = loopEnd;
            } else if (position == 0) {
                if (!finishEvent(event))
                    return currentImage_ != before;
                position = loopEnd;
            }
        }
    }
    if (position >= 0)
        SetEventFrame(currentEvent_, position);
    return currentImage_ != before;
}

int CAnimo::next()
{
    if (direction_ == DIRECTION_FORWARD)
        Next();
    else
        Prev();
    return positionInEvent_;
}

int CAnimo::previous()
{
    Prev();
    return positionInEvent_;
}

void CAnimo::PlaySoundFX(int event, int position)
{
    if ((animoFlags_ & ANIMO_STREAM_SOUNDS) != 0) {
        const _anmFrameInfo3* record = GetFrameInfo(event, position);
        const CXString name = record != nullptr ? record->getSound() : CXString();
        if (!name.IsString())
            return;
        GraphicsWindow* window = getWindow();
        stream_.reset();
        // A streamed sound tells nobody of its end: with sound switched off it need not play.
        if (window != nullptr && !window->IsSoundOn())
            return;
        stream_ = std::make_unique<CSndStream>(window, window != nullptr ? window->GetSoundFXFullPath(name) : name);
        stream_->Play(false);
        return;
    }
    CSound4* sound = soundAt(event, position);
    if (sound == nullptr)
        return;
    if (currentSound_ != nullptr)
        currentSound_->stop(true);
    currentSound_ = sound;
    sound->Play();
}

void CAnimo::playReverse(const CXString& name, int position)
{
    int event;
    int start;
    const CXString reverseName = storedEventName(name + kReverseSuffix);
    if (name.GetLength() > 9 && name.endsWith(kReverseSuffix) && (event = resolveEventName(name)) >= 0) {
        start = positionInEvent_;
    } else if ((event = resolveEventName(reverseName)) >= 0) {
        start = position;
    } else {
        const int source = resolveEventName(name);
        if (source < 0)
            return;
        // Everything but the order, the name and the bytes past 58 as the source has it.
        _annEventInfo3 reversed = events_[static_cast<size_t>(source)];
        reversed.setName(reverseName);
        std::reverse(reversed.frames.begin(), reversed.frames.end());
        reversed.carried57 = reversed.carried58 = 0;
        reversed.carried59 = reversed.carried63 = 0;
        AddEvent(&reversed);
        const std::vector<_anmFrameInfo3>& records = frameInfo_[static_cast<size_t>(source)];
        std::vector<_anmFrameInfo3>& reversedRecords = frameInfo_.back();
        for (size_t i = 0; i < records.size() && i < reversedRecords.size(); ++i) {
            // The name, displacement, opacity, sound and the field at 20 of the mirrored position.
            _anmFrameInfo3 record = records[records.size() - 1 - i];
            record.text.reset();
            record.carried12 = _anmFrameInfo3().carried12;
            record.carried25 = 0;
            reversedRecords[i] = std::move(record);
        }
        playReverse(reverseName, position);
        return;
    }
    const int count = GetNOFInEvent(event);
    if (positionInEvent_ >= 0 && positionInEvent_ < count)
        Play(event, start == -1 ? count - positionInEvent_ : start, 0);
}
