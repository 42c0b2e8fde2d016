#include "app/CKeyListeners.h"

#include <algorithm>

void CKeyListeners::add(CKeyListener* listener)
{
    listeners_.push_back(listener);
}

void CKeyListeners::remove(CKeyListener* listener)
{
    const auto found = std::find(listeners_.begin(), listeners_.end(), listener);
    if (found == listeners_.end())
        return;
    listeners_.erase(found);
    if (rounds_ > 0)
        removedInRound_.push_back(listener);
}

void CKeyListeners::tellAll(const std::function<void(CKeyListener*)>& tell)
{
    const std::vector<CKeyListener*> snapshot = listeners_;
    ++rounds_;
    for (CKeyListener* listener : snapshot)
        if (std::find(removedInRound_.begin(), removedInRound_.end(), listener) == removedInRound_.end())
            tell(listener);
    if (--rounds_ == 0)
        removedInRound_.clear();
}
