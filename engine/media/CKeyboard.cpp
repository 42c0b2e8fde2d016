#include "media/CKeyboard.h"

#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "media/CKeyboardTranslator.h"
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

void removeFirst(std::vector<int>& queue, int key)
{
    const auto found = std::find(queue.begin(), queue.end(), key);
    if (found != queue.end())
        queue.erase(found);
}

} // namespace

CKeyboard::CKeyboard(CWindow* window)
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
    if (key < 0 || key > 255 || buffer_.size() >= kBufferSize)
        return;
    buffer_.push_back({key, down});
}

void CKeyboard::tick()
{
    while (!buffer_.empty()) {
        const Record record = buffer_.front();
        buffer_.pop_front();
        const auto key = static_cast<size_t>(record.key);
        if (record.down) {
            keyState_[key] = 0x80;
            if (!pressTaken_[key]) {
                pressedQueue_.push_back(record.key);
                charQueue_.push_back(record.key);
                pressTaken_[key] = true;
            }
        } else {
            keyState_[key] = 0;
            if (pressTaken_[key]) {
                pressTaken_[key] = false;
                if (autoRepeat_) {
                    removeFirst(pressedQueue_, record.key);
                    removeFirst(charQueue_, record.key);
                }
                releasedQueue_.push_back(record.key);
            }
        }
    }
}

void CKeyboard::flushSignals(bool deliver)
{
    const uint32_t now = platform::tickCount();
    if (lastFlush_ && now - *lastFlush_ < kFlushIntervalMs)
        return;
    // The window's handlers run scripts, which may end up here again: each queue is taken
    // before it is walked.
    const std::vector<int> pressed = pressedQueue_;
    if (!autoRepeat_)
        pressedQueue_.clear();
    if (deliver)
        for (int key : pressed)
            window_->OnKeyDown(key, 0);
    const std::vector<int> released = std::move(releasedQueue_);
    releasedQueue_.clear();
    if (deliver)
        for (int key : released)
            window_->OnKeyUp(key, 0);
    const std::vector<int> characters = charQueue_;
    if (!autoRepeat_)
        charQueue_.clear();
    if (deliver)
        for (int key : characters) {
            const char c = getChar(key);
            if (c != kNoChar && translator_->accepts(c))
                window_->OnChar(c, 0);
        }
    lastFlush_ = platform::tickCount();
}

char CKeyboard::labelOf(int key)
{
    return key >= kFirstCharacterKey && key <= kLastCharacterKey ? kCharacters[key - kFirstCharacterKey] : '\0';
}

char CKeyboard::getChar(int key) const
{
    char c = labelOf(key);
    if (c == '\0')
        return kNoChar;
    const bool shift = isDown(platform::key::LeftShift) || isDown(platform::key::RightShift);
    const bool alt = isDown(platform::key::LeftAlt) || isDown(platform::key::RightAlt);
    if (c >= 'A' && c <= 'Z' && !shift)
        c = static_cast<char>(c + 0x20);
    return translator_->translate(c, alt, shift);
}
