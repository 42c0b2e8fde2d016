#pragma once

#include <functional>
#include <vector>

class CKeyListener;

// The window's key listeners (not owned) in order of registration.
class CKeyListeners {
public:
    void add(CKeyListener* listener);
    void remove(CKeyListener* listener);
    int getCount() const { return static_cast<int>(listeners_.size()); }

    // Tells every listener in order. A listener removed meanwhile is not told; one added waits
    // for the next event.
    void tellAll(const std::function<void(CKeyListener*)>& tell);

private:
    std::vector<CKeyListener*> listeners_;
    // Listeners removed while a round runs: the round skips them even when they come back.
    std::vector<CKeyListener*> removedInRound_;
    int rounds_ = 0;
};
