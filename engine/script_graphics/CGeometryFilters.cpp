#include "script_graphics/CGeometryFilters.h"

#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"
#include "script_graphics/TurnedPlanes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <climits>
#include <cstring>
#include <vector>

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

// (k - count div 2) × factor for each k below count.
std::vector<double> fromCentre(int count, double factor)
{
    std::vector<double> products(static_cast<size_t>(count));
    for (int k = 0; k < count; ++k) {
        const double distance = k - count / 2;
        products[static_cast<size_t>(k)] = distance * factor;
    }
    return products;
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

CRotateFilter::CRotateFilter(ScriptGraphicsWindow* owner)
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
    if (newWidth <= 0 || newHeight <= 0 || int64_t{newWidth} * newHeight > kMaxPixels
        || int64_t{width} * height > INT32_MAX)
        return;
    const size_t count = static_cast<size_t>(newWidth) * newHeight;
    CPlane colour = CPlane::allocate(count * 2);
    const unsigned char* alpha = raster->GetAlphaPtr();
    CPlane turnedAlpha = alpha != nullptr ? CPlane::allocate(count) : CPlane();
    const std::vector<double> columnX = fromCentre(newWidth, c);
    const std::vector<double> columnY = fromCentre(newWidth, s);
    const std::vector<double> rowX = fromCentre(newHeight, s);
    const std::vector<double> rowY = fromCentre(newHeight, c);
    const Turn turn{s, c, columnX.data(), columnY.data(), rowX.data(), rowY.data(), cx, cy, width, height};
    turnPlanes(turn, words, alpha, newWidth, newHeight, reinterpret_cast<uint16_t*>(colour.get()), turnedAlpha.bytes());
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

CScaleFilter::CScaleFilter(ScriptGraphicsWindow* owner)
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
