#include "script_graphics/CMC_Pattern.h"

#include "foundation/CXArchive.h"
#include "graphics/CPattern.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMElement.h"
#include "script_graphics/ScriptGraphicsWindow.h"

#include <algorithm>

namespace {

// A cell side of 0 is one pixel.
int cellSide(int side)
{
    return side == 0 ? 1 : side;
}

} // namespace

CMC_Pattern::CMC_Pattern(CMC_ObjectsContainer* owner)
    : CMC_ButtonRaster(CXString("temp"), kType, owner)
{
}

CMC_Pattern::CMC_Pattern(CMC_ObjectsContainer* owner, CMElement* element)
    : CMC_ButtonRaster(owner, element, kType)
{
    const bool toCanvas = element->getPropertyBoolValue("TOCANVAS");
    const bool visible = element->getPropertyBoolValue("VISIBLE");
    const int layers = element->getPropertyIntValue("LAYERS");
    const int priority = element->getPropertyIntValue("PRIORITY");
    width_ = element->getPropertyIntValue("WIDTH");
    height_ = element->getPropertyIntValue("HEIGHT");
    cellWidth_ = cellSide(element->getPropertyIntValue("GRIDX"));
    cellHeight_ = cellSide(element->getPropertyIntValue("GRIDY"));
    makePattern(layers, visible);
    if (CRefreshScreen* composer = toCanvas ? screen() : nullptr)
        composer->put(pattern_, priority);
    initializeBehaviours(owner, element);
}

CMC_Pattern::~CMC_Pattern()
{
    delete pattern_;
}

CGraphicsObject* CMC_Pattern::raster() const
{
    return pattern_;
}

void CMC_Pattern::makePattern(int layers, bool visible)
{
    // A size that no screen could show makes a raster without cells.
    constexpr int64_t kLargestArea = int64_t{1} << 26;
    const bool showable = width_ >= 0 && height_ >= 0 && int64_t{width_} * height_ <= kLargestArea;
    const CXSize size = showable ? CXSize(width_, height_) : CXSize(0, 0);
    pattern_ = new CPattern(window(), size, CXSize(cellWidth_, cellHeight_), std::max(layers, 1));
    pattern_->Visible(visible);
}

bool CMC_Pattern::done(bool final)
{
    if (pattern_ != nullptr)
        pattern_->removeAll();
    return CMC_Object::done(final);
}

void CMC_Pattern::serialize(CXArchive* archive)
{
    CMC_Object::serialize(archive);
    if (archive->isStoring()) {
        CRefreshScreen* composer = screen();
        const bool made = pattern_ != nullptr;
        *archive << (made && pattern_->isVisible())
                 << static_cast<int32_t>(made && composer != nullptr ? composer->GetPriority(pattern_) : -1) << width_
                 << height_ << cellWidth_ << cellHeight_ << static_cast<int32_t>(made ? pattern_->getLayers() : 1);
        return;
    }
    bool visible = false;
    int32_t priority = -1;
    int32_t layers = 1;
    *archive >> &visible >> &priority >> &width_ >> &height_ >> &cellWidth_ >> &cellHeight_ >> &layers;
    if (archive->failed() || pattern_ != nullptr)
        return;
    makePattern(layers, visible);
    // A pattern stored off the screen stays off it.
    if (CRefreshScreen* composer = priority >= 0 ? screen() : nullptr)
        composer->put(pattern_, priority);
}
