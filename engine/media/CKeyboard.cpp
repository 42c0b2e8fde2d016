#include "media/CKeyboard.h"

#include "foundation/CLanguageOSVer.h"
#include "media/CKeyboardTranslator.h"
#include "media/MediaWindow.h"
#include "platform/Clock.h"
#include "platform/KeyCodes.h"

#include <algorithm>

namespace {

// The characters of the keys that give one, from key code 0x02 to 0x52; 0 for none.
constexpr char kCharacters[] = "1234567890\0\0\0\0"   // 0x02 - 0x0F
                               "QWERTYUIOP\0\0\0\0"   // 0x10 - 0x1D
                               "ASDFGHJKL\0\0\0\0\0"  // 0x1E - 0x2B
                               "ZXCVBNM\0\0\0\0\0\0 " // 0x2C - 0x39
                               "\0\0\0\0\0\0\0\0\0\0\0\0\0" // 0x3A - 0x46
                               "789\0" "456\0" "1230";      // 0x47 - 0x52 (numeric pad)
constexpr int kFirstCharacterKey = 0x02;
constexpr int kLastCharacterKey = 0x52;

struct KeyName {
    const char* name;
    int key;
    int otherKey; // -1: the name stands for one key
};

constexpr KeyName kKeyNames[] = {
    {"left", platform::key::Left, -1},
    {"up", platform::key::Up, -1},
    {"down", platform::key::Down, -1},
    {"right", platform::key::Right, -1},
    {"lshift", platform::key::LeftShift, -1},
    {"rshift", platform::key::RightShift, -1},
    {"shift", platform::key::LeftShift, platform::key::RightShift},
    {"lctrl", platform::key::LeftControl, -1},
    {"rctrl", platform::key::RightControl, -1},
    {"ctrl", platform::key::LeftControl, platform::key::RightControl},
    {"lalt", platform::key::LeftAlt, -1},
    {"ralt", platform::key::RightAlt, -1},
    {"alt", platform::key::LeftAlt, platform::key::RightAlt},
    {"space", platform::key::Space, -1},
};

} // namespace

CKeyboard::CKeyboard(MediaWindow* window)
    : window_(window)
{
    initLanguage();
}

CKeyboard::~CKeyboard()
{
    flushSignals(false);
}

void CKeyboard::initLanguage()
{
    constexpr int kCzech = 2;
    constexpr int kHungarian = 6;
    const CLanguageOSVer* language = window_ != nullptr ? window_->getLangIfc() : nullptr;
    const int number = language != nullptr ? language->getLang() : CLanguageOSVer::NO_LANGUAGE;
    if (number == kCzech || number == kHungarian)
        translator_ = std::make_unique<CQwertzKeyboardTranslator>();
    else
        translator_ = std::make_unique<CPolishKeyboardTranslator>();
}

void CKeyboard::post(int key, bool down)
{
    if (key < 0 || key > 255)
        return;
    buffer_.push_back({key, down});
}

void CKeyboard::tick()
{
    // The key state says whether a key is down: a press time would be 0 in the program's first
    // millisecond.
    while (!buffer_.empty()) {
        const Record record = buffer_.front();
        buffer_.pop_front();
        const bool wasDown = isDown(record.key);
        keyState_[static_cast<size_t>(record.key)] = record.down ? 0x80 : 0;
        if (record.down && !wasDown) {
            pressedQueue_.push_back({record.key, modifiers(), false, false});
            charQueue_.push_back({record.key, modifiers(), false, false});
        } else if (!record.down && wasDown) {
            if (autoRepeat_) {
                settleRelease(pressedQueue_, record.key);
                settleRelease(charQueue_, record.key);
            }
            releasedQueue_.push_back(record.key);
        }
    }
}

void CKeyboard::settleRelease(std::vector<Pending>& queue, int key)
{
    const auto found =
        std::find_if(queue.begin(), queue.end(), [key](const Pending& p) { return p.key == key && !p.released; });
    if (found == queue.end())
        return;
    if (found->flushed)
        queue.erase(found);
    else
        found->released = true;
}

std::vector<CKeyboard::Pending> CKeyboard::takeDue(std::vector<Pending>& queue, bool repeating) const
{
    std::vector<Pending> due;
    for (const Pending& p : queue)
        if (!p.flushed || repeating)
            due.push_back(p);
    if (!autoRepeat_) {
        queue.clear();
        return due;
    }
    std::erase_if(queue, [](const Pending& p) { return p.released; });
    for (Pending& p : queue)
        p.flushed = true;
    return due;
}

void CKeyboard::releaseHeldKeys()
{
    tick();
    for (int key = 0; key < static_cast<int>(keyState_.size()); ++key)
        if (isDown(key))
            buffer_.push_back({key, false});
    tick();
}

void CKeyboard::flushSignals(bool deliver)
{
    // Frames come every 10 ms and whenever input wakes the loop: held keys repeat at most
    // once per interval, counted from the start of the last flush that repeated them, while
    // what is new goes out at once.
    const uint32_t now = platform::tickCount();
    const bool repeating = !lastFlush_ || now - *lastFlush_ >= kFlushIntervalMs;
    if (repeating)
        lastFlush_ = now;
    // The window's handlers run scripts, which may end up here again (a script may switch
    // auto-repeat): each queue is taken and settled before it is walked.
    const std::vector<Pending> pressed = takeDue(pressedQueue_, repeating);
    if (deliver)
        for (const Pending& p : pressed)
            window_->OnKeyDown(p.key, 0);
    const std::vector<int> released = std::move(releasedQueue_);
    releasedQueue_.clear();
    if (deliver)
        for (int key : released)
            window_->OnKeyUp(key, 0);
    const std::vector<Pending> characters = takeDue(charQueue_, repeating);
    if (deliver)
        for (const Pending& p : characters) {
            const char c = p.flushed ? getChar(p.key) : charOf(p.key, p.atPress);
            if (c != kNoChar && translator_->accepts(c))
                window_->OnChar(c, 0);
        }
}

bool CKeyboard::isKeyPressed(const CXString& name) const
{
    for (const KeyName& entry : kKeyNames)
        if (name.equalsIgnoreCase(entry.name))
            return isDown(entry.key) || (entry.otherKey >= 0 && isDown(entry.otherKey));
    const char first = name.c_str()[0];
    const bool labelled = first == ' ' || (first >= '0' && first <= '9') || (first >= 'A' && first <= 'Z');
    if (!labelled)
        return false;
    // The top-row digits come before the numeric pad's.
    for (int key = kFirstCharacterKey; key <= kLastCharacterKey; ++key)
        if (labelOf(key) == first)
            return isDown(key);
    return false;
}

bool CKeyboard::isAnyKeyPressed() const
{
    return std::any_of(keyState_.begin(), keyState_.end(), [](unsigned char state) { return (state & 0x80) != 0; });
}

char CKeyboard::labelOf(int key)
{
    return key >= kFirstCharacterKey && key <= kLastCharacterKey ? kCharacters[key - kFirstCharacterKey] : '\0';
}

CKeyboard::Modifiers CKeyboard::modifiers() const
{
    return {isDown(platform::key::LeftShift) || isDown(platform::key::RightShift),
            isDown(platform::key::LeftAlt) || isDown(platform::key::RightAlt)};
}

char CKeyboard::charOf(int key, Modifiers held) const
{
    char c = labelOf(key);
    if (c == '\0')
        return kNoChar;
    if (c >= 'A' && c <= 'Z' && !held.shift)
        c = static_cast<char>(c + 0x20);
    return translator_->translate(c, held.alt, held.shift);
}
