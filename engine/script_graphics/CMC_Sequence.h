#pragma once

#include "foundation/CXString.h"
#include "media/CPlayableObserver.h"
#include "script/CMC_Object.h"

class CSequencedPlayable;
class ScriptGraphicsWindow;

// The SEQUENCE script object: a tree of animations, sounds and nested sequences that a sequence
// definition file (FILENAME) describes, played from scripts. The tree is built once, when the
// object starts or when a method first needs it, with the default unit's resources manager;
// a file that builds no sequence leaves the object without a tree, and its methods then do
// nothing and give empty answers.
//
// The tree's start and end, and those of its elements, become "ONSTARTED" and "ONFINISHED":
// plainly for the tree itself (for "ONSTARTED", any element without a parent), otherwise only
// as "ONSTARTED^" or "ONFINISHED^" with the element's name in upper case.
//
// The record of compiled scenes: after the object's own, the file name.
class CMC_Sequence : public CMC_Object, public CPlayableObserver {
public:
    static constexpr int kType = 2004;
    static constexpr int SIGNAL_ONSTARTED = 3;
    static constexpr int SIGNAL_ONFINISHED = 4;

    // Named "temp", without a file, owned by the container: what a compiled scene's record
    // fills.
    explicit CMC_Sequence(CMC_ObjectsContainer* owner);
    // From a definition: FILENAME, then the signals; nothing is read yet.
    CMC_Sequence(CMC_ObjectsContainer* owner, CMElement* element);
    ~CMC_Sequence() override;

    // Builds the tree, then "ONINIT"; both once, also when a method built the tree first.
    void init() override;
    bool doneFirst() override { return true; }
    // With final the tree goes; then "ONDONE".
    bool done(bool final) override;
    const CMC_SignalList* getBehavioursList() override;
    void serialize(CXArchive* archive) override;

    bool onPlayableStarted(CPlayable* playable) override;
    bool onPlayableFinished(CPlayable* playable) override;

    // The tree, built first when the object has not started yet; none without one.
    CSequencedPlayable* getSequence();
    // The tree as it is now, never built here.
    CSequencedPlayable* heldSequence() const { return sequence_; }
    const CXString& getFileName() const { return fileName_; }

private:
    void build();
    void releaseSequence();
    // The signal, when a behaviour is bound to it and the object is not on its way out.
    void raise(int signal, const CXString& name);

    ScriptGraphicsWindow* window_;
    CSequencedPlayable* sequence_ = nullptr;
    CXString fileName_;
    bool started_ = false;
};
