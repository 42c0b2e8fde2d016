#include "graphics/CDirectDrawSurface.h"
#include "graphics/CImage.h"
#include "graphics/CImageFile.h"
#include "graphics/CPSD.h"
#include "graphics/CTarga.h"
#include "graphics/CXBitmap.h"

#include "AnimationWorld.h"
#include "ImgFixtures.h"
#include "JpegMaker.h"
#include "RasterMaker.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

std::string tgaFile(int width, int height, int depth, const std::string& pixels, int imageType = 2,
                    int descriptor = 0, int idLength = 0, int colourMap = 0)
{
    CByteWriter header;
    header.u8(idLength).u8(colourMap).u8(imageType).bytes("\0\0\0\0\0", 5).u16(0).u16(0);
    header.u16(width).u16(height).u8(depth).u8(descriptor);
    return bytesOf(header) + std::string(static_cast<size_t>(idLength), 'i') + pixels;
}

// Rows of a 2 × 2 picture as stored: blue, green, red bytes.
const std::string kStoredFirstRow("\x01\x02\x03\x04\x05\x06", 6);
const std::string kStoredLastRow("\x07\x08\x09\x0A\x0B\x0C", 6);

std::string pixelsOf(CGraphicsObject& raster)
{
    return raster.GetDataPtr() == nullptr ? std::string()
                                          : std::string(raster.GetDataPtr(), static_cast<size_t>(raster.GetDataSize()));
}

} // namespace

TEST(CTarga, RowsComeRightWayUp)
{
    CTarga bottomUp(nullptr);
    const std::string file = tgaFile(2, 2, 24, kStoredFirstRow + kStoredLastRow);
    ASSERT_EQ(bottomUp.LoadFromMemory(file.data(), file.size()), 0);
    EXPECT_EQ(bottomUp.GetBpp(), 24);
    EXPECT_EQ(pixelsOf(bottomUp), kStoredLastRow + kStoredFirstRow);
    EXPECT_FALSE(bottomUp.isFlippedH());
    EXPECT_EQ(bottomUp.getHeader()[16], 24);

    CTarga topDown(nullptr);
    const std::string topFirst = tgaFile(2, 2, 24, kStoredFirstRow + kStoredLastRow, 2, 0x20);
    ASSERT_EQ(topDown.LoadFromMemory(topFirst.data(), topFirst.size()), 0);
    EXPECT_EQ(pixelsOf(topDown), kStoredFirstRow + kStoredLastRow);

    // Wider than 32767: the size is unsigned.
    CTarga wide(nullptr);
    const std::string wideFile = tgaFile(40000, 1, 24, std::string(120000, 'w'));
    ASSERT_EQ(wide.LoadFromMemory(wideFile.data(), wideFile.size()), 0);
    EXPECT_EQ(wide.Width(), 40000);
}

TEST(CTarga, FilesItDoesNotReadAreRefused)
{
    const std::string rows = kStoredFirstRow + kStoredLastRow;
    struct Case {
        const char* name;
        std::string file;
        int width;
        int bpp;
    };
    const Case cases[] = {
        {"32 bits a pixel keeps its size", tgaFile(2, 2, 32, rows + rows), 2, 32},
        {"image id", tgaFile(2, 2, 24, rows, 2, 0, 3), 0, 16},
        {"run-length packed", tgaFile(2, 2, 24, rows, 10), 0, 16},
        {"colour-mapped", tgaFile(2, 2, 24, rows, 2, 0, 0, 1), 0, 16},
        {"zero width", tgaFile(0, 2, 24, rows), 0, 16},
        {"rows cut", tgaFile(2, 2, 24, rows.substr(0, 11)), 0, 16},
        {"header cut", tgaFile(2, 2, 24, rows).substr(0, 17), 0, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTarga targa(nullptr);
        EXPECT_EQ(targa.LoadFromMemory(c.file.data(), c.file.size()), CGraphicsObject::ERROR_FORMAT);
        EXPECT_EQ(targa.GetDataPtr(), nullptr);
        EXPECT_EQ(targa.Width(), c.width);
        if (c.width != 0) {
            EXPECT_EQ(targa.GetBpp(), c.bpp);
        }
    }
}

TEST(CTarga, SavesARealBottomUpFile)
{
    TempFolder folder;
    CTarga source(nullptr);
    const std::string file = tgaFile(2, 2, 24, kStoredFirstRow + kStoredLastRow);
    ASSERT_EQ(source.LoadFromMemory(file.data(), file.size()), 0);
    ASSERT_EQ(source.Save(CXString(folder.file("copy.tga").c_str()), COMPRESSION_NONE), 0);
    EXPECT_EQ(folder.read("copy.tga"), file);

    // 16-bit pixels widen as colours do: the low bits of each channel are zero.
    auto words = makeRaster(2, 1, 16, {0xF800, 0x07FF});
    CTarga fromWords(nullptr);
    fromWords.Copy(words.get());
    ASSERT_EQ(fromWords.Save(CXString(folder.file("words.tga").c_str()), COMPRESSION_NONE), 0);
    EXPECT_EQ(folder.read("words.tga"), tgaFile(2, 1, 24, std::string("\0\0\xF8\xF8\xFC\0", 6)));

    // Without pixels nothing is written and the old file stays.
    folder.write("kept.tga", "old");
    CTarga empty(nullptr);
    EXPECT_EQ(empty.Save(CXString(folder.file("kept.tga").c_str()), COMPRESSION_NONE), CGraphicsObject::ERROR_FORMAT);
    EXPECT_EQ(folder.read("kept.tga"), "old");
}

TEST(CTarga, TwentyFourBitRowsConvertToPixelWords)
{
    CTarga targa(nullptr);
    // Blue, green, red: one pixel of each channel at full, then (255, 254, 3) as red, green, blue.
    const std::string rows("\xFF\0\0\0\xFF\0" "\0\0\xFF\x03\xFE\xFF", 12);
    const std::string file = tgaFile(2, 2, 24, rows, 2, 0x20);
    ASSERT_EQ(targa.LoadFromMemory(file.data(), file.size()), 0);
    targa.Convert(16);
    EXPECT_EQ(targa.GetBpp(), 16);
    EXPECT_EQ(wordsOf(targa), (std::vector<uint16_t>{0x001F, 0x07E0, 0xF800, 0xFFE0}));
    ASSERT_EQ(targa.LoadFromMemory(file.data(), file.size()), 0);
    targa.Convert(15);
    EXPECT_EQ(wordsOf(targa), (std::vector<uint16_t>{0x001F, 0x03E0, 0x7C00, 0x7FE0}));
}

TEST(CImageFile, PicturesLoadedByNameEndInTheScreensDepthWhateverTheirSize)
{
    // Channels of 0 and 248 keep their colour at 15, 16 and 24 bits.
    const CColor colours[] = {CColor(248, 0, 0), CColor(0, 248, 0), CColor(0, 0, 248)};
    const auto storedAs = [&colours](int depth, int count) {
        std::string bytes;
        for (int i = 0; i < count; ++i) {
            const int value = colours[i].GetInBPP(depth);
            // 24-bit pixels are stored blue, green, red.
            if (depth == 24)
                bytes += {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                          static_cast<char>(value >> 8)};
            else
                bytes += asBytes({static_cast<uint16_t>(value)});
        }
        return bytes;
    };
    const struct {
        const char* extension;
        int depth;
        _compression code;
    } files[] = {{"tga", 24, COMPRESSION_NONE},
                 {"img", 24, COMPRESSION_NONE},
                 {"img", 15, COMPRESSION_NONE},
                 {"img", 16, COMPRESSION_NONE},
                 {"img", 16, COMPRESSION_RLE}};
    for (const auto& f : files)
        for (const int screenDepth : {15, 16})
            for (int count = 1; count <= 3; ++count) {
                SCOPED_TRACE(std::string(f.extension) + " of " + std::to_string(f.depth) + " bits packed with "
                             + std::to_string(f.code) + ", " + std::to_string(count) + " pixels, on a screen of "
                             + std::to_string(screenDepth));
                ScreenWorld world;
                ASSERT_EQ(world.window()->SetDisplayMode(0, 0, screenDepth), 0);
                const std::string name = std::string("tiny.") + f.extension;
                std::string pixels = storedAs(f.depth, count);
                // A run-length stream of literal pixels: their count, then the pixels.
                if (f.code == COMPRESSION_RLE)
                    pixels.insert(0, 1, static_cast<char>(count));
                world.folder().write(name, name == "tiny.tga" ? tgaFile(count, 1, 24, pixels)
                                                              : pikFile(count, 1, f.depth, f.code, pixels, ""));
                CImageFile loader(world.window());
                loader.Load(CXString(world.folder().file(name).c_str()));
                std::unique_ptr<CGraphicsObject> picture(loader.getObject());
                ASSERT_NE(picture, nullptr);
                ASSERT_EQ(picture->LastError(), 0);
                std::vector<uint16_t> expected;
                for (int i = 0; i < count; ++i)
                    expected.push_back(static_cast<uint16_t>(colours[i].GetInBPP(screenDepth)));
                EXPECT_EQ(picture->GetBpp(), screenDepth);
                EXPECT_EQ(picture->GetCompression(), f.code);
                CGraphicsObject unpacked(nullptr);
                unpacked.Copy(picture.get());
                EXPECT_EQ(wordsOf(unpacked), expected);

                auto target = makeFilled(count, 1, screenDepth, 0);
                picture->SetDestiny(target.get());
                picture->Redraw();
                EXPECT_EQ(wordsOf(*target), expected);
            }
}

TEST(CImageFile, TheExtensionChoosesTheReader)
{
    TempFolder folder;
    folder.write("PHOTO.JPG", solidJpeg(2, 2, 255, 0, 0));
    folder.write("scene.tga", tgaFile(2, 2, 24, kStoredFirstRow + kStoredLastRow));
    folder.write("parts.psd", "not a document");
    folder.write("old.bmp", "BM");
    folder.write("notes.txt", "text");
    struct Case {
        const char* file;
        _filetype type;
        int error;
        int width;
    };
    const Case cases[] = {
        {"PHOTO.JPG", FILETYPE_IMG, 0, 2},
        {"scene.tga", FILETYPE_TGA, 0, 2},
        {"parts.psd", FILETYPE_PSD, CGraphicsObject::ERROR_FORMAT, 0},
        {"old.bmp", FILETYPE_BMP, 0, 0},
        {"notes.txt", FILETYPE_NONE, 0, 0},
        {"no extension", FILETYPE_NONE, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        CImageFile files(nullptr);
        EXPECT_EQ(files.Load(CXString(folder.file(c.file).c_str())), c.type);
        std::unique_ptr<CGraphicsObject> object(files.getObject());
        ASSERT_EQ(object != nullptr, c.type != FILETYPE_NONE);
        if (!object)
            continue;
        EXPECT_EQ(object->LastError(), c.error);
        EXPECT_EQ(object->Width(), c.width);
        EXPECT_EQ(object->GetDataPtr() != nullptr, c.width != 0);
    }
    EXPECT_EQ(CImageFile::extensionOf("C:\\data.v2\\Pic.Big.IMG"), CXString("img"));
    EXPECT_EQ(CImageFile::extensionOf("data.v2\\picture"), CXString(""));
}

TEST(CImageFile, OnlyImgIsSaved)
{
    TempFolder folder;
    auto raster = makeRaster(2, 2, 16, {1, 2, 3, 4});
    CImageFile files(nullptr);
    EXPECT_EQ(files.Save(raster.get(), CXString(folder.file("out.IMG").c_str()), COMPRESSION_RLE), FILETYPE_IMG);
    CImage image(nullptr, CXString(folder.file("out.IMG").c_str()));
    EXPECT_EQ(image.GetCompression(), COMPRESSION_RLE);
    for (const char* name : {"out.tga", "out.bmp", "out.png"}) {
        EXPECT_EQ(files.Save(raster.get(), CXString(folder.file(name).c_str()), COMPRESSION_NONE), FILETYPE_NONE);
        EXPECT_FALSE(std::filesystem::exists(folder.file(name)));
    }
    EXPECT_EQ(files.Save(raster.get(), CXString(folder.file("missing/out.img").c_str()), COMPRESSION_NONE), FILETYPE_NONE);
    EXPECT_EQ(files.Save(nullptr, CXString(folder.file("null.img").c_str()), COMPRESSION_NONE), FILETYPE_NONE);
}

TEST(CXBitmap, HoldsNoPixels)
{
    auto raster = makeRaster(2, 2, 16, {1, 2, 3, 4});
    CXBitmap fromRaster(nullptr, raster.get());
    CXBitmap copy(fromRaster);
    EXPECT_EQ(fromRaster.GetDataPtr(), nullptr);
    EXPECT_EQ(copy.GetDataPtr(), nullptr);
    EXPECT_EQ(copy.Load(CXString("anything.bmp")), 0);
    EXPECT_EQ(copy.Width(), 0);
}

TEST(CDirectDrawSurface, BltCopiesClipsAndCentres)
{
    const uint16_t o = 0;
    CDirectDrawSurface target(nullptr, CXSize(4, 3), 16, true);
    CColor black(0, 0, 0);
    target.Fill(&black);
    CDirectDrawSurface source(nullptr, CXSize(2, 2), 16, false);
    std::memcpy(source.GetDataPtr(), std::vector<uint16_t>{1, 2, 3, 4}.data(), 8);
    EXPECT_EQ(source.GetPitch(), 2);
    EXPECT_EQ(source.GetSourceWindow(), CXRect(0, 0, 2, 2));

    target.Blt(&source, 3, 2, nullptr);
    EXPECT_EQ(wordsOf(target), (std::vector<uint16_t>{o, o, o, o, o, o, o, o, o, o, o, 1}));

    // A rectangle larger than the source centres the whole source in it: x = (4 - 2) / 2,
    // y = (3 - 2) / 2.
    target.Fill(&black);
    CXRect larger(0, 0, 4, 3);
    target.Blt(&source, 99, 99, &larger);
    EXPECT_EQ(wordsOf(target), (std::vector<uint16_t>{o, 1, 2, o, o, 3, 4, o, o, o, o, o}));

    // A part of the source, and a scaled copy.
    target.Fill(&black);
    CXRect right(1, 0, 2, 2);
    target.Blt(&source, CXPoint(0, 1), &right);
    EXPECT_EQ(wordsOf(target), (std::vector<uint16_t>{o, o, o, o, 2, o, o, o, 4, o, o, o}));
    CXRect all(0, 0, 4, 3);
    target.Blt(&source, &all, nullptr);
    EXPECT_EQ(wordsOf(target), (std::vector<uint16_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4}));

    // Another depth, or a surface without pixels, copies nothing.
    CDirectDrawSurface deep(nullptr, CXSize(2, 2), 32, false);
    CDirectDrawSurface none(nullptr, CXSize(0, 0), 16, false);
    target.Blt(&deep, 0, 0, nullptr);
    target.Blt(&none, 0, 0, nullptr);
    EXPECT_EQ(wordsOf(target), (std::vector<uint16_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4}));
    EXPECT_EQ(none.GetDataPtr(), nullptr);
}

TEST(CDirectDrawSurface, RedrawCopiesTheVisiblePartToTheDestination)
{
    CDirectDrawSurface screen(nullptr, CXSize(4, 2), 16, true);
    CColor black(0, 0, 0);
    CDirectDrawSurface picture(nullptr, CXSize(12, 1), 16, false);
    std::vector<uint16_t> words(12);
    for (uint16_t i = 0; i < 12; ++i)
        words[i] = static_cast<uint16_t>(100 + i);
    std::memcpy(picture.GetDataPtr(), words.data(), 24);
    picture.SetDestiny(&screen);
    picture.applyToRestore(&screen);
    EXPECT_EQ(picture.getApplied(), &screen);

    struct Case {
        CXPoint at;
        std::vector<uint16_t> screen;
    };
    const Case cases[] = {
        {{-10, 1}, {0, 0, 0, 0, 110, 111, 0, 0}},
        {{2, 0}, {0, 0, 100, 101, 0, 0, 0, 0}},
        {{4, 0}, {0, 0, 0, 0, 0, 0, 0, 0}},
        {{0, -1}, {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        screen.Fill(&black);
        picture.SetPosition(c.at);
        picture.Redraw();
        EXPECT_EQ(wordsOf(screen), c.screen) << c.at.x;
    }
}
