#include "app/CApplication.h"
#include "app/CKeyListeners.h"
#include "app/CMouseListenerEntry.h"
#include "app/CWindow.h"
#include "graphics/CHotSpot.h"
#include "media/CKeyListener.h"
#include "media/CKeyboard.h"
#include "media/CMouseListener.h"
#include "platform/Backend.h"
#include "platform/KeyCodes.h"

// Mouse entry points.

int CWindow::dispatchMouse(int hotSpotCode, CXPoint p, int flags, const std::function<bool(CMouseListener*)>& ask)
{
    if (!mouseEnabled_)
        return 0;
    // The hot spots' answer never keeps the listeners from hearing of the event.
    const int result = CHotSpot::OnMouseEvent(hotSpotCode, p, flags);
    mouseListeners_->walk(ask);
    return result;
}

int CWindow::OnMouseMove(CXPoint p, int flags)
{
    return dispatchMouse(EVENT_MOUSEMOVE, p, flags, [p](CMouseListener* l) { return l->onMouseMove(p); });
}

int CWindow::OnLButtonDown(CXPoint p, int flags)
{
    return dispatchMouse(EVENT_LBUTTONDOWN, p, flags,
                         [p](CMouseListener* l) { return l->onClick(p) || l->onClick(0, p); });
}

int CWindow::OnLButtonUp(CXPoint p, int flags)
{
    return dispatchMouse(EVENT_LBUTTONUP, p, flags,
                         [p](CMouseListener* l) { return l->onRelease(p) || l->onRelease(0, p); });
}

int CWindow::OnLButtonDblClk(CXPoint p, int flags)
{
    return dispatchMouse(EVENT_LBUTTONDBLCLK, p, flags, [p](CMouseListener* l) { return l->onDblClick(p); });
}

int CWindow::OnMButtonDown(CXPoint p, int flags)
{
    return dispatchMouse(EVENT_MBUTTONDOWN, p, flags, [p](CMouseListener* l) { return l->onClick(1, p); });
}

int CWindow::OnMButtonUp(CXPoint p, int flags)
{
    return dispatchMouse(EVENT_MBUTTONUP, p, flags, [p](CMouseListener* l) { return l->onRelease(1, p); });
}

int CWindow::OnRButtonDown(CXPoint p, int flags)
{
    return dispatchMouse(EVENT_RBUTTONDOWN, p, flags, [p](CMouseListener* l) { return l->onClick(2, p); });
}

int CWindow::OnRButtonUp(CXPoint p, int flags)
{
    return dispatchMouse(EVENT_RBUTTONUP, p, flags, [p](CMouseListener* l) { return l->onRelease(2, p); });
}

// Key entry points.

int CWindow::OnKeyDown(int key, int flags)
{
    if (application_ == nullptr)
        return 0;
    int result = application_->OnKeyDown(key, flags);
    if (result == 0)
        result = CHotSpot::OnChar(key, flags);
    keyListeners_->tellAll([key](CKeyListener* l) { l->onKeyDown(key); });
    return result;
}

int CWindow::OnKeyUp(int key, int flags)
{
    keyListeners_->tellAll([key](CKeyListener* l) { l->onKeyUp(key); });
    return CHotSpot::OnChar(key, flags);
}

int CWindow::OnChar(int character, int)
{
    const auto c = static_cast<unsigned char>(character);
    keyListeners_->tellAll([c](CKeyListener* l) { l->onChar(c); });
    return 0;
}

// Listeners.

void CWindow::registerMouseListener(CMouseListener* listener, int priority)
{
    mouseListeners_->add(listener, priority);
}

void CWindow::removeMouseListener(CMouseListener* listener)
{
    mouseListeners_->remove(listener);
}

void CWindow::setMouseCaption(CMouseListener* listener)
{
    mouseListeners_->setCaption(listener);
}

void CWindow::registerKeyListener(CKeyListener* listener)
{
    keyListeners_->add(listener);
}

void CWindow::removeKeyListener(CKeyListener* listener)
{
    keyListeners_->remove(listener);
}

// Cursors.

void CWindow::enableMouse(bool enabled)
{
    mouseEnabled_ = enabled;
    if (enabled)
        EndWaitCursor();
    else
        BeginWaitCursor();
}

void CWindow::SetCursor(const platform::CursorShape* shape)
{
    if (!cursorLock_ && backend_ != nullptr)
        backend_->cursors().set(shape);
}

void CWindow::BeginActiveCursor()
{
    if (activeCursor_ != nullptr && !activeCursorLock_)
        SetCursor(activeCursor_);
}

void CWindow::BeginWaitCursor()
{
    if (waitCursor_ != nullptr)
        SetCursor(waitCursor_);
}

void CWindow::EndWaitCursor()
{
    if (mainCursor_ != nullptr)
        SetCursor(mainCursor_);
}

void CWindow::lockActiveCursor(bool locked)
{
    EndWaitCursor();
    activeCursorLock_ = locked;
}

void CWindow::ShowCursor()
{
    if (backend_ != nullptr)
        backend_->cursors().show();
}

void CWindow::HideCursor()
{
    if (backend_ != nullptr)
        backend_->cursors().hide();
}

// Key translation.

unsigned char CWindow::tranlateToChar(int key)
{
    // The numeric pad's digits are not the digit keys.
    return key <= platform::key::Space ? static_cast<unsigned char>(CKeyboard::labelOf(key)) : 0;
}

int CWindow::__get_virtualkey_code(int virtualKey, int keyData)
{
    // The key data of a key's first press: scan code in bits 16 to 23, repeat count 1.
    constexpr int kScanCode1D = 0x1D0001;
    constexpr int kScanCode2A = 0x2A0001;
    switch (virtualKey) {
    case 13: return -50;
    case 16: return keyData == kScanCode1D ? -45 : -44;
    case 17: return keyData == kScanCode2A ? -48 : -47;
    case 32: return -39;
    case 33: return -52;
    case 34: return -51;
    case 35: return -53;
    case 36: return -54;
    case 37: return -43;
    case 38: return -41;
    case 39: return -42;
    case 40: return -40;
    case 45: return -56;
    case 46: return -55;
    default: return virtualKey;
    }
}
