#pragma once

#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"
#include "media/CPlayable.h"
#include "media/CPlayableObserver.h"

#include <functional>
#include <vector>

class CAnimo;
class CMElement;
class GraphicsWindow;

// A playable that holds an ordered list of child playables (animation events, sounds, speaking
// animations, other sequences) and plays them by its mode:
// - SEQUENCE: the children one after the other. A run of children that do not wait (WAIT
//   FALSE) starts together with the first child after them that waits; from then on one child
//   starts each time the child started last has ended. The sequence ends with the last child.
// - RANDOM: one child drawn at random; the sequence ends with it.
// - PARAMETER: the child that the parameter's first character selects ("1" to "9" the first
//   nine, "A" to "Z" the next 26, "a" to "z" the 26 after), which gets the rest of the
//   parameter; the sequence ends with it.
// A sequence that would start nothing (no children, a selector that names none) stays idle
// and tells its observers nothing. The animation manager polls a playing sequence every 100 ms,
// so that a child that ended without a word is noticed too.
//
// Children are shared by count: each parent that takes a child counts itself on the child
// (addParent) before the link. A sequence that goes lowers the count of each child and deletes
// those that no parent holds any more, but for sounds and animations, which belong to the
// resources manager or the scene. A child destroyed elsewhere leaves the list at once.
class CSequencedPlayable : public CPlayable, public CPlayableObserver, private CPlayable::Watcher {
public:
    // The playable type of sequences.
    static constexpr int kType = 7;

    explicit CSequencedPlayable(GraphicsWindow* window);
    // The definition is not read: the children come from their own elements.
    CSequencedPlayable(GraphicsWindow* window, CMElement* definition);
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
    // The child that plays now; -1 when none does.
    int getCurrentChild() const { return child_; }

    void play() override;
    using CPlayable::play;
    // Only a playing sequence stops: its current child stops with the same flag, and with true
    // the sequence reports its end too; children that started with it and do not wait play on.
    void stop(bool notify) override;
    void pause() override;
    void resume() override;
    // Stops the current child (reporting its end) and plays the child at the position: -4 the
    // next, -3 the previous, -2 the last, -1 the first; a position outside the list leaves
    // nothing playing.
    void seek(int position) override;
    // The poll: once the current child no longer plays, in SEQUENCE mode the next child, or
    // after the last the end (the child reporting its end); in the other modes the end. Each
    // end is reported once. The index of the child started last.
    int next() override;
    // A child's end, which moves the sequence on as the poll does.
    bool onPlayableFinished(CPlayable* child) override;

    // The innermost playing playable, none when the sequence does not play.
    CPlayable* getPlaying() override;
    // Empty for a parameter shorter than two characters; in PARAMETER mode without its first
    // character.
    CXString getParameter() override;
    using CPlayable::getParameter;
    void move(int dx, int dy) override;
    using CPlayable::move;
    void setPosition(int x, int y) override;
    using CPlayable::setPosition;
    void setVisibility(bool visible) override;
    void alwaysOnTop() override;

    // Hands the sequence's volume and panning to the child, and its frequency when above 0.
    void accure(CPlayable* child);
    // The animations under the sequence in tree order, each once.
    std::vector<CAnimo*> getAllAnimations() const;
    // The playables of the type under the sequence, depth first, each once; sequences are never
    // listed.
    std::vector<CPlayable*> getAllOfType(int type) const;
    // The playable that the named event's path of selectors leads to: through SEQUENCE and
    // RANDOM sequences to their first child, through PARAMETER ones by the next selector. The
    // walk stops where a selector names no child or a sequence has none; an unknown event
    // gives this sequence.
    CPlayable* get(const CXString& event);
    // From the animations: with which 1 the first one's, otherwise the first playing one's;
    // empty or (0, 0) without one.
    CXRect getBoundingBox(int which) const;
    CXPoint getPosition(int which) const;
    // While the sequence plays: for an empty name or its own, the current child's name (of a
    // sequence, its current child's, and so on down); for another name, the first answer of the
    // nested sequences. Empty otherwise.
    CXString getLastPlayedEvent(const CXString& name);
    using CPlayable::getLastPlayedEvent;

    // The child that a selector character chooses: "1" to "9" 0 to 8, "A" to "Z" 9 to 34,
    // "a" to "z" 35 to 60; -1 for "0" and codes above 127.
    static int selectedChild(char selector);

private:
    bool isIndex(int index) const { return index >= 0 && index < getChildCount(); }
    CPlayable* currentChild() const { return isIndex(child_) ? children_[static_cast<size_t>(child_)] : nullptr; }
    // Starts the child at the index as this sequence's: it reports here, takes the
    // parameter when asked to, plays and gets the sound settings.
    void startChild(int index, bool withParameter);
    // The sequence ends: the current child stops, with the flag, and the end is reported.
    void end(bool childReports);
    // Every child that is no sequence, those of nested sequences in their place.
    void eachLeaf(const std::function<void(CPlayable*)>& visit) const;
    // The animation that the playable shows, for getAllAnimations.
    static CAnimo* animationOf(CPlayable* playable);
    // The first animation, or the first whose playable part plays.
    CAnimo* chosenAnimation(int which) const;
    void onPlayableGone(CPlayable* playable) override;

    std::vector<CPlayable*> children_;
    // The child that plays now.
    int32_t child_ = -1;
    // While play starts its children.
    bool starting_ = false;
};
