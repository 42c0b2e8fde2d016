#include "app/CWindow.h"

#include "app/CPublicTrash.h"
#include "foundation/CFile.h"
#include "graphics/CCollisionInspector.h"
#include "media/CKeyboard.h"

CXString CWindow::exePath;
CXString CWindow::rootPath;
CXString CWindow::cdPath_;

CWindow::CWindow(CLanguageOSVer* language, const CXString& startFolder, CCommandLine6* commandLine)
    : language_(language)
    , commandLine_(commandLine)
    , timers_(nullptr)
    , keyboard_(nullptr)
    , trash_(nullptr)
    , collisionInspector_(nullptr)
{
    exePath = startFolder;
    rootPath = CFile::getCurrentDirectory();
    timers_ = new CXTimer(this);
    keyboard_ = new CKeyboard(this);
    trash_ = new CPublicTrash(timers_);
    collisionInspector_ = new CCollisionInspector;
}

CWindow::~CWindow()
{
    // The bin goes first: it takes its timer off the list, and leaves what it holds alone.
    delete trash_;
    delete timers_;
    delete keyboard_;
    delete collisionInspector_;
}

int CWindow::OnTimer(int)
{
    return 0;
}

void CWindow::SetTimer(int id, unsigned int elapse, CUnit6* unit, bool checkActive)
{
    if (unit != nullptr)
        timers_->add(id, elapse, unit, checkActive);
    else
        timers_->add(id, elapse, static_cast<CTimerNotificator*>(this));
}

void CWindow::KillTimer(int id)
{
    timers_->remove(id);
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
