#include "graphics/CFrame.h"

#include "graphics/CByteReader.h"

namespace {

constexpr size_t kHeaderBytes = 52;
constexpr size_t kShortHeaderBytes = 32;
constexpr int kMaxPlaneLengths = 4;
// Larger images are refused before anything is allocated for them.
constexpr int64_t kMaxPixels = int64_t{1} << 26;

enum LegacyKind { kPik = 1, kPi2 = 2, kPi3 = 3 };

} // namespace

CFrame::CFrame(GraphicsWindow* window)
    : CGraphicsObject(window)
{
}

bool CFrame::LoadHeaderNew2(CByteReader& in)
{
    return loadHeader(in, kHeaderBytes);
}

bool CFrame::LoadHeaderNew(CByteReader& in)
{
    return loadHeader(in, kShortHeaderBytes);
}

bool CFrame::loadHeader(CByteReader& in, size_t size)
{
    const size_t start = in.position();
    const int width = in.i16();
    const int height = in.i16();
    CXPoint position;
    position.x = in.i16();
    position.y = in.i16();
    storedCode_ = in.i16();
    colourLength_ = in.u32();
    planeCount_ = in.i16();
    if (planeCount_ < 0 || planeCount_ > kMaxPlaneLengths)
        return false;
    for (int i = 0; i < planeCount_; ++i)
        planeLengths_[static_cast<size_t>(i)] = in.u32();
    in.seek(start + size);
    return in.ok() && takeHeaderFields(width, height, position, bpp_);
}

bool CFrame::LoadHeader(CByteReader& in, int kind)
{
    headerKind_ = kind;
    int width;
    int height;
    CXPoint position;
    if (kind == kPik) {
        colourLength_ = in.u32();
        planeCount_ = kMaxPlaneLengths;
        planeLengths_ = {0, 0, 0, in.u32()};
        width = in.i16();
        position.x = in.i16();
        height = in.i16();
        position.y = in.i16();
        in.skip(2);
    } else if (kind == kPi2 || kind == kPi3) {
        width = in.i16();
        position.x = in.i16();
        height = in.i16();
        position.y = in.i16();
        in.skip(2);
    } else {
        return true;
    }
    const int depth = GetRealBpp(in.i16());
    if (kind != kPik) {
        const uint32_t count = in.u32();
        if (count > kMaxPlaneLengths)
            return false;
        planeCount_ = static_cast<int>(count);
        for (int i = 0; i < planeCount_; ++i)
            planeLengths_[static_cast<size_t>(i)] = in.u32();
    }
    return in.ok() && takeHeaderFields(width, height, position, depth);
}

bool CFrame::takeHeaderFields(int width, int height, CXPoint position, int depth)
{
    if (width < 0 || height < 0 || int64_t{width} * height > kMaxPixels)
        return false;
    if (depth != 15 && depth != 16 && depth != 24 && depth != 32)
        return false;
    setOwnSize(width, height);
    bpp_ = depth;
    SetPosition(position);
    return true;
}

bool CFrame::LoadNew(CByteReader& in)
{
    return readPlanes(in, colourLength_, storedAlphaLength(), static_cast<_compression>(storedCode_));
}

bool CFrame::Load(CByteReader& in)
{
    switch (headerKind_) {
    case kPik:
        return readPlanes(in, colourLength_, storedAlphaLength(), COMPRESSION_NONE);
    case kPi2:
        // Code 1 packs nothing: the planes are stored as they are.
        return readPlanes(in, static_cast<uint32_t>(GetDataSize()), storedAlphaLength(), COMPRESSION_NONE);
    case kPi3:
        return planeCount_ > 0 && readPlanes(in, planeLengths_[0], storedAlphaLength(), COMPRESSION_LZO);
    default:
        return true;
    }
}

bool CFrame::readPlanes(CByteReader& in, uint32_t colourLength, uint32_t alphaLength, _compression code)
{
    const char* colour = in.take(colourLength);
    const char* alpha = in.take(alphaLength);
    if (!in.ok())
        return false;
    if (colourLength == 0 && alphaLength == 0)
        return true;
    return takeStoredPlanes(colour, colourLength, alpha, alphaLength, code, static_cast<int>(colourLength)) == 0;
}

void CFrame::SaveHeaderNew(CByteWriter& out, _compression code)
{
    const bool packed = code == COMPRESSION_RLE && GetCompression() == COMPRESSION_RLE;
    const int pixels = width_ * height_;
    const uint32_t colourLength = GetDataPtr() == nullptr ? 0 : packed ? GetPackedSize() : GetDataSize();
    const uint32_t alphaLength = GetAlphaPtr() == nullptr ? 0 : packed ? GetAlphaSize() : pixels;
    if (alphaLength > 0)
        planeCount_ = kMaxPlaneLengths;
    planeLengths_[3] = alphaLength;
    out.u16(width_).u16(height_).u16(framePosition_.x).u16(framePosition_.y);
    out.u16(packed ? COMPRESSION_RLE : COMPRESSION_NONE).u32(colourLength).u16(planeCount_);
    for (int i = 0; i < planeCount_; ++i)
        out.u32(planeLengths_[static_cast<size_t>(i)]);
    for (size_t i = 16 + 4 * static_cast<size_t>(planeCount_); i < kHeaderBytes; ++i)
        out.u8(0);
}

void CFrame::SaveNew(CByteWriter& out, _compression code)
{
    const bool unpackForWrite = code != COMPRESSION_RLE && GetCompression() == COMPRESSION_RLE;
    if (unpackForWrite)
        DeCompressRLE2();
    const bool packed = GetCompression() == COMPRESSION_RLE;
    if (GetDataPtr() != nullptr)
        out.bytes(GetDataPtr(), static_cast<size_t>(packed ? GetPackedSize() : GetDataSize()));
    if (GetAlphaPtr() != nullptr)
        out.bytes(GetAlphaPtr(), static_cast<size_t>(packed ? GetAlphaSize() : width_ * height_));
    if (unpackForWrite)
        bringBackCompressed();
}

void CFrame::redraw(CGraphicsObject* destination)
{
    if (isPacked() && GetCompression() != COMPRESSION_RLE)
        DeCompress();
    DeCompressRLE2();
    drawUnpacked(destination);
}

void CFrame::SetPosition(CXPoint p)
{
    SetPosition(p.x, p.y);
}

void CFrame::SetPosition(int x, int y)
{
    posOffset_ = CXPoint();
    framePosition_ = CXPoint(x, y);
    CGraphicsObject::SetPosition(x, y);
}

void CFrame::Move(CXPoint d)
{
    Move(d.x, d.y);
}

void CFrame::Move(int dx, int dy)
{
    CGraphicsObject::Move(dx, dy);
    posOffset_ = posOffset_ + CXPoint(dx, dy);
    framePosition_ = framePosition_ + CXPoint(dx, dy);
}
