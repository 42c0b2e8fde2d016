#include "graphics/SmoothStretch.h"

#include "NoisePicture.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

// The red channel of one row.
std::vector<int> reds(const platform::RgbImage& image, int y)
{
    std::vector<int> values;
    for (int x = 0; x < image.width; ++x)
        values.push_back(image.row(y)[x * 3]);
    return values;
}

} // namespace

TEST(SmoothStretch, TheSameSizeCopiesAndOnlyThePlaceIsWritten)
{
    const platform::RgbImage source = noisePicture(37, 23, 7);
    platform::RgbImage target(50, 40, 77);
    stretchSmoothly(source, target, CXRect(5, 9, 42, 32));
    for (int y = 0; y < target.height; ++y)
        for (int x = 0; x < target.width; ++x)
            for (int c = 0; c < 3; ++c) {
                const bool inside = x >= 5 && x < 42 && y >= 9 && y < 32;
                ASSERT_EQ(target.row(y)[x * 3 + c], inside ? source.row(y - 9)[(x - 5) * 3 + c] : 77)
                    << x << ", " << y;
            }
}

TEST(SmoothStretch, FlatColoursStayExactAtAnyScale)
{
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{3300, 7}, std::pair{13, 2475}, std::pair{3, 2}}) {
        platform::RgbImage source(40, 30, 0);
        for (size_t i = 0; i < source.pixels.size(); i += 3) {
            source.pixels[i] = 231;
            source.pixels[i + 1] = 1;
            source.pixels[i + 2] = 130;
        }
        platform::RgbImage target(width, height, 0);
        stretchSmoothly(source, target, CXRect(0, 0, width, height));
        for (size_t i = 0; i < target.pixels.size(); i += 3)
            ASSERT_EQ((std::vector<int>{target.pixels[i], target.pixels[i + 1], target.pixels[i + 2]}),
                      (std::vector<int>{231, 1, 130}))
                << width << " x " << height;
    }
}

TEST(SmoothStretch, EnlargingBlendsNeighboursAndReducingAverages)
{
    platform::RgbImage edge(2, 1, 0);
    edge.row(0)[3] = 255;
    platform::RgbImage wide(8, 1, 0);
    stretchSmoothly(edge, wide, CXRect(0, 0, 8, 1));
    EXPECT_EQ(reds(wide, 0), (std::vector<int>{0, 0, 32, 96, 159, 223, 255, 255}));

    platform::RgbImage stripes(64, 64, 0);
    for (int y = 0; y < 64; ++y)
        for (int x = 1; x < 64; x += 2)
            std::fill_n(stripes.row(y) + x * 3, 3, 255);
    platform::RgbImage small(16, 16, 0);
    stretchSmoothly(stripes, small, CXRect(0, 0, 16, 16));
    // Away from the edges, where the filter is cut short, every pixel is the mean.
    for (int y = 0; y < 16; ++y) {
        const std::vector<int> row = reds(small, y);
        for (int x = 1; x < 15; ++x)
            EXPECT_NEAR(row[x], 128, 1) << x << ", " << y;
    }
}
