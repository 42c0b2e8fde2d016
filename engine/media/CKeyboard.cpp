#include "media/CKeyboard.h"

#include "app/CWindow.h"
#include "foundation/CLanguageOSVer.h"
#include "media/CKeyboardTranslator.h"

CKeyboard::CKeyboard(CWindow* window)
    : window_(window)
{
    initLanguage();
}

CKeyboard::~CKeyboard() = default;

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
