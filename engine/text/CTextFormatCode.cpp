#include "text/CTextFormatCode.h"

#include "foundation/CStringTokenizer.h"

CTextFormatCode::CTextFormatCode(const CXString& text)
    : mode_(MODE_TEXT)
    , text_(text)
{
}

CTextFormatCode::CTextFormatCode(CSimpleFont6* font, const CXString& tag)
    : mode_(MODE_FONT)
    , text_(tag)
    , font_(font)
{
}

CTextFormatCode::CTextFormatCode(int bpp, int mode, const CXString& text)
    : mode_(mode)
{
    if (mode == MODE_EDITBOX)
        parseEditBox(text);
    else if (mode == MODE_COLOR)
        parseColor(bpp, text);
}

void CTextFormatCode::parseEditBox(const CXString& tag)
{
    CStringTokenizer fields(tag, ",");
    fields.nextToken();
    if (fields.hasMoreTokens())
        width_ = fields.nextToken().toNumber();
    if (fields.hasMoreTokens())
        name_ = fields.nextToken();
    if (fields.hasMoreTokens())
        text_ = fields.nextToken();
}

void CTextFormatCode::parseColor(int bpp, const CXString& text)
{
    if (text.Find(',', 0) < 0) {
        colour_ = text.toNumber();
        return;
    }
    CStringTokenizer channels(text, ",");
    const int red = channels.nextToken().toNumber();
    const int green = channels.nextToken().toNumber();
    const int blue = channels.nextToken().toNumber();
    colour_ = packColor(bpp, red, green, blue);
}

int CTextFormatCode::packColor(int bpp, int red, int green, int blue)
{
    const int word = bpp == 15 ? ((red >> 3) & 31) << 10 | ((green >> 3) & 31) << 5 | ((blue >> 3) & 31)
                               : ((red >> 3) & 31) << 11 | ((green >> 2) & 63) << 5 | ((blue >> 3) & 31);
    return static_cast<int16_t>(static_cast<uint16_t>(word));
}
