#include "sample/RgbCanvas.h"

#include "graphics/CGraphicsObject.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr Rgb kGround{0, 0, 0};
constexpr Rgb kInk{255, 255, 255};

Rgb pixelOf(const RgbCanvas& canvas, int x, int y)
{
    const uint8_t* pixel = canvas.image().row(y) + static_cast<size_t>(x) * 3;
    return {pixel[0], pixel[1], pixel[2]};
}

// The canvas as rows of '#' (ink) and '.' (ground); '?' for any other colour, a blend.
std::vector<std::string> artOf(const RgbCanvas& canvas)
{
    std::vector<std::string> rows;
    for (int y = 0; y < canvas.image().height; ++y) {
        std::string row;
        for (int x = 0; x < canvas.image().width; ++x) {
            const Rgb pixel = pixelOf(canvas, x, y);
            row += pixel == kInk ? '#' : pixel == kGround ? '.' : '?';
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(RgbCanvas, EachShapeInksThePixelsWhoseCentresItCoversOutlineIncludedAndNoOthers)
{
    struct Case {
        const char* shape;
        std::function<void(RgbCanvas&)> draw;
        std::vector<std::string> art;
    };
    const Case cases[] = {
        {"circle", [](RgbCanvas& c) { c.fillCircle({4, 3}, 3, kInk); },
         {"....#....", "..#####..", "..#####..", ".#######.", "..#####..", "..#####..", "....#...."}},
        {"round rectangle", [](RgbCanvas& c) { c.fillRoundRectangle({1, 1}, {8, 5}, 2, kInk); },
         {"..........", "...####...", "..######..", ".########.", "..######..", "...####...", ".........."}},
        {"frame", [](RgbCanvas& c) { c.frameRectangle({1, 0}, {7, 4}, 2, kInk); },
         {".#######.", ".#######.", ".##...##.", ".#######.", ".#######."}},
        {"dome, the ellipse's upper half", [](RgbCanvas& c) { c.fillDome({4, 3}, 4, 2, kInk); },
         {".........", "....#....", ".#######.", "#########", "........."}},
        {"triangle", [](RgbCanvas& c) { c.fillPolygon({{1, 1}, {7, 1}, {1, 5}}, kInk); },
         {".........", ".#######.", ".#####...", ".####....", ".##......", ".#.......", "........."}},
        // The hills' kind of polygon: hollow above, its bottom and right edges on the canvas's own.
        {"hollow polygon", [](RgbCanvas& c) { c.fillPolygon({{0, 4}, {0, 0}, {4, 3}, {8, 0}, {8, 4}}, kInk); },
         {"#.......#", "##.....##", "###...###", "#########", "#########"}},
        {"point", [](RgbCanvas& c) { c.setPixel({1, 1}, kInk); }, {"...", ".#.", "..."}},
        {"shapes beyond the canvas",
         [](RgbCanvas& c) {
             c.fillCircle({0, 0}, 2, kInk);
             c.fillRectangle({3, 1}, {9, 9}, kInk);
             c.setPixel({-1, 2}, kInk);
             c.setPixel({4, 0}, kInk);
             c.fillPolygon({{-5, 2}, {1, 2}, {-5, 8}}, kInk);
         },
         {"###.", "##.#", "##.#"}},
        {"no corners", [](RgbCanvas& c) { c.fillPolygon({}, kInk); }, {"...", "..."}},
    };
    for (const Case& c : cases) {
        RgbCanvas canvas(static_cast<int>(c.art.front().size()), static_cast<int>(c.art.size()), kGround);
        c.draw(canvas);
        EXPECT_EQ(artOf(canvas), c.art) << c.shape;
    }
}

TEST(RgbCanvas, AGradientGoesRowByRowFromTheTopColourToTheBottomOneCutToWholeLevels)
{
    const Rgb top{0, 100, 255};
    const Rgb bottom{255, 0, 4};
    RgbCanvas canvas(3, 5, kGround);
    canvas.fillVerticalGradient(top, bottom);
    const Rgb rows[] = {top, {63, 75, 192}, {127, 50, 129}, {191, 25, 66}, bottom};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(pixelOf(canvas, x, y), rows[y]) << x << ", " << y;

    RgbCanvas oneRow(2, 1, kGround);
    oneRow.fillVerticalGradient(top, bottom);
    EXPECT_EQ(pixelOf(oneRow, 1, 0), top);
}

TEST(RgbCanvas, ItsPictureHoldsItsPixelsAtTheScreensSixteenBits)
{
    RgbCanvas canvas(2, 3, Rgb::hex(0xffe39a));
    canvas.setPixel({1, 2}, Rgb::hex(0x0f2636));
    const std::unique_ptr<CGraphicsObject> picture = canvas.picture();
    ASSERT_EQ(picture->GetBpp(), 16);
    ASSERT_EQ(picture->Width(), 2);
    ASSERT_EQ(picture->Height(), 3);
    const auto* words = reinterpret_cast<const uint16_t*>(picture->GetDataPtr());
    EXPECT_EQ(words[0], 0xFF13);
    EXPECT_EQ(words[5], 0x0926);
}
