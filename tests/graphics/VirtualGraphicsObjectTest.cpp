#include "graphics/CAnimo.h"
#include "graphics/CCanvas.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/CVirtualGraphicsObject.h"

#include "AnimationWorld.h"
#include "RasterMaker.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr uint16_t kWhite = 0xFFFF;
// Black blended over white at alpha 128: each channel keeps 127/256 of its white.
constexpr uint16_t kHalfGrey = 15 << 11 | 31 << 5 | 15;

// A source that counts how often it is refreshed.
class CountedSource : public CGraphicsObject {
public:
    CountedSource()
        : CGraphicsObject(nullptr, CXSize(4, 4), 16)
    {
    }
    void Redraw() override { ++refreshes; }
    int refreshes = 0;
};

using Size = std::pair<int, int>;

Size sizeOf(CGraphicsObject& object)
{
    return {object.Width(), object.Height()};
}

// The pixels that the object draws onto a white destination of that size.
std::vector<uint16_t> drawn(CVirtualGraphicsObject& object, int width, int height)
{
    auto destination = makeFilled(width, height, 16, kWhite);
    object.redraw(destination.get());
    return wordsOf(*destination);
}

} // namespace

TEST(VirtualGraphics, TheMasksAlphaCopiesBlendsOrLeavesEachPixel)
{
    auto source = makeFilled(4, 2, 16, 0x0000);
    // Alpha bands 0, 128, 255; the mask is narrower and higher than the source.
    auto mask = makeRaster(3, 3, 16, {}, {0, 128, 255, 0, 128, 255, 0, 128, 255});
    CVirtualGraphicsObject object(nullptr);
    object.setSource(source.get());
    object.setMask(mask.get());
    EXPECT_EQ(sizeOf(object), Size(3, 3));
    EXPECT_EQ(drawn(object, 4, 3), (std::vector<uint16_t>{kWhite, kHalfGrey, 0x0000, kWhite, kWhite, kHalfGrey, 0x0000,
                                                           kWhite, kWhite, kWhite, kWhite, kWhite}));
    // The mask decides the hit test too; without an alpha plane a mask is opaque.
    EXPECT_FALSE(object.testHit(CXPoint(0, 0)));
    EXPECT_TRUE(object.testHit(CXPoint(1, 1)));
    auto opaque = makeFilled(2, 1, 16, 0);
    object.setMask(opaque.get());
    EXPECT_EQ(drawn(object, 3, 1), (std::vector<uint16_t>{0x0000, 0x0000, kWhite}));
    EXPECT_TRUE(object.testHit(CXPoint(0, 0)));
}

TEST(VirtualGraphics, TheMasksPlaceChoosesThePartAndTheObjectsPlaceWhereItShows)
{
    auto source = makeRaster(4, 1, 16, {1, 2, 3, 4});
    auto mask = makeRaster(2, 1, 16, {}, {255, 255});
    CVirtualGraphicsObject object(nullptr);
    object.setSource(source.get());
    object.setMask(mask.get());
    EXPECT_EQ(drawn(object, 3, 1), (std::vector<uint16_t>{1, 2, kWhite}));
    mask->SetPosition(2, 0);
    EXPECT_EQ(drawn(object, 3, 1), (std::vector<uint16_t>{3, 4, kWhite}));
    object.SetPosition(1, 0);
    EXPECT_EQ(drawn(object, 3, 1), (std::vector<uint16_t>{kWhite, 3, 4}));
    // Pixels outside the source or the destination are passed by.
    mask->SetPosition(3, 0);
    EXPECT_EQ(drawn(object, 2, 1), (std::vector<uint16_t>{kWhite, 4}));
}

TEST(VirtualGraphics, ADestroyedSourceOrMaskIsForgotten)
{
    auto source = makeFilled(3, 1, 16, 0x1234);
    auto mask = makeRaster(2, 1, 16, {}, {255, 255});
    CVirtualGraphicsObject object(nullptr);
    object.setSource(source.get());
    object.setMask(mask.get());
    source.reset();
    EXPECT_EQ(object.getSource(), nullptr);
    EXPECT_EQ(drawn(object, 2, 1), (std::vector<uint16_t>{kWhite, kWhite}));
    mask.reset();
    EXPECT_EQ(object.getMask(), nullptr);
    EXPECT_EQ(sizeOf(object), Size(0, 0));
}

TEST(VirtualGraphics, AnAnimationLendsTheFrameItShowsAndTakesItAlongWhenItGoes)
{
    auto source = makeFilled(4, 4, 16, 0x0000);
    auto animation = std::make_unique<CAnimo>(nullptr);
    animation->AddFrame(makeRaster(2, 2, 16, {}, {255, 255, 255, 255}).get());
    animation->AddFrame(makeRaster(3, 3, 16, {}, std::vector<uint8_t>(9, 255)).get());
    animation->SetFrame(0);
    CVirtualGraphicsObject object(nullptr);
    object.setSource(source.get());
    object.setAnimoMask(animation.get());
    animation->SetFrame(1);
    EXPECT_EQ(sizeOf(object), Size(2, 2));
    EXPECT_EQ(drawn(object, 3, 1), (std::vector<uint16_t>{0x0000, 0x0000, kWhite}));
    animation.reset();
    EXPECT_EQ(object.getMask(), nullptr);
    EXPECT_EQ(sizeOf(object), Size(4, 4));
}

TEST(VirtualGraphics, ASourceThatDrawsTheObjectIsRefused)
{
    auto source = makeFilled(2, 2, 16, 0);
    CVirtualGraphicsObject first(nullptr);
    CVirtualGraphicsObject second(nullptr);
    EXPECT_TRUE(first.setSource(&second));
    EXPECT_FALSE(second.setSource(&first));
    EXPECT_FALSE(first.setSource(&first));
    CCanvas canvas(nullptr, CXSize(8, 8), 16, false, false);
    canvas.add(&second, 0);
    EXPECT_FALSE(second.setSource(&canvas));
    EXPECT_TRUE(second.setSource(source.get()));
    EXPECT_EQ(first.getSource(), &second);
}

TEST(VirtualGraphics, ACopySharesSourceAndMaskAndStandsAlike)
{
    auto source = makeRaster(2, 1, 16, {5, 6});
    auto mask = makeRaster(2, 1, 16, {}, {255, 0});
    CVirtualGraphicsObject object(nullptr);
    object.setSource(source.get());
    object.setMask(mask.get());
    object.SetPosition(1, 0);
    std::unique_ptr<CVirtualGraphicsObject> copy(object.clone());
    EXPECT_EQ(copy->getSource(), source.get());
    EXPECT_EQ(copy->getMask(), mask.get());
    EXPECT_EQ(copy->GetPosition(), CXPoint(1, 0));
    EXPECT_EQ(drawn(*copy, 3, 1), (std::vector<uint16_t>{kWhite, 5, kWhite}));
}

TEST(VirtualGraphics, ASourceThatDrawsNowhereIsRefreshedOncePerScreenFrame)
{
    ScreenWorld world;
    CountedSource source;
    CVirtualGraphicsObject first(world.window());
    CVirtualGraphicsObject second(world.window());
    for (CVirtualGraphicsObject* object : {&first, &second}) {
        object->setSource(&source);
        world.screen()->put(object, 0);
    }
    world.frame(10);
    EXPECT_EQ(source.refreshes, 1);
    world.screen()->Invalidate(static_cast<CXRect*>(nullptr));
    world.frame(10);
    EXPECT_EQ(source.refreshes, 2);
}
