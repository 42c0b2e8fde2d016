// Loading and saving rasters: the common steps and the IMG writer.
#include "graphics/CGraphicsObject.h"

#include "foundation/CCompression.h"
#include "foundation/CFile.h"
#include "graphics/CByteReader.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/GraphicsWindow.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kOpenForReading = CFile::MODE_READ | CFile::MODE_BINARY;
constexpr int kOpenForWriting = 2 | CFile::MODE_UPDATE | CFile::MODE_BINARY;

} // namespace

int CGraphicsObject::screenDepth() const
{
    const CRefreshScreen* screen = window_ != nullptr ? window_->GetRefreshScreenInterface() : nullptr;
    return screen != nullptr ? screen->GetBpp() : 0;
}

int CGraphicsObject::Load(const CXString&)
{
    if (const int depth = screenDepth())
        convertWhole(depth);
    return LastError();
}

int CGraphicsObject::Load(CFile*)
{
    return LastError();
}

int CGraphicsObject::readFile(const CXString& name)
{
    CFile file;
    if (file.Open(window_, name, kOpenForReading) != 0) {
        setErrorCode(ERROR_OPEN);
        return ERROR_OPEN;
    }
    const int result = Load(&file);
    const int closed = file.Close();
    setErrorCode(result != 0 ? result : closed);
    return LastError();
}

bool CGraphicsObject::readRest(CFile* file, std::vector<char>& bytes)
{
    bytes.clear();
    if (file == nullptr)
        return false;
    const int64_t length = int64_t{file->Length()} - file->Tell();
    if (length < 0 || static_cast<uint64_t>(length) > CCompression::kMaxUnpackedBytes)
        return false;
    bytes.resize(static_cast<size_t>(length));
    return file->Read(bytes.data(), static_cast<int>(length)) == length;
}

CPlane CGraphicsObject::copyPlane(const char* bytes, size_t count)
{
    CPlane plane = CPlane::allocate(count);
    if (plane)
        std::memcpy(plane.get(), bytes, count);
    return plane;
}

int CGraphicsObject::Save(const CXString& name, _compression code)
{
    return writeFile(name, [this, code](CFile* file) { return Save(file, code); });
}

int CGraphicsObject::writeFile(const CXString& name, const std::function<int(CFile*)>& write)
{
    CFile file;
    if (file.Open(window_, name, kOpenForWriting) != 0) {
        setErrorCode(ERROR_OPEN);
        return ERROR_OPEN;
    }
    if (const int error = write(&file); error != 0) {
        file.discard();
        setErrorCode(error);
        return error;
    }
    setErrorCode(file.Close() != 0 ? ERROR_OPEN : 0);
    return LastError();
}

int CGraphicsObject::Save(CFile* file, _compression code)
{
    return writeUnpacked(file, [this, file, code] { return writeImg(file, code); });
}

int CGraphicsObject::writeUnpacked(CFile* file, const std::function<bool()>& write)
{
    const bool unpacked = compression_ == COMPRESSION_RLE;
    if (unpacked)
        DeCompressRLE2();
    else if (isPacked())
        DeCompress();
    int result = ERROR_FORMAT;
    if (file != nullptr && colour_ && !isPacked())
        result = write() ? 0 : ERROR_OPEN;
    if (unpacked)
        bringBackCompressed();
    setErrorCode(result);
    return result;
}

bool CGraphicsObject::writeImg(CFile* file, _compression code)
{
    const CXRect whole(0, 0, width_, height_);
    const CXRect part = clip_.IsEmpty() ? whole : clip_.Common(whole);
    if (part.Width() <= 0 || part.Height() <= 0)
        return false;
    const bool cutOut = part != whole;
    const int pixelSize = GetPixelSize();
    const int pixels = part.Width() * part.Height();
    CPlane colour = cutOut ? cutPlane(colour_.get(), width_, pixelSize, part) : colour_;
    CPlane alpha = cutOut && alpha_ ? cutPlane(alpha_.get(), width_, 1, part) : alpha_;
    int colourLength = pixels * pixelSize;
    int alphaLength = alpha ? pixels : 0;
    // A code the writer cannot produce would not read back: such planes go out unpacked.
    const _compression written = code == COMPRESSION_RLE ? COMPRESSION_RLE : COMPRESSION_NONE;
    if (written == COMPRESSION_RLE) {
        colour = packRunLength(colour.get(), colourLength, 2, colourLength);
        if (alpha)
            alpha = packRunLength(alpha.get(), alphaLength, 1, alphaLength);
    }
    if (!colour)
        return false;

    CByteWriter header;
    header.bytes("PIK", 4)
        .u32(static_cast<uint32_t>(part.Width()))
        .u32(static_cast<uint32_t>(part.Height()))
        .u32(static_cast<uint32_t>(bpp_))
        .u32(static_cast<uint32_t>(colourLength))
        .u32(0)
        .u32(written)
        .u32(static_cast<uint32_t>(alphaLength))
        .u32(static_cast<uint32_t>(position_.x + part.left))
        .u32(static_cast<uint32_t>(position_.y + part.top));
    const std::vector<char>& bytes = header.data();
    return file->Write(bytes.data(), static_cast<int>(bytes.size())) == 1
           && file->Write(colour.get(), colourLength) == 1
           && (alphaLength == 0 || file->Write(alpha.get(), alphaLength) == 1);
}
