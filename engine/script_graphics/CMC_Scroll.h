#pragma once

#include "foundation/CXRect.h"
#include "graphics/CInvalidateObserver.h"
#include "script/CMC_Object.h"

#include <vector>

class CXArchive;

// The SCROLL script object: graphics objects moved together, each clipped to the viewport (a
// screen rectangle) and hidden while it lies wholly outside; touching an edge counts as outside.
// It owns none of them and draws nothing; an object that is destroyed leaves the list. The
// list may name an object more than once, which then moves that many times as far.
//
// "ONTOP", "ONBOTTOM", "ONLEFT" and "ONRIGHT" can be bound but are never raised: a SCROLL knows
// no bounds of what it scrolls.
//
// Compiled-scene record: the object's record, then the viewport's left, top, right and bottom
// (int32 each); the list is not stored.
class CMC_Scroll : public CMC_Object, private CInvalidateObserver {
public:
    static constexpr int kType = 2022;

    // Named "temp", with the empty viewport and no objects: what a compiled scene's record fills.
    explicit CMC_Scroll(CMC_ObjectsContainer* container);
    // VIEWPORT: left, top, right and bottom; missing numbers are 0.
    CMC_Scroll(CMC_ObjectsContainer* container, CMElement* element);
    // The objects keep their places, clipping and visibility.
    ~CMC_Scroll() override;

    const CMC_SignalList* getBehavioursList() override;
    void serialize(CXArchive* archive) override;

    // Fits the object to the viewport over its present clipping, then lists it.
    void add(CGraphicsObject* graphics);
    // The scene's graphics object of the name leaves the list once and loses its clipping,
    // whether it was listed or not; it stays where it is, shown or hidden.
    void remove(const CXString& name);
    // Each listed object loses its clipping, moves by n (up: y decreases) and is fitted again;
    // then the whole screen is drawn anew.
    void scrollUp(int n);
    void scrollDown(int n);
    void scrollLeft(int n);
    void scrollRight(int n);
    // The objects are fitted to the new viewport over the clipping they have: what the old
    // viewport cut off stays cut until the next scroll.
    void setViewport(CXRect viewport);
    void moveViewport(int dx, int dy);

    CXRect getViewport() const { return viewport_; }
    int getCount() const { return static_cast<int>(objects_.size()); }

private:
    void onInvalidate(CGraphicsObject*, CXRect*) override {}
    void onDestroy(CGraphicsObject* graphics) override;
    void scroll(int dx, int dy);
    // Every listed object fitted again, unmoved.
    void invalidate();
    // The part of the object's box inside the viewport becomes its clipping, shown; an object
    // with no such part is hidden.
    void fit(CGraphicsObject* graphics);

    CXRect viewport_;
    std::vector<CGraphicsObject*> objects_;
};
