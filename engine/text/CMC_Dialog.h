#pragma once

#include "script/CMC_Object.h"

#include <memory>

class CXDialog;

// The DIALOG script object: a movable panel (CXDialog) that scripts fill with a background
// and members. It has no properties and only the common signals; its record is the common
// one. A DIALOG read from a record makes its panel once it knows its scene.
class CMC_Dialog : public CMC_Object {
public:
    static constexpr int kType = 2013;

    // The panel of the container, then the signals.
    CMC_Dialog(CMC_ObjectsContainer* owner, CMElement* element);
    // Named "temp", without a panel until it has a scene.
    explicit CMC_Dialog(CMC_ObjectsContainer* owner);
    ~CMC_Dialog() override;

    void setScene(CMC_ObjectsContainer* scene) override;
    // None until the object has a scene.
    CXDialog* getDialog() const { return dialog_.get(); }

private:
    std::unique_ptr<CXDialog> dialog_;
};
