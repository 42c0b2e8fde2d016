#include "foundation/CLZWCompression2.h"
#include "foundation/CRLECompression.h"
#include "graphics/CGraphicsObject.h"

#include "RasterMaker.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A 4 × 3 16-bit raster with runs and single pixels, and a soft alpha plane.
std::unique_ptr<CGraphicsObject> sampleRaster(bool withAlpha)
{
    std::vector<uint16_t> pixels {7, 7, 7, 7, 1, 2, 3, 4, 0xF800, 0xF800, 0x07E0, 0x001F};
    std::vector<uint8_t> alpha {0, 0, 0, 0, 255, 255, 128, 64, 1, 2, 3, 4};
    return makeRaster(4, 3, 16, pixels, withAlpha ? alpha : std::vector<uint8_t>{});
}

std::vector<char> lzoBlock(const void* data, size_t size)
{
    std::vector<char> input(static_cast<const char*>(data), static_cast<const char*>(data) + size);
    CLZWCompression2 codec(input.data(), static_cast<int>(input.size()));
    int packed = 0;
    std::unique_ptr<char[]> block(codec.compress(packed));
    return std::vector<char>(block.get(), block.get() + packed + CLZWCompression2::kHeaderBytes);
}

// Gives a raster planes as a file would hold them, through the raster's own reader entry.
class StoredRaster : public CGraphicsObject {
public:
    StoredRaster(int width, int height, int bpp)
        : CGraphicsObject(nullptr)
    {
        width_ = width;
        height_ = height;
        bpp_ = bpp;
    }
    void store(const std::vector<char>& colour, const std::vector<char>& alpha, _compression code)
    {
        setStoredPlanes(copyPlane(colour.data(), colour.size()), static_cast<int>(colour.size()),
                        copyPlane(alpha.data(), alpha.size()), static_cast<int>(alpha.size()), code);
    }
};

} // namespace

TEST(Packing, RunLengthRoundTripKeepsThePackedPlanesAside)
{
    for (bool withAlpha : {false, true}) {
        SCOPED_TRACE(withAlpha);
        auto raster = sampleRaster(withAlpha);
        const auto pixels = wordsOf(*raster);
        const auto alpha = alphaOf(*raster);
        raster->Compress(COMPRESSION_RLE);
        ASSERT_EQ(raster->GetCompression(), COMPRESSION_RLE);
        EXPECT_LT(raster->GetPackedSize(), 24);
        EXPECT_EQ(raster->GetAlphaSize() == 0, !withAlpha);
        EXPECT_EQ(raster->GetPixel(1, 1), CColor(0, 0, 0)) << "a packed raster answers black";
        const char* packed = raster->GetDataPtr();

        raster->DeCompressRLE2();
        ASSERT_EQ(raster->GetCompression(), COMPRESSION_NONE);
        EXPECT_EQ(wordsOf(*raster), pixels);
        EXPECT_EQ(alphaOf(*raster), alpha);
        EXPECT_EQ(raster->GetAlphaSize(), withAlpha ? 12 : 0);

        raster->bringBackCompressed();
        EXPECT_EQ(raster->GetCompression(), COMPRESSION_RLE);
        EXPECT_EQ(raster->GetDataPtr(), packed);

        // unpack() keeps the raster unpacked through bringBackCompressed; pack() ends that.
        raster->unpack();
        raster->bringBackCompressed();
        EXPECT_EQ(raster->GetCompression(), COMPRESSION_NONE);
        raster->pack(true);
        EXPECT_EQ(raster->GetCompression(), COMPRESSION_RLE);
        EXPECT_EQ(raster->GetDataPtr(), packed);
    }
}

TEST(Packing, PackRestoresThePlanesAsTheyWereBeforeUnpacking)
{
    auto raster = sampleRaster(true);
    const auto pixels = wordsOf(*raster);
    raster->Compress(COMPRESSION_RLE);
    raster->unpack();
    raster->InvertColors();
    raster->SetBpp(15);
    raster->InvertColors();
    raster->pack(true);
    raster->DeCompressRLE2();
    EXPECT_EQ(raster->GetBpp(), 16);
    EXPECT_EQ(wordsOf(*raster), pixels);
}

TEST(Packing, OddTwentyFourBitPlanesPackAndUnpackWhole)
{
    CGraphicsObject raster(nullptr, CXSize(3, 1), 24);
    const char bytes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    std::memcpy(raster.GetDataPtr(), bytes, 9);
    raster.Compress(COMPRESSION_RLE);
    raster.DeCompressRLE2();
    ASSERT_EQ(raster.GetCompression(), COMPRESSION_NONE);
    EXPECT_EQ(std::memcmp(raster.GetDataPtr(), bytes, 9), 0);
}

TEST(Packing, OtherCodesOnlyRefreshTheSizes)
{
    auto raster = sampleRaster(false);
    const char* plane = raster->GetDataPtr();
    raster->Compress(COMPRESSION_LZO);
    EXPECT_EQ(raster->GetCompression(), COMPRESSION_NONE);
    EXPECT_EQ(raster->GetPackedSize(), 24);
    EXPECT_EQ(raster->GetDataPtr(), plane);
}

TEST(Packing, LzoOverRunLengthUnpacksInTwoSteps)
{
    auto source = sampleRaster(true);
    const auto pixels = wordsOf(*source);
    const auto alpha = alphaOf(*source);
    source->Compress(COMPRESSION_RLE);
    StoredRaster raster(4, 3, 16);
    raster.store(lzoBlock(source->GetDataPtr(), static_cast<size_t>(source->GetPackedSize())),
                 lzoBlock(source->GetAlphaPtr(), static_cast<size_t>(source->GetAlphaSize())), COMPRESSION_LZO_RLE);

    raster.DeCompress();
    EXPECT_EQ(raster.GetCompression(), COMPRESSION_RLE);
    EXPECT_EQ(raster.GetPackedSize(), source->GetPackedSize());
    raster.DeCompressRLE2();
    EXPECT_EQ(raster.GetCompression(), COMPRESSION_NONE);
    EXPECT_EQ(wordsOf(raster), pixels);
    EXPECT_EQ(alphaOf(raster), alpha);
}

TEST(Packing, PlanesThatDoNotUnpackToTheSizeLeaveAnEmptyRaster)
{
    const std::vector<char> rightColour(24, 1);
    const std::vector<char> rightAlpha(12, 2);
    std::vector<char> cut = lzoBlock(rightColour.data(), 24);
    cut.pop_back();
    struct Case {
        const char* name;
        std::vector<char> colour;
        std::vector<char> alpha;
        _compression code;
    };
    const Case cases[] = {
        {"LZO colour one pixel short", lzoBlock(rightColour.data(), 22), {}, COMPRESSION_LZO},
        {"LZO alpha one byte long", lzoBlock(rightColour.data(), 24), lzoBlock(rightAlpha.data(), 11), COMPRESSION_LZO},
        {"LZO block cut", cut, {}, COMPRESSION_LZO},
        {"not LZO at all", std::vector<char>(24, 'x'), {}, COMPRESSION_LZO},
        {"JPEG of garbage", std::vector<char>(24, 'x'), {}, COMPRESSION_JPEG},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StoredRaster raster(4, 3, 16);
        raster.store(c.colour, c.alpha, c.code);
        raster.DeCompress();
        EXPECT_EQ(raster.LastError(), CGraphicsObject::ERROR_FORMAT);
        EXPECT_EQ(raster.GetDataPtr(), nullptr);
        EXPECT_EQ(raster.Width() + raster.Height(), 0);
        EXPECT_FALSE(raster.isPacked());
    }
    StoredRaster damaged(4, 3, 16);
    damaged.store({char(0x85), 7}, {}, COMPRESSION_RLE);
    damaged.DeCompressRLE2();
    EXPECT_EQ(damaged.LastError(), CGraphicsObject::ERROR_FORMAT);
    EXPECT_EQ(damaged.GetDataPtr(), nullptr);
}

TEST(Packing, RewritesOfAPackedRasterPackTheNewPixels)
{
    auto reference = sampleRaster(true);
    reference->FlipH();
    reference->FlipV();
    auto raster = sampleRaster(true);
    raster->Compress(COMPRESSION_RLE);
    raster->FlipH();
    raster->FlipV();
    EXPECT_EQ(raster->GetCompression(), COMPRESSION_RLE);
    EXPECT_TRUE(raster->isFlippedH() && raster->isFlippedV());
    raster->DeCompressRLE2();
    EXPECT_EQ(wordsOf(*raster), wordsOf(*reference));
    EXPECT_EQ(alphaOf(*raster), alphaOf(*reference));
}

TEST(Packing, PackedRastersAreReadForAlphaCopiedAndDrawnUnpacked)
{
    auto raster = sampleRaster(true);
    const auto pixels = wordsOf(*raster);
    raster->Compress(COMPRESSION_RLE);
    EXPECT_EQ(raster->GetPixel(CHANNEL_ALPHA, CXPoint(2, 1)), 128);

    CGraphicsObject copy(nullptr);
    copy.Copy(raster.get());
    EXPECT_EQ(raster->GetCompression(), COMPRESSION_RLE);
    EXPECT_EQ(wordsOf(copy), pixels);

    raster->setAlphaAsMask(true);
    auto screen = makeFilled(6, 5, 16, 0x1234);
    raster->SetPosition(1, 1);
    raster->redraw(screen.get());
    EXPECT_EQ(raster->GetCompression(), COMPRESSION_RLE);
    EXPECT_EQ(screen->GetPixel(1, 1), CColor(0x1234, CM_16BIT)) << "alpha 0 leaves the target";
    EXPECT_EQ(screen->GetPixel(1, 2), CColor(static_cast<short>(pixels[4]), CM_16BIT));
}

TEST(Packing, PixelOperationsLeaveAPackedRasterAlone)
{
    const std::vector<std::pair<const char*, std::function<void(CGraphicsObject&, CGraphicsObject&)>>> operations = {
        {"SetPixel", [](CGraphicsObject& r, CGraphicsObject&) { r.SetPixel(3, 2, CColor(1, 2, 3)); }},
        {"Fill", [](CGraphicsObject& r, CGraphicsObject&) { CColor c(1, 2, 3); r.Fill(&c); }},
        {"Fill rect", [](CGraphicsObject& r, CGraphicsObject&) { CColor c(1, 2, 3); r.Fill(CXRect(0, 0, 4, 3), &c); }},
        {"putPixel", [](CGraphicsObject& r, CGraphicsObject&) { r.putPixel(3, 2, 5, 128, false); }},
        {"InvertColors", [](CGraphicsObject& r, CGraphicsObject&) { r.SetBpp(15); r.InvertColors(); r.SetBpp(16); }},
        {"ToGrayScale", [](CGraphicsObject& r, CGraphicsObject&) { r.ToGrayScale(); }},
        {"outline", [](CGraphicsObject& r, CGraphicsObject&) { r.outline(5, 2); }},
        {"crop", [](CGraphicsObject& r, CGraphicsObject&) { r.crop(CXRect(1, 1, 3, 3)); }},
        {"Scale", [](CGraphicsObject& r, CGraphicsObject&) { r.Scale(2.0, 2.0); }},
        {"Scale2x", [](CGraphicsObject& r, CGraphicsObject&) { r.Scale2x(); }},
        {"Convert", [](CGraphicsObject& r, CGraphicsObject&) { r.Convert(15); }},
        {"mergeAlpha", [](CGraphicsObject& r, CGraphicsObject& m) { r.mergeAlpha(CXPoint(0, 0), &m); }},
        {"mergeAlpha into", [](CGraphicsObject& r, CGraphicsObject& m) { m.mergeAlpha(CXPoint(0, 0), &r); }},
        {"mergeAlpha2", [](CGraphicsObject& r, CGraphicsObject& m) { r.mergeAlpha2(CXPoint(0, 0), &m, true); }},
        {"displacement", [](CGraphicsObject& r, CGraphicsObject&) {
             std::vector<CXPoint> offsets(12, CXPoint(1, 1));
             r.displacementFilter(offsets.data(), true, true);
         }},
        {"flood fill", [](CGraphicsObject& r, CGraphicsObject&) {
             std::vector<char> target(24);
             std::vector<_floodfill> spans(12);
             r.PrepareFloodFill(CXPoint(0, 0), CColor(1, 2, 3), target.data(), spans.data());
         }},
        {"child snapshot", [](CGraphicsObject& r, CGraphicsObject& m) { r.addObject(&m, 0); r.Redraw(); r.removeObject(&m); }},
    };
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        auto raster = sampleRaster(true);
        auto mask = sampleRaster(true);
        raster->Compress(COMPRESSION_RLE);
        const std::vector<char> packed(raster->GetDataPtr(), raster->GetDataPtr() + raster->GetPackedSize());
        operation(*raster, *mask);
        ASSERT_EQ(raster->GetCompression(), COMPRESSION_RLE);
        EXPECT_EQ(raster->getRect(), CXRect(0, 0, 4, 3));
        EXPECT_EQ(std::vector<char>(raster->GetDataPtr(), raster->GetDataPtr() + raster->GetPackedSize()), packed);
    }
}
