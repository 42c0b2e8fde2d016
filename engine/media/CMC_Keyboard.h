#pragma once

#include "media/CKeyListener.h"
#include "script/CMC_Object.h"

class CKeyboard;
class MediaWindow;

// The KEYBOARD script object: a key listener of its container's window that raises
// "ONKEYDOWN", "ONKEYUP" and "ONCHAR", first with "^" and the key's name or the character,
// then plainly when nothing handled that form. Its name is always "KEYBOARD".
class CMC_Keyboard : public CMC_Object, public CKeyListener {
public:
    static constexpr int TYPE = 101;
    static constexpr int SIGNAL_ONCHAR = 3;
    static constexpr int SIGNAL_ONKEYDOWN = 4;
    static constexpr int SIGNAL_ONKEYUP = 5;

    // Listens to the container's window from now on; nothing is bound (compiled scenes read
    // the bindings afterwards).
    explicit CMC_Keyboard(CMC_ObjectsContainer* container);
    // The same with the element's signal properties bound.
    CMC_Keyboard(CMC_ObjectsContainer* container, CMElement* element);
    ~CMC_Keyboard() override;

    const CMC_SignalList* getBehavioursList() override;

    // The name of the last key that went down or up, or the last character, among those
    // whose signal is bound; empty until then.
    virtual CXString getLatestKey() { return latestKey_; }
    void enable() { enabled_ = true; }
    void disable() { enabled_ = false; }
    bool isEnabled() const { return enabled_; }
    // The keyboard device of the window the object listens to; none without a window.
    CKeyboard* getKeyboard() const;

    // Nothing happens while the object is disabled or while nothing is bound to the signal.
    void onKeyUp(int key) override;
    void onKeyDown(int key) override;
    void onChar(unsigned char c) override;

    // The name scripts know a key by ("ESC", "A", "F1", "LEFT"; the numeric pad's digits are
    // named as the top row's), empty for a key without one.
    static CXString getKeySignal(int key);

private:
    void onKey(int signalIndex, const char* signal, int key);

    MediaWindow* window_;
    bool enabled_ = true;
    CXString latestKey_;
};
