#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <vector>

class CKeyboardTranslator;
class MediaWindow;

// The engine's one keyboard device. The window's event pump posts key records (DirectInput
// key codes) into the device's buffer; each frame tick takes them into the key state and the
// queues of presses, releases and characters, and the frame's flush hands those to the
// window's key entry points.
class CKeyboard : public CXObject {
public:
    // Held keys repeat at most once in this time.
    static constexpr uint32_t kFlushIntervalMs = 10;
    // What getChar gives for a key without a character.
    static constexpr char kNoChar = static_cast<char>(0xFF);

    explicit CKeyboard(MediaWindow* window);
    // A last flush that delivers nothing.
    ~CKeyboard() override;
    CKeyboard(const CKeyboard&) = delete;
    CKeyboard& operator=(const CKeyboard&) = delete;

    // Picks the character mapping of the window's present language: QWERTZ for Czech (2) and
    // Hungarian (6), the Polish layout for every other language.
    void initLanguage();
    const CKeyboardTranslator* getTranslator() const { return translator_.get(); }

    // A key went down or up; the record waits in the device buffer for the next tick.
    void post(int key, bool down);
    // Takes the buffered records into the key state and the queues. A press of a key that is
    // down already, or a release of one that is up, adds nothing; with auto-repeat on, a
    // release also takes the key's press and character off the queues once a flush has
    // delivered them, so a tap between two flushes still gives its press and character once.
    void tick();
    // With deliver, hands the queued presses, releases and characters to the window. Releases
    // always leave the queue; presses and characters only with auto-repeat off, so a held key
    // repeats at every flush that comes 10 ms or more after the last repeating one. New
    // presses, releases and characters go at the first flush.
    void flushSignals(bool deliver);
    // Records or queued presses, releases or characters wait for the next tick or flush; a
    // held key's press stays queued for its repeats.
    bool hasInput() const
    {
        return !buffer_.empty() || !pressedQueue_.empty() || !releasedQueue_.empty() || !charQueue_.empty();
    }
    void setAutoRepeat(bool on) { autoRepeat_ = on; }
    bool isAutoRepeat() const { return autoRepeat_; }
    // The program lost the input focus: the keys that went down are released now, since their
    // releases will not come, and their key-ups wait for the next flush.
    void releaseHeldKeys();

    // Whether a key is down. A name of a key or of a pair of keys ("left", "up", "down",
    // "right", "lshift", "rshift", "shift", "lctrl", "rctrl", "ctrl", "lalt", "ralt", "alt",
    // "space"; any letter case) asks for that key; any other name asks for the key labelled
    // with its first character, a capital letter, a digit or a blank ("ESC" asks for E).
    bool isKeyPressed(const CXString& name) const;
    bool isAnyKeyPressed() const;

    // The character of the key under the present Shift and Alt state, kNoChar for none.
    char getChar(int key) const { return charOf(key, modifiers()); }
    // The character that the key is labelled with: a capital letter, a digit (top row or
    // numeric pad) or the blank of the space bar; 0 for any other key.
    static char labelOf(int key);

private:
    struct Record {
        int key;
        bool down;
    };
    struct Modifiers {
        bool shift;
        bool alt;
    };
    // A press or character waiting in its queue.
    struct Pending {
        int key;
        // Shift and Alt as they were when the key went down: the first character of a press
        // takes them, so a quick Shift and letter that both end before a flush still gives a
        // capital. Repeats take the state of their flush.
        Modifiers atPress;
        // A flush has delivered it: with auto-repeat on, it goes when its key is released.
        bool flushed;
        // Its key went up before any flush delivered it: the next flush delivers it once.
        bool released;
    };

    bool isDown(int key) const { return (keyState_[static_cast<size_t>(key)] & 0x80) != 0; }
    Modifiers modifiers() const;
    char charOf(int key, Modifiers held) const;
    // The key's first waiting entry leaves the queue, or is marked to leave after one delivery.
    static void settleRelease(std::vector<Pending>& queue, int key);
    // What a flush delivers from a queue (repeats only when repeating), leaving in it what
    // stays for later flushes.
    std::vector<Pending> takeDue(std::vector<Pending>& queue, bool repeating) const;

    MediaWindow* window_;
    bool autoRepeat_ = true;
    std::deque<Record> buffer_;
    std::array<unsigned char, 256> keyState_{};
    std::vector<Pending> pressedQueue_;
    std::vector<int> releasedQueue_;
    std::vector<Pending> charQueue_;
    std::unique_ptr<CKeyboardTranslator> translator_;
    // When held keys last repeated; none before the first flush.
    std::optional<uint32_t> lastFlush_;
};
