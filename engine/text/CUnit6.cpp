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

CUnit6::~CUnit6()
{
    stopListening();
}

bool CUnit6::initialize(CMC_Scene* scene, CUnit6* previous)
{
    active_ = true;
    scene_ = scene;
    musicFileName_ = previous != nullptr ? previous->getMusicFileName() : CXString();
    startRandomPlay();
    setBackground();
    stopListening();
    if (windowLives()) {
        window_->registerKeyListener(this);
        window_->registerMouseListener(this, kListenerPriority);
        listening_ = true;
    }
    return true;
}

bool CUnit6::done(CMC_Scene*, CUnit6*)
{
    if (CRefreshScreen* canvas = windowLives() ? window_->GetRefreshScreenInterface() : nullptr) {
        canvas->flush();
        canvas->SetBackground(static_cast<CGraphicsObject*>(nullptr));
    }
    scene_ = nullptr;
    active_ = false;
    initiallyUpdated_ = false;
    stopListening();
    releaseSceneResources();
    return true;
}

bool CUnit6::windowLives() const
{
    return window_ != nullptr && CWindow::getInstance() == window_;
}

void CUnit6::stopListening()
{
    if (!listening_)
        return;
    listening_ = false;
    if (!windowLives())
        return;
    window_->removeKeyListener(this);
    window_->removeMouseListener(this);
}

void CUnit6::startRandomPlay()
{
    randomPlayable_ = std::make_unique<CRandomPlayable>(windowLives() ? window_ : nullptr, this);
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

CMElements* CUnit6::resolveObjects(CMC_Scene*, CMElements* elements)
{
    return elements;
}

void CUnit6::onTimer(int)
{
}
