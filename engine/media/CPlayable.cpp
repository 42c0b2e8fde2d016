#include "media/CPlayable.h"

#include "media/CPlayableObserver.h"

#include <algorithm>

CPlayable::CPlayable(MediaWindow* window)
    : window_(window)
{
}

CPlayable::~CPlayable()
{
    for (size_t i = 0; i < watchers_.size(); ++i)
        watchers_[i]->onPlayableGone(this);
}

void CPlayable::watch(Watcher* watcher)
{
    if (std::find(watchers_.begin(), watchers_.end(), watcher) == watchers_.end())
        watchers_.push_back(watcher);
}

void CPlayable::unwatch(Watcher* watcher)
{
    std::erase(watchers_, watcher);
}

std::vector<CPlayableObserver*> CPlayable::round() const
{
    std::vector<CPlayableObserver*> observers = notifiers_;
    if (genericNotifier_ != nullptr)
        observers.push_back(genericNotifier_);
    return observers;
}

bool CPlayable::notify(int code)
{
    bool answer = true;
    for (CPlayableObserver* observer : round()) {
        switch (code) {
        case NOTIFY_STARTED:
            answer = observer->onPlayableStarted(this);
            break;
        case NOTIFY_TICK:
            answer = observer->onPlayableTick(this);
            break;
        case NOTIFY_FINISHED:
            answer = observer->onPlayableFinished(this);
            break;
        case NOTIFY_RESUMED:
            answer = observer->onPlayableResumed(this);
            break;
        default:
            break;
        }
    }
    return answer;
}

void CPlayable::addNotifier(CPlayableObserver* observer)
{
    if (std::find(notifiers_.begin(), notifiers_.end(), observer) == notifiers_.end())
        notifiers_.push_back(observer);
}

void CPlayable::removeNotifier(CPlayableObserver* observer)
{
    std::erase(notifiers_, observer);
}

int CPlayable::previous()
{
    seek(-3);
    return current_;
}

int CPlayable::next()
{
    seek(-4);
    return current_;
}

void CPlayable::setNotifier(CPlayableObserver* observer)
{
    clearNotifiers();
    addNotifier(observer);
}

CXString CPlayable::getParameter(const CXString& event)
{
    for (const auto& [name, parameter] : events_)
        if (name.equalsIgnoreCase(event))
            return parameter;
    return CXString();
}

void CPlayable::setParameter(const CXString& event, const CXString& value)
{
    for (auto& [name, parameter] : events_)
        if (name == event) {
            parameter = value;
            return;
        }
}

void CPlayable::play(const CXString& event)
{
    stop(false);
    lastPlayedEvent_ = event;
    status_ = STATUS_PLAYING;
    parameter_ = getParameter(event);
    play();
}
