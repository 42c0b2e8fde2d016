#pragma once

#include "script/CMC_Object.h"

#include <vector>

class CXArchive;

// The PATH script object: an ordered list of nodes (in practice VECTORs, whose first two
// components are a move in x and y) and the DENSITY, the length of path that one movement
// step of the PATH filter covers. The nodes are not owned; a node that is destroyed leaves
// the path. A name that gives no object adds no node.
//
// Compiled-scene record: the object's record, the node count (int32), then each node's name
// (int32 length and bytes). Read back, the names are looked up in the scene, which must hold
// them already; DENSITY is not stored and starts at 1.0 again.
class CMC_Path : public CMC_Object, private CMC_Object::Watcher {
public:
    static constexpr int kType = 2017;

    // NODES, a list of names looked up in the container; DENSITY 1.0.
    CMC_Path(CMC_ObjectsContainer* container, CMElement* element);
    // Named "temp" and empty: what a compiled scene's record fills.
    explicit CMC_Path(CMC_ObjectsContainer* container);
    ~CMC_Path() override;

    // "[" + name + "]" for each node in order.
    CXString toString() override;
    const CMC_SignalList* getBehavioursList() override;
    void serialize(CXArchive* archive) override;

    // Appends the node, also one listed already; none is ignored.
    void add(CMC_Object* node);
    // None outside the list.
    CMC_Object* getNode(int i) const;
    int getSize() const { return static_cast<int>(nodes_.size()); }
    double getDensity() const { return density_; }
    void setDensity(double density) { density_ = density; }

private:
    void onObjectGone(CMC_Object* object) override;
    // The container's object of the name, when there is one.
    void addNamed(CMC_ObjectsContainer* container, const CXString& name);

    std::vector<CMC_Object*> nodes_;
    double density_ = 1.0;
};
