#include "app/CWindow.h"

#include "app/CMC_Scene.h"
#include "foundation/CFileResolver.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"
#include "media/CKeyboard.h"
#include "media/CMusic.h"
#include "platform/Backend.h"
#include "text/CUnit6.h"

// Music.

void CWindow::StartMusic(const CXString& name, bool loop)
{
    if (music_ == nullptr || !soundOn_ || !musicOn_)
        return;
    const CXString fullName = rootPath + name;
    if (music_->isPlaying() && music_->getFileName().equalsIgnoreCase(fullName))
        return;
    music_->stop();
    music_->start(fullName, loop);
}

void CWindow::StopMusic()
{
    if (music_ != nullptr)
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

// Paths.

CXString CWindow::GetSoundFXFullPath(const CXString& name) const
{
    if (!soundFXPath_.IsString())
        return name;
    return soundFXPath_ + "\\" + name;
}

// Timers.

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

// The screen composer.

void CWindow::SetBackground(CGraphicsObject* picture)
{
    if (refreshScreen_ != nullptr)
        refreshScreen_->SetBackground(picture);
}

void CWindow::SetBackground(CColor* colour)
{
    if (refreshScreen_ != nullptr)
        refreshScreen_->SetBackground(colour);
}

void CWindow::SetBackground(const CXString& fileName)
{
    if (refreshScreen_ != nullptr)
        refreshScreen_->SetBackground(fileName);
}

CRefreshScreen* CWindow::operator<<(CGraphicsObject* object)
{
    if (refreshScreen_ != nullptr)
        *refreshScreen_ << object;
    return refreshScreen_;
}

CRefreshScreen* CWindow::operator>>(CGraphicsObject* object)
{
    if (refreshScreen_ != nullptr)
        *refreshScreen_ >> object;
    return refreshScreen_;
}

void CWindow::Invalidate()
{
    Invalidate(static_cast<CXRect*>(nullptr));
}

void CWindow::Invalidate(CXRect* rect)
{
    if (refreshScreen_ != nullptr)
        refreshScreen_->Invalidate(rect);
}

void CWindow::Invalidate(CGraphicsObject* object)
{
    if (refreshScreen_ != nullptr)
        refreshScreen_->Invalidate(object);
}

// Errors.

void CWindow::ShowError(const CXString& caption)
{
    if (LastError() == 0 || backend_ == nullptr)
        return;
    // Windows-1250, as every text of the engine.
    const char* text = "Nieznany b\xB3\xB9" "d krytyczny.";
    if (LastError() == ERROR_GRAPHICS)
        text = "Nieprawid\xB3owe dzia\xB3" "anie karty graficznej.";
    else if (LastError() == ERROR_SOUND)
        text = "Nieprawid\xB3owe dzia\xB3" "anie karty d\x9Fwi\xEAkowej.";
    backend_->messageBox().show(caption.c_str(), text);
}

void CWindow::QuitOnError(CXObject*, const CXString&, const CXString&)
{
}

// What the lower folders ask of the window.

void CWindow::onLanguageChanged()
{
    if (keyboard_ != nullptr)
        keyboard_->initLanguage();
}

void CWindow::removeFromScreen(CFileResolver* resource)
{
    if (refreshScreen_ != nullptr)
        *refreshScreen_ >> dynamic_cast<CGraphicsObject*>(resource);
}

CMC_ObjectsContainer* CWindow::getRunningScene()
{
    return CMC_Scene::currentSceneOf(this);
}
