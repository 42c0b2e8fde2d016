#pragma once

class CEditBox6;

// An observer of an edit box. Every operation does nothing unless overridden; the box owns
// none of its observers.
class CEditBoxNotifier {
public:
    virtual void onFocusOn(CEditBox6*) {}
    virtual void onFocusOff(CEditBox6*) {}
    // A typed character went into the text.
    virtual void onChanged(CEditBox6*) {}
    virtual void onEnter(CEditBox6*) {}
    virtual void onEsc(CEditBox6*) {}
    // The box is being deleted: an observer that keeps it lets go of it.
    virtual void onEditBoxGone(CEditBox6*) {}

protected:
    ~CEditBoxNotifier() = default;
};
