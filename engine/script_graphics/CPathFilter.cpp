#include "script_graphics/CPathFilter.h"

#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_Vector.h"
#include "script_graphics/CMC_Path.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {

constexpr int kPathCode = 4;

int32_t held(int64_t value)
{
    constexpr int64_t low = std::numeric_limits<int32_t>::min();
    constexpr int64_t high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(value, low, high));
}

// Sums and differences of far-off points stay within the int range.
CXPoint plus(CXPoint a, CXPoint b)
{
    return {held(int64_t{a.x} + b.x), held(int64_t{a.y} + b.y)};
}

CXPoint minus(CXPoint a, CXPoint b)
{
    return {held(int64_t{a.x} - b.x), held(int64_t{a.y} - b.y)};
}

CXPoint covered(const CPathLinkState& state)
{
    return {truncateToInt(state.offsetX), truncateToInt(state.offsetY)};
}

// Puts the object's top-left corner there, whatever its anchor.
void placeAt(CGraphicsObject* graphics, CXPoint corner)
{
    const CXPoint position = plus(corner, graphics->getAnchor());
    graphics->Invalidate();
    // The pair form: an animation takes it as its place on screen.
    graphics->setPosition(position.x, position.y);
    graphics->Invalidate();
}

} // namespace

CPathFilterOptions::CPathFilterOptions()
    : CFilterOptions(kPathCode)
{
}

void CPathFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "SPEED")
        speed_ = value.toNumber();
    else if (name == "PATHDEF")
        path_ = value;
    else if (name == "LOOPED")
        looped_ = value.toBool();
    else
        CFilterOptions::readOptions(name, value);
}

CPathFilterLink::CPathFilterLink(CGraphicsObject* graphics, CMC_Object* script)
    : CFilterLink(graphics, script, new CPathLinkState)
{
}

void CPathFilterLink::setActive(CFilterOptions* options, bool on)
{
    if (on) {
        auto& state = *static_cast<CPathLinkState*>(getState());
        state.base = minus(getGraphics()->getPosition(), covered(state));
    }
    CFilterLink::setActive(options, on);
}

CPathFilter::CPathFilter(ScriptGraphicsWindow* owner, CMC_ObjectsContainer* scene)
    : CAnimatedFilter(owner)
    , scene_(scene)
{
    setOptions(new CPathFilterOptions);
}

CFilterLink* CPathFilter::createLink(CGraphicsObject* graphics, CMC_Object* script)
{
    return new CPathFilterLink(graphics, script);
}

bool CPathFilter::step(CFilterLink* link, CFilterOptions* options)
{
    const auto& path = *static_cast<CPathFilterOptions*>(options);
    auto& state = *static_cast<CPathLinkState*>(link->getState());
    const auto speed = static_cast<uint32_t>(std::max(path.getSpeed(), 1));
    if (state.getTicks() % speed != 0 || scene_ == nullptr)
        return false;
    auto* nodes = dynamic_cast<CMC_Path*>(scene_->getObject(path.getPathName().c_str()));
    auto* node = nodes != nullptr ? dynamic_cast<CMC_Vector*>(nodes->getNode(state.node)) : nullptr;
    if (node == nullptr || node->getSize() < 2)
        return false;
    CGraphicsObject* graphics = link->getGraphics();
    const double dx = node->get(0);
    const double dy = node->get(1);
    if (dx != 0.0 || dy != 0.0) {
        const double density = nodes->getDensity() > 0.0 ? nodes->getDensity() : 1.0;
        const double steps = node->length() / density;
        state.offsetX += dx / steps;
        state.offsetY += dy / steps;
        const CXPoint target = covered(state);
        if (target == minus(graphics->getPosition(), state.base))
            return false;
        placeAt(graphics, plus(state.base, target));
        const bool reached = std::abs(int64_t{target.x}) >= std::abs(int64_t{truncateToInt(dx)})
                             && std::abs(int64_t{target.y}) >= std::abs(int64_t{truncateToInt(dy)});
        if (!reached)
            return false;
    }
    state.base = graphics->getPosition();
    state.offsetX = 0.0;
    state.offsetY = 0.0;
    if (state.node + 1 < nodes->getSize()) {
        ++state.node;
        return false;
    }
    state.node = 0;
    return !path.isLooped();
}
