#include "graphics/CImage.h"
#include "script/CMElement.h"

#include "ImgFixtures.h"
#include "JpegMaker.h"
#include "RasterMaker.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

// A 5 × 4 16-bit picture with runs and noise, and its alpha plane.
const std::vector<uint16_t> kPixels = [] {
    std::vector<uint16_t> words(20);
    TestNoise noise(7);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = i < 8 ? 0x1234 : static_cast<uint16_t>(noise.next());
    return words;
}();
const std::vector<uint8_t> kAlpha = {0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 1, 2, 3, 4, 5, 9, 9, 9, 9, 9};

std::string alphaBytes(const std::vector<uint8_t>& alpha = kAlpha)
{
    return std::string(alpha.begin(), alpha.end());
}

// The image read from bytes written to a file.
std::unique_ptr<CImage> loadBytes(const TempFolder& folder, const std::string& bytes, const char* name = "picture.img")
{
    auto image = std::make_unique<CImage>(nullptr);
    image->Load(folder.write(name, bytes).c_str(), false);
    return image;
}

// The pixels of a 16-bit image, unpacked first when it is held packed.
std::vector<uint16_t> unpackedWords(CGraphicsObject& image)
{
    image.DeCompressRLE2();
    return image.GetDataPtr() == nullptr ? std::vector<uint16_t>{} : wordsOf(image);
}

std::vector<uint16_t> part(const std::vector<uint16_t>& words, int width, CXRect r)
{
    std::vector<uint16_t> kept;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            kept.push_back(words[static_cast<size_t>(y) * width + x]);
    return kept;
}

std::vector<uint8_t> part(const std::vector<uint8_t>& bytes, int width, CXRect r)
{
    std::vector<uint8_t> kept;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            kept.push_back(bytes[static_cast<size_t>(y) * width + x]);
    return kept;
}

} // namespace

TEST(ImgFile, WrittenImagesReadBackEqual)
{
    TempFolder folder;
    for (_compression code : {COMPRESSION_NONE, COMPRESSION_RLE}) {
        for (bool withAlpha : {false, true}) {
            for (CXRect clip : {CXRect(), CXRect(1, 1, 4, 3), CXRect(-2, 2, 9, 9)}) {
                SCOPED_TRACE(testing::Message() << "code " << code << " alpha " << withAlpha << " clip " << clip.left);
                auto raster = makeRaster(5, 4, 16, kPixels, withAlpha ? kAlpha : std::vector<uint8_t>{});
                raster->SetPosition(30, -7);
                raster->SetClippingRect(clip);
                ASSERT_EQ(raster->Save(folder.file("saved.img").c_str(), code), 0);

                const std::string file = folder.read("saved.img");
                ASSERT_GE(file.size(), 40u);
                CByteReader header(file.data(), file.size());
                header.skip(24);
                EXPECT_EQ(header.u32(), static_cast<uint32_t>(code));

                CImage image(nullptr);
                ASSERT_EQ(image.Load(folder.file("saved.img").c_str(), false), 0);
                const CXRect kept = clip.IsEmpty() ? CXRect(0, 0, 5, 4) : clip.Common(CXRect(0, 0, 5, 4));
                EXPECT_EQ(image.getRect(), kept + CXPoint(30, -7));
                EXPECT_EQ(image.GetBpp(), 16);
                EXPECT_EQ(image.GetCompression(), code);
                EXPECT_EQ(unpackedWords(image), part(kPixels, 5, kept));
                EXPECT_EQ(alphaOf(image), withAlpha ? part(kAlpha, 5, kept) : std::vector<uint8_t>{});
            }
        }
    }
}

TEST(ImgFile, SavingWritesOnlyWhatReadsBack)
{
    TempFolder folder;
    auto raster = makeRaster(5, 4, 16, kPixels, kAlpha);
    // Codes the writer cannot produce are written unpacked.
    for (_compression code : {COMPRESSION_LZO, COMPRESSION_LZO_RLE, COMPRESSION_JPEG}) {
        ASSERT_EQ(raster->Save(folder.file("other.img").c_str(), code), 0);
        auto image = loadBytes(folder, folder.read("other.img"), "again.img");
        EXPECT_EQ(image->GetCompression(), COMPRESSION_NONE);
        EXPECT_EQ(wordsOf(*image), kPixels);
    }
    // A packed raster is saved from its pixels and stays packed.
    raster->Compress(COMPRESSION_RLE);
    ASSERT_EQ(raster->Save(folder.file("packed.img").c_str(), COMPRESSION_NONE), 0);
    EXPECT_EQ(raster->GetCompression(), COMPRESSION_RLE);
    EXPECT_EQ(wordsOf(*loadBytes(folder, folder.read("packed.img"))), kPixels);

    // Nothing to write, or nowhere to write it: an error, and the old file stays.
    folder.write("kept.img", "old");
    CGraphicsObject empty(nullptr);
    EXPECT_EQ(empty.Save(folder.file("kept.img").c_str(), COMPRESSION_NONE), CGraphicsObject::ERROR_FORMAT);
    EXPECT_EQ(folder.read("kept.img"), "old");
    EXPECT_EQ(raster->Save(folder.file("no/such/folder/x.img").c_str(), COMPRESSION_NONE), CGraphicsObject::ERROR_OPEN);
}

TEST(ImgFile, EveryFormLoadsItsPixels)
{
    TempFolder folder;
    const std::string colour = asBytes(kPixels);
    const std::string rle = [&] {
        auto raster = makeRaster(5, 4, 16, kPixels, kAlpha);
        raster->Compress(COMPRESSION_RLE);
        return std::string(raster->GetDataPtr(), static_cast<size_t>(raster->GetPackedSize())) + '|'
               + std::string(reinterpret_cast<char*>(raster->GetAlphaPtr()), static_cast<size_t>(raster->GetAlphaSize()));
    }();
    const std::string rleColour = rle.substr(0, rle.find('|'));
    const std::string rleAlpha = rle.substr(rle.find('|') + 1);
    struct Case {
        const char* name;
        std::string file;
        CXPoint position;
        bool withAlpha;
        _compression code;
    };
    const Case cases[] = {
        {"PIK raw", pikFile(5, 4, 16, 0, colour, alphaBytes(), 3, 4), {3, 4}, true, COMPRESSION_NONE},
        {"PIK depth flag 4", pikFile(5, 4, 4, 0, colour, "", -1, -2), {-1, -2}, false, COMPRESSION_NONE},
        {"PIK code 0 holding LZO", pikFile(5, 4, 16, 0, lzoBlockOf(colour), lzoBlockOf(alphaBytes())), {}, true,
         COMPRESSION_NONE},
        {"PIK LZO", pikFile(5, 4, 16, 2, lzoBlockOf(colour), ""), {}, false, COMPRESSION_NONE},
        {"PIK run-length", pikFile(5, 4, 16, 4, rleColour, rleAlpha), {}, true, COMPRESSION_RLE},
        {"PIK LZO over run-length", pikFile(5, 4, 16, 3, lzoBlockOf(rleColour), lzoBlockOf(rleAlpha)), {}, true,
         COMPRESSION_RLE},
        {"NVI raw", nviFile(5, 4, 16, 0, colour, alphaBytes(), 7, -8), {7, -8}, true, COMPRESSION_NONE},
        {"NVI LZW", nviFile(5, 4, 16, 2, lzwBlockOf(colour), lzwBlockOf(alphaBytes()), 1, 1), {1, 1}, true,
         COMPRESSION_NONE},
        {"legacy raw", legacyFile(5, 4, 4, true, colour, alphaBytes()), {}, true, COMPRESSION_NONE},
        {"legacy LZO", legacyFile(5, 4, 4, false, lzoBlockOf(colour), ""), {}, false, COMPRESSION_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto image = loadBytes(folder, c.file);
        ASSERT_EQ(image->LastError(), 0);
        EXPECT_EQ(image->getRect(), CXRect(0, 0, 5, 4) + c.position);
        EXPECT_EQ(image->GetBpp(), 16);
        EXPECT_EQ(image->GetCompression(), c.code);
        EXPECT_EQ(unpackedWords(*image), kPixels);
        EXPECT_EQ(alphaOf(*image), c.withAlpha ? kAlpha : std::vector<uint8_t>{});
    }
}

TEST(ImgFile, JpegPackedColourLoadsWithItsAlpha)
{
    TempFolder folder;
    const std::string jpeg = solidJpeg(5, 4, 0, 0, 255);
    auto image = loadBytes(folder, pikFile(5, 4, 16, 5, jpeg, lzoBlockOf(alphaBytes()), 2, 2));
    ASSERT_EQ(image->LastError(), 0);
    EXPECT_EQ(image->GetCompression(), COMPRESSION_NONE);
    EXPECT_EQ(wordsOf(*image), std::vector<uint16_t>(20, 0x001F));
    EXPECT_EQ(alphaOf(*image), kAlpha);

    // The JPEG's length comes from the header: bytes after it are not part of the picture.
    image = loadBytes(folder, pikFile(5, 4, 15, 5, jpeg + "tail", "", 0, 0, static_cast<int>(jpeg.size())));
    ASSERT_EQ(image->LastError(), 0);
    EXPECT_EQ(image->GetBpp(), 15);
    EXPECT_EQ(wordsOf(*image), std::vector<uint16_t>(20, 0x001F));
}

TEST(ImgFile, DamagedFilesGiveAnErrorAndAnEmptyImage)
{
    TempFolder folder;
    const std::string colour = asBytes(kPixels);
    const std::string lzo = lzoBlockOf(colour);
    const std::string good = pikFile(5, 4, 16, 0, colour, alphaBytes());
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"header cut", good.substr(0, 39)},
        {"no data", good.substr(0, 40)},
        {"unknown depth", pikFile(5, 4, 12, 0, colour, "")},
        {"negative width", pikFile(-5, 4, 16, 0, colour, "")},
        {"zero height", pikFile(5, 0, 16, 0, colour, "")},
        {"huge size", pikFile(1 << 20, 1 << 20, 16, 0, colour, "")},
        {"alpha longer than the file", pikFile(5, 4, 16, 0, colour, "") + "x"},
        {"alpha of the wrong size", pikFile(5, 4, 16, 0, colour, "abc")},
        {"LZO unpacking short", pikFile(5, 4, 16, 2, lzoBlockOf(colour.substr(2)), "")},
        {"LZO cut", pikFile(5, 4, 16, 2, lzo.substr(0, lzo.size() - 3), "")},
        {"run-length too short", pikFile(5, 4, 16, 4, std::string("\x85\x01\x02", 3), "")},
        {"unknown code", pikFile(5, 4, 16, 9, colour + "x", "")},
        {"JPEG of another size", pikFile(5, 4, 16, 5, solidJpeg(4, 4, 1, 2, 3), "")},
        {"JPEG length beyond its data", pikFile(5, 4, 16, 5, solidJpeg(5, 4, 1, 2, 3), "", 0, 0, 100000)},
        {"JPEG of garbage", pikFile(5, 4, 16, 5, std::string(64, 'j'), "")},
        {"NVI header cut", nviFile(5, 4, 16, 0, colour, "").substr(0, 30)},
        {"NVI colour beyond the file", nviFile(5, 4, 16, 0, colour, "").substr(0, 50)},
        {"NVI colour longer than the picture", nviFile(5, 4, 16, 0, colour + "xyz", "")},
        {"NVI LZW of the wrong size", nviFile(5, 4, 16, 2, lzwBlockOf(colour + "xy"), "")},
        {"legacy block cut", legacyFile(5, 4, 4, false, colour, "").substr(0, 88)},
        {"legacy raw one byte short", legacyFile(5, 4, 4, false, colour.substr(1), "")},
        {"legacy alpha beyond the file", legacyFile(5, 4, 4, true, "", "")},
    };
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        auto image = loadBytes(folder, bytes);
        EXPECT_EQ(image->LastError(), CGraphicsObject::ERROR_FORMAT);
        EXPECT_EQ(image->GetDataPtr(), nullptr);
        EXPECT_EQ(image->GetAlphaPtr(), nullptr);
        EXPECT_EQ(image->Width() * image->Height(), 0);
        EXPECT_FALSE(image->isLoaded());
    }
    CImage missing(nullptr);
    EXPECT_EQ(missing.Load(folder.file("missing.img").c_str(), false), CGraphicsObject::ERROR_OPEN);
    EXPECT_EQ(missing.Load(folder.file("missing.jpg").c_str(), false), CGraphicsObject::ERROR_OPEN);
}

TEST(ImgFile, ARefusedFileLeavesANewImage)
{
    TempFolder folder;
    const std::string colour = asBytes(kPixels);
    const std::pair<const char*, std::string> cases[] = {
        {"planes cut", pikFile(5, 4, 24, 0, colour.substr(0, 50), "", 3, 4)},
        {"unknown depth", pikFile(5, 4, 12, 0, colour, "", 3, 4)},
        {"JPEG of another size", pikFile(5, 4, 15, 5, solidJpeg(4, 4, 1, 2, 3), "", 3, 4)},
        {"NVI LZW of the wrong size", nviFile(5, 4, 24, 2, lzwBlockOf(colour + "xy"), "", 3, 4)},
    };
    const std::string earlier = folder.write("earlier.img", pikFile(1, 1, 15, 0, "\1\2", "", 7, 8));
    for (const auto& [name, bytes] : cases) {
        SCOPED_TRACE(name);
        CImage image(nullptr);
        ASSERT_EQ(image.Load(earlier.c_str(), false), 0);
        EXPECT_EQ(image.Load(folder.write("picture.img", bytes).c_str(), false), CGraphicsObject::ERROR_FORMAT);
        EXPECT_EQ(image.GetBpp(), CImage(nullptr).GetBpp());
        EXPECT_EQ(image.GetPosition(), CXPoint());
    }
    // Nor does a file that does not open keep what the last one gave.
    CImage image(nullptr);
    ASSERT_EQ(image.Load(earlier.c_str(), false), 0);
    EXPECT_EQ(image.Load(folder.file("missing.img").c_str(), false), CGraphicsObject::ERROR_OPEN);
    EXPECT_EQ(image.GetBpp(), CImage(nullptr).GetBpp());
    EXPECT_EQ(image.GetPosition(), CXPoint());
}

TEST(ImgFile, EveryCutOfAValidFileFailsCleanlyOrLoads)
{
    const std::string colour = asBytes(kPixels);
    for (const std::string& file : {pikFile(5, 4, 16, 3, lzoBlockOf(colour), lzoBlockOf(alphaBytes())),
                                    nviFile(5, 4, 16, 2, lzwBlockOf(colour), lzwBlockOf(alphaBytes())),
                                    pikFile(5, 4, 16, 5, solidJpeg(5, 4, 9, 9, 9), "")}) {
        for (size_t cut = 0; cut < file.size(); ++cut) {
            CImage image(nullptr);
            const int result = image.LoadFromMemory(file.data(), cut);
            EXPECT_TRUE(result == CGraphicsObject::ERROR_FORMAT || image.GetDataPtr() != nullptr) << cut;
        }
    }
}

TEST(CImage, NamesNotEndingInImgAreJpegPictures)
{
    TempFolder folder;
    folder.write("photo.jpg", solidJpeg(3, 2, 255, 0, 0));
    folder.write("lower.img", pikFile(5, 4, 16, 0, asBytes(kPixels), ""));
    CImage photo(nullptr, CXString(folder.file("photo.jpg").c_str()));
    ASSERT_EQ(photo.LastError(), 0);
    EXPECT_EQ(photo.Size().width, 3);
    EXPECT_EQ(photo.GetBpp(), 16);
    EXPECT_EQ(wordsOf(photo), std::vector<uint16_t>(6, 0xF800));
    EXPECT_TRUE(photo.isLoaded());
    EXPECT_EQ(photo.CGraphicsObject::getFileName(), CXString(folder.file("photo.jpg").c_str()));

    CImage lower(nullptr, CXString(folder.file("lower.img").c_str()));
    ASSERT_EQ(lower.LastError(), 0);
    EXPECT_EQ(wordsOf(lower), kPixels);

    // The IMG reader on a JPEG file under an IMG name refuses it.
    folder.write("photo.img", solidJpeg(3, 2, 255, 0, 0));
    CImage misnamed(nullptr, CXString(folder.file("photo.img").c_str()));
    EXPECT_EQ(misnamed.LastError(), CGraphicsObject::ERROR_FORMAT);
}

TEST(CImage, DefinitionPropertiesDecideLoadingAndRelease)
{
    TempFolder folder;
    const std::string file = folder.write("button.img", pikFile(5, 4, 16, 0, asBytes(kPixels), alphaBytes()));
    struct Case {
        const char* preload;
        const char* release;
        bool loadedAtOnce;
        bool keptAfterHide;
    };
    const Case cases[] = {
        {nullptr, "FALSE", true, true},
        {"", "TRUE", true, false},
        {"TRUE", "FALSE", true, true},
        {"FALSE", "TRUE", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.preload ? c.preload : "no PRELOAD") << " " << c.release);
        CMElement element("BUTTON");
        element.addProperty("TYPE", "IMAGE");
        element.addProperty("FILENAME", file.c_str());
        if (c.preload != nullptr)
            element.addProperty("PRELOAD", c.preload);
        element.addProperty("VISIBLE", "TRUE");
        element.addProperty("RELEASEAFTERUSE", c.release);
        CImage image(nullptr, &element);
        EXPECT_EQ(image.isLoaded(), c.loadedAtOnce);
        EXPECT_EQ(image.GetDataPtr() != nullptr, c.loadedAtOnce);
        EXPECT_TRUE(image.isVisible());
        EXPECT_EQ(image.CFileResolver::getFileName(), CXString(file.c_str()));

        image.show();
        EXPECT_TRUE(image.isLoaded());
        EXPECT_EQ(wordsOf(image), kPixels);
        image.hide();
        EXPECT_FALSE(image.isVisible());
        EXPECT_EQ(image.isLoaded(), c.keptAfterHide);
        EXPECT_EQ(image.GetDataPtr() != nullptr, c.keptAfterHide);
    }
}

// A control shows its pictures as rasters (a BUTTON's looks): one whose file waits to be loaded
// loads it then, as SHOW does.
TEST(CImage, APictureWaitingToLoadLoadsWhenItIsShownAsARaster)
{
    TempFolder folder;
    const std::string file = folder.write("look.img", pikFile(5, 4, 16, 0, asBytes(kPixels), alphaBytes()));
    CMElement element("LOOK");
    element.addProperty("FILENAME", file.c_str());
    element.addProperty("PRELOAD", "FALSE");
    CImage image(nullptr, &element);
    ASSERT_FALSE(image.isLoaded());
    image.Visible(false);
    EXPECT_FALSE(image.isLoaded());
    image.Visible(true);
    EXPECT_TRUE(image.isLoaded());
    EXPECT_EQ(wordsOf(image), kPixels);
}

TEST(CImage, ClonesShareThePicture)
{
    TempFolder folder;
    auto image = std::make_unique<CImage>(nullptr, CXString(folder.write("a.img", pikFile(5, 4, 16, 0, asBytes(kPixels), "")).c_str()));
    std::unique_ptr<CImage> copy(image->clone());
    EXPECT_EQ(copy->GetDataPtr(), image->GetDataPtr());
    EXPECT_EQ(copy->CGraphicsObject::getFileName(), CXString(""));
    image.reset();
    EXPECT_EQ(wordsOf(*copy), kPixels);
}
