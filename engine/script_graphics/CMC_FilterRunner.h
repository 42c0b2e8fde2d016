#pragma once

#include "script/CMC_Runner.h"

class CFilter;
class CGraphicsObject;

// What the FILTER and STATICFILTER runners share. They serve their own ids only: the common
// methods resolve by name on a filter but do nothing and give nothing.
class CMC_FilterRunner : public CMC_Runner {
public:
    static constexpr int MTH_SETPROPERTY = 1;
    static constexpr int MTH_LINK = 2;
    static constexpr int MTH_UNLINK = 3;

protected:
    // The graphics object that argument 0 names in the calling scope, and the script object of
    // that name (none for "ANIMO!frame"); no graphics object when the name gives none.
    struct Target {
        CGraphicsObject* graphics = nullptr;
        CMC_Object* script = nullptr;
    };
    Target namedTarget(CMC_ObjectsContainer* scope, CXVector* args);
    // SETPROPERTY(name, value): the kind's options read both texts.
    void setProperty(CFilter* kind, CXVector* args);
};
