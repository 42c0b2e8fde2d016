#pragma once

#include "text/CSimpleFont6.h"

#include <vector>

class TextWindow;

// The fonts of one FONT object, one per family, style and size, standing where a font
// stands: measuring and drawing go to the base font, and the style codes of a text switch to
// another member through get. The collection owns none of its fonts.
class CFontCollection : public CSimpleFont6 {
public:
    explicit CFontCollection(TextWindow* window);

    // Appends the font unless it is there already; the first font added becomes the base font
    // when there is none.
    void addFont(CSimpleFont6* font);
    // The base font need not be a member.
    void setBaseFont(CSimpleFont6* font) { base_ = font; }
    CSimpleFont6* getBaseFont() const { return base_; }
    // The first member whose family and style equal these ignoring case and whose size is
    // exactly this one; none when no member matches (the base font is no fallback).
    CSimpleFont6* get(const CXString& family, const CXString& style, int size);
    const std::vector<CSimpleFont6*>& getFonts() const { return fonts_; }

    // Forwarded to the base font; 0 without one.
    int drawLetter(int x, int y, char prev, char cur) override;
    int getLetterWidth(char prev, char cur) override;
    int getRealLetterWidth(char cur) override;
    int Height() override;
    using CSimpleFont6::SetClippingRect;
    void SetClippingRect(char letter, CXRect rect) override;
    // To every member; a base font that is no member keeps its own.
    void setColor(int colour) override;
    void SetOpacity(unsigned char opacity) override;
    bool isMultifont() override { return true; }

private:
    std::vector<CSimpleFont6*> fonts_;
    CSimpleFont6* base_ = nullptr;
};
