// Operations that rewrite a raster's own pixels or build new planes for it.
#include "graphics/CGraphicsObject.h"

#include "foundation/CpuClones.h"
#include "graphics/CFloodFill.h"
#include "graphics/PixelGather.h"
#include "graphics/PlaneDisplacement.h"
#include "graphics/PixelWeights.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

// Planes larger than this are refused: a scale factor from a script cannot ask for gigabytes.
constexpr int64_t kMaxPixels = int64_t{1} << 26;

bool isTwoByte(int bpp)
{
    return bpp == 15 || bpp == 16;
}

uint16_t wordAt(const char* plane, size_t i)
{
    uint16_t word;
    std::memcpy(&word, plane + i * 2, 2);
    return word;
}

void putWord(char* plane, size_t i, uint16_t word)
{
    std::memcpy(plane + i * 2, &word, 2);
}

// One row of cells taken from the source row at the columns given.
template <typename Cell>
void gatherRow(const char* sourceRow, const int32_t* columns, int width, char* target)
{
    const auto* from = reinterpret_cast<const Cell*>(sourceRow);
    auto* to = reinterpret_cast<Cell*>(target);
    for (int x = 0; x < width; ++x)
        to[x] = from[columns[x]];
}

// A new plane of width × height cells of cellSize bytes, cell (x, y) taken from cell
// (column(x), row(y)) of a plane sourceWidth cells wide. A row taken from the same source row
// as the one before it is a copy of that one.
template <typename Column, typename Row>
CPlane resample(const char* source, int sourceWidth, int cellSize, int width, int height, Column column, Row row)
{
    CPlane plane = CPlane::allocate(static_cast<size_t>(width) * height * cellSize);
    if (!plane)
        return plane;
    std::vector<int32_t> columns(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[static_cast<size_t>(x)] = column(x);
    const size_t rowBytes = static_cast<size_t>(width) * cellSize;
    char* target = plane.get();
    int previous = -1;
    for (int y = 0; y < height; ++y, target += rowBytes) {
        const int sourceRowIndex = row(y);
        if (sourceRowIndex == previous) {
            std::memcpy(target, target - rowBytes, rowBytes);
            continue;
        }
        previous = sourceRowIndex;
        const char* sourceRow = source + static_cast<size_t>(sourceRowIndex) * sourceWidth * cellSize;
        switch (cellSize) {
        case 1:
            gatherBytes(reinterpret_cast<const uint8_t*>(sourceRow), sourceWidth, columns.data(), width,
                        reinterpret_cast<uint8_t*>(target));
            break;
        case 2:
            gatherWords(reinterpret_cast<const uint16_t*>(sourceRow), sourceWidth, columns.data(), width,
                        reinterpret_cast<uint16_t*>(target));
            break;
        case 4:
            gatherRow<uint32_t>(sourceRow, columns.data(), width, target);
            break;
        default:
            for (int x = 0; x < width; ++x)
                std::memcpy(target + static_cast<size_t>(x) * cellSize,
                            sourceRow + static_cast<size_t>(columns[static_cast<size_t>(x)]) * cellSize,
                            static_cast<size_t>(cellSize));
        }
    }
    return plane;
}

// The part r of a plane sourceWidth cells wide, r lying inside it.
CPlane cut(const char* source, int sourceWidth, int cellSize, const CXRect& r)
{
    if (source == nullptr)
        return {};
    return resample(
        source, sourceWidth, cellSize, r.Width(), r.Height(), [&r](int x) { return r.left + x; },
        [&r](int y) { return r.top + y; });
}

// Each word grey: blue is the field at bit 0, red the one at bit 10 or 11, and of green the
// upper five bits count.
template <int GreenShift, int RedShift>
void greyWordsOf(uint16_t* __restrict words, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const unsigned p = words[i];
        const unsigned g = ((p & 31) + (p >> GreenShift & 31) + (p >> RedShift & 31)) / 3;
        words[i] = static_cast<uint16_t>(g | g << GreenShift | g << RedShift);
    }
}

KESTRUM_CPU_CLONES void greyWords(uint16_t* words, size_t count, bool fifteenBits)
{
    if (fifteenBits)
        greyWordsOf<5, 10>(words, count);
    else
        greyWordsOf<6, 11>(words, count);
}

} // namespace

// Pixel writes and whole-plane colour operations.

void CGraphicsObject::putPixel(int x, int y, short colour, int alpha, bool replace)
{
    if (bpp_ == 15)
        putPixel15(x, y, colour, alpha, replace);
    else if (bpp_ == 16)
        putPixel16(x, y, colour, alpha, replace);
}

void CGraphicsObject::putPixel15(int x, int y, short colour, int alpha, bool replace)
{
    putPixelWeighted(x, y, colour, alpha, replace, true);
}

void CGraphicsObject::putPixel16(int x, int y, short colour, int alpha, bool replace)
{
    putPixelWeighted(x, y, colour, alpha, replace, false);
}

void CGraphicsObject::putPixelWeighted(int x, int y, short colour, int alpha, bool replace, bool fifteenBits)
{
    char* pixels = GetDataPtr();
    if (pixels == nullptr || isPacked() || x < 0 || x >= width_ || y < 0 || y >= height_
        || static_cast<int64_t>(y) * pitch_ + x >= static_cast<int64_t>(width_) * height_)
        return;
    alpha = std::clamp(alpha, 0, 255);
    const size_t i = static_cast<size_t>(y) * pitch_ + x;
    const unsigned old = replace ? 0 : wordAt(pixels, i);
    const auto c = static_cast<uint16_t>(colour);
    putWord(pixels, i, fifteenBits ? PixelWeights15::blend(old, c, static_cast<unsigned>(alpha))
                                       : PixelWeights16::blend(old, c, static_cast<unsigned>(alpha)));
}

void CGraphicsObject::InvertColors()
{
    char* pixels = GetDataPtr();
    if (bpp_ != 15 || pixels == nullptr || isPacked())
        return;
    for (size_t i = 0, n = static_cast<size_t>(width_) * height_; i < n; ++i)
        putWord(pixels, i, wordAt(pixels, i) ^ 0x7FFF);
}

void CGraphicsObject::ToGrayScale()
{
    char* pixels = GetDataPtr();
    if (!isTwoByte(bpp_) || pixels == nullptr || isPacked())
        return;
    greyWords(reinterpret_cast<uint16_t*>(pixels), static_cast<size_t>(width_) * height_, bpp_ == 15);
}

void CGraphicsObject::outline(unsigned short colour, int width)
{
    char* pixels = GetDataPtr();
    unsigned char* alpha = alpha_.bytes();
    if (!isTwoByte(bpp_) || pixels == nullptr || isPacked() || alpha == nullptr || width <= 0 || width_ <= 0 || height_ <= 0)
        return;
    const auto paint = [&](int x, int y) {
        const size_t i = static_cast<size_t>(y) * width_ + x;
        putWord(pixels, i, colour);
        alpha[i] = 255;
    };
    for (int i = 0; i < std::min(width, std::max(width_, height_)); ++i) {
        if (i < height_)
            for (int x = 0; x < width_; ++x) {
                paint(x, i);
                paint(x, height_ - 1 - i);
            }
        if (i < width_)
            for (int y = 0; y < height_; ++y) {
                paint(i, y);
                paint(width_ - 1 - i, y);
            }
    }
}

// The destination fill from a buffer of table offsets.

void CGraphicsObject::Blend(char* source, int* table, int offset, int level)
{
    constexpr int kFirstRow = 35;
    CGraphicsObject* target = destination_;
    if (source == nullptr || table == nullptr || target == nullptr || !isTwoByte(target->bpp_) || target->isPacked())
        return;
    char* pixels = target->GetDataPtr();
    const int pairs = width_ / 2;
    const int rounds = (height_ - kFirstRow) / 2;
    if (pixels == nullptr || pairs <= 0 || rounds <= 0 || width_ > target->width_ || height_ > target->height_)
        return;
    const int64_t rowBytes = int64_t{target->width_} * 2;
    const int64_t firstByte = kFirstRow * rowBytes + offset;
    const int64_t lastByte = firstByte + (rounds - 1) * 2 * rowBytes + pairs * 4;
    if (firstByte < 0 || lastByte > target->GetDataSize())
        return;
    const auto* bytes = reinterpret_cast<const unsigned char*>(table) + ((level << 10) & 0x3F000);
    const auto* offsets = reinterpret_cast<const unsigned char*>(source);
    for (int round = 0; round < rounds; ++round) {
        const int row = kFirstRow + 2 * round;
        const unsigned char* triple = offsets + static_cast<size_t>(row) * target->width_ * 6;
        char* out = pixels + firstByte + int64_t{2} * round * rowBytes;
        for (int x = 0; x < pairs * 2; ++x, triple += 6, out += 2) {
            uint16_t a, b, c, word;
            std::memcpy(&a, triple, 2);
            std::memcpy(&b, triple + 2, 2);
            std::memcpy(&c, triple + 4, 2);
            std::memcpy(&word, bytes + b, 2);
            const auto pixel = static_cast<uint16_t>(bytes[a] << 8 | bytes[c] | word);
            std::memcpy(out, &pixel, 2);
        }
    }
}

// Size and copies.

void CGraphicsObject::crop(CXRect r)
{
    const CXRect kept = CXRect(std::max(r.left, 0), std::max(r.top, 0), r.right, r.bottom).Common(CXRect(0, 0, width_, height_));
    if (kept.Width() <= 0 || kept.Height() <= 0 || !colour_ || isPacked())
        return;
    Invalidate();
    replacePlanes(cut(colour_.get(), width_, GetPixelSize(), kept), cut(alpha_.get(), width_, 1, kept), kept.Width(),
                  kept.Height());
}

void CGraphicsObject::Scale(double sx, double sy)
{
    if (!colour_ || isPacked() || !(sx > 0) || !(sy > 0))
        return;
    const double width = std::trunc(width_ * sx);
    const double height = std::trunc(height_ * sy);
    if (!(width >= 1 && height >= 1 && width * height <= static_cast<double>(kMaxPixels)))
        return;
    const int newWidth = static_cast<int>(width);
    const int newHeight = static_cast<int>(height);
    const auto column = [this, sx](int x) { return std::min(static_cast<int>(x / sx), width_ - 1); };
    const auto row = [this, sy](int y) { return std::min(static_cast<int>(y / sy), height_ - 1); };
    CPlane alpha = alpha_ ? resample(alpha_.get(), width_, 1, newWidth, newHeight, column, row) : CPlane();
    replacePlanes(resample(colour_.get(), width_, GetPixelSize(), newWidth, newHeight, column, row), std::move(alpha),
                  newWidth, newHeight);
}

void CGraphicsObject::Scale2x()
{
    const int newWidth = width_ / 2;
    const int newHeight = height_ / 2;
    if (!colour_ || isPacked() || newWidth <= 0 || newHeight <= 0)
        return;
    const auto every2nd = [](int i) { return 2 * i; };
    CPlane alpha = alpha_ ? resample(alpha_.get(), width_, 1, newWidth, newHeight, every2nd, every2nd) : CPlane();
    replacePlanes(resample(colour_.get(), width_, GetPixelSize(), newWidth, newHeight, every2nd, every2nd),
                  std::move(alpha), newWidth, newHeight);
}

CPlane CGraphicsObject::cutPlane(const char* source, int sourceWidth, int cellSize, const CXRect& r)
{
    return cut(source, sourceWidth, cellSize, r);
}

void CGraphicsObject::Copy(CGraphicsObject* source)
{
    if (source == nullptr || source == this)
        return;
    const bool unpacked = source->compression_ == COMPRESSION_RLE;
    if (unpacked)
        source->DeCompressRLE2();
    if (source->isPacked())
        return;
    const CXRect whole(0, 0, source->width_, source->height_);
    const CXRect part = source->clip_.IsEmpty() ? whole : source->clip_.Common(whole);
    fileName_ = source->fileName_ + "copy";
    window_ = source->window_;
    destination_ = source->destination_;
    bpp_ = source->bpp_;
    autoClip_ = source->autoClip_;
    clip_ = CXRect();
    sourceWindow_ = source->sourceWindow_;
    placeAt(source->position_);
    compression_ = COMPRESSION_NONE;
    ownsPlanes_ = true;
    visible_ = true;
    reportChange();
    replacePlanes(cut(source->GetDataPtr(), source->width_, GetPixelSize(), part), cut(source->alpha_.get(), source->width_, 1, part),
                  part.Width(), part.Height());
    if (part == whole)
        pitch_ = source->pitch_;
    if (unpacked)
        source->bringBackCompressed();
}

void CGraphicsObject::Copy(CGraphicsObject* source, CXRect r)
{
    if (source == nullptr || source == this || r.IsEmpty() || source->isPacked())
        return;
    const CXRect part = r.Common(CXRect(0, 0, source->width_, source->height_));
    if (part.Width() <= 0 || part.Height() <= 0)
        return;
    fileName_ = source->fileName_;
    window_ = source->window_;
    destination_ = source->destination_;
    bpp_ = source->bpp_;
    autoClip_ = source->autoClip_;
    ownsPlanes_ = true;
    visible_ = true;
    reportChange();
    clip_ = CXRect();
    sourceWindow_ = CXRect();
    placeAt(CXPoint(r.left, r.top));
    compression_ = COMPRESSION_NONE;
    replacePlanes(cut(source->GetDataPtr(), source->width_, GetPixelSize(), part), cut(source->alpha_.get(), source->width_, 1, part),
                  part.Width(), part.Height());
}

void CGraphicsObject::Alloc()
{
    Flush();
    colour_ = CPlane::allocate(static_cast<size_t>(std::max(rawSize_, 0)));
}

// Channels.

void CGraphicsObject::Split()
{
    if (bpp_ != 24 || !colour_ || isPacked())
        return;
    const size_t count = static_cast<size_t>(width_) * height_;
    red_ = CPlane::allocate(count);
    green_ = CPlane::allocate(count);
    blue_ = CPlane::allocate(count);
    const char* pixel = colour_.get();
    for (size_t i = 0; i < count; ++i, pixel += 3) {
        blue_.get()[i] = pixel[0];
        green_.get()[i] = pixel[1];
        red_.get()[i] = pixel[2];
    }
    redSize_ = greenSize_ = blueSize_ = alphaSize_ = static_cast<int>(count);
    colour_.reset();
}

void CGraphicsObject::JoinChannels()
{
    const size_t count = static_cast<size_t>(std::max(width_, 0)) * std::max(height_, 0);
    CPlane joined = CPlane::allocate(count * 3);
    char* pixel = joined.get();
    for (size_t i = 0; i < count; ++i, pixel += 3) {
        pixel[0] = blue_ ? blue_.get()[i] : 0;
        pixel[1] = green_ ? green_.get()[i] : 0;
        pixel[2] = red_ ? red_.get()[i] : 0;
    }
    red_.reset();
    green_.reset();
    blue_.reset();
    redSize_ = greenSize_ = blueSize_ = 0;
    colour_ = std::move(joined);
    const int previous = bpp_;
    bpp_ = 24;
    Convert(previous);
}

char* CGraphicsObject::Join2Channels()
{
    if (bpp_ != 24 || !colour_ || isPacked())
        return nullptr;
    const size_t count = static_cast<size_t>(width_) * height_;
    char* records = new char[count * 4];
    for (size_t i = 0; i < count; ++i) {
        std::memcpy(records + i * 4, colour_.get() + i * 3, 3);
        records[i * 4 + 3] = alpha_ ? alpha_.get()[i] : static_cast<char>(255);
    }
    return records;
}

void CGraphicsObject::SplitOn2(char* data, int count)
{
    if (data == nullptr || count < 0)
        return;
    Flush();
    const size_t pixels = static_cast<size_t>(std::max(width_, 0)) * std::max(height_, 0);
    const size_t records = std::min(pixels, static_cast<size_t>(count));
    colour_ = CPlane::allocate(pixels * 3);
    alpha_ = CPlane::allocate(pixels);
    if (!colour_)
        return;
    std::memset(colour_.get(), 0, pixels * 3);
    std::memset(alpha_.get(), 0, pixels);
    for (size_t i = 0; i < records; ++i) {
        std::memcpy(colour_.get() + i * 3, data + i * 4, 3);
        alpha_.get()[i] = data[i * 4 + 3];
    }
    bpp_ = 24;
    alphaSize_ = static_cast<int>(pixels);
}

char* CGraphicsObject::RedChannel(char* plane)
{
    if (plane != nullptr)
        replaceByPointer(red_, plane);
    return red_.get();
}

char* CGraphicsObject::GreenChannel(char* plane)
{
    if (plane != nullptr)
        replaceByPointer(green_, plane);
    return green_.get();
}

char* CGraphicsObject::BlueChannel(char* plane)
{
    if (plane != nullptr)
        replaceByPointer(blue_, plane);
    return blue_.get();
}

char* CGraphicsObject::AlphaChannel(char* plane)
{
    replaceByPointer(alpha_, plane);
    alphaSize_ = alpha_ ? width_ * height_ : 0;
    return alpha_.get();
}

// Alpha stamping.

void CGraphicsObject::restoreAlpha(CGraphicsObject* mask)
{
    const auto stamp = std::find_if(alphaStamps_.begin(), alphaStamps_.end(),
                                    [mask](const AlphaStamp& entry) { return entry.mask == mask; });
    if (mask == nullptr || isPacked() || stamp == alphaStamps_.end())
        return;
    const CXRect r = stamp->area;
    const bool fits = r.left >= 0 && r.top >= 0 && r.right <= width_ && r.bottom <= height_ && r.Width() > 0 && r.Height() > 0
                      && stamp->covered.size() == static_cast<size_t>(r.Width()) * r.Height();
    if (alpha_ && fits) {
        for (int y = r.top; y < r.bottom; ++y)
            std::memcpy(alpha_.bytes() + static_cast<size_t>(y) * width_ + r.left,
                        stamp->covered.data() + static_cast<size_t>(y - r.top) * r.Width(), static_cast<size_t>(r.Width()));
        invalidateCanvas(r);
    }
    alphaStamps_.erase(stamp);
}

void CGraphicsObject::mergeAlpha(CXPoint p, CGraphicsObject* mask)
{
    if (mask == nullptr || mask == this || isPacked())
        return;
    restoreAlpha(mask);
    if (p.x >= width_ || p.y >= height_ || !alpha_ || !mask->alpha_ || mask->isPacked())
        return;
    const CXRect r(std::max(p.x, 0), std::max(p.y, 0), std::min(p.x + mask->width_, width_), std::min(p.y + mask->height_, height_));
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    AlphaStamp stamp{mask, r, std::vector<unsigned char>(static_cast<size_t>(r.Width()) * r.Height())};
    for (int y = r.top; y < r.bottom; ++y) {
        unsigned char* row = alpha_.bytes() + static_cast<size_t>(y) * width_ + r.left;
        std::memcpy(stamp.covered.data() + static_cast<size_t>(y - r.top) * r.Width(), row, static_cast<size_t>(r.Width()));
        std::memcpy(row, mask->alpha_.bytes() + static_cast<size_t>(y - p.y) * mask->width_ + (r.left - p.x),
                    static_cast<size_t>(r.Width()));
    }
    alphaStamps_.push_back(std::move(stamp));
    invalidateCanvas(r);
}

void CGraphicsObject::mergeAlpha2(CXPoint p, CGraphicsObject* mask, bool reset)
{
    if (mask == nullptr || !alpha_ || !mask->alpha_ || isPacked() || mask->isPacked())
        return;
    if (reset)
        std::memset(alpha_.get(), 255, static_cast<size_t>(width_) * height_);
    const CXRect r = CXRect(p.x, p.y, p.x + mask->width_, p.y + mask->height_).Common(CXRect(0, 0, width_, height_));
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            unsigned char& a = alpha_.bytes()[static_cast<size_t>(y) * width_ + x];
            if (a != 0)
                a = mask->alpha_.bytes()[static_cast<size_t>(y - p.y) * mask->width_ + (x - p.x)];
        }
    Invalidate();
}

void CGraphicsObject::displacementFilter(CXPoint* offsets, bool withAlpha, bool freeOld)
{
    if (offsets == nullptr || !colour_ || isPacked() || width_ <= 0 || height_ <= 0)
        return;
    const int width = width_;
    const int64_t count = int64_t{width_} * height_;
    const auto distanceAt = [offsets, width, count](int64_t i) {
        return PlaneDisplacement::heldDistance(int64_t{offsets[i].y} * width + offsets[i].x, count);
    };
    int32_t lowest = 0;
    int32_t highest = 0;
    for (int64_t i = 0; i < count; ++i) {
        lowest = std::min(lowest, distanceAt(i));
        highest = std::max(highest, distanceAt(i));
    }
    const auto distancesOf = [&distanceAt, width](int y, int32_t* distances) {
        for (int x = 0; x < width; ++x)
            distances[x] = distanceAt(int64_t{y} * width + x);
    };
    const bool moveAlpha = withAlpha && alpha_;
    DisplacedPlanes displaced = displacePlanes(colour_.get(), GetPixelSize(), moveAlpha ? alpha_.bytes() : nullptr,
                                               width_, height_, lowest, highest, distancesOf);
    if (!displaced.colour)
        return;
    const auto replace = [freeOld](CPlane& plane, CPlane fresh) {
        if (freeOld)
            plane.reset();
        else
            plane.handOver();
        plane = std::move(fresh);
    };
    replace(colour_, std::move(displaced.colour));
    if (moveAlpha)
        replace(alpha_, std::move(displaced.alpha));
}

// Flood fill.

CXRect CGraphicsObject::PrepareFloodFill(CXPoint start, CColor colour, char* target, _floodfill* spans)
{
    floodCount_ = 0;
    floodSpans_ = spans;
    const char* map = GetDataPtr();
    // Spans count in 16 bits.
    constexpr int kLargestSide = std::numeric_limits<int16_t>::max();
    if (!isTwoByte(bpp_) || map == nullptr || isPacked() || target == nullptr || spans == nullptr || width_ > kLargestSide
        || height_ > kLargestSide)
        return {};
    CFloodFill fill(reinterpret_cast<const uint16_t*>(map), reinterpret_cast<uint16_t*>(target), width_, height_,
                    static_cast<uint16_t>(colour.GetInBPP(bpp_)));
    floodCount_ = fill.run(start, spans);
    if (floodCount_ == 0)
        return {};
    CXRect box(std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), std::numeric_limits<int>::min(),
               std::numeric_limits<int>::min());
    for (int i = 0; i < floodCount_; ++i) {
        box.left = std::min<int>(box.left, spans[i].x);
        box.top = std::min<int>(box.top, spans[i].y);
        box.right = std::max(box.right, spans[i].x + spans[i].length);
        box.bottom = std::max<int>(box.bottom, spans[i].y);
    }
    return box;
}

void CGraphicsObject::FloodFill(CColor colour, char* target)
{
    if (target == nullptr || floodSpans_ == nullptr || !isTwoByte(bpp_))
        return;
    const auto word = static_cast<uint16_t>(colour.GetInBPP(bpp_));
    for (int i = 0; i < floodCount_; ++i) {
        const _floodfill& span = floodSpans_[i];
        if (span.y < 0 || span.y >= height_ || span.x < 0 || span.x + span.length > width_)
            continue;
        for (int x = span.x; x < span.x + span.length; ++x)
            putWord(target, static_cast<size_t>(span.y) * width_ + x, word);
    }
}
