#include "script/CMC_CodeArgument.h"

#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_ScratchText.h"

void CMC_CodeArgument::findOrMake(CMC_ObjectsContainer* container, CMC_String* argument, bool trimmedName)
{
    const CXString& text = argument->getValue();
    CMC_Object* named = nullptr;
    if (container != nullptr && trimmedName) {
        CMC_ScratchText name(text.c_str());
        named = container->getObject(name.text().AllTrim(' ').c_str());
    } else if (container != nullptr) {
        named = container->getObject(text.c_str());
    }
    if (named != nullptr && named->getType() == CMC_Object::TYPE_BEHAVIOUR) {
        behaviour_ = static_cast<CMC_Behaviour*>(named);
        return;
    }
    made_ = std::make_unique<CMC_Behaviour>(container, CXString("temp"), text);
    made_->init();
    behaviour_ = made_.get();
}
