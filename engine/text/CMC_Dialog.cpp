#include "text/CMC_Dialog.h"

#include "text/CXDialog.h"

CMC_Dialog::CMC_Dialog(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_Object(owner, element, kType)
    , dialog_(std::make_unique<CXDialog>(owner))
{
    initializeBehaviours(owner, element);
}

CMC_Dialog::CMC_Dialog(CMC_ObjectsContainer*)
    : CMC_Object(CXString("temp"), kType)
{
}

CMC_Dialog::~CMC_Dialog() = default;

void CMC_Dialog::setScene(CMC_ObjectsContainer* scene)
{
    CMC_Object::setScene(scene);
    if (dialog_ == nullptr && scene != nullptr)
        dialog_ = std::make_unique<CXDialog>(scene);
}
