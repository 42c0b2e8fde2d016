#include "script/CMC_CodeBlockName.h"

CMC_CodeBlockName::CMC_CodeBlockName(const char* name, const CXString& blockName)
    : CMC_String(CXString(name), blockName)
{
}
