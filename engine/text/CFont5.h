#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXPoint.h"
#include "foundation/CXSize.h"
#include "foundation/CXString.h"

#include <memory>

class CAnimo;
class CGraphicsObject;
class CMElement;
class TextWindow;

// The older font: its letters are the pictures of an ANN animation, one picture per letter,
// the letters named by the positions of the animation's first event in picture order. A
// letter is drawn by showing its picture at the pen. No kerning.
class CFont5 : public CXObject {
public:
    explicit CFont5(TextWindow* window);
    CFont5(TextWindow* window, const CXString& fileName);
    // The animation named by FILENAME.
    CFont5(TextWindow* window, CMElement* element);
    ~CFont5() override;
    CFont5(const CFont5&) = delete;
    CFont5& operator=(const CFont5&) = delete;

    // Loads the animation: each picture's four corner pixels become transparent, and the
    // alphabet is the names of the first event's positions, one after the other (a name of
    // more than one character moves every later letter off its picture). False when the
    // animation does not load.
    bool load(const CXString& fileName);
    // The size of the letter's picture; (0, 0) for a letter the font lacks.
    CXSize getLetterSize(char c);
    int getLetterWidth(char c) { return getLetterSize(c).width; }
    int getLetterHeight(char c) { return getLetterSize(c).height; }
    // The greatest picture height; 0 without pictures.
    int getAlphabetHeight();
    // Draws the letter with its top-left corner at the point into the destination; the width
    // drawn, 0 for a letter the font lacks.
    int drawLetter(CXPoint at, char c);
    int drawLetter(int x, int y, char c) { return drawLetter(CXPoint(x, y), c); }
    // A blank is as wide as 'A' and takes no spacing; any other letter its width plus the
    // spacing (a letter the font lacks only the spacing).
    int getLengthInPixels(const CXString& text, int spacing);
    // Where letters are drawn; none draws nothing.
    void setDestiny(CGraphicsObject* destination) { destination_ = destination; }
    const CXString& getAlphabet() const { return alphabet_; }

private:
    // The picture of the letter: its first place in the alphabet; -1 when it has none.
    int pictureOf(char c) const;

    TextWindow* window_;
    CXString fileName_;
    CXString alphabet_;
    std::unique_ptr<CAnimo> animation_;
    CGraphicsObject* destination_ = nullptr;
};
