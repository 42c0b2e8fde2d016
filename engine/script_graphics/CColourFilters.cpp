#include "script_graphics/CColourFilters.h"

#include "graphics/CGraphicsObject.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kColorChannelCode = 100;
constexpr int kGrayScaleCode = 101;
constexpr int kNegativeCode = 105;
constexpr uint16_t kBlueMask = 0x001F;
constexpr uint16_t kLowestGreenBit = 0x0020;

CPlane copyOf(const CPlane& plane, size_t bytes)
{
    CPlane copy = CPlane::allocate(bytes);
    if (copy)
        std::memcpy(copy.get(), plane.get(), bytes);
    return copy;
}

size_t pixelsOf(CGraphicsObject* raster)
{
    return static_cast<size_t>(raster->Width()) * raster->Height();
}

} // namespace

CColorChannelFilterOptions::CColorChannelFilterOptions()
    : CStaticFilterOptions(kColorChannelCode)
{
}

void CColorChannelFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "CHANNELS")
        channels_ = value;
    else
        CStaticFilterOptions::readOptions(name, value);
}

CColorChannelFilter::CColorChannelFilter(ScriptGraphicsWindow* owner)
    : CStaticFilter(owner)
{
    setOptions(new CColorChannelFilterOptions);
}

void CColorChannelFilter::apply(CGraphicsObject* raster, bool release)
{
    CStaticFilter::apply(raster, release);
    const uint16_t* words = FilterPixels::wordsOf(raster);
    if (words == nullptr)
        return;
    const CXString& channels = static_cast<const CColorChannelFilterOptions&>(options()).getChannels();
    const FilterPixels::Layout pixels = layout();
    uint16_t mask = 0;
    if (channels.Find('R', 0) >= 0)
        mask |= pixels.redMask;
    if (channels.Find('G', 0) >= 0)
        mask |= pixels.upperGreenMask;
    if (channels.Find('B', 0) >= 0)
        mask |= kBlueMask;
    const size_t count = pixelsOf(raster);
    CPlane kept = CPlane::allocate(count * 2);
    auto* to = reinterpret_cast<uint16_t*>(kept.get());
    for (size_t i = 0; i < count; ++i)
        to[i] = words[i] & mask;
    raster->setPlanes(std::move(kept), raster->getAlphaPlane(), raster->Width(), raster->Height());
}

CGrayScaleFilter::CGrayScaleFilter(ScriptGraphicsWindow* owner)
    : CStaticFilter(owner)
{
    setOptions(new CStaticFilterOptions(kGrayScaleCode));
}

void CGrayScaleFilter::apply(CGraphicsObject* raster, bool release)
{
    CStaticFilter::apply(raster, release);
    if (FilterPixels::wordsOf(raster) == nullptr)
        return;
    raster->setPlanes(copyOf(raster->getColourPlane(), pixelsOf(raster) * 2), raster->getAlphaPlane(), raster->Width(),
                      raster->Height());
    raster->ToGrayScale();
}

CNegativeFilter::CNegativeFilter(ScriptGraphicsWindow* owner)
    : CStaticFilter(owner)
{
    setOptions(new CStaticFilterOptions(kNegativeCode));
}

void CNegativeFilter::apply(CGraphicsObject* raster, bool release)
{
    CStaticFilter::apply(raster, release);
    if (FilterPixels::wordsOf(raster) == nullptr)
        return;
    const int width = raster->Width();
    const int height = raster->Height();
    if (!release)
        raster->setPlanes(copyOf(raster->getColourPlane(), pixelsOf(raster) * 2), raster->getAlphaPlane(), width, height);
    auto* words = reinterpret_cast<uint16_t*>(raster->GetDataPtr());
    const unsigned char* alpha = raster->GetAlphaPtr();
    const FilterPixels::Layout pixels = layout();
    const auto inverted = static_cast<uint16_t>(pixels.redMask | pixels.upperGreenMask | kBlueMask);
    const auto kept = static_cast<uint16_t>(~kLowestGreenBit);
    CXRect area = raster->GetClippingRect();
    if (area.Width() <= 0 || area.Height() <= 0)
        area = CXRect(0, 0, width, height);
    area = area.Common(CXRect(0, 0, width, height));
    const int count = area.Width();
    for (int y = area.top; y < area.bottom; ++y) {
        const size_t start = static_cast<size_t>(y) * width + area.left;
        uint16_t* __restrict row = words + start;
        if (alpha == nullptr) {
            for (int x = 0; x < count; ++x)
                row[x] = static_cast<uint16_t>((row[x] ^ inverted) & kept);
            continue;
        }
        const unsigned char* __restrict opacity = alpha + start;
        for (int x = 0; x < count; ++x)
            row[x] = opacity[x] != 0 ? static_cast<uint16_t>((row[x] ^ inverted) & kept) : row[x];
    }
}
