#pragma once

#include "script/CMC_Behaviour.h"
#include "script/CMC_NameLookup.h"
#include "script/CMC_String.h"

#include <typeinfo>

// The value that a block of code in braces passes as an argument: a STRING named "temp" (or
// "xtemp" for a block made at run time) holding the name of the block's behaviour, which
// runners look up by that name. It is marked by its class, so that only the statement that
// made it releases the block, and it remembers the behaviour it last found.
class CMC_CodeBlockName final : public CMC_String {
public:
    CMC_CodeBlockName(const char* name, const CXString& blockName);

    // The value as a block's name; none for any other value.
    static CMC_CodeBlockName* of(CMC_Object* value)
    {
        return value != nullptr && typeid(*value) == typeid(CMC_CodeBlockName) ? static_cast<CMC_CodeBlockName*>(value)
                                                                              : nullptr;
    }
    // The behaviour of that name in the container, as getObject finds it; none when the name
    // finds something else.
    CMC_Behaviour* block(CMC_ObjectsContainer* container)
    {
        CMC_Object* found = lookup_.findFixed(container, getValue().c_str());
        return found != nullptr && found->getType() == TYPE_BEHAVIOUR ? static_cast<CMC_Behaviour*>(found) : nullptr;
    }

private:
    CMC_NameLookup lookup_;
};
