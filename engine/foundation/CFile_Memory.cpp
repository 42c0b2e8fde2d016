#include "foundation/CFile_Memory.h"

int CFile_Memory::Open(FoundationWindow*, const CXString&, int)
{
    setErrorCode(ERROR_OPEN);
    return ERROR_OPEN;
}

int CFile_Memory::Write(const void* buffer, int n)
{
    if (n > 0)
        contents_.append(static_cast<const char*>(buffer), static_cast<size_t>(n));
    return 1;
}
