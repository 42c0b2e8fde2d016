#include "app/CWindow.h"

#include "foundation/CFile.h"
#include "media/CKeyboard.h"

CXString CWindow::exePath;
CXString CWindow::rootPath;
CXString CWindow::cdPath_;

CWindow::CWindow(CLanguageOSVer* language, const CXString& startFolder)
    : language_(language)
    , keyboard_(nullptr)
{
    exePath = startFolder;
    rootPath = CFile::getCurrentDirectory();
    keyboard_ = new CKeyboard(this);
}

CWindow::~CWindow()
{
    delete keyboard_;
}

void CWindow::setCDPath(const CXString& path)
{
    cdPath_ = path;
}

CXString CWindow::getCDPath()
{
    return cdPath_;
}

void CWindow::toLog(const CXString&, bool)
{
}
