#include "text/CUnit6.h"

#include "app/CMC_Scene.h"
#include "app/CWindow.h"
#include "foundation/CResourcesManager.h"
#include "graphics/CRefreshScreen.h"

CUnit6::CUnit6(CWindow* window, const CXString& name)
    : unitName_(name)
    , window_(window)
    , resources_(std::make_unique<CResourcesManager>(window))
{
}

// The random player goes before the resources, whose playables it may still hold.
CUnit6::~CUnit6()
{
    randomPlayable_.reset();
    resources_.reset();
}

bool CUnit6::initialize(CMC_Scene* scene, CUnit6* previous)
{
    active_ = true;
    scene_ = scene;
    musicFileName_ = previous != nullptr ? previous->getMusicFileName() : CXString();
    startRandomPlay();
    setBackground();
    return true;
}

bool CUnit6::done(CMC_Scene*, CUnit6*)
{
    scene_ = nullptr;
    active_ = false;
    initiallyUpdated_ = false;
    releaseSceneResources();
    return true;
}

void CUnit6::startRandomPlay()
{
    randomPlayable_ = std::make_unique<CRandomPlayable>(window_, this);
    randomPlayable_->addNotifier(this);
}

void CUnit6::releaseSceneResources()
{
    randomPlayable_.reset();
    resources_->flush();
}

void CUnit6::addRandomPlayable(CPlayable* playable, double frequency, int count, const CXString& event)
{
    if (randomPlayable_ != nullptr)
        randomPlayable_->add(playable, frequency, count, event);
}

void CUnit6::removeRandomPlayable(CPlayable* playable)
{
    if (randomPlayable_ != nullptr)
        randomPlayable_->remove(playable);
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
