#pragma once

#include "script_graphics/CAnimatedFilter.h"

// SPEED, START and END of the fades: the opacity runs from START toward END by SPEED a tick.
class CFadeFilterOptions : public CFilterOptions {
public:
    CFadeFilterOptions(int kindCode, double start, double end);

    void readOptions(const CXString& name, const CXString& value) override;

    double getSpeed() const { return speed_; }
    double getStart() const { return start_; }
    double getEnd() const { return end_; }

private:
    double speed_ = 0.1;
    double start_;
    double end_;
};

// The opacity a fade has reached, as a real, and the way FADEINOUT is going: a new link rises.
class CFadeLinkState : public CFilterLinkState {
public:
    double value = 0.0;
    bool rising = true;
};

// Starting a fade's link shows START at once.
class CFadeFilterLink : public CFilterLink {
public:
    CFadeFilterLink(CGraphicsObject* graphics, CMC_Object* script);

    void setActive(CFilterOptions* options, bool on) override;
};

// What the three fades share: their links, and how a new value reaches the object. The
// opacity is the value truncated, of which the object keeps the low 8 bits, so values set
// outside 0 to 255 wrap; the object is drawn again only when that integer changes.
class CFadeFilter : public CAnimatedFilter {
public:
    using CAnimatedFilter::CAnimatedFilter;

    CFilterLink* createLink(CGraphicsObject* graphics, CMC_Object* script) override;

    // Shows the value on the object.
    static void showOpacity(CGraphicsObject* graphics, double value);

protected:
    static CFadeLinkState& stateOf(CFilterLink* link) { return *static_cast<CFadeLinkState*>(link->getState()); }
    static const CFadeFilterOptions& optionsOf(CFilterOptions* options)
    {
        return *static_cast<CFadeFilterOptions*>(options);
    }
    // Moves the link's value by the speed up or down; a value that reaches or passes the bound
    // stays there, and the answer is then true. The object changes when the value's truncation
    // does.
    static bool moveToward(CFilterLink* link, double speed, double bound, bool up);
};

// From START (0) up to END (255); ends there.
class CFadeInFilter : public CFadeFilter {
public:
    explicit CFadeInFilter(ScriptGraphicsWindow* owner);
    bool step(CFilterLink* link, CFilterOptions* options) override;
};

// From START (255) down to END (0); ends there.
class CFadeOutFilter : public CFadeFilter {
public:
    explicit CFadeOutFilter(ScriptGraphicsWindow* owner);
    bool step(CFilterLink* link, CFilterOptions* options) override;
};

// Up from START to END and down again, turning exactly at both, until stopped.
class CFadeInOutFilter : public CFadeFilter {
public:
    explicit CFadeInOutFilter(ScriptGraphicsWindow* owner);
    bool step(CFilterLink* link, CFilterOptions* options) override;
};
