#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXRect.h"
#include "foundation/CXString.h"
#include "foundation/CXTimer.h"
#include "media/CKeyListener.h"
#include "media/CMouseListener.h"
#include "text/CControlNotifier.h"

#include <memory>
#include <vector>

class CButton;
class CEditBoxNotifier;
class CGraphicsObject;
class CSimpleFont6;
class CText6;
class CUnit6;
class TextWindow;

// A one-line text entry: its text shown in a font within its rectangle, a caret picture that
// blinks while the box has the keyboard, the window's keys and characters while it is active
// and enabled, and observers told of focus, typed changes, Enter and Escape.
//
// A click and release on the box gives it the focus through its unit; a press outside an
// active box takes the focus away. Characters (Windows-1250) go in at the caret unless the
// text would grow wider than the box. Keys are the keyboard's scan codes: Escape, Backspace,
// Enter, Home, the left and right arrows, End and Delete edit; the others do nothing.
class CEditBox6 : public CXObject,
                  public CKeyListener,
                  public CControlNotifier,
                  public CMouseListener,
                  public CTimerNotificator {
public:
    static constexpr int kListenerPriority = 100001;
    static constexpr unsigned int kBlinkMs = 400;
    // What the observers are told, by code.
    enum Notification {
        NOTIFY_FOCUSON = 1,
        NOTIFY_FOCUSOFF = 2,
        NOTIFY_CHANGED = 3,
        NOTIFY_ENTER = 4,
        NOTIFY_ESC = 5,
    };

    // A box of the unit (which owns it) over the rectangle, its text shown on the screen at
    // the priority; not active. A box without a font keeps its text and shows nothing.
    CEditBox6(TextWindow* window, CUnit6* unit, CSimpleFont6* font, CXRect rect, int priority, const CXString& text);
    // Loses the focus (its observers are told, active or not), then tells them it goes.
    ~CEditBox6() override;
    CEditBox6(const CEditBox6&) = delete;
    CEditBox6& operator=(const CEditBox6&) = delete;

    // The text shown; the caret stays within it.
    void setText(const CXString& text);
    CXString getText() const { return text_; }
    // The caret picture; not owned.
    void setCursor(CGraphicsObject* cursor) { cursor_ = cursor; }
    CGraphicsObject* getCursor() const { return cursor_; }
    // The caret goes to the position, kept within the text.
    void setCursorPos(int position);
    int getCursorPos() const { return caret_; }
    // Active, the caret goes to the end and blinks; the observers hear of the focus either way.
    void activate(bool active);
    bool isActive() const { return active_; }
    // Enables or disables the box's click area; an active box loses the focus in both cases.
    void enable(bool enabled);
    bool isEnabled() const { return enabled_; }
    void setVisibility(bool visible);
    void setColor(int colour);
    // The rectangle's top-left corner goes to the point; the text, the click area and the
    // caret follow.
    virtual void setPosition(CXPoint p);
    virtual void move(CXPoint d);
    void setPriority(int priority);
    CXRect getBoundingRect() const { return rect_; }
    CText6* getDisplay() const { return display_.get(); }
    CButton* getClickArea() const { return clickArea_.get(); }

    // An observer already listed is not added again.
    void addNotifier(CEditBoxNotifier* notifier);
    void removeNotifier(CEditBoxNotifier* notifier);
    // Tells every observer the notification of the code, in the order they were added, over
    // the list as it stands now; other codes tell nothing.
    void notify(int code);

    void onKeyDown(int key) override;
    void onChar(unsigned char c) override;
    // The click area was clicked and released: the unit gives the box the focus.
    void onControlAction(CControl* control, CXPoint p) override;
    // A press outside the active box takes its focus away; never consumed.
    bool onClick(CXPoint p) override;
    // The caret blinks.
    void onTimer(int id) override;

private:
    int widthOf(const CXString& text) const;
    // The caret picture at the caret, when it fits in the box.
    void updateCursor();
    // The text shown, the caret placed.
    void showText();
    bool windowLives() const;
    void placeDisplay();

    TextWindow* window_;
    CUnit6* unit_;
    bool active_ = false;
    bool enabled_ = true;
    int caret_ = 0;
    CGraphicsObject* cursor_ = nullptr;
    CXRect rect_;
    CXString text_;
    CSimpleFont6* font_;
    std::unique_ptr<CButton> clickArea_;
    std::unique_ptr<CText6> display_;
    std::vector<CEditBoxNotifier*> notifiers_;
    // The blink timer's id while the box is active; a new one for every activation.
    int timerId_ = 0;
};
