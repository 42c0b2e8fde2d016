#pragma once

#include "text/CEditBoxNotifier.h"
#include "text/CText6.h"

#include <memory>
#include <optional>
#include <vector>

class TextWindow;

// A text wrapped into lines no wider than its justification rectangle, shown one under
// another, each line 4 pixels less than its height below the one before. Every line is a text
// of its own that the multi-line text builds, owns and draws; a '|' or CR ends a line and
// leaves a break marker behind it, words wrap at blanks, and an edit-box code reserves room in
// its line and, on a text with a screen unit, puts a real edit box there, which the unit makes
// and the text owns. Justification places the block; every line starts at its left edge.
//
// With a collection each line is rebuilt as markup that the line parses again: an open style
// tag is opened again at the start of the next line, the blanks before a word stay (one is
// dropped where the word starts a new line), the blanks after the last word of a run are lost
// and a colour is not repeated.
class CMultilineText6 : public CText6, private CEditBoxNotifier {
public:
    CMultilineText6(TextWindow* window, CUnit6* unit);
    ~CMultilineText6() override;

    // Stores the text (tabs turned into blanks, no colour tags) and, with a font, wraps it.
    void setText(const CXString& text) override;
    // The widest line; 0 without lines.
    int getLength() override;
    // The sum of the lines' heights less 2 for every entry after the first, break markers
    // counted (a little more than the lines take, which stand 4 pixels closer each).
    int getHeight() override;
    // Moves the rectangle, also an empty one, and places the block in it again.
    void Move(int dx, int dy) override;
    using CText6::Move;
    void Redraw() override;
    // Drops the lines and the edit boxes.
    virtual void flush();
    // Sets the text read from a text file, its lines joined (line ends have no meaning in a
    // text: only '|' breaks). A file that cannot be read keeps the text as it was; the error
    // code.
    int Load(const CXString& fileName) override;
    using CGraphicsObject::Load;

    int getLineCount() const { return static_cast<int>(lines_.size()); }
    // The line at that position; none for a break marker.
    CText6* getLine(int i) const { return lines_[static_cast<size_t>(i)].get(); }
    // The edit boxes of the text's codes, in the order of the codes.
    const std::vector<CEditBox6*>& getEditBoxes() const { return editBoxes_; }

protected:
    // An edit box of the unit at the place of an edit-box code, with the code's text; a text
    // without a unit only reserves the place.
    virtual void addEditBox(CXRect rect, const CTextFormatCode& code);
    // The multi-line text keeps its own colour.
    void takeFontColour(CSimpleFont6*) override {}

private:
    // Each entry a line's markup, or none for a break marker.
    using Entries = std::vector<std::optional<CXString>>;

    void splitText();
    void splitMultiText();
    void makeLines(const Entries& entries);
    void onEditBoxGone(CEditBox6* box) override;

    std::vector<std::unique_ptr<CText6>> lines_;
    std::vector<CEditBox6*> editBoxes_;
};
