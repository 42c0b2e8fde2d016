#include "app/CApplication.h"

#include "app/CWindow.h"
#include "foundation/CConfig.h"
#include "foundation/CFile.h"
#include "graphics/CAnimationManager.h"
#include "graphics/CHotSpot.h"
#include "media/CSoundCodec.h"
#include "media/CSoundManager.h"

CApplication::CApplication(CWindow* window, const CXString& iniName, const CXString& archiveName,
                           CCommandLine6* commandLine)
    : window_(window)
    , animationManager_(new CAnimationManager())
    , soundManager_(new CSoundManager())
    , commandLine_(commandLine)
    , iniName_(iniName)
    , archiveName_(archiveName)
{
    CSoundCodec::init_codecs();
    if (archiveName_.GetLength() > 0)
        CFile::openBigFile(archiveName_);
    window_->SetApplicationInterface(this);
    if (iniName_.GetLength() > 0)
        config_ = new CConfig(CWindow::rootPath + iniName_);
}

CApplication::~CApplication()
{
    delete config_;
    delete animationManager_;
    CSoundCodec::done_codecs();
    delete soundManager_;
    if (archiveName_.GetLength() > 0)
        CFile::closeBigFile();
    CHotSpot::done();
    // The window outlives the application: it must not reach it any more.
    if (window_->GetApplicationInterface() == this)
        window_->SetApplicationInterface(nullptr);
}

bool CApplication::domodal()
{
    return false;
}

int CApplication::OnKeyDown(int, int)
{
    return 0;
}

CXString CApplication::getWAVPath(const CXString& name)
{
    return window_->GetSoundFXFullPath(name);
}
