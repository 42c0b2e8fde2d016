#pragma once

#include "media/CPrinter.h"

#include "PngReader.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Rgb = std::array<uint8_t, 3>;

// A flat block of the screen, and its colour as the page shows it.
struct ColourBlock {
    CXRect rect;
    Rgb colour;
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
// made of the blocks, which do not overlap: white outside the picture, every block's colour at
// the centre of the place the fit maps its visible part to, and the picture reaching each edge
// of its place.
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
        const double centreX = (part.left + part.right) / 2.0 - shown.left;
        const double centreY = (part.top + part.bottom) / 2.0 - shown.top;
        const int x = place.left + static_cast<int>(centreX * place.Width() / shown.Width());
        const int y = place.top + static_cast<int>(centreY * place.Height() / shown.Height());
        EXPECT_EQ(pixelAt(page, x, y), blocks[i].colour) << "block " << i << " at " << x << ", " << y;
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
