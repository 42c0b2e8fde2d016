#include "text/CMultilineText6.h"

#include "foundation/CFile_Stream.h"
#include "platform/PathResolver.h"

#include "TempFolder.h"
#include "TextFonts.h"
#include "tests/CurrentFolderGuard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int kLineHeight = 10;

// A multi-line text whose edit-box places are noted.
class NotingText : public CMultilineText6 {
public:
    NotingText()
        : CMultilineText6(nullptr, nullptr)
    {
    }
    std::vector<CXRect> boxes;

protected:
    void addEditBox(CXRect rect, const CTextFormatCode&) override { boxes.push_back(rect); }
};

// Every letter and the blank advance the pen by 5; lines are 10 high.
class Wrapping : public ::testing::Test {
protected:
    Wrapping() { text.setFont(&fonts.collection); }

    // The entries: each line's markup (its text without the wrapping in the text's colour),
    // "|" for a break marker.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> found;
        for (int i = 0; i < text.getLineCount(); ++i) {
            std::string line = text.getLine(i) != nullptr ? text.getLine(i)->getText().c_str() : "|";
            if (line.starts_with("<COLOR65535>") && line.ends_with("<COLOR>"))
                line = line.substr(12, line.size() - 12 - 7);
            found.push_back(line);
        }
        return found;
    }

    void wrap(const char* markup, int width)
    {
        text.setJustify(CXRect(100, 50, 100 + width, 300), JUSTIFY_LEFT, JUSTIFY_TOP);
        text.setText(markup);
    }

    TextFonts fonts{{evenLetters("###..", kLineHeight), evenLetters("#.#..", kLineHeight)}};
    NotingText text;
};

} // namespace

TEST_F(Wrapping, LinesBreakAtBarsAndWrapAtBlanks)
{
    struct Case {
        const char* markup;
        int width;
        std::vector<std::string> entries;
        int height;
    };
    const Case cases[] = {
        {"ab|cd", 100, {"ab", "|", "cd"}, 16},
        {"ab||cd", 100, {"ab", "|", "", "|", "cd"}, 22},
        {"ab|", 100, {"ab", "|"}, 8},
        {"aa bb cc", 12, {"aa", "bb", "cc"}, 26},
        // A first word wider than the rectangle comes after an empty line.
        {"aaa", 12, {"", "aaa"}, 18},
        // Blanks after a run's last word are lost; a blank before a word stays.
        {"ab <B>cd", 100, {"ab<B>cd"}, 10},
        {"ab<B> cd", 100, {"ab<B> cd"}, 10},
        // One of the blanks before a wrapped word goes.
        {"aa   bb", 30, {"aa", "  bb"}, 18},
        // The open style tag opens each new line again; a colour is not repeated.
        {"<B>aa bb<B> cc", 12, {"<B>aa", "<B>bb<B>", "cc"}, 26},
        {"x<COLOR31>aa bb", 17, {"x<COLOR31>aa", "bb"}, 18},
    };
    for (const Case& c : cases) {
        wrap(c.markup, c.width);
        EXPECT_EQ(entries(), c.entries) << c.markup;
        EXPECT_EQ(text.getHeight(), c.height) << c.markup;
        EXPECT_EQ(text.Height(), c.height) << c.markup;
    }
}

// Lines stand 4 pixels closer than their height, while the height counts 2 less per entry.
TEST_F(Wrapping, LinesAreDrawnFourPixelsCloserThanTheirHeight)
{
    wrap("aa bb|cc", 12);
    ASSERT_EQ(entries(), (std::vector<std::string>{"aa", "bb", "|", "cc"}));
    EXPECT_EQ(text.Width(), 10);
    EXPECT_EQ(text.Height(), 3 * kLineHeight - 2 * 3);
    CGraphicsObject canvas(nullptr, CXSize(200, 200), 16);
    text.SetDestiny(&canvas);
    text.Redraw();
    EXPECT_EQ(text.getLine(0)->GetPosition(), CXPoint(100, 50));
    EXPECT_EQ(text.getLine(1)->GetPosition(), CXPoint(100, 56));
    EXPECT_EQ(text.getLine(3)->GetPosition(), CXPoint(100, 62));
}

// The place of a box 100 wide: a blank and 100 / (3 + 2) - 2 underscores, and the line
// goes on 100 plus three blanks further.
TEST_F(Wrapping, EditBoxesReserveTheirRoom)
{
    wrap("<E,100,name,first>ab", 200);
    EXPECT_EQ(entries(), (std::vector<std::string>{" " + std::string(18, '_') + "ab"}));
    ASSERT_EQ(text.boxes.size(), 1u);
    EXPECT_EQ(text.boxes[0], CXRect(103, 50, 203, 60));
    text.boxes.clear();
    wrap("aa<E,100,n,t>b c", 60);
    EXPECT_EQ(entries(), (std::vector<std::string>{"aa", " " + std::string(18, '_'), "b c"}));
    ASSERT_EQ(text.boxes.size(), 1u);
    EXPECT_EQ(text.boxes[0], CXRect(103, 56, 203, 66));
}

// A box of any width reserves no more than a screen's room, and a blank too narrow to count
// letters by reserves a blank alone.
TEST_F(Wrapping, EditBoxesOfAnyWidthReserveBoundedRoom)
{
    wrap("<E,2000000000,n,t>", 100);
    ASSERT_EQ(text.getLineCount(), 2);
    EXPECT_EQ(entries()[1].size(), 1u + 32767 / 5 - 2);
    // The blank is an 'l', made 5 - 2 - 5 = -2 wide by its left offset.
    std::string bytes = evenLetters("###..", kLineHeight).bytes();
    bytes[20 + 5 + 25 + 3] = 5;
    auto narrow = std::make_unique<CSimpleFont6>(nullptr);
    CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
    ASSERT_EQ(narrow->Load(&file), 0);
    ASSERT_EQ(narrow->getLetterWidth(0, ' '), -2);
    CFontCollection fonts(nullptr);
    fonts.addFont(narrow.get());
    text.setFont(&fonts);
    wrap("<E,100,n,t>", 100);
    EXPECT_EQ(entries(), (std::vector<std::string>{" "}));
}

// A new colour wraps the text again, so that every line takes it.
TEST_F(Wrapping, EveryLineTakesANewColour)
{
    wrap("aa bb", 12);
    text.setColor(31);
    EXPECT_EQ(entries(), (std::vector<std::string>{"<COLOR31>aa<COLOR>", "<COLOR31>bb<COLOR>"}));
    EXPECT_EQ(text.getText(), "aa bb");
}

TEST_F(Wrapping, ASingleFontWrapsWholeWords)
{
    text.setJustify(CXRect(0, 0, 12, 0), JUSTIFY_LEFT, JUSTIFY_TOP);
    text.setFont(fonts.font(0));
    text.setText("aa bb|x <B>");
    EXPECT_EQ(entries(), (std::vector<std::string>{"aa", "bb|x", "<B>"}));
    text.setText("aaa b");
    EXPECT_EQ(entries(), (std::vector<std::string>{"", "aaa", "b"}));
}

// Only '|' breaks a text read from a file; one that cannot be read leaves the text alone.
TEST_F(Wrapping, TextsAreReadFromFiles)
{
    CurrentFolderGuard guard;
    TempFolder folder;
    platform::changeFolder(folder.path().string());
    folder.write("story.txt", "one|two\r\nthree\n");
    wrap("ab", 100);
    EXPECT_EQ(text.Load("story.txt"), 0);
    EXPECT_EQ(entries(), (std::vector<std::string>{"one", "|", "twothree"}));
    EXPECT_NE(text.Load("missing.txt"), 0);
    EXPECT_EQ(entries(), (std::vector<std::string>{"one", "|", "twothree"}));
}
