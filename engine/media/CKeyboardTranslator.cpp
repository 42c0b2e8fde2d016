#include "media/CKeyboardTranslator.h"

char CPolishKeyboardTranslator::translate(char c, bool alt, bool) const
{
    if (!alt)
        return c;
    struct Letter {
        char plain;
        unsigned char polish;
    };
    static constexpr Letter kLetters[] = {
        {'A', 0xA5}, {'C', 0xC6}, {'E', 0xCA}, {'L', 0xA3}, {'N', 0xD1}, {'O', 0xD3},
        {'S', 0x8C}, {'X', 0x8F}, {'Z', 0xAF}, {'a', 0xB9}, {'c', 0xE6}, {'e', 0xEA},
        {'l', 0xB3}, {'n', 0xF1}, {'o', 0xF3}, {'s', 0x9C}, {'x', 0x9F}, {'z', 0xBF},
    };
    for (const Letter& letter : kLetters) {
        if (letter.plain == c)
            return static_cast<char>(letter.polish);
    }
    return c;
}

bool CPolishKeyboardTranslator::accepts(char) const
{
    return true;
}

char CQwertzKeyboardTranslator::translate(char c, bool, bool) const
{
    switch (c) {
    case 'Y': return 'Z';
    case 'Z': return 'Y';
    case 'y': return 'z';
    case 'z': return 'y';
    default: return c;
    }
}

bool CQwertzKeyboardTranslator::accepts(char c) const
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
