#pragma once

#include "text/CFontCollection.h"

#include "FntFixtures.h"

#include <memory>
#include <string>
#include <vector>

// Fonts of family "F", size 10, with the collection that holds them, STANDARD first.
class TextFonts {
public:
    // Each style's font from its maker, in this order: STANDARD, BOLD, ITALIC.
    explicit TextFonts(const std::vector<FntMaker>& makers)
    {
        const char* styles[] = {"STANDARD", "BOLD", "ITALIC"};
        for (size_t i = 0; i < makers.size(); ++i) {
            fonts_.push_back(makers[i].font("F", styles[i], 10));
            collection.addFont(fonts_.back().get());
        }
    }

    CSimpleFont6* font(size_t i) const { return fonts_[i].get(); }

    CFontCollection collection{nullptr};

private:
    std::vector<std::unique_ptr<CSimpleFont6>> fonts_;
};

// Letters a, b, c, l and x, each 3 columns of ink in a 5-column cell and `height` rows, in
// the shape given for all of them: every letter and the blank (an 'l') advance the pen by 5.
inline FntMaker evenLetters(const std::string& row, int height)
{
    std::vector<FntLetter> letters;
    for (char code : std::string("abclx"))
        letters.push_back({code, std::vector<std::string>(static_cast<size_t>(height), row)});
    return FntMaker(letters);
}
