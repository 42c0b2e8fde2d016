#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"
#include "graphics/CInvalidateObserver.h"
#include "script/CMC_Object.h"

#include <cstdint>
#include <memory>
#include <vector>

class CGraphicsObject;
class ScriptGraphicsWindow;

// The options every filter kind has; each kind's own options class reads its names first and
// hands the others on. Names are compared exactly.
class CFilterOptions {
public:
    explicit CFilterOptions(int kindCode)
        : kindCode_(kindCode)
    {
    }
    virtual ~CFilterOptions() = default;
    CFilterOptions(const CFilterOptions&) = delete;
    CFilterOptions& operator=(const CFilterOptions&) = delete;

    // "ONEATTIME"; any other name is ignored.
    virtual void readOptions(const CXString& name, const CXString& value);

    int getKindCode() const { return kindCode_; }
    // Linking an object first removes every other link of the filter.
    bool isOneAtTime() const { return oneAtTime_; }

private:
    int kindCode_;
    bool oneAtTime_ = false;
};

// What a kind keeps for one link; it counts the ticks its link ran.
class CFilterLinkState {
public:
    CFilterLinkState() = default;
    virtual ~CFilterLinkState() = default;
    CFilterLinkState(const CFilterLinkState&) = delete;
    CFilterLinkState& operator=(const CFilterLinkState&) = delete;

    void increment() { ++ticks_; }
    void reset() { ticks_ = 0; }
    // Wraps after 2^32 ticks.
    uint32_t getTicks() const { return ticks_; }

private:
    uint32_t ticks_ = 0;
};

// One graphics object a filter works on, the script object that named it (none for a part of
// an animation named "ANIMO!frame") and the kind's state for it.
class CFilterLink : public CXObject {
public:
    CFilterLink(CGraphicsObject* graphics, CMC_Object* script, CFilterLinkState* state);
    ~CFilterLink() override;
    CFilterLink(const CFilterLink&) = delete;
    CFilterLink& operator=(const CFilterLink&) = delete;

    // Sets the active flag; an animated kind prepares its start when on is true.
    virtual void setActive(CFilterOptions* options, bool on);

    CGraphicsObject* getGraphics() const { return graphics_; }
    CMC_Object* getScript() const { return script_; }
    CFilterLinkState* getState() const { return state_; }
    bool isActive() const { return active_; }

private:
    CGraphicsObject* graphics_;
    CMC_Object* script_;
    CFilterLinkState* state_;
    bool active_ = false;
};

// The base of every filter kind: the links in the order they were made, the kind's options and
// the engine window that owns the kind. A link whose graphics object is destroyed is dropped
// without touching that object; one whose script object is destroyed is removed as UNLINK
// removes it.
class CFilter : private CInvalidateObserver, private CMC_Object::Watcher {
public:
    explicit CFilter(ScriptGraphicsWindow* owner);
    // Deletes the links and the options; no one is told and no raster is given back.
    virtual ~CFilter();
    CFilter(const CFilter&) = delete;
    CFilter& operator=(const CFilter&) = delete;

    // removeLink of every link.
    virtual void unlinkAll();
    // With ONEATTIME every link goes first; then the object gets a new, inactive link unless it
    // has one.
    virtual void link(CGraphicsObject* graphics, CMC_Object* script);
    // Enters a link that getLink made; none is ignored.
    virtual void addLink(CFilterLink* link) = 0;
    // removeLink of the object's link; no one is told, not even of a running link.
    virtual void unlink(CGraphicsObject* graphics);
    // Takes the link out and deletes it with its state; none is ignored.
    virtual void removeLink(CFilterLink* link);
    // The object's link, else a new one that is not entered yet.
    virtual CFilterLink* getLink(CGraphicsObject* graphics, CMC_Object* script);
    // The first link of the object, or none.
    virtual CFilterLink* findLink(CGraphicsObject* graphics);
    // A new, inactive link of the kind.
    virtual CFilterLink* createLink(CGraphicsObject* graphics, CMC_Object* script) = 0;

    // The options read the pair; nothing without options.
    void setProperty(const CXString& name, const CXString& value);
    CFilterOptions* getOptions() const { return options_.get(); }
    void setOptions(CFilterOptions* options) { options_.reset(options); }
    ScriptGraphicsWindow* getOwner() const { return owner_; }
    int getLinkCount() const { return static_cast<int>(links_.size()); }
    // None outside the list.
    CFilterLink* getLinkAt(int i) const;

protected:
    // Appends the link and follows the life of its objects.
    void appendLink(CFilterLink* link);
    // Takes the link out of the list and deletes it; nothing else is done.
    void dropLink(CFilterLink* link);
    // Whether the link is still in the list.
    bool holds(const CFilterLink* link) const;

private:
    void onInvalidate(CGraphicsObject*, CXRect*) override {}
    void onDestroy(CGraphicsObject* graphics) override;
    void onObjectGone(CMC_Object* object) override;

    std::vector<CFilterLink*> links_;
    std::unique_ptr<CFilterOptions> options_;
    ScriptGraphicsWindow* owner_;
};
