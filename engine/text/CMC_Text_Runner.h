#pragma once

#include "script_graphics/CMC_PictureRunner.h"
#include "text/CMC_Text.h"
#include "text/CMultilineText6.h"

#include <array>

// The methods of TEXT, each working on the object's text; a TEXT without one (a record not
// read) does nothing and answers empty values. Methods that change what the text shows, or
// where, mark its old and new areas for redrawing.
class CMC_Text_Runner : public CMC_PictureRunner<CMC_Text_Runner, CMC_Text, CMultilineText6> {
public:
    static constexpr int MTH_SETTEXT = 1;
    static constexpr int MTH_SETJUSTIFY = 2;
    static constexpr int MTH_SHOW = 3;
    static constexpr int MTH_HIDE = 4;
    static constexpr int MTH_SETPOSITION = 5;
    static constexpr int MTH_MOVE = 6;
    static constexpr int MTH_LOAD = 7;
    static constexpr int MTH_CLEARCLIPPING = 8;
    static constexpr int MTH_SETCLIPPING = 9;
    static constexpr int MTH_GETPOSITIONX = 10;
    static constexpr int MTH_GETPOSITIONY = 11;
    static constexpr int MTH_GETWIDTH = 12;
    static constexpr int MTH_GETHEIGHT = 13;
    static constexpr int MTH_ISNEAR = 14;
    static constexpr int MTH_SETPRIORITY = 15;
    static constexpr int MTH_SETCOLOR = 16;
    static constexpr int MTH_DRAWONTO = 17;
    static constexpr int MTH_SETRECT = 18;
    static constexpr int MTH_SETTEXTDOUBLE = 19;
    static constexpr int MTH_SETOPACITY = 20;
    static constexpr int MTH_SETFONT = 21;

    // A text without a box is near nothing.
    static constexpr bool kEmptyBoxIsNear = false;

    void prepareMthHashSet() override;

private:
    using Text = CMultilineText6;
    static const std::array<Method, 21> methods_;

    const Method* method(int id) override;

    CMC_Object* setText(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector* args);
    // Six arguments: left, top, right, bottom and the two words; otherwise a name and the words.
    CMC_Object* setJustify(CMC_Text*, Text* text, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* show(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* hide(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* setPosition(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector* args);
    // The error code of reading the file goes nowhere: a script learns nothing of it.
    CMC_Object* loadText(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* unclip(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* clip(CMC_Text*, Text* text, CMC_ObjectsContainer* scope, CXVector* args);
    CMC_Object* getPositionX(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector*);
    CMC_Object* getPositionY(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector*);
    // Red, green and blue packed for the depth of the calling container's screen.
    CMC_Object* setColor(CMC_Text* object, Text* text, CMC_ObjectsContainer* scope, CXVector* args);
    // One name (its rectangle) or left, top, right, bottom; any other count does nothing.
    CMC_Object* setRect(CMC_Text*, Text* text, CMC_ObjectsContainer* scope, CXVector* args);
    // The value's text cut n characters after its first '.' (n of 0 keeps the point); whole
    // for a negative n or without a point.
    CMC_Object* setTextDouble(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector* args);
    CMC_Object* setOpacity(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector* args);
    // The collection of the named FONT; the font stays when the name names none.
    CMC_Object* setFont(CMC_Text*, Text* text, CMC_ObjectsContainer* scope, CXVector* args);

    // Marks the text's area for redrawing before and after the change.
    template <typename Change>
    static void redrawAround(Text* text, Change change)
    {
        text->Invalidate();
        change();
        text->Invalidate();
    }
};
