#pragma once

#include "foundation/CXObject.h"

#include <cstdint>

// How a colour value is held.
enum _colormodel {
    CM_NONE = 0,
    // Three bytes, red, green, blue, in the second, third and fourth byte of the value.
    CM_24BIT = 4,
    // The fourth component in the lowest byte, then red, green, blue.
    CM_32BIT = 5,
    // A 5-5-5 pixel word: blue bits 0-4, green 5-9, red 10-14.
    CM_15BIT = 6,
    // A 5-6-5 pixel word: blue bits 0-4, green 5-10, red 11-15.
    CM_16BIT = 7,
};

// One colour in one of the four models, convertible to the screen's pixel words.
class CColor : public CXObject {
public:
    CColor() = default;
    CColor(short value, _colormodel model);
    CColor(unsigned char r, unsigned char g, unsigned char b);
    CColor(unsigned char r, unsigned char g, unsigned char b, unsigned char a);
    explicit CColor(int value);

    void set(int value);
    void Set(short value, _colormodel model);
    void Set(unsigned char r, unsigned char g, unsigned char b);
    void Set(unsigned char r, unsigned char g, unsigned char b, unsigned char a);

    // The value in the target model; the 5-6-5 word comes sign-extended from 16 bits.
    // Pixel words widen to bytes with their low bits zero.
    int Convert(_colormodel target) const;
    // Convert to the model of a raster of that depth: 15, 16, 24 or 32; 0 for other depths.
    int GetInBPP(int bpp) const;

    // The pixel word of 8-bit channels at a depth: 5-5-5 for 15, 5-6-5 for any other, each channel
    // cut to its top bits.
    static uint16_t PixelWord(int bpp, unsigned red, unsigned green, unsigned blue);

    int getValue() const { return value_; }
    _colormodel getModel() const { return model_; }

private:
    struct Components {
        unsigned red, green, blue, fourth;
    };
    Components components() const;

    int32_t value_ = 0;
    _colormodel model_ = CM_NONE;
};

// Equal when the second colour, taken into the first one's model, gives the first one's value.
bool operator==(const CColor& a, const CColor& b);
bool operator!=(const CColor& a, const CColor& b);
