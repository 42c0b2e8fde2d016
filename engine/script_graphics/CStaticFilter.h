#pragma once

#include "foundation/CXPoint.h"
#include "foundation/CXSize.h"
#include "graphics/CPlane.h"
#include "media/CPlayableObserver.h"
#include "script_graphics/CFilter.h"
#include "script_graphics/FilterPixels.h"

#include <vector>

class CAnimo;

// CANUNDO (keep what the effect replaces, so that UNLINK gives it back) and CURRENTFRAME (on an
// animation only the frame on show carries the effect), besides ONEATTIME.
class CStaticFilterOptions : public CFilterOptions {
public:
    explicit CStaticFilterOptions(int kindCode);

    void readOptions(const CXString& name, const CXString& value) override;

    virtual bool canUndo() const { return canUndo_; }
    bool isCurrentFrameOnly() const { return currentFrame_; }

private:
    bool canUndo_ = false;
    bool currentFrame_ = true;
};

// The undo record of a link: one entry for a single raster, one per frame for an animation.
// Every entry knows whether its raster was held run-length packed (then taking the effect off
// means packing it again) and its size and position; with CANUNDO it also keeps the planes
// that the effect replaced, as they were, without copying them.
class CStaticLinkState : public CFilterLinkState {
public:
    struct Entry {
        CPlane colour;
        CPlane alpha;
        bool saved = false;
        bool packed = false;
        // The frame carries the effect.
        bool marked = false;
        CXSize size;
        CXPoint position;
    };

    std::vector<Entry> entries{1};
    // The entry in use: 0 for a single raster; for an animation the frame that carries the
    // effect, -1 for none.
    int index = 0;
    // The linked animation, when the link follows one.
    CAnimo* animation = nullptr;
};

// The base of the still kinds: an effect applied to a linked raster once, at LINK. On an ANIMO
// it follows the animation: with CURRENTFRAME only the frame on show carries it, the frame
// left losing it again (packed again when it was packed, restored with CANUNDO, else keeping
// it). UNLINK, and the end of the object, take the effect off where CANUNDO kept what it
// replaced.
class CStaticFilter : public CFilter, public CPlayableObserver {
public:
    explicit CStaticFilter(ScriptGraphicsWindow* owner);
    // Leaves the animations it follows; no raster is given back.
    ~CStaticFilter() override;

    // Applies the effect, then enters the link; none is ignored.
    void addLink(CFilterLink* link) override;
    // Takes the effect off as far as the options allow, then drops the link.
    void removeLink(CFilterLink* link) override;
    CFilterLink* createLink(CGraphicsObject* graphics, CMC_Object* script) override;
    // The animation moved to a frame: the effect moves with it.
    bool onPlayableTick(CPlayable* playable) override;

    // The kind's effect on one raster. Where release is false the caller keeps the planes that
    // the raster holds, which the effect must then leave as they are. The base only unpacks a
    // raster held run-length packed.
    virtual void apply(CGraphicsObject* raster, bool release);
    virtual bool changesColour() const { return false; }
    virtual bool changesAlpha() const { return false; }
    virtual bool changesGeometry() const { return false; }

protected:
    const CStaticFilterOptions& options() const { return *static_cast<CStaticFilterOptions*>(getOptions()); }
    // The pixel layout of the owner window's screen.
    FilterPixels::Layout layout() const;

private:
    using Entry = CStaticLinkState::Entry;

    static CStaticLinkState& stateOf(const CFilterLink* link) { return *static_cast<CStaticLinkState*>(link->getState()); }
    CFilterLink* linkOf(const CPlayable* playable) const;
    void linkAnimation(CFilterLink* link, CAnimo* animation);
    void prepareAnimationUndo(CStaticLinkState& state);
    void applyToFrame(CAnimo* animation, int frame, const Entry& entry);
    void unlinkAnimation(CStaticLinkState& state);
    // Records the raster in the entry.
    void saveState(CGraphicsObject* raster, Entry& entry);
    // The effect's planes may be freed unless the entry keeps what they replaced.
    bool releaseFor(const Entry& entry) const { return !(options().canUndo() && !entry.packed); }
    // Takes the effect off the raster: a packed one is packed again, one whose planes the entry
    // kept gets them back; any other keeps it.
    void takeOff(CGraphicsObject* raster, Entry& entry);
};
