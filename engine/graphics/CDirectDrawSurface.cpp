#include "graphics/CDirectDrawSurface.h"

#include <algorithm>
#include <cstring>

namespace {

// Larger surfaces are refused: a size from the data cannot ask for gigabytes.
constexpr int64_t kMaxPixels = int64_t{1} << 26;

} // namespace

CDirectDrawSurface::CDirectDrawSurface(GraphicsWindow* window)
    : CGraphicsObject(window)
{
}

CDirectDrawSurface::CDirectDrawSurface(GraphicsWindow* window, CXSize size, int bpp, bool videoMemory)
    : CGraphicsObject(window)
{
    setSize(size);
    SetBpp(bpp);
    SetSourceWindow(CXRect(0, 0, size.width, size.height));
    create_surface(videoMemory);
}

bool CDirectDrawSurface::create_surface(bool)
{
    if (width_ <= 0 || height_ <= 0 || int64_t{width_} * height_ > kMaxPixels) {
        setStoredPlanes(CPlane(), 0, CPlane(), 0, COMPRESSION_NONE);
        return false;
    }
    setStoredPlanes(CPlane::allocate(static_cast<size_t>(GetDataSize())), GetDataSize(), CPlane(), 0,
                    COMPRESSION_NONE);
    return true;
}

void CDirectDrawSurface::Blt(CDirectDrawSurface* source, CXPoint p, CXRect* sourceRect)
{
    Blt(source, p.x, p.y, sourceRect);
}

void CDirectDrawSurface::Blt(CDirectDrawSurface* source, int x, int y, CXRect* sourceRect)
{
    if (source == nullptr)
        return;
    const CXRect whole(0, 0, source->Width(), source->Height());
    CXRect from = sourceRect != nullptr ? *sourceRect : whole;
    if (from.Width() > whole.Width() || from.Height() > whole.Height()) {
        x = (from.Width() - whole.Width()) >> 1;
        y = (from.Height() - whole.Height()) >> 1;
        from = whole;
    }
    CXRect to(x, y, x + from.Width(), y + from.Height());
    Blt(source, &to, &from);
}

void CDirectDrawSurface::Blt(CDirectDrawSurface* source, CXRect* targetRect, CXRect* sourceRect)
{
    if (source == nullptr || source->GetPixelSize() != GetPixelSize())
        return;
    const char* from = source->GetDataPtr();
    char* to = GetDataPtr();
    const CXRect wholeSource(0, 0, source->Width(), source->Height());
    const CXRect wholeTarget(0, 0, Width(), Height());
    const CXRect s = sourceRect != nullptr ? *sourceRect : wholeSource;
    const CXRect t = targetRect != nullptr ? *targetRect : wholeTarget;
    if (from == nullptr || to == nullptr || s.Width() <= 0 || s.Height() <= 0 || t.Width() <= 0 || t.Height() <= 0)
        return;
    const int pixelSize = GetPixelSize();
    const CXRect drawn = t.Common(wholeTarget);
    const bool scaled = s.Width() != t.Width() || s.Height() != t.Height();
    // Unscaled, the columns whose source lies inside the source surface.
    const int64_t firstX = std::max<int64_t>(drawn.left, int64_t{t.left} - s.left);
    const int64_t endX = std::min<int64_t>(drawn.right, int64_t{t.left} - s.left + wholeSource.right);
    for (int y = drawn.top; y < drawn.bottom; ++y) {
        const int64_t sourceY = s.top + (scaled ? int64_t{y - t.top} * s.Height() / t.Height() : y - t.top);
        if (sourceY < 0 || sourceY >= wholeSource.bottom)
            continue;
        char* row = to + static_cast<size_t>(y) * Width() * pixelSize;
        const char* sourceRow = from + static_cast<size_t>(sourceY) * source->Width() * pixelSize;
        if (!scaled) {
            // A surface may copy within itself.
            if (firstX < endX)
                std::memmove(row + firstX * pixelSize, sourceRow + (s.left + firstX - t.left) * pixelSize,
                             static_cast<size_t>(endX - firstX) * pixelSize);
            continue;
        }
        for (int x = drawn.left; x < drawn.right; ++x) {
            const int64_t sourceX = s.left + int64_t{x - t.left} * s.Width() / t.Width();
            if (sourceX >= 0 && sourceX < wholeSource.right)
                std::memmove(row + static_cast<size_t>(x) * pixelSize, sourceRow + sourceX * pixelSize,
                            static_cast<size_t>(pixelSize));
        }
    }
}

void CDirectDrawSurface::Redraw()
{
    auto* destination = dynamic_cast<CDirectDrawSurface*>(GetDestiny());
    if (destination == nullptr)
        return;
    const CXPoint p = GetPosition();
    const int destinationWidth = destination->Width();
    const int destinationHeight = destination->Height();
    if (int64_t{p.x} + Width() <= 0 || int64_t{p.y} + Height() <= 0 || p.x >= destinationWidth || p.y >= destinationHeight)
        return;
    CXRect visible(std::max(0, -p.x), std::max(0, -p.y), Width(), Height());
    if (p.x + Width() >= destinationWidth)
        visible.right = destinationWidth - p.x;
    if (p.y + Height() >= destinationHeight)
        visible.bottom = destinationHeight - p.y;
    destination->Blt(this, p.x + visible.left, p.y + visible.top, &visible);
}
