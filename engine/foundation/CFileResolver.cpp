#include "foundation/CFileResolver.h"

#include "foundation/FoundationWindow.h"

void CFileResolver::log(const char* text, bool flag)
{
    FoundationWindow::toLog(CXString(text), flag);
}
