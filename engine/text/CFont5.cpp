#include "text/CFont5.h"

#include "graphics/CAnimo.h"
#include "graphics/CFrame.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMElement.h"
#include "text/TextWindow.h"

#include <algorithm>

CFont5::CFont5(TextWindow* window)
    : window_(window)
{
}

CFont5::CFont5(TextWindow* window, const CXString& fileName)
    : CFont5(window)
{
    load(fileName);
}

CFont5::CFont5(TextWindow* window, CMElement* element)
    : CFont5(window)
{
    if (element != nullptr)
        load(element->getPropertyValue("FILENAME"));
}

CFont5::~CFont5() = default;

bool CFont5::load(const CXString& fileName)
{
    fileName_ = fileName;
    animation_ = std::make_unique<CAnimo>(window_, fileName);
    alphabet_ = "";
    for (int i = 0; i < animation_->GetNOF(); ++i) {
        CFrame* picture = animation_->GetFrame(i);
        picture->DeCompress();
        picture->unpack();
        if (unsigned char* alpha = picture->GetAlphaPtr(); alpha != nullptr && !picture->isPacked()) {
            const auto w = static_cast<size_t>(picture->Width());
            const auto h = static_cast<size_t>(picture->Height());
            alpha[0] = 0;
            alpha[w - 1] = 0;
            alpha[(h - 1) * w] = 0;
            alpha[h * w - 1] = 0;
        }
        alphabet_ += animation_->getFrameName(0, i);
    }
    animation_->SetDestiny(window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr);
    return animation_->LastError() == 0;
}

int CFont5::pictureOf(char c) const
{
    const int index = alphabet_.Find(c, 0);
    return animation_ != nullptr && index < animation_->GetNOF() ? index : -1;
}

CXSize CFont5::getLetterSize(char c)
{
    const int index = pictureOf(c);
    if (index < 0)
        return CXSize(0, 0);
    CFrame* picture = animation_->GetFrame(index);
    return CXSize(picture->Width(), picture->Height());
}

int CFont5::getAlphabetHeight()
{
    int height = 0;
    for (int i = 0; animation_ != nullptr && i < animation_->GetNOF(); ++i)
        height = std::max(height, animation_->GetFrame(i)->Height());
    return height;
}

int CFont5::drawLetter(CXPoint at, char c)
{
    const int index = pictureOf(c);
    if (index < 0 || destination_ == nullptr)
        return 0;
    animation_->SetDestiny(destination_);
    animation_->SetPosition(at.x, at.y);
    animation_->setAlphaAsMask(false);
    animation_->SetFrame(index);
    animation_->Redraw();
    return animation_->Width();
}

int CFont5::getLengthInPixels(const CXString& text, int spacing)
{
    int length = 0;
    for (const char* c = text.c_str(); *c != 0; ++c)
        length += *c == ' ' ? getLetterWidth('A') : getLetterWidth(*c) + spacing;
    return length;
}
