#include "text/CMC_Text_Runner.h"

#include "text/CTextFormatCode.h"

#include <algorithm>

namespace {

using R = CMC_Text_Runner;

} // namespace

const std::array<CMC_Text_Runner::Method, 21> CMC_Text_Runner::methods_ = {{
    {"SETTEXT", R::MTH_SETTEXT, &R::setText, R::Result::None, 1, false},
    {"SETJUSTIFY", R::MTH_SETJUSTIFY, &R::setJustify, R::Result::None, 3, false},
    {"SHOW", R::MTH_SHOW, &R::show, R::Result::None, 0, false},
    {"HIDE", R::MTH_HIDE, &R::hide, R::Result::None, 0, false},
    {"SETPOSITION", R::MTH_SETPOSITION, &R::setPosition, R::Result::None, 2, false},
    {"MOVE", R::MTH_MOVE, &R::move, R::Result::None, 2, false},
    {"LOAD", R::MTH_LOAD, &R::loadText, R::Result::None, 1, false},
    {"CLEARCLIPPING", R::MTH_CLEARCLIPPING, &R::unclip, R::Result::None, 0, false},
    {"SETCLIPPING", R::MTH_SETCLIPPING, &R::clip, R::Result::None, 1, false},
    {"GETPOSITIONX", R::MTH_GETPOSITIONX, &R::getPositionX, R::Result::Integer, 0, false},
    {"GETPOSITIONY", R::MTH_GETPOSITIONY, &R::getPositionY, R::Result::Integer, 0, false},
    {"GETWIDTH", R::MTH_GETWIDTH, &R::getWidth, R::Result::Integer, 0, false},
    {"GETHEIGHT", R::MTH_GETHEIGHT, &R::getHeight, R::Result::Integer, 0, false},
    {"ISNEAR", R::MTH_ISNEAR, &R::isNear, R::Result::Bool, 2, false},
    {"SETPRIORITY", R::MTH_SETPRIORITY, &R::setPriority, R::Result::None, 1, false},
    {"SETCOLOR", R::MTH_SETCOLOR, &R::setColor, R::Result::None, 3, false},
    {"DRAWONTO", R::MTH_DRAWONTO, &R::drawOnto, R::Result::None, 1, false},
    {"SETRECT", R::MTH_SETRECT, &R::setRect, R::Result::None, 1, false},
    {"SETTEXTDOUBLE", R::MTH_SETTEXTDOUBLE, &R::setTextDouble, R::Result::None, 2, false},
    {"SETOPACITY", R::MTH_SETOPACITY, &R::setOpacity, R::Result::None, 1, false},
    {"SETFONT", R::MTH_SETFONT, &R::setFont, R::Result::None, 1, false},
}};

const CMC_Text_Runner::Method* CMC_Text_Runner::method(int id)
{
    return id >= 1 && id <= static_cast<int>(methods_.size()) ? &methods_[static_cast<size_t>(id - 1)] : nullptr;
}

void CMC_Text_Runner::prepareMthHashSet()
{
    registerMethods(methods_.data(), methods_.size());
}

CMC_Object* CMC_Text_Runner::setText(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector* args)
{
    text->setText(parameterText(args, 0));
    return nullptr;
}

CMC_Object* CMC_Text_Runner::setJustify(CMC_Text*, Text* text, CMC_ObjectsContainer* scope, CXVector* args)
{
    const bool byNumbers = argumentCount(args) == 6;
    CXRect area;
    if (byNumbers) {
        area = CXRect(integerParameter(args, 0), integerParameter(args, 1), integerParameter(args, 2),
                      integerParameter(args, 3));
    } else if (CGraphicsObject* named = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 0)) : nullptr) {
        area = named->GetBoundingBox();
    }
    const int words = byNumbers ? 4 : 1;
    redrawAround(text, [&] {
        text->setJustify(area, CMC_Text::resolveJustify(parameterText(args, words)),
                         CMC_Text::resolveJustify(parameterText(args, words + 1)));
    });
    return nullptr;
}

CMC_Object* CMC_Text_Runner::show(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector*)
{
    text->Visible(true);
    return nullptr;
}

CMC_Object* CMC_Text_Runner::hide(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector*)
{
    text->Visible(false);
    return nullptr;
}

CMC_Object* CMC_Text_Runner::setPosition(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector* args)
{
    redrawAround(text, [&] { text->SetPosition(integerParameter(args, 0), integerParameter(args, 1)); });
    return nullptr;
}

CMC_Object* CMC_Text_Runner::loadText(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector* args)
{
    text->Load(parameterText(args, 0));
    return nullptr;
}

CMC_Object* CMC_Text_Runner::unclip(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector*)
{
    redrawAround(text, [&] { text->SetClippingRect(CXRect(0, 0, 0, 0)); });
    return nullptr;
}

CMC_Object* CMC_Text_Runner::clip(CMC_Text*, Text* text, CMC_ObjectsContainer* scope, CXVector* args)
{
    const CXRect area = clippingRect(scope, args);
    redrawAround(text, [&] { text->SetClippingRect(area); });
    return nullptr;
}

CMC_Object* CMC_Text_Runner::getPositionX(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(text->GetPosition().x);
}

CMC_Object* CMC_Text_Runner::getPositionY(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector*)
{
    return giveInteger(text->GetPosition().y);
}

CMC_Object* CMC_Text_Runner::setColor(CMC_Text* object, Text* text, CMC_ObjectsContainer* scope, CXVector* args)
{
    const CRefreshScreen* screen = screenOf(callerWindow(scope, object));
    text->setColor(CTextFormatCode::packColor(screen != nullptr ? screen->GetBpp() : 16, integerParameter(args, 0),
                                              integerParameter(args, 1), integerParameter(args, 2)));
    return nullptr;
}

CMC_Object* CMC_Text_Runner::setRect(CMC_Text*, Text* text, CMC_ObjectsContainer* scope, CXVector* args)
{
    CXRect area;
    if (argumentCount(args) == 4) {
        area = CXRect(integerParameter(args, 0), integerParameter(args, 1), integerParameter(args, 2),
                      integerParameter(args, 3));
    } else if (argumentCount(args) == 1) {
        if (CGraphicsObject* named = scope != nullptr ? scope->getGraphicsObject(parameterText(args, 0)) : nullptr)
            area = named->getRect();
    } else {
        return nullptr;
    }
    redrawAround(text, [&] { text->setJustify(area, text->getHJustify(), text->getVJustify()); });
    return nullptr;
}

CMC_Object* CMC_Text_Runner::setTextDouble(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector* args)
{
    CXString value = parameterText(args, 0);
    const int decimals = integerParameter(args, 1);
    const int point = value.Find('.', 0);
    if (decimals >= 0 && point >= 0)
        value.left(static_cast<int>(std::min<int64_t>(int64_t{point} + 1 + decimals, value.GetLength())));
    text->setText(value);
    return nullptr;
}

CMC_Object* CMC_Text_Runner::setOpacity(CMC_Text*, Text* text, CMC_ObjectsContainer*, CXVector* args)
{
    text->SetOpacity(static_cast<unsigned char>(integerParameter(args, 0) & 0xFF));
    text->Invalidate();
    return nullptr;
}

CMC_Object* CMC_Text_Runner::setFont(CMC_Text*, Text* text, CMC_ObjectsContainer* scope, CXVector* args)
{
    if (CSimpleFont6* font = CMC_Text::fontNamed(scope, parameterText(args, 0)))
        text->setFont(font);
    return nullptr;
}
