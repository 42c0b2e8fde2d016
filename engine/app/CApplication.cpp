#include "app/CApplication.h"

#include "app/CWindow.h"
#include "foundation/CFile.h"
#include "media/CSoundCodec.h"
#include "media/CSoundManager.h"

CApplication::CApplication(CWindow* window, const CXString&, const CXString& bigFileName, CCommandLine6* commandLine)
    : window_(window)
    , soundManager_(new CSoundManager())
    , commandLine_(commandLine)
    , bigFileName_(bigFileName)
{
    CSoundCodec::init_codecs();
    if (bigFileName_.IsString())
        CFile::openBigFile(bigFileName_);
    window_->SetApplicationInterface(this);
}

CApplication::~CApplication()
{
    CSoundCodec::done_codecs();
    delete soundManager_;
    CFile::closeBigFile();
    // The window outlives the application: it must not reach it any more.
    if (window_->GetApplicationInterface() == this)
        window_->SetApplicationInterface(nullptr);
}

CXString CApplication::getWAVPath(const CXString& name)
{
    return window_->GetSoundFXFullPath(name);
}
