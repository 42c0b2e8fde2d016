#include "graphics/JPEG.h"

#include "JpegMaker.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace {

// The words a decoder gives for a picture, read through the decoder's own buffer.
std::vector<uint16_t> decodeWords(JPEG& decoder, int bpp)
{
    std::unique_ptr<char[]> pixels(decoder.decompress(bpp));
    if (!pixels)
        return {};
    std::vector<uint16_t> words(static_cast<size_t>(decoder.getWidth()) * decoder.getHeight());
    std::memcpy(words.data(), pixels.get(), words.size() * 2);
    return words;
}

} // namespace

TEST(JPEG, PureColoursGiveTheirPixelWords)
{
    struct Case {
        uint8_t r, g, b;
        uint16_t word15, word16;
    };
    const Case cases[] = {
        {255, 0, 0, 0x7C00, 0xF800},
        {0, 255, 0, 0x03E0, 0x07E0},
        {0, 0, 255, 0x001F, 0x001F},
        {255, 255, 255, 0x7FFF, 0xFFFF},
        {0, 0, 0, 0x0000, 0x0000},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::vector<int>{c.r, c.g, c.b}));
        const std::string picture = solidJpeg(9, 7, c.r, c.g, c.b);
        JPEG fromMemory(picture.data(), static_cast<long>(picture.size()));
        ASSERT_TRUE(fromMemory.isOpen());
        EXPECT_EQ(fromMemory.getWidth(), 9);
        EXPECT_EQ(fromMemory.getHeight(), 7);
        EXPECT_EQ(decodeWords(fromMemory, 15), std::vector<uint16_t>(63, c.word15));
        EXPECT_FALSE(fromMemory.isOpen()) << "a decoder decodes once";
        EXPECT_EQ(fromMemory.decompress(15), nullptr);

        JPEG fromFile(folder.write("solid.jpg", picture).c_str());
        ASSERT_TRUE(fromFile.isOpen());
        EXPECT_EQ(decodeWords(fromFile, 16), std::vector<uint16_t>(63, c.word16));
    }
}

TEST(JPEG, BadInputLeavesTheDecoderClosedOrFailsTheDecoding)
{
    TempFolder folder;
    // Noise, so that the picture's data outweigh its tables.
    std::vector<uint8_t> noise(64 * 64 * 3);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<uint8_t>(i * 7919 % 251);
    const std::string picture = encodeJpeg(64, 64, noise);
    std::vector<uint8_t> cmyk(16 * 16 * 4, 100);

    JPEG missing(folder.file("missing.jpg").c_str());
    EXPECT_FALSE(missing.isOpen());
    EXPECT_EQ(missing.getWidth(), 0);
    EXPECT_EQ(missing.decompress(16), nullptr);

    for (const std::string& bad : {std::string(), std::string("not a picture at all"), picture.substr(0, 2),
                                   picture.substr(0, 300), encodeJpeg(16, 16, cmyk, 4)}) {
        JPEG decoder(bad.data(), static_cast<long>(bad.size()));
        EXPECT_FALSE(decoder.isOpen());
        EXPECT_EQ(decoder.decompress(16), nullptr);
    }

    // Headers whole, data cut short or spoilt: the picture opens and its decoding fails.
    std::string spoilt = picture;
    for (size_t i = picture.size() / 2; i < picture.size() - 2; ++i)
        spoilt[i] = static_cast<char>(0xFF);
    for (const std::string& bad : {picture.substr(0, picture.size() * 3 / 4), spoilt}) {
        JPEG decoder(bad.data(), static_cast<long>(bad.size()));
        ASSERT_TRUE(decoder.isOpen());
        EXPECT_EQ(decoder.decompress(16), nullptr);
    }
}
