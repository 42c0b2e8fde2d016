#include "script_graphics/CMC_Animo.h"

#include "graphics/CAnimo6.h"

#include <algorithm>

CMC_Animo::CMC_Animo(CMC_ObjectsContainer* owner, CAnimo6* animation)
    : CMC_Object("clone", kType)
    , animation_(animation)
{
    setScene(owner);
    if (animation_ != nullptr)
        animation_->setNotifier(this);
}

CMC_Animo::~CMC_Animo()
{
    // A sequence that outlives the object must not report back to it.
    for (CPlayable* sequence : sequences_)
        sequence->substAnimation(nullptr);
    if (animation_ != nullptr)
        animation_->removeNotifier(this);
}

void CMC_Animo::addSeq(CPlayable* sequence)
{
    if (sequence != nullptr && std::find(sequences_.begin(), sequences_.end(), sequence) == sequences_.end())
        sequences_.push_back(sequence);
}

void CMC_Animo::removeSeq(CPlayable* sequence)
{
    std::erase(sequences_, sequence);
}
