#include "script_graphics/CGeometryFilters.h"

#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kRotateCode = 102;
constexpr int kScaleCode = 104;
constexpr double kRadiansPerDegree = -0.017453233333333335;
// A turned raster larger than this is refused, as the raster's own scaling refuses one.
constexpr int64_t kMaxPixels = int64_t{1} << 26;

// The larger of the two spans, truncated, that the turned box's diagonals cover along one axis.
int turnedSide(double first, double second)
{
    return std::max(std::abs(truncateToInt(first)), std::abs(truncateToInt(second)));
}

} // namespace

CRotateFilterOptions::CRotateFilterOptions()
    : CStaticFilterOptions(kRotateCode)
{
}

void CRotateFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "ANGLE")
        angle_ = value.toDouble();
    else
        CStaticFilterOptions::readOptions(name, value);
}

CRotateFilter::CRotateFilter(CWindow* owner)
    : CStaticFilter(owner)
{
    setOptions(new CRotateFilterOptions);
}

void CRotateFilter::apply(CGraphicsObject* raster, bool release)
{
    CStaticFilter::apply(raster, release);
    const uint16_t* words = FilterPixels::wordsOf(raster);
    if (words == nullptr)
        return;
    const int width = raster->Width();
    const int height = raster->Height();
    const double angle = static_cast<const CRotateFilterOptions&>(options()).getAngle() * kRadiansPerDegree;
    const double s = std::sin(angle);
    const double c = std::cos(angle);
    const int cx = width / 2;
    const int cy = height / 2;
    const auto turnedX = [s, c](double u, double v) { return u * c - v * s; };
    const auto turnedY = [s, c](double u, double v) { return u * s + v * c; };
    const int newWidth = turnedSide(turnedX(width - cx, height - cy) - turnedX(-cx, -cy),
                                    turnedX(-cx, height - cy) - turnedX(width - cx, -cy));
    const int newHeight = turnedSide(turnedY(width - cx, height - cy) - turnedY(-cx, -cy),
                                     turnedY(-cx, height - cy) - turnedY(width - cx, -cy));
    if (newWidth <= 0 || newHeight <= 0 || int64_t{newWidth} * newHeight > kMaxPixels)
        return;
    const size_t count = static_cast<size_t>(newWidth) * newHeight;
    CPlane colour = CPlane::allocate(count * 2);
    std::memset(colour.get(), 0, count * 2);
    const unsigned char* alpha = raster->GetAlphaPtr();
    CPlane turnedAlpha = alpha != nullptr ? CPlane::allocate(count) : CPlane();
    if (turnedAlpha)
        std::memset(turnedAlpha.get(), 0, count);
    auto* to = reinterpret_cast<uint16_t*>(colour.get());
    unsigned char* toAlpha = turnedAlpha.bytes();
    for (int j = 0; j < newHeight; ++j) {
        const double dv = j - newHeight / 2;
        for (int i = 0; i < newWidth; ++i) {
            const double du = i - newWidth / 2;
            const int sx = truncateToInt(du * c - dv * s + cx);
            const int sy = truncateToInt(du * s + dv * c + cy);
            if (sx < 0 || sx >= width || sy < 0 || sy >= height)
                continue;
            const size_t from = static_cast<size_t>(sy) * width + sx;
            if (alpha != nullptr && alpha[from] == 0)
                continue;
            const size_t at = static_cast<size_t>(j) * newWidth + i;
            to[at] = words[from];
            if (toAlpha != nullptr)
                toAlpha[at] = alpha[from];
        }
    }
    raster->setPlanes(std::move(colour), std::move(turnedAlpha), newWidth, newHeight);
    raster->Move(cx - newWidth / 2, cy - newHeight / 2);
}

CScaleFilterOptions::CScaleFilterOptions()
    : CStaticFilterOptions(kScaleCode)
{
}

void CScaleFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "FACTORX" || name == "FACTORY") {
        const double factor = value.toDouble();
        if (factor > 0.0)
            (name == "FACTORX" ? factorX_ : factorY_) = factor;
    } else if (name == "BYCENTER") {
        byCenter_ = value.toBool();
    } else {
        CStaticFilterOptions::readOptions(name, value);
    }
}

CScaleFilter::CScaleFilter(CWindow* owner)
    : CStaticFilter(owner)
{
    setOptions(new CScaleFilterOptions);
}

void CScaleFilter::apply(CGraphicsObject* raster, bool release)
{
    CStaticFilter::apply(raster, release);
    const auto& scale = static_cast<const CScaleFilterOptions&>(options());
    const int width = raster->Width();
    const int height = raster->Height();
    raster->Scale(scale.getFactorX(), scale.getFactorY());
    if (scale.isByCenter())
        raster->Move((width - raster->Width()) / 2, (height - raster->Height()) / 2);
}
