#include "graphics/CColor.h"
#include "graphics/CGraphicsObject.h"

#include "RasterMaker.h"

#include <gtest/gtest.h>

TEST(CColor, ConvertsToEachModel)
{
    const CColor orange(255, 128, 0);
    EXPECT_EQ(orange.Convert(CM_15BIT), 0x7E00);
    EXPECT_EQ(orange.Convert(CM_16BIT), static_cast<int16_t>(0xFC00));
    EXPECT_LT(orange.Convert(CM_16BIT), 0);
    EXPECT_EQ(orange.Convert(CM_24BIT), orange.getValue());

    const CColor withAlpha(255, 128, 0, 77);
    EXPECT_EQ(withAlpha.getValue() & 0xFF, 77);
    EXPECT_EQ(withAlpha.Convert(CM_16BIT), static_cast<int16_t>(0xFC00));
    EXPECT_EQ(CColor(0x12345678).getModel(), CM_32BIT);

    struct Case {
        int bpp;
        int expected;
    };
    for (const Case& c : {Case{15, 0x7E00}, Case{16, static_cast<int16_t>(0xFC00)}, Case{24, orange.getValue()},
                          Case{32, orange.getValue()}, Case{8, 0}})
        EXPECT_EQ(orange.GetInBPP(c.bpp), c.expected) << c.bpp;

    // Pixel words widen with their low bits zero.
    EXPECT_EQ(CColor(static_cast<short>(0xFFFF), CM_16BIT).Convert(CM_24BIT), CColor(248, 252, 248).getValue());
}

TEST(CColor, EqualityGoesThroughTheFirstColoursModel)
{
    const CColor word(static_cast<short>(0xFC00), CM_16BIT);
    const CColor orange(255, 128, 0);
    EXPECT_TRUE(word == orange);
    EXPECT_FALSE(orange == word);
    EXPECT_TRUE(orange != word);
    EXPECT_TRUE(CColor(0x7E00, CM_15BIT) == orange);
    EXPECT_TRUE(CColor(1, 2, 3) == CColor(1, 2, 3));
}

TEST(CColor, PlanesConvertBetween15And16BitsToTheLastPixel)
{
    auto raster = makeRaster(5, 1, 15, {0x7FFF, 0x001F, 0x03E0, 0x7C00, 0x7FFF});
    raster->Convert(16);
    EXPECT_EQ(raster->GetBpp(), 16);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{0xFFDF, 0x001F, 0x07C0, 0xF800, 0xFFDF}));
    raster->Convert(15);
    EXPECT_EQ(raster->GetBpp(), 15);
    EXPECT_EQ(wordsOf(*raster), (std::vector<uint16_t>{0x7FFF, 0x001F, 0x03E0, 0x7C00, 0x7FFF}));

    // Too small to convert, and pairs that are not converted.
    auto tiny = makeRaster(3, 1, 15, {1, 2, 3});
    tiny->Convert(16);
    EXPECT_EQ(tiny->GetBpp(), 15);
    raster->Convert(24);
    EXPECT_EQ(raster->GetBpp(), 16);

    EXPECT_EQ(CGraphicsObject::__get_convert_code(15, 16), 1);
    EXPECT_EQ(CGraphicsObject::__get_convert_code(16, 15), 2);
    EXPECT_EQ(CGraphicsObject::__get_convert_code(16, 16), 3);
    EXPECT_EQ(CGraphicsObject::__get_convert_code(24, 16), 0);
}

TEST(CColor, ConvertingASharedPlaneLeavesTheOtherRastersPixels)
{
    auto source = makeRaster(2, 2, 15, {0x7FFF, 0x7FFF, 0x7FFF, 0x7FFF});
    std::unique_ptr<CGraphicsObject> copy(source->clone());
    copy->Convert(16);
    EXPECT_EQ(wordsOf(*copy)[0], 0xFFDF);
    EXPECT_EQ(wordsOf(*source)[0], 0x7FFF);
}
