#pragma once

#include "script/CMC_Object.h"
#include "script_graphics/CStaticFilter.h"

#include <memory>

class CXArchive;

// The STATICFILTER script object: one still kind, chosen by ACTION ("COLORCHANNEL",
// "GRAYSCALE", "BLUR", "ROTATE", "SCALE", "NEGATIVE", "RANDOMJITTER" or "WAVES", exact case),
// applied to each graphics object at LINK. Its options are set only by SETPROPERTY. An ACTION
// that names none of the kinds makes none, and the methods then do nothing. It raises no
// signal of its own.
//
// Compiled-scene record: the object's record, then ACTION (int32 length and bytes); read back,
// the kind is made again with its default options and no links.
class CMC_StaticFilter : public CMC_Object {
public:
    static constexpr int kType = 2015;

    // ACTION, then the kind; no other property is read.
    CMC_StaticFilter(CMC_ObjectsContainer* container, CMElement* element);
    // Named "temp", without a kind: what a compiled scene's record fills once the object
    // belongs to its scene.
    explicit CMC_StaticFilter(CMC_ObjectsContainer* container);
    ~CMC_StaticFilter() override;

    CXString toString() override { return CXString("Filter"); }
    bool doneFirst() override { return true; }
    // Every link is removed as UNLINK removes it, while the linked objects still exist.
    bool done(bool final) override;
    const CMC_SignalList* getBehavioursList() override;
    void serialize(CXArchive* archive) override;

    // The kind of ACTION for the container's window; none for an unknown ACTION.
    void createFilter();
    CStaticFilter* getFilter() const { return kind_.get(); }

private:
    std::unique_ptr<CStaticFilter> kind_;
    CXString action_;
};
