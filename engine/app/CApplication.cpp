#include "app/CApplication.h"

#include "app/CWindow.h"
#include "foundation/CConfig.h"
#include "foundation/CFile.h"

CApplication::CApplication(CWindow* window, const CXString& iniName, const CXString& archiveName,
                           CCommandLine6* commandLine)
    : window_(window)
    , commandLine_(commandLine)
    , iniName_(iniName)
    , archiveName_(archiveName)
{
    if (archiveName_.GetLength() > 0)
        CFile::openBigFile(archiveName_);
    window_->SetApplicationInterface(this);
    if (iniName_.GetLength() > 0)
        config_ = new CConfig(CWindow::rootPath + iniName_);
}

CApplication::~CApplication()
{
    delete config_;
    if (archiveName_.GetLength() > 0)
        CFile::closeBigFile();
    if (window_->GetApplicationInterface() == this)
        window_->SetApplicationInterface(nullptr);
}
