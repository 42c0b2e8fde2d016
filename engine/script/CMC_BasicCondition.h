#pragma once

#include "script/CMC_Object.h"

// Base of the CONDITION and COMPLEXCONDITION script objects: an object that answers whether
// it holds.
class CMC_BasicCondition : public CMC_Object {
public:
    // Binds the element's signal properties.
    CMC_BasicCondition(CMC_ObjectsContainer* container, CMElement* element, int type);

    const CMC_SignalList* getBehavioursList() override;

    // Whether the condition holds; with fireEvents its success or failure handler runs.
    virtual bool valid(bool fireEvents) = 0;
};
