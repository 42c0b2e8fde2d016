#include "foundation/CFileResolver.h"

#include "app/CWindow.h"

void CFileResolver::log(const char* text, bool flag)
{
    CWindow::toLog(CXString(text), flag);
}
