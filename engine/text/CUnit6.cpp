#include "text/CUnit6.h"

#include "graphics/CRefreshScreen.h"
#include "media/CKeyboard.h"
#include "media/CResourcesManager.h"
#include "platform/KeyCodes.h"
#include "text/CControl.h"
#include "text/CEditBox6.h"
#include "text/TextWindow.h"
#include "text/UnitScene.h"

#include <algorithm>
#include <utility>

CUnit6::CUnit6(TextWindow* window, const CXString& name)
    : unitName_(name)
    , window_(window)
    , resources_(std::make_unique<CResourcesManager>(window))
{
}

CUnit6::~CUnit6()
{
    stopListening();
    forgetDrag();
    flushEditBoxes();
}

bool CUnit6::initialize(UnitScene* scene, CUnit6* previous)
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

bool CUnit6::done(UnitScene*, CUnit6*)
{
    forgetDrag();
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
    return window_ != nullptr && TextWindow::getInstance() == window_;
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

CMElements* CUnit6::resolveObjects(UnitScene*, CMElements* elements)
{
    return elements;
}

void CUnit6::onTimer(int)
{
}

// --- edit boxes ---

CEditBox6* CUnit6::addEditBox(CSimpleFont6* font, CXRect rect, int priority, const CXString& text)
{
    auto* box = new CEditBox6(window_, this, font, rect, priority, text);
    if (cursor_ != nullptr)
        box->setCursor(cursor_);
    editBoxes_.push_back(box);
    return box;
}

void CUnit6::activateEditBox(CEditBox6* box)
{
    if (current_ != nullptr)
        current_->activate(false);
    current_ = box;
    if (box != nullptr)
        box->activate(true);
}

void CUnit6::removeEditBox(CEditBox6* box)
{
    if (current_ == box)
        current_ = nullptr;
    const auto found = std::find(editBoxes_.begin(), editBoxes_.end(), box);
    if (found != editBoxes_.end())
        editBoxes_.erase(found);
}

void CUnit6::flushEditBoxes()
{
    current_ = nullptr;
    const std::vector<CEditBox6*> boxes = std::move(editBoxes_);
    editBoxes_.clear();
    for (CEditBox6* box : boxes)
        delete box;
}

int CUnit6::getCurrentEditBoxIndex()
{
    const auto found = std::find(editBoxes_.begin(), editBoxes_.end(), current_);
    return current_ == nullptr || found == editBoxes_.end() ? -1 : static_cast<int>(found - editBoxes_.begin());
}

void CUnit6::moveFocus(int step)
{
    const int index = getCurrentEditBoxIndex();
    if (index < 0)
        return;
    const int count = static_cast<int>(editBoxes_.size());
    activateEditBox(editBoxes_[static_cast<size_t>((index + step + count) % count)]);
}

void CUnit6::nextEditBox()
{
    moveFocus(1);
}

void CUnit6::prevEditBox()
{
    moveFocus(-1);
}

void CUnit6::onKeyDown(int key)
{
    if (key != platform::key::Tab)
        return;
    CKeyboard* keyboard = window_ != nullptr ? window_->getKeyboardInterface() : nullptr;
    if (keyboard != nullptr && (keyboard->isKeyPressed("lshift") || keyboard->isKeyPressed("rshift")))
        prevEditBox();
    else
        nextEditBox();
}

// --- dragging ---

bool CUnit6::onStartDragging(CGraphicsObject* picture, CXPoint p, CControl* control)
{
    if (picture == nullptr || control == nullptr)
        return false;
    forgetDrag();
    dragging_ = true;
    startingPress_ = true;
    draggedControl_ = control;
    draggedPicture_ = picture;
    control->watch(this);
    CRefreshScreen* canvas = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr;
    savedPriority_ = canvas != nullptr ? canvas->GetPriority(picture) : -1;
    if (savedPriority_ != -1)
        canvas->SetPriority(picture, kDraggedPriority);
    lastPoint_ = p;
    control->onStartDragging(p);
    return true;
}

bool CUnit6::onDragging(CXPoint p)
{
    if (!dragging_ || draggedPicture_ == nullptr)
        return dragging_;
    draggedPicture_->Move(p.x - lastPoint_.x, p.y - lastPoint_.y);
    lastPoint_ = p;
    draggedControl_->onDragging(p);
    return dragging_;
}

bool CUnit6::onEndDragging(CXPoint)
{
    if (!dragging_)
        return true;
    CControl* control = draggedControl_;
    CGraphicsObject* picture = draggedPicture_;
    const int priority = savedPriority_;
    forgetDrag();
    CRefreshScreen* canvas = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr;
    if (canvas != nullptr && priority != -1)
        canvas->SetPriority(picture, priority);
    control->Enable(true);
    control->onEndDragging(picture->getPosition());
    return true;
}

void CUnit6::forgetDrag()
{
    if (draggedControl_ != nullptr)
        draggedControl_->unwatch(this);
    dragging_ = false;
    startingPress_ = false;
    draggedControl_ = nullptr;
    draggedPicture_ = nullptr;
}

void CUnit6::onControlGone(CControl* control)
{
    if (control != draggedControl_)
        return;
    draggedControl_ = nullptr;
    forgetDrag();
}

bool CUnit6::onMouseMove(CXPoint p)
{
    startingPress_ = false;
    if (dragging_)
        onDragging(p);
    return false;
}

bool CUnit6::onClick(CXPoint p)
{
    const bool starting = std::exchange(startingPress_, false);
    if (dragging_ && dropOnClick_ && !starting)
        onEndDragging(p);
    return false;
}

bool CUnit6::onRelease(CXPoint p)
{
    startingPress_ = false;
    if (dragging_ && !dropOnClick_)
        onEndDragging(p);
    return false;
}
