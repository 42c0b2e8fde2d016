#include "graphics/CRandomPlayable.h"

#include "foundation/CXRandom.h"
#include "foundation/DoubleToInt.h"
#include "graphics/CAnimo.h"
#include "graphics/GraphicsWindow.h"

#include <algorithm>

namespace {

// Tries of an animation's events until one starts.
constexpr int kEventTries = 10;

} // namespace

CRandomPlayableEntry::CRandomPlayableEntry(CRandomPlayable* owner, CPlayable* playable, double frequency,
                                           int burstLimit, const CXString& event)
    : owner_(owner)
    , playable_(playable)
    , frequency_(frequency)
    , burstLimit_(burstLimit)
    , event_(event)
{
    if (playable_ != nullptr)
        playable_->addNotifier(this);
    initialize();
}

CRandomPlayableEntry::~CRandomPlayableEntry()
{
    forget();
}

void CRandomPlayableEntry::forget()
{
    if (playable_ != nullptr)
        playable_->removeNotifier(this);
    playable_ = nullptr;
}

// A frequency of 0 or less, or one so small that the wait cannot be counted, tries every
// second; a burst limit below 2 makes one-play bursts.
void CRandomPlayableEntry::initialize()
{
    const int longestWait = frequency_ > 0 ? truncateToInt(60.0 / frequency_) : 0;
    countdown_ = longestWait > 0 ? CXRandom::random(longestWait) + 1 : 1;
    burstLength_ = burstLimit_ >= 2 ? CXRandom::random(burstLimit_ - 1) : 0;
    plays_ = 0;
}

bool CRandomPlayableEntry::isPlaying()
{
    return playable_ != nullptr && playable_->isPlaying();
}

void CRandomPlayableEntry::tick()
{
    if (playable_ == nullptr || playable_->isPlaying())
        return;
    if (--countdown_ != 0)
        return;
    ++plays_;
    if (!owner_->notify(this, true))
        return;
    if (event_.IsString())
        playable_->play(event_);
    else
        playAnyEvent();
}

void CRandomPlayableEntry::playAnyEvent()
{
    auto* animation = dynamic_cast<CAnimo*>(playable_);
    for (int i = 0; i < kEventTries && animation != nullptr && animation->GetNOE() > 0; ++i) {
        animation->Play(CXRandom::draw() % animation->GetNOE(), 0, CAnimo::kDefaultFps);
        if (playable_ == nullptr || animation->IsPlaying())
            return;
    }
}

bool CRandomPlayableEntry::onPlayableFinished(CPlayable* playable)
{
    if (playable != playable_ || playable_ == nullptr)
        return false;
    if (owner_->notify(this, false))
        countdown_ = 1;
    else if (plays_ >= burstLength_)
        initialize();
    else
        countdown_ = 1;
    return false;
}

CRandomPlayable::CRandomPlayable(GraphicsWindow* window, GraphicsUnit*)
    : timers_(window != nullptr ? window->GetTimerInterface() : nullptr)
    , timerId_(CXTimer::allocateId())
{
    if (timers_ != nullptr)
        timers_->add(timerId_, kPeriodMs, this);
    CPlayable::watch(this);
}

CRandomPlayable::~CRandomPlayable()
{
    CPlayable::unwatch(this);
    if (timers_ != nullptr)
        timers_->remove(timerId_);
}

void CRandomPlayable::add(CPlayable* playable, double frequency, int burstLimit, const CXString& event)
{
    if (playable != nullptr)
        entries_.push_back(std::make_unique<CRandomPlayableEntry>(this, playable, frequency, burstLimit, event));
}

bool CRandomPlayable::remove(CPlayable* playable)
{
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [playable](const auto& entry) { return entry->getPlayable() == playable; });
    if (playable == nullptr || found == entries_.end())
        return false;
    if (ticking_ > 0)
        (*found)->forget();
    else
        entries_.erase(found);
    return true;
}

void CRandomPlayable::onPlayableGone(CPlayable* playable)
{
    for (const auto& entry : entries_)
        if (entry->getPlayable() == playable)
            entry->forget();
    if (ticking_ == 0)
        eraseForgotten();
}

void CRandomPlayable::eraseForgotten()
{
    std::erase_if(entries_, [](const auto& entry) { return entry->getPlayable() == nullptr; });
}

void CRandomPlayable::addNotifier(CRandomPlayableNotifier* notifier)
{
    if (notifier != nullptr)
        notifiers_.push_back(notifier);
}

void CRandomPlayable::removeNotifier(CRandomPlayableNotifier* notifier)
{
    std::erase(notifiers_, notifier);
}

bool CRandomPlayable::notify(CRandomPlayableEntry* entry, bool starting)
{
    bool answer = false;
    for (CRandomPlayableNotifier* notifier : std::vector<CRandomPlayableNotifier*>(notifiers_))
        answer = starting ? notifier->onRandomPlay(entry->getPlayable(), entry->getSeqTime())
                          : notifier->onRandomFinished(entry->getPlayable(), entry->getSeqTime());
    return answer;
}

// Entries added during the round wait for the next one.
void CRandomPlayable::onTimer(int)
{
    ++ticking_;
    const size_t count = entries_.size();
    for (size_t i = 0; i < count && i < entries_.size(); ++i)
        entries_[i]->tick();
    if (--ticking_ == 0)
        eraseForgotten();
}
