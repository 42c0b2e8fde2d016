#include "graphics/CImage.h"

#include "foundation/CFile.h"
#include "foundation/CLZWCompression.h"
#include "graphics/CByteReader.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/JPEG.h"
#include "script/CMElement.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr size_t kPikHeader = 40;
constexpr size_t kNviHeader = 37;
constexpr size_t kLegacyBlock = 80;
constexpr size_t kLegacyData = 92;
// Larger pictures are refused before anything is allocated for them.
constexpr int64_t kMaxPixels = int64_t{1} << 26;

// The depth of a header: bits per pixel, or the depth flags of older files.
int depthOf(int value)
{
    switch (value) {
    case 2:
        return 15;
    case 4:
        return 16;
    case 8:
        return 24;
    case 15:
    case 16:
    case 24:
    case 32:
        return value;
    default:
        return 0;
    }
}

bool sizeFits(int width, int height)
{
    return width > 0 && height > 0 && int64_t{width} * height <= kMaxPixels;
}

bool endsWithImg(const CXString& name)
{
    CXString upper = name;
    return upper.Upper().endsWith(".IMG");
}

// The unpacked bytes of an LZW block of the older form, exactly `expected` of them.
std::unique_ptr<char[]> unpackLzw(const char* block, size_t length, int expected)
{
    std::vector<char> copy(block, block + length);
    CLZWCompression codec(copy.data(), static_cast<int>(length));
    std::unique_ptr<char[]> bytes(codec.decompress(0));
    if (!bytes || codec.GetSize() != expected)
        return nullptr;
    return bytes;
}

} // namespace

CImage::CImage(GraphicsWindow* window)
    : CGraphicsObject(window)
    , CPlayable(window)
{
}

CImage::CImage(GraphicsWindow* window, const CXString& file)
    : CImage(window)
{
    setFileName(file);
    setErrorCode(Load(file, true));
}

CImage::CImage(GraphicsWindow* window, CGraphicsObject* other)
    : CGraphicsObject(window, *other)
    , CPlayable(window)
{
    setFileName("");
}

CImage::CImage(GraphicsWindow* window, CImage& other)
    : CImage(window, static_cast<CGraphicsObject*>(&other))
{
}

CImage::CImage(GraphicsWindow* window, CMElement* element)
    : CImage(window)
{
    if (element == nullptr)
        return;
    const bool releaseAfterUse = element->getPropertyBoolValue("RELEASEAFTERUSE");
    const CXString file = element->getPropertyValue("FILENAME");
    setFilename(file);
    const CXString preload = element->getPropertyValue("PRELOAD");
    if (file.IsString() && (!preload.IsString() || preload.toBool()))
        setErrorCode(Load(file, true));
    setVisibility(element->getPropertyBoolValue("VISIBLE"));
    toRelease(releaseAfterUse);
}

CImage* CImage::clone()
{
    return new CImage(getWindow(), *this);
}

int CImage::load(const CXString& path)
{
    JPEG decoder(path.c_str());
    const int depth = screenDepth() == 15 ? 15 : 16;
    CPlane pixels = CPlane::take(decoder.decompress(depth), true);
    if (!pixels)
        return fail(ERROR_OPEN);
    setOwnSize(decoder.getWidth(), decoder.getHeight());
    bpp_ = depth;
    setStoredPlanes(std::move(pixels), GetDataSize(), CPlane(), 0, COMPRESSION_NONE);
    setErrorCode(0);
    return 0;
}

int CImage::Load(const CXString& name, bool convert)
{
    Invalidate();
    flush();
    setErrorCode(0);
    const int result = endsWithImg(name) ? readFile(name) : load(CFile::getPath(getWindow(), name));
    if (result != 0)
        return fail(result);
    setFilename(name);
    CFileResolver::load();
    Visible(true);
    setFileName(name);
    if (convert)
        CGraphicsObject::Load(name);
    return LastError();
}

int CImage::Load(CFile* file)
{
    std::vector<char> bytes;
    if (!readRest(file, bytes))
        return fail(ERROR_FORMAT);
    return LoadFromMemory(bytes.data(), bytes.size());
}

int CImage::Load3(CFile* file)
{
    std::vector<char> bytes;
    if (!readRest(file, bytes))
        return fail(ERROR_FORMAT);
    Flush();
    setErrorCode(0);
    return failOn(readNvi(bytes.data(), bytes.size()));
}

int CImage::LoadFromMemory(const char* data, size_t size)
{
    Flush();
    setErrorCode(0);
    const bool nvi = data != nullptr && size >= 4 && std::memcmp(data, "NVI", 4) == 0;
    return failOn(nvi ? readNvi(data, size) : readPik(data, size));
}

int CImage::readPik(const char* data, size_t size)
{
    CByteReader in(data, size);
    if (size < kPikHeader)
        return ERROR_FORMAT;
    int width;
    int height;
    int depth;
    int jpegLength = 0;
    int code = COMPRESSION_NONE;
    int64_t alphaLength = 0;
    CXPoint position;
    size_t dataStart = kPikHeader;
    if (in.startsWith("PIK", 4)) {
        in.skip(4);
        width = in.i32();
        height = in.i32();
        depth = in.i32();
        jpegLength = in.i32();
        in.skip(4);
        code = in.i32();
        alphaLength = in.i32();
        position.x = in.i32();
        position.y = in.i32();
    } else {
        in.seek(kLegacyBlock);
        width = in.i16();
        height = in.i16();
        in.skip(6);
        const uint16_t flags = in.u16();
        depth = flags & 0x0F;
        alphaLength = (flags & 0x400) != 0 ? int64_t{width} * height : 0;
        dataStart = kLegacyData;
    }
    bpp_ = depthOf(depth);
    if (!in.ok() || bpp_ == 0 || !sizeFits(width, height) || alphaLength < 0
        || static_cast<uint64_t>(alphaLength) > size - dataStart)
        return ERROR_FORMAT;
    setOwnSize(width, height);
    SetPosition(position);
    const size_t colourLength = size - dataStart - static_cast<size_t>(alphaLength);
    int packedLength = static_cast<int>(colourLength);
    if (code == COMPRESSION_JPEG) {
        if (jpegLength <= 0 || static_cast<size_t>(jpegLength) > colourLength)
            return ERROR_FORMAT;
        packedLength = jpegLength;
    }
    // Unpacked data of another length can only be an LZO block.
    if (code == COMPRESSION_NONE && colourLength != static_cast<size_t>(GetDataSize()))
        code = COMPRESSION_LZO;
    return takeStoredPlanes(data + dataStart, colourLength, data + dataStart + colourLength,
                            static_cast<size_t>(alphaLength), static_cast<_compression>(code), packedLength);
}

int CImage::readNvi(const char* data, size_t size)
{
    CByteReader in(data, size);
    in.seek(4);
    const int width = in.i16();
    const int height = in.i16();
    bpp_ = depthOf(in.u8());
    const uint32_t colourLength = in.u32();
    const uint32_t alphaLength = in.u32();
    CXPoint position;
    position.x = in.i16();
    position.y = in.i16();
    const uint32_t code = in.u32();
    if (!in.ok() || size < kNviHeader || bpp_ == 0 || !sizeFits(width, height) || colourLength > size - kNviHeader
        || alphaLength > size - kNviHeader - colourLength)
        return ERROR_FORMAT;
    setOwnSize(width, height);
    SetPosition(position);
    const char* colour = data + kNviHeader;
    const char* alpha = colour + colourLength;
    if (code != 2)
        return takeStoredPlanes(colour, colourLength, alpha, alphaLength, COMPRESSION_NONE,
                                static_cast<int>(colourLength));
    const int pixels = width * height;
    const std::unique_ptr<char[]> unpackedColour = unpackLzw(colour, colourLength, GetDataSize());
    const std::unique_ptr<char[]> unpackedAlpha = alphaLength > 0 ? unpackLzw(alpha, alphaLength, pixels) : nullptr;
    if (!unpackedColour || (alphaLength > 0 && !unpackedAlpha))
        return ERROR_FORMAT;
    return takeStoredPlanes(unpackedColour.get(), static_cast<size_t>(GetDataSize()), unpackedAlpha.get(),
                            unpackedAlpha ? static_cast<size_t>(pixels) : 0, COMPRESSION_NONE, GetDataSize());
}

int CImage::failOn(int error)
{
    return error != 0 ? fail(error) : 0;
}

int CImage::fail(int error)
{
    dropPlanes(error);
    bpp_ = kDefaultBpp;
    placeAt(CXPoint());
    return error;
}

void CImage::flush()
{
    Flush();
    release();
}

// Loading shows the picture too, when it is loaded already.
void CImage::loadWhenShown()
{
    if (const CXString file = waitingFile(); file.IsString())
        Load(file, true);
}

void CImage::show()
{
    Visible(true);
    setVisibility(true);
}

void CImage::hide()
{
    if (releaseAfterUse())
        flush();
    Visible(false);
    setVisibility(false);
}
