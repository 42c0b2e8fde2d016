#include "graphics/CTarga.h"

#include "foundation/CFile.h"
#include "graphics/CByteReader.h"

#include <cstring>
#include <vector>

namespace {

constexpr uint8_t kTrueColour = 2;
constexpr uint8_t kTopLeftOrigin = 0x20;

// Offsets of the header fields.
constexpr int kIdLength = 0;
constexpr int kColourMapType = 1;
constexpr int kImageType = 2;
constexpr int kWidth = 12;
constexpr int kHeight = 14;
constexpr int kDepth = 16;
constexpr int kDescriptor = 17;

constexpr int64_t kMaxPixels = int64_t{1} << 26;

} // namespace

CTarga::CTarga(GraphicsWindow* window)
    : CGraphicsObject(window)
{
}

CTarga::CTarga(GraphicsWindow* window, const CXString& file)
    : CTarga(window)
{
    Load(file);
}

int CTarga::Load(const CXString& name)
{
    Flush();
    setErrorCode(0);
    if (readFile(name) == ERROR_OPEN)
        return ERROR_OPEN;
    Visible(true);
    return CGraphicsObject::Load(name);
}

int CTarga::Load(CFile* file)
{
    std::vector<char> bytes;
    if (!readRest(file, bytes))
        return fail(ERROR_FORMAT);
    return LoadFromMemory(bytes.data(), bytes.size());
}

int CTarga::LoadFromMemory(const char* data, size_t size)
{
    Flush();
    header_.fill(0);
    CByteReader in(data, size);
    const char* header = in.take(kHeaderSize);
    if (header == nullptr)
        return fail(ERROR_FORMAT);
    std::memcpy(header_.data(), header, kHeaderSize);
    if (header_[kIdLength] != 0 || header_[kColourMapType] != 0 || header_[kImageType] != kTrueColour)
        return fail(ERROR_FORMAT);
    const int width = header_[kWidth] | header_[kWidth + 1] << 8;
    const int height = header_[kHeight] | header_[kHeight + 1] << 8;
    if (width == 0 || height == 0 || int64_t{width} * height > kMaxPixels)
        return fail(ERROR_FORMAT);
    setOwnSize(width, height);
    bpp_ = header_[kDepth];
    // Other depths keep the size and depth they announce, without pixels.
    if (bpp_ != 24) {
        setErrorCode(ERROR_FORMAT);
        return ERROR_FORMAT;
    }
    const char* pixels = in.take(static_cast<uint64_t>(GetDataSize()));
    if (pixels == nullptr)
        return fail(ERROR_FORMAT);
    // Rows are stored bottom first unless the descriptor says otherwise.
    const bool bottomUp = (header_[kDescriptor] & kTopLeftOrigin) == 0;
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    CPlane plane = CPlane::allocate(rowBytes * height);
    for (int y = 0; y < height; ++y)
        std::memcpy(plane.get() + rowBytes * y, pixels + rowBytes * (bottomUp ? height - 1 - y : y), rowBytes);
    setStoredPlanes(std::move(plane), GetDataSize(), CPlane(), 0, COMPRESSION_NONE);
    setErrorCode(0);
    return 0;
}

int CTarga::Save(CFile* file, _compression)
{
    return writeUnpacked(file, [this, file] { return writeTga(file); });
}

bool CTarga::writeTga(CFile* file)
{
    const int pixelSize = GetPixelSize();
    if (width_ > 0xFFFF || height_ > 0xFFFF || (bpp_ != 15 && bpp_ != 16 && bpp_ != 24 && bpp_ != 32))
        return false;
    CByteWriter header;
    header.u8(0).u8(0).u8(kTrueColour).bytes("\0\0\0\0\0", 5).u16(0).u16(0).u16(width_).u16(height_).u8(24).u8(0);
    std::vector<char> rows(static_cast<size_t>(width_) * height_ * 3);
    const auto* pixels = reinterpret_cast<const unsigned char*>(GetDataPtr());
    char* out = rows.data();
    for (int y = height_ - 1; y >= 0; --y) {
        const unsigned char* pixel = pixels + static_cast<size_t>(y) * width_ * pixelSize;
        for (int x = 0; x < width_; ++x, pixel += pixelSize, out += 3) {
            if (pixelSize >= 3) {
                std::memcpy(out, pixel, 3);
                continue;
            }
            const auto word = static_cast<short>(pixel[0] | pixel[1] << 8);
            const int bytes = CColor(word, bpp_ == 15 ? CM_15BIT : CM_16BIT).Convert(CM_24BIT);
            out[0] = static_cast<char>(bytes >> 24 & 0xFF);
            out[1] = static_cast<char>(bytes >> 16 & 0xFF);
            out[2] = static_cast<char>(bytes >> 8 & 0xFF);
        }
    }
    return file->Write(header.data().data(), kHeaderSize) == 1 && file->Write(rows.data(), static_cast<int>(rows.size())) == 1;
}

int CTarga::fail(int error)
{
    dropPlanes(error);
    return error;
}
