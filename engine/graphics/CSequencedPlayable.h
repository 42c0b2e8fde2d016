#pragma once

#include "graphics/CPlayable.h"
#include "graphics/CPlayableObserver.h"

#include <vector>

class CMElement;

// A playable that holds an ordered list of child playables (animation events, sounds,
// speaking animations, other sequences) and plays them by its mode: one after the other, one
// at random, or the one that the parameter's first character chooses. The animation manager
// polls it while it lives.
//
// Children are shared by count: each parent that takes a child counts itself on the child
// (addParent) before the link. A sequence that goes lowers the count of a child that other
// parents still hold and deletes the others, but for sounds and animations, which belong to
// the resources manager or the scene.
class CSequencedPlayable : public CPlayable, public CPlayableObserver {
public:
    // The playable type of sequences.
    static constexpr int kType = 7;

    explicit CSequencedPlayable(CWindow* window);
    // The definition is not read: the children come from their own elements.
    CSequencedPlayable(CWindow* window, CMElement* definition);
    ~CSequencedPlayable() override;
    CSequencedPlayable(const CSequencedPlayable&) = delete;
    CSequencedPlayable& operator=(const CSequencedPlayable&) = delete;

    // Appends the child (also one held already) and makes this sequence its parent.
    void addChild(CPlayable* child) override;
    int getChildCount() const { return static_cast<int>(children_.size()); }
    // None outside the list.
    CPlayable* getChild(int index) const;
    // Whether the playable is this sequence or lies under it, at any depth.
    bool holds(CPlayable* playable) const;

    // Playing comes with the sequence player; until then a sequence stays still.
    void play() override {}
    void stop(bool) override {}
    void pause() override {}
    void resume() override {}
    void seek(int) override {}

private:
    std::vector<CPlayable*> children_;
};
