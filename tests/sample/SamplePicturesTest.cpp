#include "PngReader.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <string>

// The sample's pictures as the build drew them (sample/DrawPicture.cpp). Hard edges are what
// makes them, and the golden pictures of the sample's runs, the same on every machine: an
// antialiased edge is blended in a way that changes with the tool and its version.
TEST(SamplePictures, HaveHardEdgesEachRowHoldingOnlyItsGroundAndTheColoursOfItsShapes)
{
    struct Case {
        const char* picture;
        // The colours a row may hold: the ground's and the shapes'.
        size_t colours;
    };
    const Case cases[] = {
        {"Title", 3}, {"Name", 3}, {"Dawn", 3}, {"Noon", 4}, {"Dusk", 5}, {"Caret", 1},
        {"Start-standard", 2}, {"Start-onmove", 2}, {"Start-onclick", 2},
        {"Quit-standard", 2}, {"Quit-onmove", 2}, {"Quit-onclick", 2},
    };
    for (const Case& c : cases) {
        const std::string file = std::string(KESTRUM_SAMPLE_PICTURES) + "/" + c.picture + ".png";
        const std::optional<DecodedPng> png = readPngFile(file);
        ASSERT_TRUE(png.has_value()) << file;
        std::optional<int> firstBlended;
        int blended = 0;
        for (int y = 0; y < png->height; ++y) {
            std::set<std::array<uint8_t, 3>> colours;
            for (int x = 0; x < png->width; ++x) {
                const uint8_t* pixel = png->at(x, y);
                colours.insert({pixel[0], pixel[1], pixel[2]});
            }
            if (colours.size() > c.colours) {
                ++blended;
                firstBlended = firstBlended.value_or(y);
            }
        }
        EXPECT_EQ(blended, 0) << c.picture << ": rows with blended colours, the first " << firstBlended.value_or(-1);
    }
}
