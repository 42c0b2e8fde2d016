#include "graphics/CColor.h"

namespace {
int bytesValue(unsigned r, unsigned g, unsigned b, unsigned fourth)
{
    return static_cast<int32_t>(fourth | r << 8 | g << 16 | b << 24);
}
} // namespace

CColor::CColor(short value, _colormodel model)
{
    Set(value, model);
}

CColor::CColor(unsigned char r, unsigned char g, unsigned char b)
{
    Set(r, g, b);
}

CColor::CColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a)
{
    Set(r, g, b, a);
}

CColor::CColor(int value)
{
    set(value);
}

void CColor::set(int value)
{
    value_ = value;
    model_ = CM_32BIT;
}

void CColor::Set(short value, _colormodel model)
{
    value_ = value;
    model_ = model;
}

void CColor::Set(unsigned char r, unsigned char g, unsigned char b)
{
    value_ = bytesValue(r, g, b, 0);
    model_ = CM_24BIT;
}

void CColor::Set(unsigned char r, unsigned char g, unsigned char b, unsigned char a)
{
    value_ = bytesValue(r, g, b, a);
    model_ = CM_32BIT;
}

CColor::Components CColor::components() const
{
    const auto v = static_cast<uint32_t>(value_);
    switch (model_) {
    case CM_15BIT:
        return {(v >> 10 & 31) << 3, (v >> 5 & 31) << 3, (v & 31) << 3, 0};
    case CM_16BIT:
        return {(v >> 11 & 31) << 3, (v >> 5 & 63) << 2, (v & 31) << 3, 0};
    case CM_24BIT:
    case CM_32BIT:
        return {v >> 8 & 255, v >> 16 & 255, v >> 24, model_ == CM_32BIT ? v & 255 : 0};
    default:
        return {0, 0, 0, 0};
    }
}

int CColor::Convert(_colormodel target) const
{
    if (target == model_)
        return value_;
    const Components c = components();
    switch (target) {
    case CM_15BIT:
        return PixelWord(15, c.red, c.green, c.blue);
    case CM_16BIT:
        return static_cast<int16_t>(PixelWord(16, c.red, c.green, c.blue));
    case CM_24BIT:
        return bytesValue(c.red, c.green, c.blue, 0);
    case CM_32BIT:
        return bytesValue(c.red, c.green, c.blue, c.fourth);
    default:
        return 0;
    }
}

uint16_t CColor::PixelWord(int bpp, unsigned red, unsigned green, unsigned blue)
{
    if (bpp == 15)
        return static_cast<uint16_t>((red >> 3) << 10 | (green >> 3) << 5 | blue >> 3);
    return static_cast<uint16_t>((red >> 3) << 11 | (green >> 2) << 5 | blue >> 3);
}

int CColor::GetInBPP(int bpp) const
{
    switch (bpp) {
    case 15:
        return Convert(CM_15BIT);
    case 16:
        return Convert(CM_16BIT);
    case 24:
        return Convert(CM_24BIT);
    case 32:
        return Convert(CM_32BIT);
    default:
        return 0;
    }
}

bool operator==(const CColor& a, const CColor& b)
{
    return b.Convert(a.getModel()) == a.getValue();
}

bool operator!=(const CColor& a, const CColor& b)
{
    return !(a == b);
}
