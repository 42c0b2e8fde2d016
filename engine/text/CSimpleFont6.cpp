#include "text/CSimpleFont6.h"

#include "foundation/CFile.h"
#include "graphics/CByteReader.h"
#include "text/TextWindow.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kHeaderSize = 20;

bool isTwoByteLayout(int bpp)
{
    return bpp == 15 || bpp == 16;
}

std::vector<int8_t> signedBytes(const char* bytes, size_t count)
{
    std::vector<int8_t> values(count);
    if (count > 0)
        std::memcpy(values.data(), bytes, count);
    return values;
}

} // namespace

CSimpleFont6::CSimpleFont6(TextWindow* window)
    : CGraphicsObject(window)
{
    firstCell_.fill(-1);
}

CSimpleFont6::CSimpleFont6(TextWindow* window, const CXString& fileName)
    : CSimpleFont6(window)
{
    Load(fileName);
}

void CSimpleFont6::flush()
{
    setLetters({}, {}, {}, {});
    Flush();
    setOwnSize(0, 0);
    forgetColour();
}

void CSimpleFont6::forgetColour()
{
    colour_ = -1;
    cellColour_.assign(codes_.size(), -1);
    planeColour_ = -1;
}

void CSimpleFont6::setLetters(std::vector<uint8_t> codes, std::vector<int8_t> kerning, std::vector<int8_t> left,
                              std::vector<int8_t> right)
{
    codes_ = std::move(codes);
    kerning_ = std::move(kerning);
    left_ = std::move(left);
    right_ = std::move(right);
    count_ = static_cast<int32_t>(codes_.size());
    forgetColour();
    firstCell_.fill(-1);
    for (int i = count_ - 1; i >= 0; --i)
        firstCell_[codes_[static_cast<size_t>(i)]] = static_cast<int16_t>(i);
}

int CSimpleFont6::findLetter(char c) const
{
    return firstCell_[static_cast<unsigned char>(c)];
}

int CSimpleFont6::getKerning(int prev, int cur)
{
    const int p = findLetter(static_cast<char>(prev));
    const int c = findLetter(static_cast<char>(cur));
    return p >= 0 && c >= 0 ? kerningAt(p, c) : 0;
}

int CSimpleFont6::getLetterWidth(char prev, char cur)
{
    if (cur == ' ')
        return getLetterWidth(0, 'l');
    if (cur == '~')
        return 1;
    const int p = prev != 0 ? findLetter(prev) : -1;
    const int c = cur != 0 ? findLetter(cur) : -1;
    if (c < 0)
        return 0;
    return p >= 0 ? visibleWidth(c) - kerningAt(p, c) : visibleWidth(c);
}

int CSimpleFont6::getRealLetterWidth(char cur)
{
    if (cur == ' ')
        return getLetterWidth(0, 'l');
    if (cur == '~')
        return 1;
    const int c = cur != 0 ? findLetter(cur) : -1;
    return c >= 0 ? visibleWidth(c) : 0;
}

// A clip without area would count as no clip at all and draw the whole strip: such a letter
// shows nothing.
int CSimpleFont6::drawLetter(int x, int y, char prev, char cur)
{
    if (cur == ' ')
        return getLetterWidth(0, 'l') + 2;
    if (cur == '~')
        return 1 + 2;
    const int c = cur != 0 ? findLetter(cur) : -1;
    if (c < 0)
        return 2;
    const int p = prev != 0 ? findLetter(prev) : -1;
    const int s = visibleStart(c);
    const int w = visibleWidth(c);
    const int k = p >= 0 ? kerningAt(p, c) : 0;
    const CXRect saved = GetClippingRect();
    const CXRect clip = saved.IsEmpty()
                            ? CXRect(s, 0, s + w, height_)
                            : CXRect(std::max(s, saved.left), std::max(saved.top, 0), std::min(s + w, saved.right + 1),
                                     std::min(height_, saved.bottom));
    if (clip.Width() > 0 && clip.Height() > 0) {
        paintCell(c);
        placeAt(CXPoint(x - s - k, y));
        CGraphicsObject::SetClippingRect(clip);
        drawing_ = true;
        Redraw();
        drawing_ = false;
        CGraphicsObject::SetClippingRect(saved);
    }
    return w - k + 2;
}

void CSimpleFont6::SetClippingRect(char letter, CXRect rect)
{
    const int c = letter != 0 ? findLetter(letter) : -1;
    if (!rect.IsEmpty() && c >= 0) {
        rect.left += visibleStart(c);
        rect.right += visibleStart(c);
    }
    CGraphicsObject::SetClippingRect(rect);
}

void CSimpleFont6::setColor(int colour)
{
    colour_ = static_cast<uint16_t>(colour);
}

bool CSimpleFont6::paintHolds()
{
    if (paintedBpp_ == bpp_)
        return true;
    std::fill(cellColour_.begin(), cellColour_.end(), -1);
    planeColour_ = -1;
    paintedBpp_ = bpp_;
    return false;
}

bool CSimpleFont6::canPaint()
{
    return colour_ >= 0 && CGraphicsObject::GetDataPtr() != nullptr && !isPacked() && isTwoByteLayout(bpp_);
}

void CSimpleFont6::paintCell(int letter)
{
    int32_t& painted = cellColour_[static_cast<size_t>(letter)];
    if (!canPaint() || (paintHolds() && painted == colour_))
        return;
    const int cell = cellWidth();
    auto* words = reinterpret_cast<uint16_t*>(CGraphicsObject::GetDataPtr()) + static_cast<size_t>(cell) * letter;
    for (int y = 0; y < height_; ++y)
        std::fill_n(words + static_cast<size_t>(y) * width_, cell, static_cast<uint16_t>(colour_));
    painted = colour_;
    planeColour_ = -1;
}

void CSimpleFont6::paintPlane()
{
    if (!canPaint() || (paintHolds() && planeColour_ == colour_))
        return;
    std::fill_n(reinterpret_cast<uint16_t*>(CGraphicsObject::GetDataPtr()), static_cast<size_t>(width_) * height_,
                static_cast<uint16_t>(colour_));
    std::fill(cellColour_.begin(), cellColour_.end(), colour_);
    planeColour_ = colour_;
}

char* CSimpleFont6::GetDataPtr()
{
    if (!drawing_)
        paintPlane();
    return CGraphicsObject::GetDataPtr();
}

int CSimpleFont6::Load(const CXString& fileName)
{
    flush();
    setErrorCode(0);
    if (readFile(fileName) != 0)
        return LastError();
    return CGraphicsObject::Load(fileName);
}

int CSimpleFont6::Load(CFile* file)
{
    flush();
    std::vector<char> bytes;
    if (!readRest(file, bytes))
        return refuse(ERROR_FORMAT);
    return readFnt(bytes.data(), bytes.size());
}

int CSimpleFont6::refuse(int error)
{
    flush();
    setErrorCode(error);
    return error;
}

int CSimpleFont6::readFnt(const char* data, size_t size)
{
    CByteReader in(data, size);
    in.skip(4);
    const int32_t width = in.i32();
    const int32_t height = in.i32();
    const int32_t bpp = in.i32();
    const int32_t count = in.i32();
    if (!in.ok() || count < 0 || count > kMaxLetters || width < 0 || height < 0
        || int64_t{width} * height > kMaxPixels || !isTwoByteLayout(bpp))
        return refuse(ERROR_FORMAT);
    const auto n = static_cast<size_t>(count);
    const auto pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    const char* codes = in.take(n);
    const char* kerning = in.take(n * n);
    const char* left = in.take(n);
    const char* right = in.take(n);
    const char* colour = in.take(pixels * 2);
    const char* alpha = in.take(pixels);
    if (!in.ok())
        return refuse(ERROR_FORMAT);
    const auto* codeBytes = reinterpret_cast<const uint8_t*>(codes);
    setLetters(std::vector<uint8_t>(codeBytes, codeBytes + n), signedBytes(kerning, n * n), signedBytes(left, n),
               signedBytes(right, n));
    bpp_ = bpp;
    replacePlanes(copyPlane(colour, pixels * 2), copyPlane(alpha, pixels), width, height);
    setErrorCode(0);
    return 0;
}

int CSimpleFont6::write(const CXString& fileName)
{
    const auto pixels = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    if (GetDataPtr() == nullptr || isPacked() || !isTwoByteLayout(bpp_)) {
        setErrorCode(ERROR_FORMAT);
        return ERROR_FORMAT;
    }
    const std::vector<uint8_t> opaque(GetAlphaPtr() == nullptr ? pixels : 0, 255);
    const void* alpha = GetAlphaPtr() != nullptr ? static_cast<const void*>(GetAlphaPtr()) : opaque.data();
    CByteWriter out;
    out.bytes("FNT", 4)
        .u32(static_cast<uint32_t>(width_))
        .u32(static_cast<uint32_t>(height_))
        .u32(static_cast<uint32_t>(bpp_))
        .u32(static_cast<uint32_t>(count_))
        .bytes(codes_.data(), codes_.size())
        .bytes(kerning_.data(), kerning_.size())
        .bytes(left_.data(), left_.size())
        .bytes(right_.data(), right_.size());
    const std::vector<char>& tables = out.data();
    return writeFile(fileName, [&](CFile* file) {
        const bool written = file->Write(tables.data(), static_cast<int>(tables.size())) == 1
                             && (pixels == 0
                                 || (file->Write(GetDataPtr(), static_cast<int>(pixels * 2)) == 1
                                     && file->Write(alpha, static_cast<int>(pixels)) == 1));
        return written ? 0 : ERROR_OPEN;
    });
}
