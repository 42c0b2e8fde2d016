#include "script_graphics/CFadeFilters.h"

#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"

namespace {

constexpr int kFadeInCode = 1;
constexpr int kFadeOutCode = 2;

} // namespace

CFadeFilterOptions::CFadeFilterOptions(int kindCode, double start, double end)
    : CFilterOptions(kindCode)
    , start_(start)
    , end_(end)
{
}

void CFadeFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "SPEED")
        speed_ = value.toDouble();
    else if (name == "START")
        start_ = value.toDouble();
    else if (name == "END")
        end_ = value.toDouble();
    else
        CFilterOptions::readOptions(name, value);
}

CFadeFilterLink::CFadeFilterLink(CGraphicsObject* graphics, CMC_Object* script)
    : CFilterLink(graphics, script, new CFadeLinkState)
{
}

void CFadeFilterLink::setActive(CFilterOptions* options, bool on)
{
    if (on) {
        const double start = static_cast<CFadeFilterOptions*>(options)->getStart();
        static_cast<CFadeLinkState*>(getState())->value = start;
        CFadeFilter::showOpacity(getGraphics(), start);
    }
    CFilterLink::setActive(options, on);
}

CFilterLink* CFadeFilter::createLink(CGraphicsObject* graphics, CMC_Object* script)
{
    return new CFadeFilterLink(graphics, script);
}

void CFadeFilter::showOpacity(CGraphicsObject* graphics, double value)
{
    graphics->SetOpacity(static_cast<unsigned char>(truncateToInt(value)));
}

bool CFadeFilter::moveToward(CFilterLink* link, double speed, double bound, bool up)
{
    CFadeLinkState& state = stateOf(link);
    double value = up ? state.value + speed : state.value - speed;
    const bool reached = up ? value >= bound : value <= bound;
    if (reached)
        value = bound;
    if (truncateToInt(value) != truncateToInt(state.value)) {
        showOpacity(link->getGraphics(), value);
        link->getGraphics()->Invalidate();
    }
    state.value = value;
    return reached;
}

CFadeInFilter::CFadeInFilter(ScriptGraphicsWindow* owner)
    : CFadeFilter(owner)
{
    setOptions(new CFadeFilterOptions(kFadeInCode, 0.0, 255.0));
}

bool CFadeInFilter::step(CFilterLink* link, CFilterOptions* options)
{
    const CFadeFilterOptions& fade = optionsOf(options);
    return moveToward(link, fade.getSpeed(), fade.getEnd(), true);
}

CFadeOutFilter::CFadeOutFilter(ScriptGraphicsWindow* owner)
    : CFadeFilter(owner)
{
    setOptions(new CFadeFilterOptions(kFadeOutCode, 255.0, 0.0));
}

bool CFadeOutFilter::step(CFilterLink* link, CFilterOptions* options)
{
    const CFadeFilterOptions& fade = optionsOf(options);
    return moveToward(link, fade.getSpeed(), fade.getEnd(), false);
}

CFadeInOutFilter::CFadeInOutFilter(ScriptGraphicsWindow* owner)
    : CFadeFilter(owner)
{
    setOptions(new CFadeFilterOptions(kFadeInCode, 0.0, 255.0));
}

bool CFadeInOutFilter::step(CFilterLink* link, CFilterOptions* options)
{
    const CFadeFilterOptions& fade = optionsOf(options);
    CFadeLinkState& state = stateOf(link);
    if (state.rising ? moveToward(link, fade.getSpeed(), fade.getEnd(), true)
                     : moveToward(link, fade.getSpeed(), fade.getStart(), false))
        state.rising = !state.rising;
    return false;
}
