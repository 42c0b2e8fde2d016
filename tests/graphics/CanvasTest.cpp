#include "graphics/CCanvas.h"
#include "graphics/CDirectDrawSurface.h"

#include "AnimationWorld.h"
#include "RasterMaker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr uint16_t kBlue = 0x001F;
constexpr uint16_t kRed = 0xF800;
constexpr uint16_t kGreen = 0x07E0;
constexpr uint16_t kWhite = 0xFFFF;

// Pixels 0 to 11 of a shown row.
std::vector<uint16_t> shownRow(ScreenWorld& world, int y)
{
    std::vector<uint16_t> row;
    for (int x = 0; x < 12; ++x)
        row.push_back(world.pixel(x, y));
    return row;
}

// A shown row: the background, then from x = 2 the canvas's pixels as given.
std::vector<uint16_t> rowWith(std::vector<uint16_t> canvas)
{
    std::vector<uint16_t> row(12, kBlue);
    std::copy(canvas.begin(), canvas.end(), row.begin() + 2);
    return row;
}

// A filled raster of the window at (x, y).
std::unique_ptr<CGraphicsObject> child(CWindow* window, int width, int height, uint16_t word, int x, int y)
{
    auto raster = std::make_unique<CGraphicsObject>(window, CXSize(width, height), 16);
    std::fill_n(reinterpret_cast<uint16_t*>(raster->GetDataPtr()), width * height, word);
    raster->SetPosition(x, y);
    return raster;
}

// Counts what a canvas reports to those who watch it, as a canvas it stands on would hear.
struct InvalidationCount : CInvalidateObserver {
    void onInvalidate(CGraphicsObject*, CXRect*) override { ++count; }
    void onDestroy(CGraphicsObject*) override {}
    int count = 0;
};

class CanvasOnScreen : public ::testing::Test {
protected:
    CanvasOnScreen()
    {
        CColor blue(0, 0, 248);
        world.window()->SetBackground(&blue);
    }

    ScreenWorld world;
};

} // namespace

TEST_F(CanvasOnScreen, ComposesWithinItsClipStampsAndBakesItsBackground)
{
    // An opaque 8 × 3 canvas at (2, 1): red 3 × 3 at (1, 0) under green 2 × 2 at (3, 1).
    CCanvas canvas(world.window(), CXSize(8, 3), 16, false, true);
    canvas.SetPosition(2, 1);
    auto red = child(world.window(), 3, 3, kRed, 1, 0);
    auto green = child(world.window(), 2, 2, kGreen, 3, 1);
    canvas.add(green.get(), 2);
    canvas.add(red.get(), 0);
    canvas.add(red.get(), 5);
    world.screen()->put(&canvas, 0);

    // The clip: what lies wholly outside is not drawn, what lies partly inside only inside.
    canvas.SetClippingRect(CXRect(0, 0, 4, 3));
    world.frame(10);
    EXPECT_EQ(shownRow(world, 1), rowWith({0, kRed, kRed, kRed}));
    EXPECT_EQ(shownRow(world, 2), rowWith({0, kRed, kRed, kGreen}));
    EXPECT_EQ(green->GetClippingRect(), CXRect());
    EXPECT_EQ(green->GetDestiny(), &canvas);

    canvas.SetClippingRect(CXRect());
    canvas.Invalidate();
    world.frame(10);
    EXPECT_EQ(shownRow(world, 2), rowWith({0, kRed, kRed, kGreen, kGreen, 0, 0, 0}));
    EXPECT_EQ(shownRow(world, 3), rowWith({0, kRed, kRed, kGreen, kGreen, 0, 0, 0}));

    // A stamp stays in the background; the screen repaints only its rectangle.
    auto stamp = child(world.window(), 2, 1, kWhite, 40, 40);
    stamp->SetClippingRect(CXRect(0, 0, 1, 1));
    canvas.draw(stamp.get(), 6, 2);
    EXPECT_EQ(world.dirty(), (std::vector<CXRect>{{8, 3, 10, 4}}));
    EXPECT_EQ(stamp->GetPosition(), CXPoint(40, 40));
    EXPECT_EQ(stamp->GetClippingRect(), CXRect(0, 0, 1, 1));
    world.frame(10);
    EXPECT_EQ(world.display().lastPresented(), (std::vector<platform::Rect>{{8, 3, 10, 4}}));
    EXPECT_EQ(shownRow(world, 3), rowWith({0, kRed, kRed, kGreen, kGreen, 0, kWhite, kWhite}));

    // Capture bakes the composition in: the objects leave, the picture stays.
    canvas.capture();
    EXPECT_EQ(red->GetDestiny(), world.window()->GetSurface());
    red->Move(0, 1);
    canvas.Invalidate();
    world.frame(10);
    EXPECT_EQ(shownRow(world, 1), rowWith({0, kRed, kRed, kRed, 0, 0, 0, 0}));
    EXPECT_EQ(shownRow(world, 3), rowWith({0, kRed, kRed, kGreen, kGreen, 0, kWhite, kWhite}));
    EXPECT_EQ(canvas.GetDestiny(), world.window()->GetSurface());
    EXPECT_EQ(canvas.GetPosition(), CXPoint(2, 1));
}

TEST_F(CanvasOnScreen, AnEraserTakesItsAlphaOffAlignedWherePartlyOutside)
{
    CCanvas canvas(world.window(), CXSize(4, 2), 16, true, true);
    canvas.SetPosition(2, 1);
    CGraphicsObject* background = canvas.getBackground();
    std::fill_n(reinterpret_cast<uint16_t*>(background->GetDataPtr()), 8, kRed);
    std::fill_n(background->GetAlphaPtr(), 8, 60);
    world.screen()->put(&canvas, 0);
    world.frame(10);
    // The canvas's own alpha comes from each redraw; set here, it shows what the eraser takes.
    std::fill_n(canvas.GetAlphaPtr(), 8, 60);

    // The eraser's left column lies outside: its right column meets the canvas's first.
    auto eraser = makeRaster(2, 2, 16, {0, 0, 0, 0}, {255, 100, 255, 30});
    canvas.erase(eraser.get(), -1, 0);
    const std::vector<uint8_t> erased{0, 60, 60, 60, 30, 60, 60, 60};
    EXPECT_EQ(alphaOf(canvas), erased);
    EXPECT_EQ(alphaOf(*background), erased);
    EXPECT_EQ(world.dirty(), (std::vector<CXRect>{{2, 1, 3, 3}}));
    // Fully transparent in the background, the canvas shows the screen there.
    world.frame(10);
    EXPECT_EQ(world.pixel(2, 1), kBlue);
    EXPECT_NE(world.pixel(2, 2), kBlue);

    // Without alpha planes, or with an eraser placed wholly outside, nothing changes.
    canvas.erase(makeFilled(2, 2, 16, 0).get(), 0, 0);
    canvas.erase(eraser.get(), 4, 0);
    canvas.erase(eraser.get(), -2, -2);
    EXPECT_EQ(alphaOf(*background), erased);
}

TEST_F(CanvasOnScreen, ElevenChildInvalidationsInAFrameGiveNineRectanglesThenTheCanvasOnce)
{
    CCanvas canvas(world.window(), CXSize(100, 20), 16, false, false);
    canvas.SetPosition(10, 10);
    world.screen()->put(&canvas, 0);
    std::vector<std::unique_ptr<CGraphicsObject>> children;
    for (int i = 0; i < 11; ++i) {
        children.push_back(child(world.window(), 2, 2, kRed, 8 * i, 4));
        canvas.add(children.back().get(), 0);
    }
    world.frame(10);
    InvalidationCount parent;
    canvas.addInvalidateObserver(&parent);

    std::vector<CXRect> expected;
    for (int i = 0; i < 9; ++i) {
        children[static_cast<size_t>(i)]->Invalidate();
        expected.push_back(CXRect(10 + 8 * i, 14, 12 + 8 * i, 16));
    }
    EXPECT_EQ(world.dirty(), expected);
    EXPECT_EQ(parent.count, 0);
    children[9]->Invalidate();
    children[10]->Invalidate();
    EXPECT_EQ(parent.count, 1);
    EXPECT_TRUE(canvas.isMarkedInvalidated());
    int area = 0;
    for (const CXRect& r : world.dirty())
        area += r.Width() * r.Height();
    EXPECT_EQ(area, 100 * 20);

    // The canvas's redraw starts the count again.
    world.frame(10);
    children[0]->Invalidate();
    EXPECT_EQ(world.dirty(), (std::vector<CXRect>{{10, 14, 12, 16}}));
    canvas.removeInvalidateObserver(&parent);
}

TEST(Canvas, WhatNeedsABackgroundOrAlphaDoesNothingWithout)
{
    CCanvas bare(nullptr, CXSize(4, 2), 16, false, false);
    auto object = makeRaster(2, 2, 16, {kRed, kRed, kRed, kRed}, {255, 255, 255, 255});
    bare.capture();
    bare.draw(object.get(), 0, 0);
    bare.erase(object.get(), 0, 0);
    bare.removeAll();
    EXPECT_EQ(bare.getBackground(), nullptr);
    EXPECT_FALSE(bare.holds(object.get()));
    EXPECT_EQ(wordsOf(bare), std::vector<uint16_t>(8, 0));

    // A clip reaching past the canvas clears the canvas's part only.
    CCanvas canvas(nullptr, CXSize(4, 2), 16, true, true);
    std::fill_n(reinterpret_cast<uint16_t*>(canvas.GetDataPtr()), 8, kRed);
    std::fill_n(canvas.GetAlphaPtr(), 8, 9);
    canvas.SetClippingRect(CXRect(2, -5, 100, 100));
    canvas.clear(true);
    EXPECT_EQ(wordsOf(canvas), (std::vector<uint16_t>{kRed, kRed, 0, 0, kRed, kRed, 0, 0}));
    EXPECT_EQ(alphaOf(canvas), (std::vector<uint8_t>{9, 9, 0, 0, 9, 9, 0, 0}));
}

TEST(Canvas, ObjectsComeAndGoOnceAndNeverInACircle)
{
    CCanvas outer(nullptr, CXSize(8, 8), 16, false, true);
    CCanvas inner(nullptr, CXSize(4, 4), 16, false, false);
    auto object = makeFilled(2, 2, 16, kRed);
    CGraphicsObject* background = outer.getBackground();

    outer.add(&outer, 0);
    outer.add(&inner, 1);
    inner.add(object.get(), 0);
    inner.add(&outer, 2);
    EXPECT_TRUE(outer.holds(object.get()));
    EXPECT_FALSE(inner.holds(&outer));
    EXPECT_FALSE(outer.holds(&outer));

    // Leaving, the object draws to the screen again; a destroyed one leaves by itself.
    inner.remove(object.get());
    EXPECT_EQ(object->GetDestiny(), nullptr);
    {
        auto shortLived = makeFilled(1, 1, 16, kRed);
        inner.add(shortLived.get(), 0);
    }
    EXPECT_FALSE(inner.holds(object.get()));
    inner.add(object.get(), 0);

    // A copy has the same objects and a background of its own.
    std::unique_ptr<CCanvas> copy(outer.clone());
    EXPECT_NE(copy->getBackground(), nullptr);
    EXPECT_NE(copy->getBackground(), background);
    EXPECT_FALSE(copy->holds(background));
    EXPECT_TRUE(copy->holds(object.get()));

    // Removing all leaves the background alone; objects outliving the canvas are let go.
    outer.removeAll();
    EXPECT_TRUE(outer.holds(background));
    EXPECT_FALSE(outer.holds(&inner));
    copy.reset();
    EXPECT_EQ(inner.GetDestiny(), nullptr);
    inner.Invalidate();
}

TEST(Canvas, ACaptureWithAlphaPutsTheObjectsOverTheBackgroundsPicture)
{
    CCanvas canvas(nullptr, CXSize(4, 1), 16, true, true);
    CGraphicsObject* background = canvas.getBackground();
    std::fill_n(reinterpret_cast<uint16_t*>(background->GetDataPtr()), 4, kBlue);
    std::fill_n(background->GetAlphaPtr(), 4, 255);
    background->GetAlphaPtr()[3] = 0;
    auto object = makeFilled(1, 1, 16, kRed);
    object->SetPosition(1, 0);
    canvas.add(object.get(), 0);
    canvas.capture();
    EXPECT_EQ(wordsOf(*background), (std::vector<uint16_t>{kBlue, kRed, kBlue, kBlue}));
    EXPECT_EQ(alphaOf(*background), (std::vector<uint8_t>{255, 255, 255, 0}));
    EXPECT_FALSE(canvas.holds(object.get()));
    EXPECT_TRUE(canvas.holds(background));
}
