#pragma once

#include "script/CMC_Object.h"
#include "script_graphics/CAnimatedFilter.h"

#include <memory>

class CXArchive;

// The FILTER script object: one animated kind, chosen by ACTION ("FADEIN", "FADEOUT",
// "FADEINOUT", "PATH", "WATER" or "WAVING", exact case), linked to graphics objects and started
// and stopped per object. Its options are set only by SETPROPERTY. An ACTION that names none
// of the kinds makes none, and the methods then do nothing.
//
// Signals carry the linked object's name: "ONSTARTED^HERO" first, the plain "ONSTARTED" only
// when no handler ran for it, and neither unless something is bound to the signal. A running
// tick raises "ONFINISHED", the end of a link "ONTICK".
//
// Compiled-scene record: the object's record, then ACTION (int32 length and bytes); read back,
// the kind is made again with its default options and no links.
class CMC_Filter : public CMC_Object, private CFilterListener {
public:
    static constexpr int kType = 2014;
    static constexpr int SIGNAL_ONSTARTED = 3;
    static constexpr int SIGNAL_ONFINISHED = 4;
    static constexpr int SIGNAL_ONTICK = 5;

    // ACTION, then the kind; no other property is read.
    CMC_Filter(CMC_ObjectsContainer* container, CMElement* element);
    // Named "temp", without a kind: what a compiled scene's record fills once the object
    // belongs to its scene.
    explicit CMC_Filter(CMC_ObjectsContainer* container);
    // The kind goes with its links and its timer; nothing is told.
    ~CMC_Filter() override;

    CXString toString() override { return CXString("Filter"); }
    bool doneFirst() override { return true; }
    const CMC_SignalList* getBehavioursList() override;
    void serialize(CXArchive* archive) override;

    // The kind of ACTION for the container's window; none for an unknown ACTION.
    void createFilter();
    CAnimatedFilter* getFilter() const { return kind_.get(); }
    const CXString& getAction() const { return action_; }

private:
    void onFilterStarted(CFilterLink* link, CFilter* filter) override;
    void onFilterFinished(CFilterLink* link, CFilter* filter) override;
    void onFilterTick(CFilterLink* link, CFilter* filter) override;
    void raise(int signal, CFilterLink* link);

    std::unique_ptr<CAnimatedFilter> kind_;
    CXString action_;
};
