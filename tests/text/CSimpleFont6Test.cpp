#include "text/CSimpleFont6.h"

#include "foundation/CFile_Stream.h"
#include "graphics/CAnimo6.h"
#include "graphics/CFrame.h"
#include "text/CFontCollection.h"

#include "FntFixtures.h"
#include "TempFolder.h"
#include "tests/graphics/RasterMaker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// 'a' 3 wide, 'b' 2 wide, 'l' 1 wide, then a second 'a' that is never found. 'b' after 'a'
// moves 1 to the left, 'a' after 'b' 1 to the right.
FntMaker letters()
{
    return FntMaker({{'a', {".##..", "#.#..", ".##.."}},
                     {'b', {"..#..", "..##.", "..#.."}},
                     {'l', {".#...", ".#...", ".#..."}},
                     {'a', {"#####", "#####", "#####"}}},
                    {0, 1, 0, 0, /* b */ -1, 0, 0, 0, /* l */ 0, 0, 0, 0, /* second a */ 0, 0, 0, 0});
}

std::unique_ptr<CSimpleFont6> fontFrom(const std::string& bytes)
{
    auto font = std::make_unique<CSimpleFont6>(nullptr);
    CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
    font->Load(&file);
    return font;
}

} // namespace

TEST(SimpleFont, LettersMeasureWithKerningInTheOrderOfTheirTests)
{
    auto font = letters().font();
    ASSERT_EQ(font->getLetterCount(), 4);
    struct Case {
        char prev;
        char cur;
        int width;
        int real;
    };
    const Case cases[] = {
        {0, 'a', 3, 3},
        {'a', 'b', 1, 2},   // kerned after a known letter
        {'b', 'a', 4, 3},   // negative kerning widens
        {'x', 'b', 2, 2},   // no kerning after a letter the font lacks
        {'a', ' ', 1, 1},   // a space is an 'l', never kerned
        {'b', '~', 1, 1},
        {0, 'z', 0, 0},     // a letter the font lacks
        {'a', 0, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(font->getLetterWidth(c.prev, c.cur), c.width) << c.prev << c.cur;
        EXPECT_EQ(font->getRealLetterWidth(c.cur), c.real) << c.cur;
    }
    EXPECT_EQ(font->getKerning('a', 'b'), 1);
    EXPECT_EQ(font->getKerning('a', 'q'), 0);
    EXPECT_EQ(font->Height(), 3);
}

// Columns beyond the last whole cell belong to no letter.
TEST(SimpleFont, CellsAreTheStripWidthDividedByTheLetterCountRoundedDown)
{
    auto font = fontFrom(letters().bytes(16, 3));
    ASSERT_EQ(font->Width(), 23);
    EXPECT_EQ(font->getLetterWidth(0, 'l'), 1);
    CGraphicsObject canvas(nullptr, CXSize(8, 3), 16);
    std::memset(canvas.GetDataPtr(), 0, 8 * 3 * 2);
    font->SetDestiny(&canvas);
    EXPECT_EQ(font->drawLetter(0, 0, 0, 'l'), 3);
    EXPECT_EQ(inked(canvas), (std::vector<std::string>{"#.......", "#.......", "#......."}));
}

TEST(SimpleFont, LettersAreDrawnWithinTheirCellOrTheirClip)
{
    struct Case {
        const char* what;
        int x;
        char prev;
        char cur;
        CXRect clip;
        int advance;
        std::vector<std::string> drawn;
    };
    const Case cases[] = {
        {"whole letter", 1, 0, 'a', CXRect(), 5, {"..##....", ".#.#....", "..##...."}},
        {"kerned one to the left", 3, 'a', 'b', CXRect(), 3, {"..#.....", "..##....", "..#....."}},
        {"clip one wider on the right", 1, 0, 'a', CXRect(1, 0, 2, 2), 5, {"..##....", "...#....", "........"}},
        {"clip cut to the cell", 1, 0, 'a', CXRect(2, 1, 40, 3), 5, {"........", "...#....", "...#...."}},
        {"clip of a later cell", 1, 0, 'b', CXRect(1, 0, 2, 3), 4, {"........", "..#.....", "........"}},
        // An empty clip would count as none and draw the whole strip.
        {"clip past the letter", 1, 0, 'a', CXRect(3, 0, 6, 3), 5, {"........", "........", "........"}},
        {"space", 1, 0, ' ', CXRect(), 3, {"........", "........", "........"}},
        {"missing letter", 1, 0, 'q', CXRect(), 2, {"........", "........", "........"}},
    };
    auto font = letters().font();
    for (const Case& c : cases) {
        CGraphicsObject canvas(nullptr, CXSize(8, 3), 16);
        std::memset(canvas.GetDataPtr(), 0, 8 * 3 * 2);
        font->SetDestiny(&canvas);
        font->SetClippingRect(c.cur, c.clip);
        EXPECT_EQ(font->drawLetter(c.x, 0, c.prev, c.cur), c.advance) << c.what;
        EXPECT_EQ(inked(canvas), c.drawn) << c.what;
        // The clip stays, in the strip's coordinates.
        const int start = c.clip.IsEmpty() ? 0 : c.cur == 'b' ? 7 : 0;
        EXPECT_EQ(font->GetClippingRect(), c.clip + CXPoint(start, 0)) << c.what;
    }
}

TEST(SimpleFont, AColourPaintsTheWholeStrip)
{
    auto font = letters().font();
    font->setColor(0x12345);
    const std::vector<uint16_t> words = wordsOf(*font);
    EXPECT_EQ(std::count(words.begin(), words.end(), 0x2345), static_cast<long>(words.size()));
}

TEST(SimpleFont, WrittenFontsReadBackByteForByte)
{
    TempFolder folder;
    for (int spare : {0, 3}) {
        const std::string bytes = letters().bytes(16, spare);
        auto font = fontFrom(bytes);
        ASSERT_EQ(font->write(folder.file("copy.fnt").c_str()), 0);
        EXPECT_EQ(folder.read("copy.fnt"), bytes);
    }
    CSimpleFont6 empty(nullptr);
    EXPECT_EQ(empty.write(folder.file("empty.fnt").c_str()), CGraphicsObject::ERROR_FORMAT);
    EXPECT_FALSE(std::filesystem::exists(folder.file("empty.fnt")));
}

// Damaged files leave an empty font and an error, whatever field they end in or lie about.
TEST(SimpleFont, FilesThatAreNoFontLeaveItEmpty)
{
    const std::string whole = letters().bytes();
    const size_t n = 4;
    std::vector<std::string> damaged;
    for (size_t cut : {size_t{0}, size_t{3}, size_t{19}, 20 + n - 1, 20 + n + n * n - 1, 20 + 3 * n + n * n - 1,
                       20 + 3 * n + n * n + 20 * 3 * 2 - 1, whole.size() - 1})
        damaged.push_back(whole.substr(0, cut));
    const auto withField = [&whole](size_t at, int32_t value) {
        std::string changed = whole;
        std::memcpy(changed.data() + at, &value, 4);
        return changed;
    };
    damaged.push_back(withField(16, 300));
    damaged.push_back(withField(16, -1));
    damaged.push_back(withField(4, -20));
    damaged.push_back(withField(4, 1 << 20));
    damaged.push_back(withField(8, 1 << 20));
    damaged.push_back(withField(12, 24));
    for (const std::string& bytes : damaged) {
        auto font = letters().font();
        CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
        EXPECT_EQ(font->Load(&file), CGraphicsObject::ERROR_FORMAT) << bytes.size();
        EXPECT_EQ(font->getLetterCount(), 0);
        EXPECT_EQ(font->Width(), 0);
        EXPECT_EQ(font->GetDataPtr(), nullptr);
        EXPECT_EQ(font->getLetterWidth(0, 'a'), 0);
    }
    CSimpleFont6 missing(nullptr, "no-such.fnt");
    EXPECT_EQ(missing.LastError(), CGraphicsObject::ERROR_OPEN);
    EXPECT_EQ(missing.getLetterCount(), 0);
}

// The tool: letters named by the first event's positions, borders cleared, offsets counted,
// and a kerning of 1 less the transparent columns (alpha up to 20) at the letter's end.
TEST(SimpleFont, TheFontToolWritesTheAnimationsLettersAsAFontFile)
{
    TempFolder folder;
    // Rows of alpha: '#' 255, '-' 15, '.' 0; every colour word is 0x1111 plus the letter's index.
    const std::vector<std::vector<std::string>> pictures = {{"#####", "#.##.", "#.##.", "#####"},
                                                            {".....", ".#-..", ".#...", "....."}};
    CAnimo6 animation(nullptr);
    for (size_t i = 0; i < pictures.size(); ++i) {
        std::vector<uint8_t> alpha;
        for (const std::string& row : pictures[i])
            for (char c : row)
                alpha.push_back(c == '#' ? 255 : c == '-' ? 15 : 0);
        animation.AddFrame(makeRaster(5, 4, 16, std::vector<uint16_t>(20, static_cast<uint16_t>(0x1111 + i)), alpha).get());
    }
    _annEventInfo3 event;
    event.setName("LETTERS");
    event.frames = {0, 1};
    animation.AddEvent(&event);
    animation.GetFrameInfo(0, 0)->name = CXString("a");
    animation.GetFrameInfo(0, 1)->name = CXString("bee");
    ASSERT_EQ(animation.Save(folder.file("letters.ann").c_str(), COMPRESSION_RLE), 0);

    CSimpleFont6 font(nullptr);
    ASSERT_EQ(font.create(folder.file("letters.ann").c_str(), folder.file("letters.fnt").c_str()), 0);
    std::string expected("FNT\0\x0A\0\0\0\x04\0\0\0\x10\0\0\0\x02\0\0\0", 20);
    expected += "ab";
    expected += std::string("\x01\x01\x00\x00", 4);  // kerning: a's last visible column is ink
    expected += std::string("\x02\x01", 2);          // left offsets
    expected += std::string("\x01\x02", 2);          // right offsets: b's alpha of 15 is no gap
    const std::vector<std::string> alphaRows = {"..........", "..##..#-..", "..##..#...", ".........."};
    for (const std::string& row : alphaRows)
        for (size_t x = 0; x < row.size(); ++x) {
            const bool border = x % 5 == 0 || x % 5 == 4 || &row == &alphaRows.front() || &row == &alphaRows.back();
            expected += border ? std::string(2, '\0') : std::string{x < 5 ? '\x11' : '\x12', '\x11'};
        }
    for (const std::string& row : alphaRows)
        for (char c : row)
            expected += static_cast<char>(c == '#' ? 255 : c == '-' ? 15 : 0);
    EXPECT_EQ(folder.read("letters.fnt"), expected);
    EXPECT_EQ(font.getLetterWidth('a', 'b'), 1);

    // A position without a name, or a picture larger than the animation, writes nothing.
    animation.GetFrameInfo(0, 1)->name = CXString();
    ASSERT_EQ(animation.Save(folder.file("unnamed.ann").c_str(), COMPRESSION_NONE), 0);
    EXPECT_EQ(font.create(folder.file("unnamed.ann").c_str(), folder.file("unnamed.fnt").c_str()),
              CGraphicsObject::ERROR_FORMAT);
    EXPECT_FALSE(std::filesystem::exists(folder.file("unnamed.fnt")));
    animation.GetFrameInfo(0, 1)->name = CXString("b");
    animation.AddFrame(makeRaster(9, 4, 16, std::vector<uint16_t>(36, 1), std::vector<uint8_t>(36, 255)).get());
    event.frames = {0, 1, 2};
    animation.RemoveAllEvents();
    animation.AddEvent(&event);
    for (int i = 0; i < 3; ++i)
        animation.GetFrameInfo(0, i)->name = CXString("abc").Mid(i, i + 1);
    ASSERT_EQ(animation.Save(folder.file("wide.ann").c_str(), COMPRESSION_NONE), 0);
    EXPECT_EQ(font.create(folder.file("wide.ann").c_str(), folder.file("wide.fnt").c_str()), CGraphicsObject::ERROR_FORMAT);
    EXPECT_FALSE(std::filesystem::exists(folder.file("wide.fnt")));
    EXPECT_EQ(font.create(folder.file("none.ann").c_str(), folder.file("none.fnt").c_str()), CGraphicsObject::ERROR_FORMAT);
}

TEST(FontCollection, MembersAreFoundByNamesInAnyCaseAndTheExactSize)
{
    auto first = letters().font("Arial", "BOLD", 12);
    auto twin = letters().font("ARIAL", "bold", 12);
    auto plain = letters().font("Arial", "STANDARD", 12);
    CFontCollection fonts(nullptr);
    EXPECT_EQ(fonts.getLetterWidth(0, 'a'), 0);
    EXPECT_EQ(fonts.Height(), 0);
    EXPECT_EQ(fonts.drawLetter(0, 0, 0, 'a'), 0);
    fonts.addFont(plain.get());
    fonts.addFont(first.get());
    fonts.addFont(twin.get());
    fonts.addFont(first.get());
    EXPECT_EQ(fonts.getFonts().size(), 3u);
    EXPECT_EQ(fonts.getBaseFont(), plain.get());
    EXPECT_EQ(fonts.get("arial", "Bold", 12), first.get());
    EXPECT_EQ(fonts.get("Arial", "BOLD", 13), nullptr);
    EXPECT_EQ(fonts.get("Arial", "ITALIC", 12), nullptr);
    EXPECT_EQ(fonts.getLetterWidth('a', 'b'), 1);
    EXPECT_TRUE(fonts.isMultifont());

    // Colour and opacity reach the members only.
    auto outsider = letters().font();
    fonts.setBaseFont(outsider.get());
    fonts.setColor(0x0F0F);
    fonts.SetOpacity(7);
    EXPECT_EQ(wordsOf(*first).front(), 0x0F0F);
    EXPECT_EQ(first->GetOpacity(), 7);
    EXPECT_EQ(wordsOf(*outsider).front(), 0x07E0);
    EXPECT_EQ(outsider->GetOpacity(), 255);
}
