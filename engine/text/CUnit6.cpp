#include "text/CUnit6.h"

#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "graphics/CRefreshScreen.h"

CUnit6::CUnit6(CWindow* window, const CXString& name)
    : unitName_(name)
    , window_(window)
{
}

bool CUnit6::initialize(CMC_Scene* scene, CUnit6* previous)
{
    active_ = true;
    scene_ = scene;
    musicFileName_ = previous != nullptr ? previous->getMusicFileName() : CXString();
    setBackground();
    return true;
}

bool CUnit6::onInitialUpdate()
{
    initiallyUpdated_ = true;
    startMusic(nullptr, false);
    return true;
}

bool CUnit6::isActive()
{
    return active_;
}

bool CUnit6::wasInitiallyUpdated()
{
    return initiallyUpdated_;
}

void CUnit6::startMusic(const char* name, bool force)
{
    if (scene_ == nullptr || window_ == nullptr)
        return;
    if (!force && !scene_->shouldMusicBeStarted())
        return;
    const CXString file = name != nullptr ? CXString(name) : scene_->getMusicFilename();
    if (!file.IsString() || (file.equalsIgnoreCase(musicFileName_) && window_->isMusicPlaying()))
        return;
    musicFileName_ = file;
    window_->StartMusic(file, true);
}

void CUnit6::stopMusic()
{
    if (window_ != nullptr)
        window_->StopMusic();
}

void CUnit6::setBackground()
{
    CRefreshScreen* canvas = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr;
    if (canvas == nullptr)
        return;
    const CXString name = getBackgroundFileName();
    if (name.IsString())
        canvas->SetBackground(name);
    else
        canvas->SetBackground(static_cast<CColor*>(nullptr));
}

void CUnit6::onTimer(int)
{
}
