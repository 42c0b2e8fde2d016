#include "text/CEditBox6.h"

#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"
#include "platform/KeyCodes.h"
#include "text/CButton.h"
#include "text/CEditBoxNotifier.h"
#include "text/CText6.h"
#include "text/CUnit6.h"
#include "text/TextWindow.h"

#include <algorithm>

CEditBox6::CEditBox6(TextWindow* window, CUnit6* unit, CSimpleFont6* font, CXRect rect, int priority, const CXString& text)
    : window_(window)
    , unit_(unit)
    , rect_(rect)
    , text_(text)
    , font_(font)
    , clickArea_(std::make_unique<CButton>(window, rect, 0, nullptr))
    , display_(std::make_unique<CText6>(window, nullptr))
{
    clickArea_->addNotifier(this);
    clickArea_->setUnit(unit);
    display_->setFont(font);
    placeDisplay();
    display_->setText(text);
    display_->Visible(true);
    if (CRefreshScreen* screen = window != nullptr ? window->GetRefreshScreenInterface() : nullptr)
        screen->put(display_.get(), priority);
    if (window != nullptr) {
        window->registerKeyListener(this);
        window->registerMouseListener(this, kListenerPriority);
    }
}

CEditBox6::~CEditBox6()
{
    if (windowLives()) {
        window_->removeKeyListener(this);
        window_->removeMouseListener(this);
    }
    activate(false);
    if (CRefreshScreen* screen = windowLives() ? window_->GetRefreshScreenInterface() : nullptr)
        *screen >> display_.get();
    if (unit_ != nullptr)
        unit_->removeEditBox(this);
    const std::vector<CEditBoxNotifier*> told = notifiers_;
    for (CEditBoxNotifier* notifier : told)
        notifier->onEditBoxGone(this);
}

bool CEditBox6::windowLives() const
{
    return window_ != nullptr && TextWindow::getInstance() == window_;
}

int CEditBox6::widthOf(const CXString& text) const
{
    return font_ != nullptr ? CText6::getLength(font_, text) : 0;
}

void CEditBox6::placeDisplay()
{
    display_->setJustify(rect_, JUSTIFY_LEFT, JUSTIFY_CENTER);
    display_->SetClippingRect(CXRect(0, 0, rect_.Width(), rect_.Height()));
}

void CEditBox6::setText(const CXString& text)
{
    text_ = text;
    caret_ = std::clamp(caret_, 0, text_.GetLength());
    display_->setText(text);
}

void CEditBox6::setCursorPos(int position)
{
    caret_ = std::clamp(position, 0, text_.GetLength());
    updateCursor();
}

void CEditBox6::updateCursor()
{
    if (cursor_ == nullptr)
        return;
    cursor_->Invalidate();
    const int y = rect_.bottom - cursor_->Height() - 5;
    if (caret_ <= 0) {
        cursor_->SetPosition(rect_.left, y);
    } else if (const int width = widthOf(text_.Left(caret_)); rect_.left + width < rect_.right) {
        cursor_->SetPosition(rect_.left + width, y);
    }
    cursor_->Invalidate();
}

void CEditBox6::showText()
{
    display_->setText(text_);
    updateCursor();
}

void CEditBox6::activate(bool active)
{
    active_ = active;
    CXTimer* timers = windowLives() ? window_->GetTimerInterface() : nullptr;
    if (timers != nullptr && timerId_ != 0)
        timers->remove(timerId_);
    timerId_ = 0;
    if (active) {
        caret_ = text_.GetLength();
        if (timers != nullptr) {
            timerId_ = CXTimer::allocateId();
            timers->add(timerId_, kBlinkMs, this);
        }
        updateCursor();
        notify(NOTIFY_FOCUSON);
    } else {
        notify(NOTIFY_FOCUSOFF);
    }
}

void CEditBox6::enable(bool enabled)
{
    enabled_ = enabled;
    clickArea_->Enable(enabled);
    if (active_)
        activate(false);
}

void CEditBox6::setVisibility(bool visible)
{
    display_->Visible(visible);
}

void CEditBox6::setColor(int colour)
{
    display_->setColor(colour);
}

void CEditBox6::setPosition(CXPoint p)
{
    rect_ = CXRect(p.x, p.y, p.x + rect_.Width(), p.y + rect_.Height());
    placeDisplay();
    display_->Invalidate();
    clickArea_->SetActiveRect(rect_);
    updateCursor();
}

void CEditBox6::move(CXPoint d)
{
    setPosition(CXPoint(rect_.left + d.x, rect_.top + d.y));
}

void CEditBox6::setPriority(int priority)
{
    if (CRefreshScreen* screen = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr)
        screen->SetPriority(display_.get(), priority);
}

void CEditBox6::addNotifier(CEditBoxNotifier* notifier)
{
    if (notifier != nullptr && std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end())
        notifiers_.push_back(notifier);
}

void CEditBox6::removeNotifier(CEditBoxNotifier* notifier)
{
    notifiers_.erase(std::remove(notifiers_.begin(), notifiers_.end(), notifier), notifiers_.end());
}

void CEditBox6::notify(int code)
{
    static constexpr void (CEditBoxNotifier::*kOperations[])(CEditBox6*) = {
        &CEditBoxNotifier::onFocusOn, &CEditBoxNotifier::onFocusOff, &CEditBoxNotifier::onChanged,
        &CEditBoxNotifier::onEnter,   &CEditBoxNotifier::onEsc,
    };
    if (code < NOTIFY_FOCUSON || code > NOTIFY_ESC)
        return;
    // Over a copy: an observer may leave while it is told.
    const std::vector<CEditBoxNotifier*> told = notifiers_;
    for (CEditBoxNotifier* notifier : told)
        (notifier->*kOperations[code - NOTIFY_FOCUSON])(this);
}

void CEditBox6::onKeyDown(int key)
{
    namespace k = platform::key;
    if (!enabled_ || !active_)
        return;
    const int length = text_.GetLength();
    switch (key) {
    case k::Escape: notify(NOTIFY_ESC); return;
    case k::Return: notify(NOTIFY_ENTER); return;
    case k::Backspace:
        if (caret_ > 0) {
            text_ = text_.Left(caret_ - 1) + text_.Mid(caret_, length);
            --caret_;
            showText();
        }
        return;
    case k::Delete:
        if (caret_ < length) {
            text_ = text_.Left(caret_) + text_.Mid(caret_ + 1, length);
            showText();
        }
        return;
    case k::Home:
        if (caret_ > 0)
            setCursorPos(0);
        return;
    case k::Left:
        if (caret_ > 0)
            setCursorPos(caret_ - 1);
        return;
    case k::Right:
        if (caret_ < length)
            setCursorPos(caret_ + 1);
        return;
    case k::End:
        if (caret_ < length)
            setCursorPos(length);
        return;
    default: return;
    }
}

void CEditBox6::onChar(unsigned char c)
{
    if (!enabled_ || !active_ || c == 0)
        return;
    CXString candidate = text_.Left(caret_);
    candidate += static_cast<char>(c);
    candidate += text_.Mid(caret_, text_.GetLength());
    if (widthOf(candidate) > rect_.Width())
        return;
    ++caret_;
    text_ = candidate;
    showText();
    notify(NOTIFY_CHANGED);
}

void CEditBox6::onControlAction(CControl*, CXPoint)
{
    if (active_)
        return;
    if (unit_ != nullptr)
        unit_->activateEditBox(this);
    else
        activate(true);
}

bool CEditBox6::onClick(CXPoint p)
{
    if (!active_ || rect_.IsInRect(p))
        return false;
    if (unit_ != nullptr && unit_->getCurrentEditBox() == this)
        unit_->activateEditBox(nullptr);
    else
        activate(false);
    return false;
}

void CEditBox6::onTimer(int)
{
    if (cursor_ != nullptr)
        cursor_->Visible(!cursor_->isVisible());
}
