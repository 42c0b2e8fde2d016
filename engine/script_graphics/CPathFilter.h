#pragma once

#include "foundation/CXPoint.h"
#include "script_graphics/CAnimatedFilter.h"

class CMC_ObjectsContainer;

// SPEED (ticks per movement step; 0 or less counts as 1), PATHDEF (the name of a PATH object of
// the filter's scene) and LOOPED.
class CPathFilterOptions : public CFilterOptions {
public:
    CPathFilterOptions();

    void readOptions(const CXString& name, const CXString& value) override;

    int getSpeed() const { return speed_; }
    const CXString& getPathName() const { return path_; }
    bool isLooped() const { return looped_; }

private:
    int speed_ = 1;
    CXString path_;
    bool looped_ = false;
};

// Where the present node's moves count from, how far along it the object is, and which node.
class CPathLinkState : public CFilterLinkState {
public:
    CXPoint base;
    double offsetX = 0.0;
    double offsetY = 0.0;
    int node = 0;
};

// A started link counts from where the object stands, less the part of the node it covered
// already, so a link stopped halfway goes on without a jump.
class CPathFilterLink : public CFilterLink {
public:
    CPathFilterLink(CGraphicsObject* graphics, CMC_Object* script);

    void setActive(CFilterOptions* options, bool on) override;
};

// Moves each object along the nodes of the PATH named by PATHDEF: a node (dx, dy) is covered
// in length / DENSITY steps (DENSITY 0 or less counts as 1.0), the object standing at the
// node's start plus the covered offsets, truncated. A node without a move is reached at once.
// After the last node a LOOPED path starts again from the first, where the object stands;
// any other ends, ready to run again from its first node. A PATHDEF that names no PATH, or a
// node that is no VECTOR of two components, moves nothing.
class CPathFilter : public CAnimatedFilter {
public:
    // PATHDEF is looked up in the scene.
    CPathFilter(ScriptGraphicsWindow* owner, CMC_ObjectsContainer* scene);

    CFilterLink* createLink(CGraphicsObject* graphics, CMC_Object* script) override;
    bool step(CFilterLink* link, CFilterOptions* options) override;

private:
    CMC_ObjectsContainer* scene_;
};
