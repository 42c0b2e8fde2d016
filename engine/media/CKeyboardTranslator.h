#pragma once

// Turns the characters of the keyboard into the characters of the system's keyboard
// language, and says which characters are delivered at all.
class CKeyboardTranslator {
public:
    virtual ~CKeyboardTranslator() = default;
    virtual char translate(char c, bool alt, bool shift) const = 0;
    virtual bool accepts(char c) const = 0;
};

// The default layout: Alt with a letter of "acelnosxz" gives the Polish letter in Windows-1250
// (Alt+a gives 0xB9, Alt+Z gives 0xAF); every character is delivered.
class CPolishKeyboardTranslator : public CKeyboardTranslator {
public:
    char translate(char c, bool alt, bool shift) const override;
    bool accepts(char c) const override;
};

// Czech and Hungarian keyboards (QWERTZ): Y and Z trade places; only letters are delivered.
class CQwertzKeyboardTranslator : public CKeyboardTranslator {
public:
    char translate(char c, bool alt, bool shift) const override;
    bool accepts(char c) const override;
};
