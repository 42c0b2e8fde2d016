#include "script/CMC_CodeBlockName.h"

#include "script/CMC_Behaviour.h"

CMC_CodeBlockName::CMC_CodeBlockName(const char* name, const CXString& blockName)
    : CMC_String(CXString(name), blockName)
{
}

CMC_Behaviour* CMC_CodeBlockName::block(CMC_ObjectsContainer* container)
{
    CMC_Object* found = lookup_.findFixed(container, getValue().c_str());
    return found != nullptr && found->getType() == TYPE_BEHAVIOUR ? static_cast<CMC_Behaviour*>(found) : nullptr;
}
