// Draws the sample's letters from the pixel table below into an animation file (ANN): one
// picture per letter, each position of the first event named by its letter, ready for the
// font tool. The letters are ASCII's letters, digits and punctuation and the Polish letters of
// Windows-1250, white on a transparent ground, every table pixel drawn as a 2 x 2 square; the
// bold style widens each stroke by one table pixel to the right.
// Usage: DrawLetters standard|bold <ann file>
#include "graphics/AnnRecords.h"
#include "graphics/CAnimo6.h"
#include "graphics/CGraphicsObject.h"
#include "sample/PictureOfPixels.h"

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The letter box of the table: rows 0-1 above the capitals (their accents), 2-8 the capitals
// (baseline at row 8; small letters from row 4), 9-10 the descenders and the ogoneks.
constexpr int kBoxWidth = 5;
constexpr int kBoxHeight = 11;
constexpr int kScale = 2;
// The picture of a letter: the box, a column for the bold stroke, and the one-pixel border that
// the font tool clears.
constexpr int kCellWidth = (kBoxWidth + 1) * kScale + 2;
constexpr int kCellHeight = kBoxHeight * kScale + 2;
constexpr uint16_t kWhite = 0xFFFF;

// A letter of the table: its code, the table row of its first row, and its rows ('#' is ink),
// separated by spaces.
struct Glyph {
    unsigned char code;
    int top;
    const char* rows;
};

const Glyph kGlyphs[] = {
    {'A', 2, ".###. #...# #...# ##### #...# #...# #...#"},
    {'B', 2, "####. #...# #...# ####. #...# #...# ####."},
    {'C', 2, ".###. #...# #.... #.... #.... #...# .###."},
    {'D', 2, "####. #...# #...# #...# #...# #...# ####."},
    {'E', 2, "##### #.... #.... ####. #.... #.... #####"},
    {'F', 2, "##### #.... #.... ####. #.... #.... #...."},
    {'G', 2, ".###. #...# #.... #.### #...# #...# .####"},
    {'H', 2, "#...# #...# #...# ##### #...# #...# #...#"},
    {'I', 2, "### .#. .#. .#. .#. .#. ###"},
    {'J', 2, "..### ...#. ...#. ...#. ...#. #..#. .##.."},
    {'K', 2, "#...# #..#. #.#.. ##... #.#.. #..#. #...#"},
    {'L', 2, "#.... #.... #.... #.... #.... #.... #####"},
    {'M', 2, "#...# ##.## #.#.# #.#.# #...# #...# #...#"},
    {'N', 2, "#...# #...# ##..# #.#.# #..## #...# #...#"},
    {'O', 2, ".###. #...# #...# #...# #...# #...# .###."},
    {'P', 2, "####. #...# #...# ####. #.... #.... #...."},
    {'Q', 2, ".###. #...# #...# #...# #.#.# #..#. .##.#"},
    {'R', 2, "####. #...# #...# ####. #.#.. #..#. #...#"},
    {'S', 2, ".#### #.... #.... .###. ....# ....# ####."},
    {'T', 2, "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.."},
    {'U', 2, "#...# #...# #...# #...# #...# #...# .###."},
    {'V', 2, "#...# #...# #...# #...# #...# .#.#. ..#.."},
    {'W', 2, "#...# #...# #...# #.#.# #.#.# #.#.# .#.#."},
    {'X', 2, "#...# #...# .#.#. ..#.. .#.#. #...# #...#"},
    {'Y', 2, "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#.."},
    {'Z', 2, "##### ....# ...#. ..#.. .#... #.... #####"},
    {'a', 4, ".###. ....# .#### #...# .####"},
    {'b', 2, "#.... #.... ####. #...# #...# #...# ####."},
    {'c', 4, ".### #... #... #... .###"},
    {'d', 2, "....# ....# .#### #...# #...# #...# .####"},
    {'e', 4, ".###. #...# ##### #.... .###."},
    {'f', 2, "..## .#.. ###. .#.. .#.. .#.. .#.."},
    {'g', 4, ".#### #...# #...# #...# .#### ....# .###."},
    {'h', 2, "#.... #.... ####. #...# #...# #...# #...#"},
    {'i', 2, "# . # # # # #"},
    {'j', 2, "..# ... ..# ..# ..# ..# ..# ..# ##."},
    {'k', 2, "#... #... #..# #.#. ##.. #.#. #..#"},
    {'l', 2, "##. .#. .#. .#. .#. .#. ###"},
    {'m', 4, "##.#. #.#.# #.#.# #.#.# #.#.#"},
    {'n', 4, "###. #..# #..# #..# #..#"},
    {'o', 4, ".##. #..# #..# #..# .##."},
    {'p', 4, "###. #..# #..# #..# ###. #... #..."},
    {'q', 4, ".### #..# #..# #..# .### ...# ...#"},
    {'r', 4, "#.## ##.. #... #... #..."},
    {'s', 4, ".### #... .##. ...# ###."},
    {'t', 2, ".#.. .#.. ###. .#.. .#.. .#.# ..#."},
    {'u', 4, "#..# #..# #..# #..# .###"},
    {'v', 4, "#...# #...# #...# .#.#. ..#.."},
    {'w', 4, "#...# #...# #.#.# #.#.# .#.#."},
    {'x', 4, "#...# .#.#. ..#.. .#.#. #...#"},
    {'y', 4, "#..# #..# #..# #..# .### ...# ###."},
    {'z', 4, "##### ...#. ..#.. .#... #####"},
    {'0', 2, ".###. #...# #..## #.#.# ##..# #...# .###."},
    {'1', 2, ".#. ##. .#. .#. .#. .#. ###"},
    {'2', 2, ".###. #...# ....# ...#. ..#.. .#... #####"},
    {'3', 2, "##### ...#. ..#.. ...#. ....# #...# .###."},
    {'4', 2, "...#. ..##. .#.#. #..#. ##### ...#. ...#."},
    {'5', 2, "##### #.... ####. ....# ....# #...# .###."},
    {'6', 2, "..##. .#... #.... ####. #...# #...# .###."},
    {'7', 2, "##### ....# ...#. ..#.. .#... .#... .#..."},
    {'8', 2, ".###. #...# #...# .###. #...# #...# .###."},
    {'9', 2, ".###. #...# #...# .#### ....# ...#. .##.."},
    {'!', 2, "# # # # # . #"},
    {'"', 2, "#.# #.# #.#"},
    {'#', 2, ".#.#. .#.#. ##### .#.#. ##### .#.#. .#.#."},
    {'$', 2, "..#.. .#### #.#.. .###. ..#.# ####. ..#.."},
    {'%', 2, "##... ##..# ...#. ..#.. .#... #..## ...##"},
    {'&', 2, ".##.. #..#. #.#.. .#... #.#.# #..#. .##.#"},
    {'\'', 2, "# #"},
    {'(', 2, "..# .#. #.. #.. #.. .#. ..#"},
    {')', 2, "#.. .#. ..# ..# ..# .#. #.."},
    {'*', 3, "..#.. #.#.# .###. #.#.# ..#.."},
    {'+', 4, "..#.. ..#.. ##### ..#.. ..#.."},
    {',', 7, ".# .# #."},
    {'-', 5, "####"},
    {'.', 7, "## ##"},
    {'/', 2, "....# ...#. ...#. ..#.. .#... .#... #...."},
    {':', 4, "## ## .. ## ##"},
    {';', 4, ".## .## ... .## .## ..# .#."},
    {'<', 2, "...# ..#. .#.. #... .#.. ..#. ...#"},
    {'=', 4, "##### ..... #####"},
    {'>', 2, "#... .#.. ..#. ...# ..#. .#.. #..."},
    {'?', 2, ".###. #...# ....# ...#. ..#.. ..... ..#.."},
    {'@', 2, ".###. #...# ....# .##.# #.#.# #.#.# .###."},
    {'[', 2, "### #.. #.. #.. #.. #.. ###"},
    {'\\', 2, "#.... .#... .#... ..#.. ...#. ...#. ....#"},
    {']', 2, "### ..# ..# ..# ..# ..# ###"},
    {'^', 2, "..#.. .#.#. #...#"},
    {'_', 9, "#####"},
    {'`', 2, "#. .#"},
    {'{', 2, "..## .#.. .#.. #... .#.. .#.. ..##"},
    {'|', 2, "# # # # # # # # #"},
    {'}', 2, "##.. ..#. ..#. ...# ..#. ..#. ##.."},
    {'~', 4, ".#... #.#.# ...#."},
    // Ł and ł: the stroke crosses the stem.
    {0xA3, 2, ".#... .#... .#.#. .##.. ##... .#... .####"},
    {0xB3, 2, ".#. .#. .## ##. .#. .#. .##"},
};

enum class Mark { Acute, Dot, Ogonek };

// A Polish letter: a letter of the table with a mark.
struct MarkedLetter {
    unsigned char code;
    unsigned char base;
    Mark mark;
};

const MarkedLetter kMarkedLetters[] = {
    {0xA5, 'A', Mark::Ogonek}, {0xC6, 'C', Mark::Acute}, {0xCA, 'E', Mark::Ogonek}, {0xD1, 'N', Mark::Acute},
    {0xD3, 'O', Mark::Acute},  {0x8C, 'S', Mark::Acute}, {0x8F, 'Z', Mark::Acute},  {0xAF, 'Z', Mark::Dot},
    {0xB9, 'a', Mark::Ogonek}, {0xE6, 'c', Mark::Acute}, {0xEA, 'e', Mark::Ogonek}, {0xF1, 'n', Mark::Acute},
    {0xF3, 'o', Mark::Acute},  {0x9C, 's', Mark::Acute}, {0x9F, 'z', Mark::Acute},  {0xBF, 'z', Mark::Dot},
};

// The ink of one letter in table pixels, kBoxWidth + 1 columns by kBoxHeight rows.
using Ink = std::vector<std::vector<bool>>;

Ink emptyInk()
{
    return Ink(kBoxHeight, std::vector<bool>(kBoxWidth + 1, false));
}

Ink inkOf(const Glyph& glyph, int& width)
{
    Ink ink = emptyInk();
    std::istringstream rows(glyph.rows);
    int y = glyph.top;
    for (std::string row; rows >> row; ++y) {
        width = static_cast<int>(row.size());
        for (int x = 0; x < width; ++x)
            ink[static_cast<size_t>(y)][static_cast<size_t>(x)] = row[static_cast<size_t>(x)] == '#';
    }
    return ink;
}

const Glyph* glyphOf(unsigned char code)
{
    for (const Glyph& glyph : kGlyphs)
        if (glyph.code == code)
            return &glyph;
    return nullptr;
}

// The mark in the rows above or below the letter, near its right side.
void addMark(Ink& ink, const Glyph& base, int width, Mark mark)
{
    const int above = base.top - 2;
    const int middle = width / 2;
    const auto set = [&](int y, int x) { ink[static_cast<size_t>(y)][static_cast<size_t>(x)] = true; };
    switch (mark) {
    case Mark::Acute:
        set(above, middle + 1);
        set(above + 1, middle);
        break;
    case Mark::Dot:
        set(above, middle);
        break;
    case Mark::Ogonek:
        set(kBoxHeight - 2, width - 2);
        set(kBoxHeight - 1, width - 1);
        break;
    }
}

void embolden(Ink& ink)
{
    for (std::vector<bool>& row : ink)
        for (size_t x = row.size() - 1; x > 0; --x)
            row[x] = row[x] || row[x - 1];
}

// The letter's picture: its ink scaled, one pixel in from the top left.
std::unique_ptr<CGraphicsObject> pictureOf(const Ink& ink)
{
    const size_t size = static_cast<size_t>(kCellWidth) * kCellHeight;
    std::vector<uint8_t> alpha(size, 0);
    for (int y = 0; y < kBoxHeight * kScale; ++y)
        for (int x = 0; x < (kBoxWidth + 1) * kScale; ++x)
            if (ink[static_cast<size_t>(y / kScale)][static_cast<size_t>(x / kScale)])
                alpha[static_cast<size_t>(y + 1) * kCellWidth + x + 1] = 255;
    return pictureOfPixels(kCellWidth, kCellHeight, std::vector<uint16_t>(size, kWhite), alpha);
}

struct Letter {
    unsigned char code;
    Ink ink;
};

std::vector<Letter> letters(bool bold)
{
    std::vector<Letter> all;
    for (const Glyph& glyph : kGlyphs) {
        int width = 0;
        all.push_back({glyph.code, inkOf(glyph, width)});
    }
    for (const MarkedLetter& marked : kMarkedLetters) {
        const Glyph* base = glyphOf(marked.base);
        int width = 0;
        Ink ink = inkOf(*base, width);
        addMark(ink, *base, width, marked.mark);
        all.push_back({marked.code, std::move(ink)});
    }
    if (bold)
        for (Letter& letter : all)
            embolden(letter.ink);
    return all;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string style = argc == 3 ? argv[1] : "";
    if (style != "standard" && style != "bold") {
        std::fputs("usage: DrawLetters standard|bold <ann file>\n", stderr);
        return 2;
    }
    CAnimo6 animation(nullptr);
    _annEventInfo3 event;
    event.setName("LETTERS");
    const std::vector<Letter> all = letters(style == "bold");
    for (size_t i = 0; i < all.size(); ++i) {
        animation.AddFrame(pictureOf(all[i].ink).get());
        event.frames.push_back(static_cast<uint16_t>(i));
    }
    animation.AddEvent(&event);
    for (size_t i = 0; i < all.size(); ++i)
        animation.GetFrameInfo(0, static_cast<int>(i))->name = CXString(std::string(1, static_cast<char>(all[i].code)).c_str());
    if (animation.Save(CXString(argv[2]), COMPRESSION_RLE) != 0) {
        std::fprintf(stderr, "DrawLetters: \"%s\" cannot be written\n", argv[2]);
        return 1;
    }
    return 0;
}
