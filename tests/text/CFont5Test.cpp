#include "text/CFont5.h"

#include "graphics/CAnimo6.h"

#include "TempFolder.h"
#include "tests/graphics/RasterMaker.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Picture {
    const char* name;
    int width;
    int height;
};

// Opaque pictures of word 0x1234, one position each in the first event, named as given.
std::string animation(const TempFolder& folder, const char* file, const std::vector<Picture>& pictures)
{
    CAnimo6 letters(nullptr);
    _annEventInfo3 event;
    event.setName("LETTERS");
    event.opacity = 255;
    for (const Picture& picture : pictures) {
        const size_t size = static_cast<size_t>(picture.width) * picture.height;
        letters.AddFrame(makeRaster(picture.width, picture.height, 16, std::vector<uint16_t>(size, 0x1234),
                                    std::vector<uint8_t>(size, 255))
                             .get());
        event.frames.push_back(static_cast<uint16_t>(event.frames.size()));
    }
    letters.AddEvent(&event);
    for (size_t i = 0; i < pictures.size(); ++i)
        letters.GetFrameInfo(0, static_cast<int>(i))->name = CXString(pictures[i].name);
    letters.Save(folder.file(file).c_str(), COMPRESSION_RLE);
    return folder.file(file);
}

} // namespace

TEST(AnimationFont, LettersArePicturesNamedByTheFirstEvent)
{
    TempFolder folder;
    CFont5 font(nullptr, animation(folder, "abc.ann", {{"A", 3, 4}, {"B", 2, 5}, {"A", 6, 6}}).c_str());
    EXPECT_EQ(font.getAlphabet(), "ABA");
    EXPECT_EQ(font.getLetterWidth('A'), 3);
    EXPECT_EQ(font.getLetterHeight('A'), 4);
    EXPECT_EQ(font.getLetterHeight('B'), 5);
    EXPECT_EQ(font.getLetterWidth('Z'), 0);
    EXPECT_EQ(font.getAlphabetHeight(), 6);
    // A blank is as wide as 'A' and takes no spacing.
    EXPECT_EQ(font.getLengthInPixels("A A", 1), 3 * 3 + 2);
    EXPECT_EQ(font.getLengthInPixels("AZ", 1), 3 + 1 + 1);

    // Drawn at the pen, its corners transparent.
    CGraphicsObject canvas(nullptr, CXSize(8, 8), 16);
    std::memset(canvas.GetDataPtr(), 0, 8 * 8 * 2);
    EXPECT_EQ(font.drawLetter(1, 1, 'A'), 0);
    font.setDestiny(&canvas);
    EXPECT_EQ(font.drawLetter(1, 1, 'A'), 3);
    EXPECT_EQ(font.drawLetter(CXPoint(5, 1), 'Z'), 0);
    const std::vector<uint16_t> words = wordsOf(canvas);
    EXPECT_EQ(words[1 * 8 + 1], 0);
    EXPECT_EQ(words[1 * 8 + 2], 0x1234);
    EXPECT_EQ(words[4 * 8 + 3], 0);
    EXPECT_EQ(words[4 * 8 + 2], 0x1234);
    EXPECT_EQ(words[1 * 8 + 5], 0);
}

// A name of two characters moves every later letter onto the next picture, and past the last.
TEST(AnimationFont, LongerNamesShiftTheLettersAfterThem)
{
    TempFolder folder;
    CFont5 font(nullptr, animation(folder, "abcd.ann", {{"A", 1, 1}, {"BC", 2, 2}, {"D", 3, 3}}).c_str());
    EXPECT_EQ(font.getAlphabet(), "ABCD");
    EXPECT_EQ(font.getLetterWidth('C'), 3);
    EXPECT_EQ(font.getLetterWidth('D'), 0);
    EXPECT_FALSE(font.load(folder.file("none.ann").c_str()));
    EXPECT_EQ(font.getAlphabet(), "");
}
