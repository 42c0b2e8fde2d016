#include "script_graphics/CStaticFilter.h"

#include "graphics/CAnimo.h"
#include "graphics/CFrame.h"
#include "script_graphics/CMC_Animo.h"

CStaticFilterOptions::CStaticFilterOptions(int kindCode)
    : CFilterOptions(kindCode)
{
}

void CStaticFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "CANUNDO")
        canUndo_ = value.toBool();
    else if (name == "CURRENTFRAME")
        currentFrame_ = value.toBool();
    else
        CFilterOptions::readOptions(name, value);
}

CStaticFilter::CStaticFilter(ScriptGraphicsWindow* owner)
    : CFilter(owner)
{
}

CStaticFilter::~CStaticFilter()
{
    for (int i = 0; i < getLinkCount(); ++i)
        if (CAnimo* animation = stateOf(getLinkAt(i)).animation)
            animation->removeNotifier(this);
}

CFilterLink* CStaticFilter::createLink(CGraphicsObject* graphics, CMC_Object* script)
{
    return new CFilterLink(graphics, script, new CStaticLinkState);
}

FilterPixels::Layout CStaticFilter::layout() const
{
    return FilterPixels::layoutOf(getOwner());
}

void CStaticFilter::apply(CGraphicsObject* raster, bool)
{
    FilterPixels::unpackForUse(raster);
}

// An ANIMO's link follows its animation; anything else, a part of an animation named
// "ANIMO!frame" included, is a single raster.
void CStaticFilter::addLink(CFilterLink* link)
{
    if (link == nullptr)
        return;
    auto* animation = dynamic_cast<CAnimo*>(link->getGraphics());
    if (animation != nullptr && link->getScript() != nullptr && link->getScript()->getType() == CMC_Animo::kType) {
        linkAnimation(link, animation);
    } else {
        CGraphicsObject* raster = link->getGraphics();
        CStaticLinkState& state = stateOf(link);
        state.index = 0;
        saveState(raster, state.entries[0]);
        apply(raster, releaseFor(state.entries[0]));
    }
    appendLink(link);
}

void CStaticFilter::linkAnimation(CFilterLink* link, CAnimo* animation)
{
    CStaticLinkState& state = stateOf(link);
    state.animation = animation;
    if (CFrame* current = animation->GetFrame(animation->Current()))
        current->bringBackCompressed();
    if (!options().isCurrentFrameOnly())
        animation->unpack();
    prepareAnimationUndo(state);
    if (options().isCurrentFrameOnly()) {
        if (state.index >= 0)
            applyToFrame(animation, state.index, state.entries[static_cast<size_t>(state.index)]);
    } else {
        for (int frame = 0; frame < animation->GetNOF(); ++frame)
            applyToFrame(animation, frame, state.entries[static_cast<size_t>(frame)]);
    }
    animation->updateWithCurrentFrame();
    animation->Invalidate();
    animation->addNotifier(this);
    animation->Set(animation->Current(), false);
}

// Every animation link gets its marks and records, so that the effect can follow the frame on
// show; the planes are kept only with CANUNDO.
void CStaticFilter::prepareAnimationUndo(CStaticLinkState& state)
{
    CAnimo* animation = state.animation;
    state.entries.assign(static_cast<size_t>(animation->GetNOF()), Entry());
    state.index = -1;
    if (options().isCurrentFrameOnly()) {
        CFrame* current = animation->GetFrame(animation->Current());
        if (current != nullptr) {
            state.index = animation->Current();
            Entry& entry = state.entries[static_cast<size_t>(state.index)];
            entry.marked = true;
            saveState(current, entry);
            if (entry.packed)
                current->unpack();
        }
    } else {
        for (int frame = 0; frame < animation->GetNOF(); ++frame) {
            state.index = frame;
            Entry& entry = state.entries[static_cast<size_t>(frame)];
            saveState(animation->GetFrame(frame), entry);
            entry.marked = true;
        }
    }
    animation->clearLastRefreshed();
}

// A frame is treated inside the animation's clipping rectangle.
void CStaticFilter::applyToFrame(CAnimo* animation, int frame, const Entry& entry)
{
    CFrame* raster = animation->GetFrame(frame);
    if (raster == nullptr)
        return;
    const CXRect own = raster->GetClippingRect();
    raster->SetClippingRect(animation->GetClippingRect());
    apply(raster, releaseFor(entry));
    raster->SetClippingRect(own);
}

bool CStaticFilter::onPlayableTick(CPlayable* playable)
{
    CFilterLink* link = linkOf(playable);
    if (link == nullptr || !options().isCurrentFrameOnly())
        return false;
    CStaticLinkState& state = stateOf(link);
    CAnimo* animation = state.animation;
    const int current = animation->Current();
    if (current < 0 || current >= static_cast<int>(state.entries.size()) || state.entries[static_cast<size_t>(current)].marked)
        return false;
    if (state.index >= 0 && state.entries[static_cast<size_t>(state.index)].marked) {
        Entry& left = state.entries[static_cast<size_t>(state.index)];
        takeOff(animation->GetFrame(state.index), left);
        left.marked = false;
    }
    state.index = current;
    Entry& entry = state.entries[static_cast<size_t>(current)];
    entry = Entry();
    entry.marked = true;
    CFrame* frame = animation->GetFrame(current);
    frame->bringBackCompressed();
    saveState(frame, entry);
    applyToFrame(animation, current, entry);
    return false;
}

CFilterLink* CStaticFilter::linkOf(const CPlayable* playable) const
{
    for (int i = 0; i < getLinkCount(); ++i) {
        CFilterLink* link = getLinkAt(i);
        const CAnimo* animation = stateOf(link).animation;
        if (animation != nullptr && static_cast<const CPlayable*>(animation) == playable)
            return link;
    }
    return nullptr;
}

void CStaticFilter::removeLink(CFilterLink* link)
{
    if (link == nullptr || !holds(link))
        return;
    CStaticLinkState& state = stateOf(link);
    if (state.animation != nullptr)
        unlinkAnimation(state);
    else if (options().canUndo())
        takeOff(link->getGraphics(), state.entries[0]);
    link->getGraphics()->Invalidate();
    dropLink(link);
}

void CStaticFilter::unlinkAnimation(CStaticLinkState& state)
{
    CAnimo* animation = state.animation;
    animation->Invalidate();
    animation->removeNotifier(this);
    animation->clearLastRefreshed();
    for (int frame = 0; frame < static_cast<int>(state.entries.size()); ++frame) {
        Entry& entry = state.entries[static_cast<size_t>(frame)];
        if (entry.marked)
            takeOff(animation->GetFrame(frame), entry);
        entry.marked = false;
    }
    if (options().canUndo() && !options().isCurrentFrameOnly())
        animation->pack(true);
    animation->Set(animation->Current(), false);
}

void CStaticFilter::saveState(CGraphicsObject* raster, Entry& entry)
{
    entry.packed = raster->GetCompression() == COMPRESSION_RLE;
    entry.size = raster->Size();
    entry.position = raster->GetPosition();
    entry.saved = options().canUndo() && !entry.packed;
    if (!entry.saved)
        return;
    if (changesColour())
        entry.colour = raster->getColourPlane();
    if (changesAlpha())
        entry.alpha = raster->getAlphaPlane();
}

void CStaticFilter::takeOff(CGraphicsObject* raster, Entry& entry)
{
    if (raster == nullptr || !(entry.packed || entry.saved))
        return;
    raster->Invalidate();
    const CXSize size = changesGeometry() ? entry.size : raster->Size();
    if (entry.packed) {
        raster->setSize(size);
        raster->pack(true);
    } else {
        raster->setPlanes(changesColour() ? entry.colour : raster->getColourPlane(),
                          changesAlpha() ? entry.alpha : raster->getAlphaPlane(), size.width, size.height);
    }
    if (changesGeometry())
        raster->Move(entry.position - raster->GetPosition());
    raster->Invalidate();
    entry.colour.reset();
    entry.alpha.reset();
    entry.saved = false;
}
