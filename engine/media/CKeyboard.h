#pragma once

#include "foundation/CXObject.h"

#include <memory>

class CKeyboardTranslator;
class CWindow;

// The engine's one keyboard device.
class CKeyboard : public CXObject {
public:
    explicit CKeyboard(CWindow* window);
    ~CKeyboard() override;
    CKeyboard(const CKeyboard&) = delete;
    CKeyboard& operator=(const CKeyboard&) = delete;

    // Picks the character mapping of the window's present language: QWERTZ for Czech (2) and
    // Hungarian (6), the Polish layout for every other language.
    void initLanguage();
    const CKeyboardTranslator* getTranslator() const { return translator_.get(); }

private:
    CWindow* window_;
    std::unique_ptr<CKeyboardTranslator> translator_;
};
