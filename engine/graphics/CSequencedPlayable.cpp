#include "graphics/CSequencedPlayable.h"

#include "graphics/CAnimationManager.h"
#include "graphics/CAnimo.h"
#include "media/CSound4.h"

#include <unordered_set>

CSequencedPlayable::CSequencedPlayable(CWindow* window)
    : CPlayable(window)
{
    type_ = kType;
    if (CAnimationManager* manager = CAnimationManager::of(window))
        manager->add(this, nullptr);
}

CSequencedPlayable::CSequencedPlayable(CWindow* window, CMElement*)
    : CSequencedPlayable(window)
{
}

CSequencedPlayable::~CSequencedPlayable()
{
    for (CPlayable* child : children_) {
        const int type = child->getType();
        if (child->getParentsNo() >= 2 || type == CSound4::kType || type == CAnimo::kType)
            child->subParent();
        else
            delete child;
    }
    if (CAnimationManager* manager = CAnimationManager::of(window_))
        manager->remove(this);
}

void CSequencedPlayable::addChild(CPlayable* child)
{
    if (child == nullptr)
        return;
    children_.push_back(child);
    child->setParent(this);
}

CPlayable* CSequencedPlayable::getChild(int index) const
{
    return index >= 0 && index < getChildCount() ? children_[static_cast<size_t>(index)] : nullptr;
}

bool CSequencedPlayable::holds(CPlayable* playable) const
{
    // Children may be shared: each sequence is searched once.
    std::vector<const CSequencedPlayable*> pending{this};
    std::unordered_set<const CSequencedPlayable*> searched;
    while (!pending.empty()) {
        const CSequencedPlayable* sequence = pending.back();
        pending.pop_back();
        if (sequence == playable)
            return true;
        if (!searched.insert(sequence).second)
            continue;
        for (CPlayable* child : sequence->children_) {
            if (child == playable)
                return true;
            if (auto* nested = dynamic_cast<const CSequencedPlayable*>(child))
                pending.push_back(nested);
        }
    }
    return false;
}
