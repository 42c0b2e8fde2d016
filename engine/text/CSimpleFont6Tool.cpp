// The font tool: a font made from the pictures of an animation, and the empty-column counts it
// measures them with.
#include "text/CSimpleFont6.h"

#include "graphics/CAnimo.h"
#include "graphics/CFrame.h"

#include <cstring>

namespace {

// Alpha above this counts as ink when the gap after a letter is measured.
constexpr int kKerningInk = 20;
// Offsets and kerning are signed bytes: wider cells cannot be described.
constexpr int kMaxCellWidth = 127;

// The columns of an alpha plane (rows `stride` bytes apart) with no byte above the threshold,
// counted from column `from` in steps of `step` while they stay within first..last.
int clearColumns(const unsigned char* alpha, int stride, int height, int from, int step, int first, int last,
                 int threshold)
{
    int count = 0;
    for (int x = from; x >= first && x <= last; x += step, ++count)
        for (int y = 0; y < height; ++y)
            if (alpha[static_cast<size_t>(y) * stride + x] > threshold)
                return count;
    return count;
}

// The picture's pixel words and alpha bytes in a cell of the strip, its rows from the top left;
// a picture without an alpha plane is opaque.
void copyIntoCell(CFrame& picture, uint16_t* colour, uint8_t* alpha, int stride)
{
    const auto* words = reinterpret_cast<const uint16_t*>(picture.GetDataPtr());
    const unsigned char* pictureAlpha = picture.GetAlphaPtr();
    const int w = picture.Width();
    for (int y = 0; y < picture.Height(); ++y) {
        std::memcpy(colour + static_cast<size_t>(y) * stride, words + static_cast<size_t>(y) * w,
                    static_cast<size_t>(w) * 2);
        if (pictureAlpha != nullptr)
            std::memcpy(alpha + static_cast<size_t>(y) * stride, pictureAlpha + static_cast<size_t>(y) * w,
                        static_cast<size_t>(w));
        else
            std::memset(alpha + static_cast<size_t>(y) * stride, 255, static_cast<size_t>(w));
    }
}

// Clears the cell's one-pixel border: colour 0, alpha 0.
void clearBorder(uint16_t* colour, uint8_t* alpha, int stride, int w, int h)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (y == 0 || y == h - 1 || x == 0 || x == w - 1) {
                colour[static_cast<size_t>(y) * stride + x] = 0;
                alpha[static_cast<size_t>(y) * stride + x] = 0;
            }
}

// The picture unpacked in 16 bits per pixel; none when it cannot be.
CFrame* unpackedPicture(CAnimo& animation, int i)
{
    CFrame* picture = animation.GetFrame(i);
    if (picture == nullptr)
        return nullptr;
    picture->DeCompress();
    picture->unpack();
    picture->Convert(16);
    return picture->GetBpp() == 16 && !picture->isPacked() && picture->GetDataPtr() != nullptr ? picture : nullptr;
}

} // namespace

int CSimpleFont6::getLeftOffset(CGraphicsObject* picture)
{
    const unsigned char* alpha = picture->GetAlphaPtr();
    const int w = picture->Width();
    return alpha != nullptr ? clearColumns(alpha, w, picture->Height(), 0, 1, 0, w - 1, 0) : 0;
}

int CSimpleFont6::getRightOffset(CGraphicsObject* picture)
{
    const unsigned char* alpha = picture->GetAlphaPtr();
    const int w = picture->Width();
    return alpha != nullptr ? clearColumns(alpha, w, picture->Height(), w - 1, -1, 0, w - 1, 0) : 0;
}

int CSimpleFont6::create(const CXString& animationFile, const CXString& fontFile)
{
    CAnimo animation(window_, animationFile);
    flush();
    const int count = animation.GetNOF();
    const int cellW = animation.Width();
    const int cellH = animation.Height();
    if (animation.LastError() != 0 || count < 1 || count > kMaxLetters || cellW <= 0 || cellW > kMaxCellWidth
        || cellH <= 0 || int64_t{count} * cellW * cellH > kMaxPixels)
        return refuse(ERROR_FORMAT);
    const int stripW = count * cellW;
    const auto pixels = static_cast<size_t>(stripW) * cellH;
    CPlane colourPlane = CPlane::allocate(pixels * 2);
    CPlane alphaPlane = CPlane::allocate(pixels);
    auto* colour = reinterpret_cast<uint16_t*>(colourPlane.get());
    auto* alpha = reinterpret_cast<uint8_t*>(alphaPlane.get());
    std::memset(colour, 0, pixels * 2);
    std::memset(alpha, 0, pixels);
    std::vector<uint8_t> codes(static_cast<size_t>(count));
    std::vector<int8_t> left(codes.size());
    std::vector<int8_t> right(codes.size());
    std::vector<int8_t> kerning(codes.size() * codes.size());
    for (int i = 0; i < count; ++i) {
        const CXString name = animation.getFrameName(0, i);
        CFrame* picture = unpackedPicture(animation, i);
        if (!name.IsString() || picture == nullptr || picture->Width() > cellW || picture->Height() > cellH)
            return refuse(ERROR_FORMAT);
        const auto cell = static_cast<size_t>(i) * cellW;
        copyIntoCell(*picture, colour + cell, alpha + cell, stripW);
        clearBorder(colour + cell, alpha + cell, stripW, cellW, cellH);
        const auto letter = static_cast<size_t>(i);
        codes[letter] = static_cast<uint8_t>(name.GetAt(0));
        const int leftGap = clearColumns(alpha + cell, stripW, cellH, 0, 1, 0, cellW - 1, 0);
        const int rightGap = clearColumns(alpha + cell, stripW, cellH, cellW - 1, -1, 0, cellW - 1, 0);
        left[letter] = static_cast<int8_t>(leftGap);
        right[letter] = static_cast<int8_t>(rightGap);
        const int gap =
            clearColumns(alpha + cell, stripW, cellH, cellW - rightGap - 1, -1, leftGap, cellW - 1, kKerningInk);
        std::fill_n(kerning.begin() + static_cast<std::ptrdiff_t>(letter * codes.size()), codes.size(),
                    static_cast<int8_t>(1 - gap));
    }
    setLetters(std::move(codes), std::move(kerning), std::move(left), std::move(right));
    bpp_ = 16;
    replacePlanes(std::move(colourPlane), std::move(alphaPlane), stripW, cellH);
    return write(fontFile);
}
