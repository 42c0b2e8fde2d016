#include "script_graphics/CWaterFilter.h"

#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"
#include "script_graphics/FilterPixels.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int kWaterCode = 5;

} // namespace

CWaterFilterOptions::CWaterFilterOptions()
    : CFilterOptions(kWaterCode)
{
}

void CWaterFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "FACTOR")
        factor_ = value.toDouble();
    else
        CFilterOptions::readOptions(name, value);
}

void CWaterLinkState::prepare(CGraphicsObject* raster)
{
    const uint16_t* words = FilterPixels::wordsOf(raster);
    const int width = words != nullptr ? raster->Width() : 0;
    const int height = words != nullptr ? raster->Height() : 0;
    unfiltered_.assign(words, words + static_cast<size_t>(width) * height);
    prepareRadialTables(width, height);
}

void CWaterLinkState::prepareRadialTables(int width, int height)
{
    width_ = width;
    height_ = height;
    const size_t count = static_cast<size_t>(width) * height;
    sine_.resize(count);
    cosine_.resize(count);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int64_t dx = width / 2 - x;
            const int64_t dy = height / 2 - y;
            const double distance = std::sqrt(static_cast<double>(dx * dx + dy * dy));
            const size_t i = static_cast<size_t>(y) * width + x;
            sine_[i] = static_cast<float>(std::sin(distance));
            cosine_[i] = static_cast<float>(std::cos(distance));
        }
}

CWaterFilter::CWaterFilter(CWindow* owner)
    : CAnimatedFilter(owner)
{
    for (int i = 0; i < kPhases; ++i) {
        phaseSine_[static_cast<size_t>(i)] = static_cast<float>(std::sin(i));
        phaseCosine_[static_cast<size_t>(i)] = static_cast<float>(std::cos(i));
    }
    setOptions(new CWaterFilterOptions);
}

CFilterLink* CWaterFilter::createLink(CGraphicsObject* graphics, CMC_Object* script)
{
    auto* state = new CWaterLinkState;
    state->prepare(graphics);
    return new CFilterLink(graphics, script, state);
}

bool CWaterFilter::step(CFilterLink* link, CFilterOptions* options)
{
    CGraphicsObject* raster = link->getGraphics();
    auto& state = *static_cast<CWaterLinkState*>(link->getState());
    uint16_t* words = FilterPixels::wordsOf(raster);
    if (words == nullptr)
        return false;
    const int width = raster->Width();
    const int height = raster->Height();
    if (!state.fits(width, height))
        state.prepare(raster);
    const size_t phase = state.getTicks() % kPhases;
    const float phaseSine = phaseSine_[phase];
    const float phaseCosine = phaseCosine_[phase];
    const double factor = static_cast<CWaterFilterOptions*>(options)->getFactor();
    const uint16_t* unfiltered = state.unfiltered();
    const float* sine = state.sine();
    const float* cosine = state.cosine();
    const unsigned char* alpha = raster->GetAlphaPtr();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const size_t i = static_cast<size_t>(y) * width + x;
            if (alpha != nullptr && alpha[i] == 0)
                continue;
            const float wave = phaseSine * cosine[i] + phaseCosine * sine[i];
            const int64_t n = truncateToInt(factor * wave);
            const int64_t sx = std::clamp<int64_t>(x + n, 0, width - 1);
            const int64_t sy = std::clamp<int64_t>(y + n, 0, height - 1);
            words[i] = unfiltered[sy * width + sx];
        }
    raster->Invalidate();
    return false;
}
