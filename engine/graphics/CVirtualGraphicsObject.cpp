#include "graphics/CVirtualGraphicsObject.h"

#include "graphics/AlphaRuns.h"
#include "graphics/CAnimo.h"
#include "graphics/CFrame.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/GraphicsWindow.h"
#include "graphics/PixelWeights.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

bool overlaps(const CXRect& a, const CXRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The sources refreshed in the screen frame of that number: each once, whichever virtual
// objects show it.
struct RefreshedSources {
    int frame = -1;
    std::vector<const CGraphicsObject*> sources;

    // Whether the source is yet to be refreshed in the frame; it counts as refreshed from now.
    bool first(const CGraphicsObject* source, int currentFrame)
    {
        if (currentFrame != frame) {
            frame = currentFrame;
            sources.clear();
        }
        if (std::find(sources.begin(), sources.end(), source) != sources.end())
            return false;
        sources.push_back(source);
        return true;
    }
};

RefreshedSources refreshed;

// Unpacks a run-length packed raster for the while of a drawing.
class UnpackedForDrawing {
public:
    explicit UnpackedForDrawing(CGraphicsObject& raster)
        : raster_(raster)
        , unpacked_(raster.GetCompression() == COMPRESSION_RLE)
    {
        if (unpacked_)
            raster.DeCompressRLE2();
    }
    ~UnpackedForDrawing()
    {
        if (unpacked_)
            raster_.bringBackCompressed();
    }
    UnpackedForDrawing(const UnpackedForDrawing&) = delete;
    UnpackedForDrawing& operator=(const UnpackedForDrawing&) = delete;

private:
    CGraphicsObject& raster_;
    bool unpacked_;
};

} // namespace

CVirtualGraphicsObject::CVirtualGraphicsObject(GraphicsWindow* window)
    : CGraphicsObject(window, CXSize(0, 0), 16, nullptr)
    , screen_(window != nullptr ? window->GetRefreshScreenInterface() : nullptr)
{
    hitsBeyondOwnBox();
}

CVirtualGraphicsObject::~CVirtualGraphicsObject()
{
    detach();
}

void CVirtualGraphicsObject::detach()
{
    if (source_ != nullptr)
        source_->removeInvalidateObserver(this);
    if (maskOwner_ != nullptr)
        maskOwner_->removeInvalidateObserver(this);
    source_ = nullptr;
    maskOwner_ = nullptr;
    mask_ = nullptr;
    frameMask_.reset();
    setOwnSize(0, 0);
}

bool CVirtualGraphicsObject::setSource(CGraphicsObject* source)
{
    if (source == source_)
        return true;
    // Shown through itself, the object would draw for ever.
    if (source == this || (source != nullptr && source->drawsFrom(this)))
        return false;
    if (source_ != nullptr && source_ != maskOwner_)
        source_->removeInvalidateObserver(this);
    source_ = source;
    if (source != nullptr) {
        source->addInvalidateObserver(this);
        SetBpp(source->GetBpp());
    }
    resize();
    return true;
}

void CVirtualGraphicsObject::dropMask()
{
    if (maskOwner_ != nullptr && maskOwner_ != source_)
        maskOwner_->removeInvalidateObserver(this);
    maskOwner_ = nullptr;
    mask_ = nullptr;
    frameMask_.reset();
}

void CVirtualGraphicsObject::setMask(CGraphicsObject* mask)
{
    if (mask == mask_ && mask == maskOwner_)
        return;
    dropMask();
    if (mask != nullptr) {
        maskOwner_ = mask_ = mask;
        mask->addInvalidateObserver(this);
        mask->DeCompress();
    }
    resize();
}

void CVirtualGraphicsObject::setAnimoMask(CAnimo* animation)
{
    if (animation == nullptr || animation == maskOwner_)
        return;
    dropMask();
    animation->DeCompress();
    // The frame shown now, whatever the animation shows later; its planes live on with the
    // mask even when the animation lets go of them.
    if (CFrame* frame = animation->GetFrame(animation->Current())) {
        frameMask_ = std::make_unique<CGraphicsObject>(window_, *frame);
        frameMask_->SetDestiny(nullptr);
        mask_ = frameMask_.get();
        maskOwner_ = animation;
        animation->addInvalidateObserver(this);
    }
    resize();
}

void CVirtualGraphicsObject::resize()
{
    if (source_ != nullptr && mask_ != nullptr) {
        setOwnSize(std::min(source_->Width(), mask_->Width()), std::min(source_->Height(), mask_->Height()));
    } else if (CGraphicsObject* one = source_ != nullptr ? source_ : mask_) {
        setOwnSize(one->Width(), one->Height());
    } else {
        setOwnSize(0, 0);
    }
    SetPitch(width_);
    Invalidate();
}

int CVirtualGraphicsObject::Width()
{
    return mask_ != nullptr ? mask_->Width() : width_;
}

int CVirtualGraphicsObject::Height()
{
    return mask_ != nullptr ? mask_->Height() : height_;
}

CVirtualGraphicsObject* CVirtualGraphicsObject::clone()
{
    auto* copy = new CVirtualGraphicsObject(window_);
    copy->setSource(source_);
    if (frameMask_ != nullptr) {
        copy->frameMask_ = std::make_unique<CGraphicsObject>(window_, *frameMask_);
        copy->mask_ = copy->frameMask_.get();
        copy->maskOwner_ = maskOwner_;
        maskOwner_->addInvalidateObserver(copy);
        copy->resize();
    } else {
        copy->setMask(mask_);
    }
    copy->setAnchor(getAnchor());
    copy->placeAt(GetPosition());
    copy->SetClippingRect(GetClippingRect());
    copy->Visible(isVisible());
    return copy;
}

bool CVirtualGraphicsObject::drawsFrom(CGraphicsObject* object)
{
    return source_ != nullptr && (source_ == object || source_->drawsFrom(object));
}

void CVirtualGraphicsObject::refreshSource()
{
    if (screen_ == nullptr || refreshed.first(source_, screen_->getFrameCounter()))
        source_->Redraw();
}

void CVirtualGraphicsObject::redraw(CGraphicsObject* destination)
{
    if (source_ == nullptr || destination == nullptr)
        return;
    if (source_->GetDestiny() == nullptr)
        refreshSource();
    if (mask_ == nullptr) {
        const CXRect clip = source_->GetClippingRect();
        source_->redraw(destination);
        source_->SetClippingRect(clip);
        return;
    }
    UnpackedForDrawing mask(*mask_);
    UnpackedForDrawing source(*source_);
    if (!mask_->isPacked() && !source_->isPacked() && source_->GetDataPtr() != nullptr)
        drawMasked(destination);
}

void CVirtualGraphicsObject::drawMasked(CGraphicsObject* destination)
{
    const int bpp = destination->GetBpp();
    char* target = destination->GetDataPtr();
    if ((bpp != 15 && bpp != 16) || target == nullptr || destination->isPacked())
        return;
    source_->Convert(bpp);
    if (source_->GetBpp() != bpp)
        return;
    CXRect area(0, 0, width_, height_);
    if (!GetClippingRect().IsEmpty())
        area = area.Common(GetClippingRect());
    const CXPoint at = GetPosition();
    const CXPoint from = mask_->GetPosition();
    const int targetWidth = destination->Width();
    const int sourceWidth = source_->Width();
    // Pixels outside the destination or the source are passed by.
    const int left = std::max({area.left, -at.x, -from.x});
    const int right = std::min({area.right, targetWidth - at.x, sourceWidth - from.x});
    const int top = std::max({area.top, -at.y, -from.y});
    const int bottom = std::min({area.bottom, destination->Height() - at.y, source_->Height() - from.y});
    if (left >= right || top >= bottom)
        return;
    const auto* pixels = reinterpret_cast<const uint16_t*>(source_->GetDataPtr());
    const unsigned char* alpha = mask_->GetAlphaPtr();
    const int maskWidth = mask_->Width();
    const auto weigh = bpp == 15 ? &PixelWeights15::span : &PixelWeights16::span;
    for (int y = top; y < bottom; ++y) {
        uint16_t* targetRow = reinterpret_cast<uint16_t*>(target) + static_cast<size_t>(at.y + y) * targetWidth + at.x + left;
        const uint16_t* sourceRow = pixels + static_cast<size_t>(from.y + y) * sourceWidth + from.x + left;
        if (alpha == nullptr) {
            std::memcpy(targetRow, sourceRow, static_cast<size_t>(right - left) * 2);
            continue;
        }
        const unsigned char* alphaRow = alpha + static_cast<size_t>(y) * maskWidth + left;
        AlphaRuns::walkAlpha(
            alphaRow, right - left,
            [&](int start, int count) { std::memcpy(targetRow + start, sourceRow + start, static_cast<size_t>(count) * 2); },
            [&](int start, int count) { weigh(sourceRow + start, alphaRow + start, targetRow + start, count); });
    }
}

bool CVirtualGraphicsObject::testHit(CXPoint p)
{
    if (mask_ == nullptr)
        return source_ == nullptr || source_->testHit(p);
    if (!GetBoundingBox().IsInRect(p))
        return false;
    const unsigned char* alpha = mask_->GetAlphaPtr();
    if (alpha == nullptr)
        return true;
    return mask_->GetPixel(CHANNEL_ALPHA, p - GetPosition()) != 0;
}

void CVirtualGraphicsObject::Invalidate(CXRect* rect)
{
    if (mask_ == nullptr || rect == nullptr || overlaps(*rect, mask_->GetAbsoluteBoundingBox()))
        Invalidate();
}

void CVirtualGraphicsObject::onDestroy(CGraphicsObject* object)
{
    if (object == source_)
        source_ = nullptr;
    if (object == maskOwner_) {
        maskOwner_ = nullptr;
        mask_ = nullptr;
        frameMask_.reset();
    }
    resize();
    CGraphicsObject::onDestroy(object);
}
