#include "app/CWindow.h"

#include "app/CApplication.h"
#include "app/CPublicTrash.h"
#include "foundation/CCommandLine6.h"
#include "foundation/CFile.h"
#include "graphics/CAnimationManager.h"
#include "graphics/CCollisionInspector.h"
#include "media/CKeyboard.h"
#include "media/CMusic.h"
#include "media/CSndStream.h"
#include "media/CSound4.h"
#include "media/CSoundManager.h"

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
    CSound4::CreateDirectSoundInterface(this);
    music_ = new CMusic(this);
    keyboard_ = new CKeyboard(this);
    trash_ = new CPublicTrash(timers_);
    collisionInspector_ = new CCollisionInspector;
    if (commandLine_ != nullptr) {
        MusicOn(commandLine_->isMusicEnabled());
        SoundOn(commandLine_->isSoundEnabled());
    }
}

CWindow::~CWindow()
{
    // The bin goes first: it takes its timer off the list, and leaves what it holds alone.
    delete trash_;
    delete music_;
    delete timers_;
    delete keyboard_;
    delete collisionInspector_;
    CSound4::DestroySoundBuffer();
}

int CWindow::Tick()
{
    if (!active_)
        return 0;
    timers_->domodal();
    if (application_ != nullptr) {
        application_->getAnimoManagerIfc()->domodal();
        application_->getSoundManagerIfc()->domodal();
    }
    CSndStream::flushLoopSignals();
    return 0;
}

void CWindow::StartMusic(const CXString& name, bool loop)
{
    if (!soundOn_ || !musicOn_)
        return;
    const CXString fullName = rootPath + name;
    if (music_->isPlaying() && music_->getFileName().equalsIgnoreCase(fullName))
        return;
    music_->stop();
    music_->start(fullName, loop);
}

void CWindow::StopMusic()
{
    music_->stop();
}

bool CWindow::isMusicPlaying() const
{
    return music_->isPlaying();
}

int CWindow::getMusicVolume() const
{
    return music_->getVolume();
}

void CWindow::setMusicVolume(int volume)
{
    music_->setVolume(volume);
}

void CWindow::setMusicPan(int pan)
{
    music_->setPan(pan);
}

void CWindow::setMusicFreq(int frequency)
{
    music_->setFreq(frequency);
}

CXString CWindow::GetSoundFXFullPath(const CXString& name) const
{
    if (!soundFXPath_.IsString())
        return name;
    return soundFXPath_ + "\\" + name;
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
