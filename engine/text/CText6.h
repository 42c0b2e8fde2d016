#pragma once

#include "foundation/CXRect.h"
#include "foundation/CXString.h"
#include "graphics/CGraphicsObject.h"
#include "text/CTextFormatCode.h"

#include <vector>

class CFontCollection;
class CSimpleFont6;
class CUnit6;
class TextWindow;

// Justification of a text in its rectangle. CENTER serves both directions; a horizontal TOP or
// BOTTOM and a vertical LEFT or RIGHT leave that coordinate as it is.
enum _justify {
    JUSTIFY_LEFT = 0,
    JUSTIFY_RIGHT = 1,
    JUSTIFY_CENTER = 2,
    JUSTIFY_TOP = 3,
    JUSTIFY_BOTTOM = 4,
};

// One line of text drawn letter by letter with a bitmap font straight into its destination;
// it owns no pixels. With a font collection the text carries inline codes, between '<' and
// '>': the style tags "I", "B", "U", "LS" and "US" in any letter case toggle italic, bold,
// underline, lower and upper strike (a second, different tag replaces the first); a tag that
// begins "COLOR" sets a colour, one that begins "E," places an edit box (both in capitals
// only); '|' and CR break lines, LF is dropped, a tab becomes eight blanks, and everything
// else, other tags and a '<' that no '>' closes included, is text. With a single font the
// text is drawn as it stands.
//
// The text is placed by justification in its rectangle. Its width is the sum of each
// letter's width after the letter before it, plus 2 pixels after every letter.
class CText6 : public CGraphicsObject {
public:
    // Without a font, text and rectangle; LEFT and TOP, colour 65535. The unit is the screen
    // unit that the text's edit boxes belong to (none for a text without them).
    CText6(TextWindow* window, CUnit6* unit);
    ~CText6() override;

    // Takes the font (not owned) and its default colour, and measures, parses and places the
    // text again. A collection without a base font counts as no font.
    void setFont(CSimpleFont6* font);
    CSimpleFont6* getFont() const { return font_; }
    // Stores the text (tabs turned into blanks, and with a collection wrapped in the colour
    // tags of getColoruredText), parses it and, with a font, measures and places it.
    virtual void setText(const CXString& text);
    // The text as stored, colour tags included.
    virtual CXString getText() { return text_; }
    // Stores the three and places the text (neither invalidates nor redraws).
    virtual void setJustify(CXRect rect, _justify horizontal, _justify vertical);
    _justify getHJustify() const { return hJustify_; }
    _justify getVJustify() const { return vJustify_; }
    CXRect getJustifyRect() const { return rect_; }
    // The width of the text as drawn; 0 without a font.
    virtual int getLength();
    // The width of a plain string, codes not interpreted.
    static int getLength(CSimpleFont6* font, const CXString& text);
    // With a justification rectangle, moves the rectangle and places the text in it again.
    void Move(int dx, int dy) override;
    using CGraphicsObject::Move;
    // Draws the letters into the destination, within the clipping rectangle when one is set.
    void Redraw() override;
    // The text without its colour tags when it begins with one, wrapped in "<COLOR" colour ">"
    // and "<COLOR>" unless the colour is 0.
    virtual CXString getColoruredText(const CXString& text, int colour);
    // A new colour sets the text again in it.
    virtual void setColor(int colour);
    virtual int getColor() { return colour_; }
    CUnit6* getUnit() const { return unit_; }
    const std::vector<CTextFormatCode>& getCodes() const { return codes_; }

protected:
    // Text to codes; only with a usable collection (otherwise there are none).
    void parseText();
    // Appends the code of the kind; the running font afterwards.
    CSimpleFont6* addCode(int kind, const CXString& text, CSimpleFont6* font);
    // Whether the tag is one of the five style tags.
    static bool checkCode(const CXString& tag);
    static CXString convTab(const CXString& text);
    // The font when it can measure and draw: a single font, or a collection with a base font.
    CSimpleFont6* usableFont() const;
    // The font as a usable collection, else none.
    CFontCollection* collection() const;
    // What setFont takes of the font besides the font itself: its default colour.
    virtual void takeFontColour(CSimpleFont6* font);

    CSimpleFont6* font_ = nullptr;
    CXString text_;
    CXRect rect_;
    _justify vJustify_ = JUSTIFY_TOP;
    _justify hJustify_ = JUSTIFY_LEFT;
    int32_t colour_ = 0xFFFF;

private:
    // Draws the run with the font from the pen on; the pen afterwards.
    int drawRun(CSimpleFont6* font, const CXString& run, int pen);

    std::vector<CTextFormatCode> codes_;
    CUnit6* unit_;
};
