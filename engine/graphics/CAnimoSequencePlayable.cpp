#include "graphics/CAnimoSequencePlayable.h"

#include "graphics/CAnimo6.h"
#include "script_graphics/CMC_Animo.h"

CAnimoSequencePlayable::CAnimoSequencePlayable(CWindow* window, CAnimo* animation)
    : CPlayable(window)
    , animation_(animation)
{
    type_ = kType;
}

CAnimoSequencePlayable::CAnimoSequencePlayable(CWindow* window, CMC_Animo* object)
    : CAnimoSequencePlayable(window, object != nullptr ? object->getAnimo() : nullptr)
{
    object_ = object;
}

CAnimoSequencePlayable::~CAnimoSequencePlayable()
{
    if (object_ != nullptr)
        object_->removeSeq(this);
}

void CAnimoSequencePlayable::substAnimation(CAnimo* animation)
{
    animation_ = animation;
    if (animation == nullptr)
        object_ = nullptr;
}
