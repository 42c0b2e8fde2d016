#include "graphics/CAnimationManager.h"

#include "app/CApplication.h"
#include "app/CWindow.h"
#include "graphics/CAnimo6.h"
#include "graphics/CPlayable.h"
#include "platform/Clock.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_Groupped.h"

#include <algorithm>

CAnimationManager* CAnimationManager::of(CWindow* window)
{
    CApplication* application = window != nullptr ? window->GetApplicationInterface() : nullptr;
    return application != nullptr ? application->getAnimoManagerIfc() : nullptr;
}

void CAnimationManager::add(CPlayable* playable, CRefreshScreen* screen)
{
    entries_.push_back(std::make_shared<Registration>(Registration{playable, screen, false, platform::tickCount(), false}));
}

void CAnimationManager::remove(CPlayable* playable)
{
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [playable](const auto& entry) { return entry->playable == playable; });
    if (found == entries_.end())
        return;
    (*found)->removed = true;
    entries_.erase(found);
}

int CAnimationManager::domodal()
{
    const uint32_t now = platform::tickCount();
    for (const auto& entry : Round(entries_)) {
        if (!entry->playable->isPlaying())
            continue;
        // A rate of 0 or below has no interval: such a playable never steps.
        const int fps = entry->playable->getFPS();
        if (fps <= 0)
            continue;
        const auto interval = static_cast<uint32_t>(1000 / fps);
        if (now - entry->last >= interval) {
            entry->last = platform::tickCount();
            entry->due = true;
        }
    }
    for (const auto& entry : Round(entries_)) {
        if (entry->removed || !entry->due)
            continue;
        entry->due = false;
        entry->playable->next();
    }
    return 0;
}

void CAnimationManager::pause()
{
    for (const auto& entry : Round(entries_))
        if (entry->playable->isPlaying())
            entry->playable->pause();
}

void CAnimationManager::resume()
{
    resume(nullptr);
}

void CAnimationManager::resume(CMC_Groupped* group)
{
    for (const auto& entry : Round(entries_))
        if (!entry->removed && entry->playable->isPaused() && (group == nullptr || contains(group, entry->playable)))
            entry->playable->resume();
}

bool CAnimationManager::contains(CMC_Groupped* group, CPlayable* playable)
{
    for (int i = 0; i < group->getCount(); ++i) {
        auto* animo = dynamic_cast<CMC_Animo*>(group->get(i));
        if (animo != nullptr && animo->getAnimo() != nullptr && static_cast<CPlayable*>(animo->getAnimo()) == playable)
            return true;
    }
    return false;
}
