#include "script_graphics/CGeometryFilters.h"

#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/PixelGather.h"

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

// How a turned raster's pixels find their sources: the sine and cosine of the angle, the
// centre, and the size of the raster turned; per column of the turned planes, du × cos and
// du × sin, du being the column's distance from their centre.
struct Turn {
    double s;
    double c;
    int cx;
    int cy;
    int width;
    int height;
    const double* columnX;
    const double* columnY;
};

// The sources of a row of the turned planes, dv rows from their centre, and whether each lies
// inside the raster (a source outside is given as 0). The sources lie within the int range:
// the sizes are bounded, so the conversions truncate exactly.
__attribute__((target_clones("avx2", "default"))) void turnedSources(Turn turn, int dv, int count, int32_t* __restrict sources,
                                                                      uint8_t* __restrict inside)
{
    const double turnedU = dv * turn.s;
    const double turnedV = dv * turn.c;
    const double* __restrict columnX = turn.columnX;
    const double* __restrict columnY = turn.columnY;
    for (int i = 0; i < count; ++i) {
        const auto sx = static_cast<int32_t>(columnX[i] - turnedU + turn.cx);
        const auto sy = static_cast<int32_t>(columnY[i] + turnedV + turn.cy);
        // Without a branch, so that rows go eight pixels at a time.
        const bool in = (static_cast<uint32_t>(sx) < static_cast<uint32_t>(turn.width))
                        & (static_cast<uint32_t>(sy) < static_cast<uint32_t>(turn.height));
        sources[i] = in ? sy * turn.width + sx : 0;
        inside[i] = in ? 1 : 0;
    }
}

// A pixel whose source lies outside, or is transparent, becomes transparent black.
__attribute__((target_clones("avx2", "default"))) void keepShown(uint16_t* __restrict line, uint8_t* __restrict alpha,
                                                                  const uint8_t* __restrict inside, int count)
{
    if (alpha == nullptr) {
        for (int i = 0; i < count; ++i) {
            const uint16_t pixel = line[i];
            line[i] = inside[i] != 0 ? pixel : 0;
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        const uint16_t pixel = line[i];
        const uint8_t opacity = alpha[i];
        const bool shown = (inside[i] != 0) & (opacity != 0);
        line[i] = shown ? pixel : 0;
        alpha[i] = shown ? opacity : 0;
    }
}

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
    if (newWidth <= 0 || newHeight <= 0 || int64_t{newWidth} * newHeight > kMaxPixels
        || int64_t{width} * height > INT32_MAX)
        return;
    const size_t count = static_cast<size_t>(newWidth) * newHeight;
    CPlane colour = CPlane::allocate(count * 2);
    const unsigned char* alpha = raster->GetAlphaPtr();
    CPlane turnedAlpha = alpha != nullptr ? CPlane::allocate(count) : CPlane();
    auto* to = reinterpret_cast<uint16_t*>(colour.get());
    unsigned char* toAlpha = turnedAlpha.bytes();
    std::vector<double> columnX(static_cast<size_t>(newWidth));
    std::vector<double> columnY(static_cast<size_t>(newWidth));
    for (int i = 0; i < newWidth; ++i) {
        const double du = i - newWidth / 2;
        columnX[static_cast<size_t>(i)] = du * c;
        columnY[static_cast<size_t>(i)] = du * s;
    }
    const Turn turn{s, c, cx, cy, width, height, columnX.data(), columnY.data()};
    std::vector<int32_t> sources(static_cast<size_t>(newWidth));
    std::vector<uint8_t> inside(static_cast<size_t>(newWidth));
    for (int j = 0; j < newHeight; ++j) {
        uint16_t* line = to + static_cast<size_t>(j) * newWidth;
        unsigned char* alphaLine = toAlpha != nullptr ? toAlpha + static_cast<size_t>(j) * newWidth : nullptr;
        turnedSources(turn, j - newHeight / 2, newWidth, sources.data(), inside.data());
        const int64_t cells = int64_t{width} * height;
        gatherWords(words, cells, sources.data(), newWidth, line);
        if (alphaLine != nullptr)
            gatherBytes(alpha, cells, sources.data(), newWidth, alphaLine);
        keepShown(line, alphaLine, inside.data(), newWidth);
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
