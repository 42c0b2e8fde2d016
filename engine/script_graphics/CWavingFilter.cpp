#include "script_graphics/CWavingFilter.h"

#include "graphics/CGraphicsObject.h"
#include "script_graphics/FilterPixels.h"

namespace {

constexpr int kWavingCode = 300;
constexpr int kLastPhase = 100;
constexpr int kPhasesPerPicture = 10;

} // namespace

CWavingFilterOptions::CWavingFilterOptions()
    : CFilterOptions(kWavingCode)
{
}

void CWavingFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "AMPLITUDE")
        amplitude_ = value.toNumber();
    else if (name == "DENSITY")
        density_ = value.toDouble();
    else
        CFilterOptions::readOptions(name, value);
}

CWavingFilter::CWavingFilter(ScriptGraphicsWindow* owner)
    : CAnimatedFilter(owner)
{
    setOptions(new CWavingFilterOptions);
}

CFilterLink* CWavingFilter::createLink(CGraphicsObject* graphics, CMC_Object* script)
{
    return new CFilterLink(graphics, script, new CWavingLinkState);
}

bool CWavingFilter::step(CFilterLink* link, CFilterOptions* options)
{
    auto& state = *static_cast<CWavingLinkState*>(link->getState());
    if (state.phase % kPhasesPerPicture == 0)
        draw(link->getGraphics(), state, *static_cast<CWavingFilterOptions*>(options));
    state.phase = state.phase == kLastPhase ? 0 : state.phase + 1;
    return false;
}

// The undisturbed planes are put back first, unless the raster changed its size since they
// were kept: then it shows another picture, which becomes the undisturbed one.
void CWavingFilter::draw(CGraphicsObject* raster, CWavingLinkState& state, const CWavingFilterOptions& options)
{
    FilterPixels::unpackForUse(raster);
    if (state.colour && (raster->Width() != state.width || raster->Height() != state.height))
        state.colour.reset();
    if (state.colour) {
        raster->setPlanes(state.colour, state.alpha, state.width, state.height);
    } else {
        state.colour = raster->getColourPlane();
        state.alpha = raster->getAlphaPlane();
        state.width = raster->Width();
        state.height = raster->Height();
    }
    FilterPixels::wave(raster, 0, options.getAmplitude(), options.getDensity(), state.phase / kPhasesPerPicture);
    raster->Invalidate();
}
