#pragma once

#include "foundation/CXString.h"
#include "graphics/CGraphicsObject.h"

#include <array>
#include <cstdint>
#include <vector>

class TextWindow;

// The bitmap font of the text layer: one horizontal strip holding every letter in cells of
// equal width (strip width / letter count, rounded down), the letter code of each cell, a
// kerning table and the empty columns at the left and right of each cell. Texts and edit
// boxes measure and draw only through the virtual letter operations, so that a font
// collection can stand wherever a font stands.
//
// The letter shapes live in the alpha plane: setColor paints the whole colour plane with one
// colour. Texts set colours far more often than they draw in them, so the paint is laid on
// when it shows: a letter's cell when the letter is drawn, the whole plane when its pixels are
// read. A letter is drawn by moving the strip so that the letter's cell lands at the pen and
// clipping it to that cell.
//
// FNT files, little-endian: the bytes 'F', 'N', 'T', 0 (not checked when read); the strip
// width W, height H, pixel layout (16 for 5-6-5, 15 for 5-5-5) and letter count n as 32-bit
// integers; the n letter codes; the n × n kerning table (signed bytes, row = preceding
// letter); n signed left offsets; n signed right offsets; the colour plane at 2 bytes per
// pixel; the alpha plane at 1 byte per pixel.
class CSimpleFont6 : public CGraphicsObject {
public:
    static constexpr int kMaxLetters = 256;
    // Larger strips are refused before anything is read for them.
    static constexpr int64_t kMaxPixels = int64_t{1} << 24;
    static constexpr int kDefaultColor = 0xFFFF;

    // An empty font: no letters, family and style "", size 0, default colour white.
    explicit CSimpleFont6(TextWindow* window);
    // The same, then loads the FNT file.
    CSimpleFont6(TextWindow* window, const CXString& fileName);

    // Forgets the letters and the strip.
    virtual void flush();
    // Draws cur with the left edge of its visible part at x less the kerning after prev and its
    // top at y, into the font's destination; the pen advance (the letter's width less the
    // kerning, plus the 2-pixel gap). Space and '~' draw nothing.
    virtual int drawLetter(int x, int y, char prev, char cur);
    // The width of cur after prev, kerning applied, without the gap: a space is as wide as
    // 'l' (never kerned), '~' is 1, a letter the font lacks 0.
    virtual int getLetterWidth(char prev, char cur);
    // The width of cur without kerning.
    virtual int getRealLetterWidth(char cur);
    using CGraphicsObject::SetClippingRect;
    // A clipping rectangle in the letter's own coordinates for the next drawLetter, which
    // draws the letter's cell within it (its right edge counting one pixel wider). An empty
    // rectangle draws the whole letter again.
    virtual void SetClippingRect(char letter, CXRect rect);
    // Paints the whole colour plane with the low 16 bits of the colour.
    virtual void setColor(int colour);
    virtual bool isMultifont() { return false; }
    // The colour plane, in the colour that setColor gave.
    char* GetDataPtr() override;

    // Reads an FNT file by name, then converts the strip to the screen's depth. The error
    // code: ERROR_OPEN when the file does not open, ERROR_FORMAT when it is no font (more than
    // 256 letters, an oversize strip, an unknown pixel layout, or shorter than its tables and
    // planes); the font is empty then.
    int Load(const CXString& fileName) override;
    // The same from the file's position, without the conversion.
    int Load(CFile* file) override;
    // Writes the font as an FNT file, replacing the named one only once it is complete; the
    // error code (ERROR_FORMAT for a font without its planes).
    int write(const CXString& fileName);
    // The font tool: makes the font from an ANN animation, one letter per picture (the letter
    // code is the first character of the name of position i of the first event), and writes
    // it as an FNT file. Every picture's one-pixel border is cleared; the kerning after a
    // letter is 1 less the count of its transparent columns at the right end of its visible
    // part. Refused (ERROR_FORMAT, nothing written) for an animation without pictures, with
    // more than 256, with a position left unnamed or a picture larger than the animation.
    int create(const CXString& animationFile, const CXString& fontFile);

    // The kerning of cur after prev; 0 when the font lacks either.
    int getKerning(int prev, int cur);
    // Fully transparent columns at the left or right edge of a picture; its width when no
    // column has an opaque pixel.
    static int getLeftOffset(CGraphicsObject* picture);
    static int getRightOffset(CGraphicsObject* picture);

    int getLetterCount() const { return count_; }
    void setFamily(const CXString& family) { family_ = family; }
    CXString getFamily() const { return family_; }
    void setStyle(const CXString& style) { style_ = style; }
    CXString getStyle() const { return style_; }
    void setSize(int size) { size_ = size; }
    int getSize() const { return size_; }
    // The colour a text takes when it is given the font.
    int setDefColor(int colour) { return defColor_ = colour; }
    int getDefColor() const { return defColor_; }

private:
    // The cell of the first letter with that code; -1 when there is none.
    int findLetter(char c) const;
    int cellWidth() const { return count_ > 0 ? width_ / count_ : 0; }
    int visibleStart(int letter) const { return cellWidth() * letter + left_[static_cast<size_t>(letter)]; }
    int visibleWidth(int letter) const
    {
        return cellWidth() - right_[static_cast<size_t>(letter)] - left_[static_cast<size_t>(letter)];
    }
    int kerningAt(int prev, int cur) const { return kerning_[static_cast<size_t>(prev * count_ + cur)]; }
    // Takes the letters and tables; indexes the letters.
    void setLetters(std::vector<uint8_t> codes, std::vector<int8_t> kerning, std::vector<int8_t> left,
                    std::vector<int8_t> right);
    int readFnt(const char* data, size_t size);
    int refuse(int error);
    // The colour plane as the file gave it: no colour to paint.
    void forgetColour();
    // Paints the letter's cell, or the whole plane, in the colour setColor gave, unless it
    // has it already.
    void paintCell(int letter);
    void paintPlane();
    bool canPaint();
    // Whether the paint laid on so far is of the plane's present depth.
    bool paintHolds();

    std::vector<int8_t> kerning_;
    std::vector<int8_t> left_;
    std::vector<int8_t> right_;
    std::vector<uint8_t> codes_;
    int32_t count_ = 0;
    CXString family_;
    CXString style_;
    int32_t size_ = 0;
    int32_t defColor_ = kDefaultColor;
    // The first cell of each code, -1 for codes the font lacks.
    std::array<int16_t, 256> firstCell_;
    // The colour word setColor gave; -1 for none.
    int32_t colour_ = -1;
    // The colour word each cell, and the whole plane, was painted with at paintedBpp_; -1
    // where it was not.
    std::vector<int32_t> cellColour_;
    int32_t planeColour_ = -1;
    int paintedBpp_ = 0;
    // While a letter is drawn its cell alone needs the colour.
    bool drawing_ = false;
};
