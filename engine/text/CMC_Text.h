#pragma once

#include "script/CMC_Object.h"
#include "text/CText6.h"

#include <cstdint>
#include <memory>

class CMultilineText6;
class CRefreshScreen;
class CSimpleFont6;
class TextWindow;

// The TEXT script object: formatted, word-wrapped text in an area, with the font of a FONT
// object. It keeps its definition's VJUSTIFY, HJUSTIFY, RECT, PRIORITY and FONT as written and
// stores exactly these in its record, with whether its text is on the screen, whether it is
// visible and the text itself; the methods change only the text object underneath.
//
// Its text is the graphics object that the container finds under its name, so that a TEXT
// can serve as a picture or an area. A TEXT cannot be cloned.
class CMC_Text : public CMC_Object {
public:
    static constexpr int kType = 2006;

    // Named "temp", without a text object, as a compiled scene's record fills it.
    explicit CMC_Text(CMC_ObjectsContainer* owner);
    // TOCANVAS, VISIBLE, TEXT, VJUSTIFY, HJUSTIFY, RECT (a graphics object's name or a
    // rectangle), PRIORITY and FONT (the name of a FONT object), then the signals.
    CMC_Text(CMC_ObjectsContainer* owner, CMElement* element);
    // The text's area is redrawn without it.
    ~CMC_Text() override;

    const CMC_SignalList* getBehavioursList() override;
    void serialize(CXArchive* archive) override;
    CGraphicsObject* getShownGraphics(const CXString& part) override;

    CMultilineText6* getText() const { return text_.get(); }
    // The word exactly as written, else CENTER, whatever the axis it is meant for.
    static _justify resolveJustify(const CXString& word);
    // The collection of the FONT object of that name; none when no FONT has it.
    static CSimpleFont6* fontNamed(CMC_ObjectsContainer* scope, const CXString& name);

private:
    // Properties as the definition or the record gives them.
    struct Definition {
        bool toCanvas;
        bool visible;
        CXString text;
    };
    // Makes the text object from the stored properties and the definition's.
    void build(const Definition& definition);
    CRefreshScreen* screen() const;

    CXString vJustify_;
    CXString hJustify_;
    CXString rect_;
    int32_t priority_ = 0;
    CXString font_;
    std::unique_ptr<CMultilineText6> text_;
};
