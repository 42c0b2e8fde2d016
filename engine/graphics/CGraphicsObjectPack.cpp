// The packed forms of a raster's planes and the ways between them.
#include "graphics/CGraphicsObject.h"

#include "foundation/CLZWCompression2.h"
#include "foundation/CRLECompression.h"
#include "graphics/JPEG.h"

#include <cstring>
#include <vector>

namespace {

// The unpacked bytes of an LZO block of blockLength bytes, and their count.
CPlane unpackLzo(const CPlane& block, int blockLength, int& length)
{
    length = 0;
    if (!block || blockLength < CLZWCompression2::kHeaderBytes)
        return {};
    CLZWCompression2 codec(block.get(), blockLength);
    CPlane plane = CPlane::take(codec.decompress(), true);
    if (plane) {
        uint32_t unpacked;
        std::memcpy(&unpacked, block.get(), 4);
        length = static_cast<int>(unpacked);
    }
    return plane;
}

} // namespace

CPlane CGraphicsObject::packRunLength(const char* plane, int bytes, int unit, int& length)
{
    if (unit == 1)
        return CPlane::take(CRLECompression::__compresschar(const_cast<char*>(plane), bytes, length), true);
    if (bytes % 2 == 0)
        return CPlane::take(CRLECompression::__compress(const_cast<char*>(plane), bytes, length), true);
    std::vector<char> padded(plane, plane + bytes);
    padded.push_back(0);
    return CPlane::take(CRLECompression::__compress(padded.data(), bytes + 1, length), true);
}

void CGraphicsObject::forgetSavedPlanes()
{
    holdsPacked_ = false;
    savedColour_.reset();
    savedAlpha_.reset();
    keepUnpacked_ = false;
}

void CGraphicsObject::setStoredPlanes(CPlane colour, int colourLength, CPlane alpha, int alphaLength, _compression code)
{
    forgetSavedPlanes();
    colour_ = std::move(colour);
    alpha_ = alphaLength > 0 ? std::move(alpha) : CPlane();
    compression_ = code;
    rawSize_ = GetDataSize();
    packedSize_ = colourLength;
    alphaSize_ = alpha_ ? alphaLength : 0;
    pitch_ = width_;
}

void CGraphicsObject::dropPlanes(int error)
{
    Flush();
    setOwnSize(0, 0);
    pitch_ = 0;
    rawSize_ = 0;
    setErrorCode(error);
}

int CGraphicsObject::takeStoredPlanes(const char* colour, size_t colourLength, const char* alpha, size_t alphaLength,
                                      _compression code, int packedLength)
{
    setErrorCode(0);
    const size_t raw = static_cast<size_t>(GetDataSize());
    const size_t pixels = static_cast<size_t>(width_) * height_;
    const bool unpackedFits = colourLength == raw && (alphaLength == 0 || alphaLength == pixels);
    switch (code) {
    case COMPRESSION_LZO:
    case COMPRESSION_LZO_RLE:
    case COMPRESSION_RLE:
    case COMPRESSION_JPEG:
        break;
    default:
        if (!unpackedFits) {
            dropPlanes(ERROR_FORMAT);
            return ERROR_FORMAT;
        }
        code = COMPRESSION_NONE;
    }
    setStoredPlanes(copyPlane(colour, colourLength), packedLength, copyPlane(alpha, alphaLength),
                    static_cast<int>(alphaLength), code);
    DeCompress();
    if (LastError() != 0)
        return LastError();
    if (GetCompression() == COMPRESSION_RLE ? !packedPlanesFit()
                                            : GetAlphaSize() != 0 && GetAlphaSize() != static_cast<int>(pixels)) {
        dropPlanes(ERROR_FORMAT);
        return ERROR_FORMAT;
    }
    return 0;
}

void CGraphicsObject::Compress(_compression code)
{
    if (compression_ == COMPRESSION_NONE) {
        rawSize_ = GetDataSize();
        packedSize_ = rawSize_;
    }
    if (code != COMPRESSION_RLE || compression_ != COMPRESSION_NONE || !colour_)
        return;
    int colourLength = 0;
    CPlane colour = packRunLength(colour_.get(), rawSize_, 2, colourLength);
    int alphaLength = 0;
    CPlane alpha = alpha_ ? packRunLength(alpha_.get(), width_ * height_, 1, alphaLength) : CPlane();
    setStoredPlanes(std::move(colour), colourLength, std::move(alpha), alphaLength, COMPRESSION_RLE);
}

void CGraphicsObject::DeCompress()
{
    const int pixels = width_ * height_;
    int alphaLength = 0;
    CPlane alpha;
    if (compression_ == COMPRESSION_LZO || compression_ == COMPRESSION_LZO_RLE || compression_ == COMPRESSION_JPEG) {
        if (alphaSize_ > 0) {
            alpha = unpackLzo(alpha_, alphaSize_, alphaLength);
            if (!alpha || (compression_ != COMPRESSION_LZO_RLE && alphaLength != pixels))
                return dropPlanes(ERROR_FORMAT);
        }
    }
    switch (compression_) {
    case COMPRESSION_LZO:
    case COMPRESSION_LZO_RLE: {
        int colourLength = 0;
        CPlane colour = unpackLzo(colour_, packedSize_, colourLength);
        if (!colour || (compression_ == COMPRESSION_LZO && colourLength != GetDataSize()))
            return dropPlanes(ERROR_FORMAT);
        const _compression code = compression_ == COMPRESSION_LZO ? COMPRESSION_NONE : COMPRESSION_RLE;
        setStoredPlanes(std::move(colour), colourLength, std::move(alpha), alphaLength, code);
        return;
    }
    case COMPRESSION_JPEG: {
        JPEG decoder(colour_.get(), packedSize_);
        if (!decoder.isOpen() || decoder.getWidth() != width_ || decoder.getHeight() != height_)
            return dropPlanes(ERROR_FORMAT);
        // The decoder gives pixel words only.
        bpp_ = bpp_ == 15 ? 15 : 16;
        CPlane colour = CPlane::take(decoder.decompress(bpp_), true);
        if (!colour)
            return dropPlanes(ERROR_FORMAT);
        setStoredPlanes(std::move(colour), 0, std::move(alpha), alphaLength, COMPRESSION_NONE);
        return;
    }
    default:
        return;
    }
}

void CGraphicsObject::DeCompressRLE2()
{
    if (compression_ != COMPRESSION_RLE)
        return;
    const int pixels = width_ * height_;
    CPlane colour = CPlane::take(CRLECompression::__decompress(colour_.get(), packedSize_, GetDataSize()), true);
    CPlane alpha;
    if (alpha_)
        alpha = CPlane::take(CRLECompression::__decompresschar(alpha_.get(), alphaSize_, pixels), true);
    if ((!colour && GetDataSize() > 0) || (alpha_ && !alpha && pixels > 0))
        return dropPlanes(ERROR_FORMAT);
    holdsPacked_ = true;
    savedColour_ = std::move(colour_);
    savedAlpha_ = std::move(alpha_);
    savedBpp_ = bpp_;
    savedPackedSize_ = packedSize_;
    savedAlphaSize_ = alphaSize_;
    colour_ = std::move(colour);
    alpha_ = std::move(alpha);
    alphaSize_ = alpha_ ? pixels : 0;
    rawSize_ = GetDataSize();
    packedSize_ = rawSize_;
    compression_ = COMPRESSION_NONE;
}

void CGraphicsObject::bringBackCompressed()
{
    if (keepUnpacked_ || !holdsPacked_)
        return;
    holdsPacked_ = false;
    colour_ = std::move(savedColour_);
    alpha_ = std::move(savedAlpha_);
    bpp_ = savedBpp_;
    packedSize_ = savedPackedSize_;
    alphaSize_ = savedAlphaSize_;
    rawSize_ = GetDataSize();
    compression_ = COMPRESSION_RLE;
}

void CGraphicsObject::unpack()
{
    DeCompressRLE2();
    keepUnpacked_ = true;
}

void CGraphicsObject::pack(bool freeUnpacked)
{
    keepUnpacked_ = false;
    if (!holdsPacked_)
        return;
    if (!freeUnpacked) {
        colour_.handOver();
        alpha_.handOver();
    }
    bringBackCompressed();
}

bool CGraphicsObject::unpackForRewrite()
{
    if (compression_ != COMPRESSION_RLE)
        return false;
    DeCompressRLE2();
    forgetSavedPlanes();
    return compression_ == COMPRESSION_NONE && colour_;
}

bool CGraphicsObject::packedPlanesFit()
{
    if (compression_ != COMPRESSION_RLE)
        return false;
    const std::unique_ptr<char[]> colour(CRLECompression::__decompress(colour_.get(), packedSize_, GetDataSize()));
    if (!colour)
        return false;
    if (!alpha_)
        return true;
    return std::unique_ptr<char[]>(CRLECompression::__decompresschar(alpha_.get(), alphaSize_, width_ * height_))
           != nullptr;
}
