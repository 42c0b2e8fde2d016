#include "foundation/FoundationWindow.h"

CXString FoundationWindow::exePath;
CXString FoundationWindow::rootPath;
CXString FoundationWindow::cdPath_;
FoundationWindow* FoundationWindow::instance_ = nullptr;

void FoundationWindow::toLog(const CXString&, bool)
{
}
