#pragma once

#include "script/CMC_Object.h"

#include <cstdint>

class CMElement;
class CXVector;

// The GROUP script object: an ordered list of script objects with a marker that walks it as a
// ring. The group never owns its members; a member that is destroyed leaves every group.
//
// The marker starts before the first member (-1), a place that counts as the ring's last:
// next(1) reaches the first member, prev(1) the one before the last.
class CMC_Groupped : public CMC_Object, private CMC_Object::Watcher {
public:
    static constexpr int kType = TYPE_GROUP;

    // From a definition: a group has no properties of its own, only signals.
    CMC_Groupped(CMC_ObjectsContainer* container, CMElement* element);
    // Owned by the container, but not entered in it and with nothing bound.
    CMC_Groupped(const CXString& name, CMC_ObjectsContainer* container);
    // Unnamed and empty: what a compiled scene's record fills. Only the object's own record is
    // stored, so a group read back has no members.
    explicit CMC_Groupped(CMC_ObjectsContainer* container);
    ~CMC_Groupped() override;

    // The same members in the same order under the name "cloned"; the marker is reset.
    CXObject* clone() override;
    // The members' texts joined by ",".
    CXString toString() override;
    const CMC_SignalList* getBehavioursList() override;

    // Appends the object unless it is a member already.
    void add(CMC_Object* object);
    // Removes the first occurrence; the marker stays where it is.
    void remove(CMC_Object* object);
    // Forgets every member; none is deleted and the marker stays.
    void removeAll();
    // The member at i; none outside the list.
    CMC_Object* get(int i);
    int getCount() const;
    // The group's own member list, in order.
    CXVector* getList() { return members_; }
    // Appends, without the test of add, the objects NAME_from to NAME_to of the owning
    // container that exist.
    void addClones(const CXString& name, int from, int to);

    // The marker moved by n around the ring, and the member it reaches; on an empty group
    // nothing moves and there is none.
    virtual CMC_Object* prev(int n);
    virtual CMC_Object* next(int n);
    virtual void resetMarker() { marker_ = -1; }
    virtual int getMarkerPos() { return marker_; }
    // Kept within -1 and the last member.
    virtual void setMarkerPos(int position);

    // Whether the group passes a call on to its members now, so that a group that holds
    // itself does not pass it on again.
    bool isForwarding() const { return forwarding_; }
    void setForwarding(bool on) { forwarding_ = on; }

private:
    void onObjectGone(CMC_Object* object) override;
    // The marker moved by the step, wrapped into the members.
    CMC_Object* step(int64_t delta);

    CXVector* members_;
    int32_t marker_ = -1;
    bool forwarding_ = false;
};
