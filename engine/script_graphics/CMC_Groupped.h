#pragma once

#include "script/CMC_Object.h"

class CXVector;

// The GROUP script object: an ordered list of script objects, each listed once. The group
// never owns its members; a member deleted elsewhere must leave every group first.
class CMC_Groupped : public CMC_Object {
public:
    // Owned by the container, but not entered in it and with nothing bound.
    CMC_Groupped(const CXString& name, CMC_ObjectsContainer* container);
    ~CMC_Groupped() override;

    const CMC_SignalList* getBehavioursList() override;

    // Appends the object unless it is a member already.
    void add(CMC_Object* object);
    // Forgets every member; none is deleted.
    void removeAll();
    // The group's own member list, in order.
    CXVector* getList() { return members_; }

private:
    CXVector* members_;
};
