#include "graphics/CPlayable.h"

#include "graphics/CPlayableObserver.h"

#include <algorithm>

CPlayable::CPlayable(CWindow* window)
    : window_(window)
{
}

bool CPlayable::notify(int code)
{
    const std::vector<CPlayableObserver*> round = notifiers_;
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
