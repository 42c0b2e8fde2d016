#include "text/CFontCollection.h"

#include <algorithm>

CFontCollection::CFontCollection(TextWindow* window)
    : CSimpleFont6(window)
{
    hitsBeyondOwnBox();
}

void CFontCollection::addFont(CSimpleFont6* font)
{
    if (font == nullptr)
        return;
    if (std::find(fonts_.begin(), fonts_.end(), font) == fonts_.end())
        fonts_.push_back(font);
    if (base_ == nullptr)
        base_ = font;
}

CSimpleFont6* CFontCollection::get(const CXString& family, const CXString& style, int size)
{
    for (CSimpleFont6* font : fonts_)
        if (font->getFamily().equalsIgnoreCase(family) && font->getStyle().equalsIgnoreCase(style)
            && font->getSize() == size)
            return font;
    return nullptr;
}

int CFontCollection::drawLetter(int x, int y, char prev, char cur)
{
    return base_ != nullptr ? base_->drawLetter(x, y, prev, cur) : 0;
}

int CFontCollection::getLetterWidth(char prev, char cur)
{
    return base_ != nullptr ? base_->getLetterWidth(prev, cur) : 0;
}

int CFontCollection::getRealLetterWidth(char cur)
{
    return base_ != nullptr ? base_->getRealLetterWidth(cur) : 0;
}

int CFontCollection::Height()
{
    return base_ != nullptr ? base_->Height() : 0;
}

void CFontCollection::SetClippingRect(char letter, CXRect rect)
{
    if (base_ != nullptr)
        base_->SetClippingRect(letter, rect);
}

void CFontCollection::setColor(int colour)
{
    for (CSimpleFont6* font : fonts_)
        font->setColor(colour);
}

void CFontCollection::SetOpacity(unsigned char opacity)
{
    for (CSimpleFont6* font : fonts_)
        font->SetOpacity(opacity);
}
