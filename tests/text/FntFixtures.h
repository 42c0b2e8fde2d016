#pragma once

#include "foundation/CFile_Stream.h"
#include "text/CSimpleFont6.h"

#include "tests/graphics/RasterMaker.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One letter of a hand-made font: its code and its cell, one string per row: '#' opaque, '+'
// alpha 128, anything else transparent. The offsets are the cell's empty columns.
struct FntLetter {
    char code;
    std::vector<std::string> rows;
};

// A hand-made FNT file: the letters side by side in cells as wide as their rows, all of one
// colour word, with the kerning entries given (row-major, preceding letter first; none: all 0).
class FntMaker {
public:
    FntMaker(std::vector<FntLetter> letters, std::vector<int8_t> kerning = {}, uint16_t colour = 0x07E0)
        : letters_(std::move(letters))
        , kerning_(std::move(kerning))
        , colour_(colour)
    {
        if (kerning_.empty())
            kerning_.assign(letters_.size() * letters_.size(), 0);
    }

    int cellWidth() const { return static_cast<int>(letters_.front().rows.front().size()); }
    int height() const { return static_cast<int>(letters_.front().rows.size()); }

    // With `spare` more columns at the right end of the strip, which belong to no cell.
    std::string bytes(int bpp = 16, int spare = 0) const
    {
        const int n = static_cast<int>(letters_.size());
        const int width = n * cellWidth() + spare;
        std::string out("FNT", 4);
        for (int value : {width, height(), bpp, n})
            out += number(value);
        for (const FntLetter& letter : letters_)
            out += letter.code;
        out.append(reinterpret_cast<const char*>(kerning_.data()), kerning_.size());
        for (const FntLetter& letter : letters_)
            out += static_cast<char>(emptyColumns(letter, false));
        for (const FntLetter& letter : letters_)
            out += static_cast<char>(emptyColumns(letter, true));
        for (int i = 0; i < width * height(); ++i)
            out += std::string{static_cast<char>(colour_ & 0xFF), static_cast<char>(colour_ >> 8)};
        for (int y = 0; y < height(); ++y) {
            for (const FntLetter& letter : letters_)
                for (char c : letter.rows[static_cast<size_t>(y)])
                    out += static_cast<char>(alphaOf(c));
            out.append(static_cast<size_t>(spare), '\xFF');
        }
        return out;
    }

    // The font read from the bytes, without a window.
    std::unique_ptr<CSimpleFont6> font(const std::string& family = "", const std::string& style = "", int size = 0) const
    {
        const std::string data = bytes();
        auto made = std::make_unique<CSimpleFont6>(nullptr);
        CFile_Stream file(data.data(), static_cast<int>(data.size()));
        made->Load(&file);
        made->setFamily(family.c_str());
        made->setStyle(style.c_str());
        made->setSize(size);
        return made;
    }

    static int alphaOf(char c) { return c == '#' ? 255 : c == '+' ? 128 : 0; }

private:
    static std::string number(int value)
    {
        const auto v = static_cast<uint32_t>(value);
        return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF), static_cast<char>(v >> 16 & 0xFF),
                static_cast<char>(v >> 24)};
    }
    static int emptyColumns(const FntLetter& letter, bool fromRight)
    {
        const int w = static_cast<int>(letter.rows.front().size());
        for (int k = 0; k < w; ++k) {
            const int x = fromRight ? w - 1 - k : k;
            for (const std::string& row : letter.rows)
                if (alphaOf(row[static_cast<size_t>(x)]) != 0)
                    return k;
        }
        return w;
    }

    std::vector<FntLetter> letters_;
    std::vector<int8_t> kerning_;
    uint16_t colour_;
};

// The canvas as rows: '#' where a letter was drawn, '.' where it is still blank (word 0).
inline std::vector<std::string> inked(CGraphicsObject& canvas)
{
    const std::vector<uint16_t> words = wordsOf(canvas);
    std::vector<std::string> rows;
    for (int y = 0; y < canvas.Height(); ++y) {
        std::string row;
        for (int x = 0; x < canvas.Width(); ++x)
            row += words[static_cast<size_t>(y * canvas.Width() + x)] != 0 ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}
