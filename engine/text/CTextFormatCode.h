#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <cstdint>

class CSimpleFont6;

// One element of a parsed text: a run of plain text, a switch to another font, a tab, a line
// break, an edit-box place or a colour. Edit-box and colour codes parse their code text
// themselves.
class CTextFormatCode : public CXObject {
public:
    enum Mode {
        MODE_FONT = 1,
        MODE_TEXT = 2,
        MODE_TAB = 3,
        MODE_LINEBREAK = 4,
        MODE_EDITBOX = 5,
        MODE_COLOR = 6,
    };

    // A text code.
    explicit CTextFormatCode(const CXString& text);
    // A font code: the font to switch to (not owned) and the tag as written, with its brackets.
    CTextFormatCode(CSimpleFont6* font, const CXString& tag);
    // A code of the mode for a screen of that depth. An edit box's text is its whole tag,
    // "E," width "," name "," initial text, split at commas with empty fields skipped (so that
    // later fields move forward); the width is read as atoi reads it. A colour's text is the
    // tag after "COLOR": a decimal pixel value (atoi: nothing gives 0), or red, green and blue
    // separated by commas (a missing one reads 0) packed for the depth. Other modes keep
    // nothing of the text.
    CTextFormatCode(int bpp, int mode, const CXString& text);

    int getMode() const { return mode_; }
    int getColor() const { return colour_; }
    // Text codes: the text; font codes: the tag; edit boxes: the initial text.
    const CXString& getText() const { return text_; }
    CSimpleFont6* getFont() const { return font_; }
    int getWidth() const { return width_; }
    const CXString& getName() const { return name_; }

    // Red, green and blue of 0 to 255 as one pixel word of the depth, 5-5-5 at 15 bits and
    // 5-6-5 otherwise, each channel keeping its top bits, sign-extended from 16 bits.
    static int packColor(int bpp, int red, int green, int blue);

private:
    void parseEditBox(const CXString& tag);
    void parseColor(int bpp, const CXString& text);

    int32_t mode_;
    int32_t colour_ = 0;
    CXString text_;
    CSimpleFont6* font_ = nullptr;
    int32_t width_ = 0;
    CXString name_;
};
