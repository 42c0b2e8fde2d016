#include "graphics/CAnimationManager.h"

#include "graphics/CMC_SceneTypes.h"
#include "graphics/GraphicsApplication.h"
#include "graphics/GraphicsWindow.h"
#include "media/CPlayable.h"
#include "platform/Clock.h"
#include "script/CMC_Groupped.h"

#include <algorithm>

CAnimationManager* CAnimationManager::of(GraphicsWindow* window)
{
    GraphicsApplication* application = window != nullptr ? window->GetApplicationInterface() : nullptr;
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

std::optional<uint32_t> CAnimationManager::nextStepDue() const
{
    platform::SoonestTick soonest(platform::tickCount());
    for (const auto& entry : entries_) {
        const int fps = entry->playable->isPlaying() ? entry->playable->getFPS() : 0;
        if (fps > 0)
            soonest.add(entry->last, static_cast<uint32_t>(1000 / fps));
    }
    return soonest.tick();
}

void CAnimationManager::pause()
{
    for (const auto& entry : Round(entries_))
        if (entry->playable->isPlaying())
            entry->playable->pause();
}

void CAnimationManager::resume()
{
    resume([](CPlayable*) { return true; });
}

void CAnimationManager::resume(CMC_Groupped* group)
{
    if (group == nullptr) {
        resume();
        return;
    }
    const std::vector<CPlayable*> animations = animationsOf(group);
    resume([&animations](CPlayable* playable) { return std::ranges::find(animations, playable) != animations.end(); });
}

void CAnimationManager::resume(const std::function<bool(CPlayable*)>& chosen)
{
    for (const auto& entry : Round(entries_))
        if (!entry->removed && entry->playable->isPaused() && chosen(entry->playable))
            entry->playable->resume();
}

std::vector<CPlayable*> CAnimationManager::animationsOf(CMC_Groupped* group)
{
    std::vector<CPlayable*> animations;
    for (int i = 0; i < group->getCount(); ++i) {
        CMC_Object* member = group->get(i);
        if (member != nullptr && member->getType() == CMC_Object::TYPE_ANIMO)
            if (CPlayable* animation = CMC_SceneTypes::playableOf(member))
                animations.push_back(animation);
    }
    return animations;
}
