#include "graphics/CPlayable.h"

#include "graphics/CPlayableObserver.h"

#include <algorithm>

CPlayable::CPlayable(CWindow* window)
    : window_(window)
{
}

bool CPlayable::notify(int code)
{
    std::vector<CPlayableObserver*> round = notifiers_;
    if (genericNotifier_ != nullptr)
        round.push_back(genericNotifier_);
    bool answer = true;
    for (CPlayableObserver* observer : round) {
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
