#pragma once

#include "graphics/CPrinter.h"

#include "PngReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Rgb = std::array<uint8_t, 3>;

// A pixel word of the screen and the colour a page shows for it: the word widened to 8 bits
// per channel.
struct PrintColour {
    uint16_t word;
    Rgb rgb;
};

// 5-6-5 words with channel values whose widening shows: low bits repeated from the top ones.
inline const std::vector<PrintColour> kColours565 = {
    {0xF800, {255, 0, 0}},    {0x07E0, {0, 255, 0}},   {0x001F, {0, 0, 255}},   {0x0000, {0, 0, 0}},
    {0x8408, {132, 130, 66}}, {0x18F8, {24, 28, 198}}, {0xE7E1, {231, 255, 8}}, {0x7BEF, {123, 125, 123}},
};
inline const std::vector<PrintColour> kColours555 = {{0x4208, {132, 132, 66}}, {0x03E0, {0, 255, 0}}};

// A flat block of the screen.
struct ColourBlock {
    CXRect rect;
    PrintColour colour;
};

// An 800 × 600 screen of flat blocks of the colours, laid out in `columns` columns, row by row:
// the blocks and the screen's pixel words.
struct BlockScreen {
    BlockScreen(const std::vector<PrintColour>& colours, int columns)
        : words(800 * 600)
    {
        const int blockWidth = 800 / columns;
        const int blockHeight = 600 / (static_cast<int>(colours.size()) / columns);
        for (size_t i = 0; i < colours.size(); ++i) {
            const int left = static_cast<int>(i) % columns * blockWidth;
            const int top = static_cast<int>(i) / columns * blockHeight;
            blocks.push_back({CXRect(left, top, left + blockWidth, top + blockHeight), colours[i]});
            for (int y = top; y < top + blockHeight; ++y)
                std::fill_n(words.begin() + y * 800 + left, blockWidth, colours[i].word);
        }
    }

    std::vector<ColourBlock> blocks;
    std::vector<uint16_t> words;
};

inline Rgb pixelAt(const DecodedPng& page, int x, int y)
{
    const uint8_t* p = page.at(x, y);
    return {p[0], p[1], p[2]};
}

// The name of the folder printer's page with that number.
inline std::string pageName(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "page-%04d.png", number);
    return name;
}

// Checks one printed landscape Letter page of the screen's `shown` rectangle, the screen being
// made of the blocks, each later one lying over the earlier ones: white outside the picture,
// at the centre of the place the fit maps each block's visible part to the colour of the
// block on top there, and the picture reaching each edge of its place.
inline void expectPage(const DecodedPng& page, const std::vector<ColourBlock>& blocks, const CXRect& shown)
{
    ASSERT_EQ(page.width, 3300);
    ASSERT_EQ(page.height, 2550);
    const Rgb white{255, 255, 255};
    const CXRect place = CPrinter::fitOnPage(CXSize(shown.Width(), shown.Height()), CXSize(3300, 2550));
    long stray = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (!place.IsInRect(x, y) && pixelAt(page, x, y) != white)
                ++stray;
    EXPECT_EQ(stray, 0) << "pixels that are not white outside the picture";

    int seen = 0;
    for (size_t i = 0; i < blocks.size(); ++i) {
        const CXRect part = blocks[i].rect.Common(shown);
        if (part.Width() <= 0 || part.Height() <= 0)
            continue;
        ++seen;
        const int centreX = (part.left + part.right) / 2;
        const int centreY = (part.top + part.bottom) / 2;
        const auto onTop = std::find_if(blocks.rbegin(), blocks.rend(),
                                        [&](const ColourBlock& block) { return block.rect.IsInRect(centreX, centreY); });
        const int x = place.left + static_cast<int>((centreX - shown.left + 0.5) * place.Width() / shown.Width());
        const int y = place.top + static_cast<int>((centreY - shown.top + 0.5) * place.Height() / shown.Height());
        EXPECT_EQ(pixelAt(page, x, y), onTop->colour.rgb) << "block " << i << " at " << x << ", " << y;
    }
    EXPECT_GT(seen, 0);
    for (const CXPoint corner : {place.LeftTop(), place.RightBottom() - CXPoint(1, 1)})
        EXPECT_NE(pixelAt(page, corner.x, corner.y), white);
}

// A print's report: one line on standard error that names the cause.
inline void expectNothingPrinted(const std::string& text, const std::string& cause)
{
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
    EXPECT_EQ(text.rfind("Nothing printed: ", 0), 0u) << text;
    EXPECT_NE(text.find(cause), std::string::npos) << text;
}
