#include "graphics/CGraphicsObject.h"

#include "foundation/CRLECompression.h"
#include "graphics/CCollisionInspector.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/GraphicsWindow.h"

#include <algorithm>
#include <cstring>

uint64_t CGraphicsObject::geometryChanges_ = 0;

CGraphicsObject::CGraphicsObject(GraphicsWindow* window)
    : window_(window)
{
    initialize();
}

CGraphicsObject::CGraphicsObject(GraphicsWindow* window, CXSize size, int bpp)
    : CGraphicsObject(window, size, bpp, nullptr)
{
    colour_ = CPlane::allocate(static_cast<size_t>(std::max(GetDataSize(), 0)));
}

CGraphicsObject::CGraphicsObject(GraphicsWindow* window, CXSize size, int bpp, char* data)
    : window_(window)
    , width_(size.width)
    , height_(size.height)
    , bpp_(bpp)
    , pitch_(size.width)
    , colour_(CPlane::take(data, true))
    , rawSize_(GetDataSize())
{
    initialize();
}

CGraphicsObject::CGraphicsObject(GraphicsWindow* window, CGraphicsObject& source)
    : window_(window)
    , width_(source.width_)
    , height_(source.height_)
    , bpp_(source.bpp_)
    , position_(source.GetPosition())
    , fileName_(source.fileName_)
    , destination_(source.destination_)
    , palette_(source.palette_)
    , pitch_(source.pitch_)
    , colour_(source.colour_)
    , clip_(source.clip_)
    , sourceWindow_(source.sourceWindow_)
    , redSize_(source.redSize_)
    , greenSize_(source.greenSize_)
    , blueSize_(source.blueSize_)
    , alphaSize_(source.alphaSize_)
    , red_(source.red_)
    , green_(source.green_)
    , blue_(source.blue_)
    , alpha_(source.alpha_)
    , alphaAsMask_(source.alphaAsMask_)
    , ownsPlanes_(false)
    , rawSize_(source.rawSize_)
    , packedSize_(source.packedSize_)
    , compression_(source.compression_)
    , visible_(source.visible_)
{
    initialize();
    opacity_ = source.opacity_;
}

void CGraphicsObject::initialize()
{
    opacity_ = 255;
    flags_ = 0;
    floodSpans_ = nullptr;
    monitorCollisions_ = false;
    observers_ = new CXArray(101, 0.75f);
    __initialize_mul_array();
}

CGraphicsObject::~CGraphicsObject()
{
    if (collisionRecord_ != nullptr)
        collisionRecord_->inspector_->onObjectDestroyed(this);
    if (canvas_ != nullptr)
        *canvas_ >> this;
    removeAllObjects();
    // Each observer may take itself off the list while it is told.
    CXArray observers(*observers_);
    for (int i = 0; i < observers.getCount(); ++i)
        static_cast<CInvalidateObserver*>(observers.at(i))->onDestroy(this);
    delete observers_;
    Flush();
}

CGraphicsObject* CGraphicsObject::clone()
{
    return new CGraphicsObject(window_, *this);
}

// Geometry.

bool CGraphicsObject::testHit(CXPoint p)
{
    return isAt(p, true);
}

bool CGraphicsObject::isAt(CXPoint p, bool useAlpha)
{
    if (!GetAbsoluteBoundingBox().IsInRect(p))
        return false;
    if (!useAlpha || !alpha_)
        return true;
    return GetPixel(CHANNEL_ALPHA, ClientCoords(p)) != 0;
}

CXPoint CGraphicsObject::getCenterPoint()
{
    return {Width() / 2, Height() / 2};
}

void CGraphicsObject::setPosition(CXPoint p)
{
    SetPosition(p.x, p.y);
}

void CGraphicsObject::setPosition(int x, int y)
{
    SetPosition(x, y);
}

void CGraphicsObject::SetPosition(CXPoint p)
{
    SetPosition(p.x, p.y);
}

void CGraphicsObject::SetPosition(int x, int y)
{
    placeAt(CXPoint(x - anchor_.x, y - anchor_.y));
    notifyCollisionInspector();
}

void CGraphicsObject::Move(CXPoint d)
{
    Move(d.x, d.y);
}

void CGraphicsObject::Move(int dx, int dy)
{
    CXRect changed = GetAbsoluteBoundingBox();
    placeAt(position_ + CXPoint(dx, dy));
    changed.Sum(GetAbsoluteBoundingBox());
    invalidateArea(changed);
    notifyCollisionInspector();
}

void CGraphicsObject::invalidateArea(CXRect area)
{
    if (canvas_ != nullptr)
        canvas_->Invalidate(&area);
    markInvalidated();
}

void CGraphicsObject::markInvalidated()
{
    invalidated_ = true;
    reportChange();
}

void CGraphicsObject::reportChange()
{
    if (canvas_ != nullptr)
        canvas_->objectChanged(this);
}

void CGraphicsObject::notifyCollisionInspector()
{
    if (!monitorCollisions_ || window_ == nullptr)
        return;
    if (CCollisionInspector* inspector = window_->getCollisionInspectorInterface())
        inspector->onPositionChanged(this);
}

void CGraphicsObject::setAnchor(int x, int y)
{
    anchor_ = CXPoint(x, y);
}

void CGraphicsObject::setAnchor(CXPoint p)
{
    setAnchor(p.x, p.y);
}

int CGraphicsObject::Width()
{
    return width_;
}

int CGraphicsObject::Height()
{
    return height_;
}

CXSize CGraphicsObject::Size()
{
    return {Width(), Height()};
}

void CGraphicsObject::setSize(CXSize size)
{
    setOwnSize(size.width, size.height);
}

void CGraphicsObject::placeAt(CXPoint p)
{
    if (p == position_)
        return;
    position_ = p;
    ++geometryChanges_;
    reportChange();
}

void CGraphicsObject::setOwnSize(int width, int height)
{
    if (width == width_ && height == height_)
        return;
    width_ = width;
    height_ = height;
    ++geometryChanges_;
    reportChange();
}

CXRect CGraphicsObject::getRect()
{
    return {position_.x, position_.y, position_.x + Width(), position_.y + Height()};
}

CXRect CGraphicsObject::GetAbsoluteBoundingBox()
{
    const CXRect box = getRect();
    return clip_.IsEmpty() ? box : box.Common(clip_ + position_);
}

CXRect CGraphicsObject::GetBoundingBox()
{
    CXRect box = GetAbsoluteBoundingBox();
    box.left = std::max(box.left, 0);
    box.top = std::max(box.top, 0);
    if (destination_ != nullptr) {
        box.right = std::min(box.right, destination_->Width());
        box.bottom = std::min(box.bottom, destination_->Height());
    }
    return box;
}

bool CGraphicsObject::isNear(CXRect r, int percent)
{
    const CXRect box = GetAbsoluteBoundingBox();
    const double area = static_cast<double>(box.Width()) * box.Height();
    if (area <= 0)
        return false;
    const CXRect common = box.Common(r);
    return static_cast<double>(common.Width()) * common.Height() * 100.0 / area >= percent;
}

bool CGraphicsObject::isNear(CGraphicsObject* other, int percent)
{
    return other != nullptr && isNear(other->GetAbsoluteBoundingBox(), percent);
}

CXPoint CGraphicsObject::ClientCoords(CXPoint p)
{
    return p - position_;
}

void CGraphicsObject::FitRect(CXRect r)
{
    SetPosition(r.left + (r.right - Width() - r.left) / 2, r.top + (r.bottom - Height() - r.top) / 2);
}

void CGraphicsObject::FitObject(CGraphicsObject* other)
{
    if (other != nullptr)
        FitRect(other->GetBoundingBox());
}

void CGraphicsObject::Visible(bool visible)
{
    if (visible)
        loadWhenShown();
    if (window_ == nullptr)
        return;
    visible_ = visible;
    Invalidate();
}

void CGraphicsObject::AddOpacity(short d)
{
    opacity_ = static_cast<unsigned char>(std::clamp(opacity_ + d, 0, 255));
}

// Invalidation.

void CGraphicsObject::Invalidate()
{
    CXRect box = GetAbsoluteBoundingBox();
    if (canvas_ != nullptr)
        canvas_->Invalidate(&box);
    notifyInvalidate(&box);
    markInvalidated();
}

void CGraphicsObject::Invalidate(CXRect* r)
{
    if (r == nullptr)
        return;
    CXRect common = r->Common(GetAbsoluteBoundingBox());
    if (common.IsEmpty())
        return;
    if (canvas_ != nullptr)
        canvas_->Invalidate(&common);
    notifyInvalidate(&common);
    markInvalidated();
}

void CGraphicsObject::invalidateCanvas(CXRect local)
{
    if (canvas_ == nullptr || local.IsEmpty())
        return;
    CXRect onScreen = local + position_;
    canvas_->Invalidate(&onScreen);
}

bool CGraphicsObject::isInvalidated()
{
    const bool was = invalidated_;
    invalidated_ = false;
    return was;
}

void CGraphicsObject::addInvalidateObserver(CInvalidateObserver* observer)
{
    if (observer != nullptr && !observers_->contains(observer))
        observers_->add(observer);
}

void CGraphicsObject::removeInvalidateObserver(CInvalidateObserver* observer)
{
    observers_->remove(observer);
}

void CGraphicsObject::notifyInvalidate(CXRect* r)
{
    CXArray observers(*observers_);
    for (int i = 0; i < observers.getCount(); ++i)
        static_cast<CInvalidateObserver*>(observers.at(i))->onInvalidate(this, r);
}

void CGraphicsObject::onInvalidate(CGraphicsObject*, CXRect* r)
{
    Invalidate(r);
}

void CGraphicsObject::onDestroy(CGraphicsObject* object)
{
    removeObject(object);
}

// Child objects.

void CGraphicsObject::addObject(CGraphicsObject* child, int)
{
    if (child == nullptr || child == this)
        return;
    if (children_ == nullptr)
        children_ = new CValidationQuene;
    if (children_->find(child) != nullptr)
        return;
    children_->add(child, 0, 0);
    child->addInvalidateObserver(this);
    if (children_->getCount() == 1)
        takeSnapshot();
}

void CGraphicsObject::removeObject(CGraphicsObject* child)
{
    if (children_ == nullptr || children_->find(child) == nullptr)
        return;
    child->removeInvalidateObserver(this);
    children_->remove(child);
    if (children_->getCount() == 0)
        removeAllObjects();
}

void CGraphicsObject::removeAllObjects()
{
    if (children_ != nullptr)
        for (int i = 0; i < children_->getCount(); ++i)
            static_cast<CValidationElement*>(children_->at(i))->getObject()->removeInvalidateObserver(this);
    delete children_;
    children_ = nullptr;
    snapshot_.reset();
}

void CGraphicsObject::takeSnapshot()
{
    const char* pixels = GetDataPtr();
    if (pixels == nullptr || isPacked())
        return;
    snapshot_ = std::make_unique<std::vector<char>>(pixels, pixels + GetDataSize());
}

void CGraphicsObject::Redraw()
{
    char* pixels = GetDataPtr();
    if (snapshot_ && pixels != nullptr && !isPacked() && static_cast<int>(snapshot_->size()) == GetDataSize())
        std::memcpy(pixels, snapshot_->data(), snapshot_->size());
    if (children_ != nullptr)
        for (int i = 0; i < children_->getCount(); ++i)
            static_cast<CValidationElement*>(children_->at(i))->getObject()->redraw(this);
    if (destination_ != nullptr)
        redraw(destination_);
}

void CGraphicsObject::redraw(CGraphicsObject* destination)
{
    if (compression_ == COMPRESSION_RLE) {
        DeCompressRLE2();
        drawUnpacked(destination);
        bringBackCompressed();
        return;
    }
    if (isPacked())
        DeCompress();
    drawUnpacked(destination);
}

void CGraphicsObject::drawUnpacked(CGraphicsObject* destination)
{
    if (GetDataPtr() == nullptr || isPacked() || destination == nullptr || destination->GetDataPtr() == nullptr
        || destination->isPacked())
        return;
    Convert(destination->bpp_);
    const int x = position_.x;
    const int y = position_.y;
    const int destinationWidth = destination->width_;
    const int destinationHeight = destination->height_;
    if (int64_t{x} + width_ <= 0 || int64_t{y} + height_ <= 0 || x >= destinationWidth || y >= destinationHeight)
        return;
    if (autoClip_) {
        const CXRect visible(std::max(0, -x), std::max(0, -y), std::min(width_, destinationWidth - x),
                             std::min(height_, destinationHeight - y));
        clip_ = clip_.IsEmpty() ? visible : clip_.Common(visible);
        if (clip_.IsEmpty())
            return;
    }

    _canvas source = canvasRecord(x, y, clip_);
    _canvas target = destination->canvasRecord(0, 0, sourceWindow_);
    if (opacity_ < 255)
        __copy_blend(&source, &target, opacity_);
    else if (target.alpha != nullptr)
        copyToCanvas(&source, &target);
    else if (source.alpha == nullptr)
        __copy(&source, &target);
    else if (!alphaAsMask_)
        __copy_alpha(&source, &target);
    else
        __copy_alpha_as_mask(&source, &target);
}

_canvas CGraphicsObject::canvasRecord(int x, int y, CXRect rect)
{
    return {GetDataPtr(), alpha_.bytes(), nullptr, bpp_, x, y, width_, height_, rect};
}

// Planes.

void CGraphicsObject::Flush()
{
    snapshot_.reset();
    pack(true);
    colour_.reset();
    red_.reset();
    green_.reset();
    blue_.reset();
    alpha_.reset();
    alphaSize_ = 0;
    alphaStamps_.clear();
    compression_ = COMPRESSION_NONE;
    packedSize_ = 0;
}

void CGraphicsObject::sharePlanes(const CGraphicsObject& source)
{
    if (&source == this)
        return;
    forgetSavedPlanes();
    colour_ = source.colour_;
    alpha_ = source.alpha_;
    setOwnSize(source.width_, source.height_);
    bpp_ = source.bpp_;
    pitch_ = source.pitch_;
    rawSize_ = source.rawSize_;
    packedSize_ = source.packedSize_;
    alphaSize_ = source.alphaSize_;
    compression_ = source.compression_;
}

void CGraphicsObject::linkPlanes(CGraphicsObject& other)
{
    if (&other == this)
        return;
    other.DeCompress();
    other.unpack();
    if (other.isPacked() || !other.colour_)
        return;
    const int ownHeight = height_;
    sharePlanes(other);
    setOwnSize(width_, std::min(ownHeight, other.height_));
    rawSize_ = GetDataSize();
    packedSize_ = rawSize_;
    alphaSize_ = alpha_ ? width_ * height_ : 0;
}

void CGraphicsObject::SetDataPtr(char* data)
{
    if (data == colour_.get())
        return;
    colour_.handOver();
    colour_ = CPlane::take(data, ownsPlanes_);
}

void CGraphicsObject::replaceByPointer(CPlane& plane, char* data)
{
    if (data == plane.get())
        return;
    plane.handOver();
    plane = CPlane::take(data, ownsPlanes_);
}

void CGraphicsObject::replacePlanes(CPlane colour, CPlane alpha, int width, int height)
{
    colour_ = std::move(colour);
    alpha_ = std::move(alpha);
    setOwnSize(width, height);
    pitch_ = width;
    rawSize_ = GetDataSize();
    alphaSize_ = alpha_ ? width * height : 0;
}

void CGraphicsObject::unshareColour()
{
    if (!colour_.isShared())
        return;
    CPlane own = CPlane::allocate(static_cast<size_t>(GetDataSize()));
    std::memcpy(own.get(), colour_.get(), static_cast<size_t>(GetDataSize()));
    colour_ = std::move(own);
}

int CGraphicsObject::GetPixelSize()
{
    return __get_pixel_size(bpp_);
}

int CGraphicsObject::__get_pixel_size(int bpp)
{
    switch (bpp) {
    case 15:
    case 16:
        return 2;
    case 24:
        return 3;
    case 32:
        return 4;
    default:
        return 1;
    }
}

int CGraphicsObject::__get_data_size(CXSize size, int bpp)
{
    return size.width * size.height * __get_pixel_size(bpp);
}

int CGraphicsObject::GetRealBpp(int flag)
{
    switch (flag) {
    case 1:
        return 8;
    case 2:
        return 15;
    case 4:
        return 16;
    case 8:
        return 24;
    case 256:
        return 2;
    case 512:
        return 4;
    default:
        return 0;
    }
}

int CGraphicsObject::GetFlagBpp(int bpp)
{
    switch (bpp) {
    case 8:
        return 1;
    case 15:
        return 2;
    case 16:
        return 4;
    case 24:
        return 8;
    default:
        return 0;
    }
}

unsigned char CGraphicsObject::GetPixel(_channel channel, CXPoint p)
{
    if (p.x < 0 || p.x >= width_ || p.y < 0 || p.y >= height_)
        return 0;
    const size_t index = static_cast<size_t>(p.y) * width_ + p.x;
    if (channel == CHANNEL_ALPHA && compression_ == COMPRESSION_RLE) {
        const std::unique_ptr<char[]> alpha(
            alpha_ ? CRLECompression::__decompresschar(alpha_.get(), alphaSize_, width_ * height_) : nullptr);
        return alpha ? static_cast<unsigned char>(alpha[index]) : 0;
    }
    if (isPacked())
        return 0;
    const CPlane* planes[] = {&alpha_, &red_, &green_, &blue_};
    const int which = channel + 1;
    if (which < 0 || which > 3 || !*planes[which])
        return 0;
    return planes[which]->bytes()[index];
}

uint16_t CGraphicsObject::GetPixelWord(CXPoint p)
{
    if (p.x < 0 || p.x >= width_ || p.y < 0 || p.y >= height_ || (bpp_ != 15 && bpp_ != 16) || !colour_)
        return 0;
    const size_t index = static_cast<size_t>(p.y) * width_ + p.x;
    std::unique_ptr<char[]> unpacked;
    const char* pixels = colour_.get();
    if (compression_ == COMPRESSION_RLE) {
        unpacked.reset(CRLECompression::__decompress(colour_.get(), packedSize_, GetDataSize()));
        pixels = unpacked.get();
    } else if (isPacked()) {
        return 0;
    }
    uint16_t word = 0;
    if (pixels != nullptr)
        std::memcpy(&word, pixels + index * 2, 2);
    return word;
}

CColor CGraphicsObject::GetPixel(CXPoint p)
{
    return GetPixel(p.x, p.y);
}

CColor CGraphicsObject::GetPixel(int x, int y)
{
    const unsigned char* pixels = reinterpret_cast<unsigned char*>(GetDataPtr());
    if (x < 0 || x >= width_ || y < 0 || y >= height_ || compression_ != COMPRESSION_NONE || pixels == nullptr)
        return CColor(0, 0, 0);
    const unsigned char* pixel = pixels + (static_cast<size_t>(y) * width_ + x) * GetPixelSize();
    switch (bpp_) {
    case 15:
    case 16: {
        uint16_t word;
        std::memcpy(&word, pixel, 2);
        return CColor(static_cast<short>(word), bpp_ == 15 ? CM_15BIT : CM_16BIT);
    }
    case 24:
        return CColor(pixel[0], pixel[1], pixel[2]);
    default:
        return CColor(0, 0, 0);
    }
}

void CGraphicsObject::SetPixel(int x, int y, CColor c)
{
    char* pixels = GetDataPtr();
    if ((bpp_ != 15 && bpp_ != 16) || pixels == nullptr || isPacked() || x < 0 || x >= width_ || y < 0
        || y >= height_)
        return;
    const auto word = static_cast<uint16_t>(c.GetInBPP(bpp_));
    std::memcpy(pixels + (static_cast<size_t>(y) * width_ + x) * 2, &word, 2);
}

void CGraphicsObject::Fill(CColor* colour)
{
    char* pixels = GetDataPtr();
    if (colour == nullptr || pixels == nullptr || isPacked())
        return;
    const size_t count = static_cast<size_t>(width_) * std::max(height_, 0);
    if (bpp_ == 15 || bpp_ == 16)
        std::fill_n(reinterpret_cast<uint16_t*>(pixels), count, static_cast<uint16_t>(colour->GetInBPP(bpp_)));
    else if (bpp_ == 32)
        std::fill_n(reinterpret_cast<uint32_t*>(pixels), count, static_cast<uint32_t>(colour->GetInBPP(32)));
}

void CGraphicsObject::Fill(CXRect r, CColor* colour)
{
    char* pixels = GetDataPtr();
    if (colour == nullptr || pixels == nullptr || isPacked() || (bpp_ != 15 && bpp_ != 16))
        return;
    const CXRect area = r.Common(CXRect(0, 0, width_, height_));
    const auto word = static_cast<uint16_t>(colour->GetInBPP(bpp_));
    for (int y = area.top; y < area.bottom; ++y)
        std::fill_n(reinterpret_cast<uint16_t*>(pixels) + static_cast<size_t>(y) * width_ + area.left, area.Width(),
                    word);
}

// Flips.

void CGraphicsObject::flipRows(CPlane& plane, int rowBytes)
{
    if (!plane || rowBytes <= 0)
        return;
    std::vector<char> row(static_cast<size_t>(rowBytes));
    for (int top = 0, bottom = height_ - 1; top < bottom; ++top, --bottom) {
        char* a = plane.get() + static_cast<size_t>(top) * rowBytes;
        char* b = plane.get() + static_cast<size_t>(bottom) * rowBytes;
        std::memcpy(row.data(), a, row.size());
        std::memcpy(a, b, row.size());
        std::memcpy(b, row.data(), row.size());
    }
}

void CGraphicsObject::flipColumns(CPlane& plane, int pixelSize)
{
    if (!plane || width_ <= 0)
        return;
    std::vector<char> pixel(static_cast<size_t>(pixelSize));
    for (int y = 0; y < height_; ++y) {
        char* row = plane.get() + static_cast<size_t>(y) * width_ * pixelSize;
        for (int left = 0, right = width_ - 1; left < right; ++left, --right) {
            char* a = row + static_cast<size_t>(left) * pixelSize;
            char* b = row + static_cast<size_t>(right) * pixelSize;
            std::memcpy(pixel.data(), a, pixel.size());
            std::memcpy(a, b, pixel.size());
            std::memcpy(b, pixel.data(), pixel.size());
        }
    }
}

void CGraphicsObject::FlipH()
{
    const bool repack = unpackForRewrite();
    if (isPacked())
        return;
    flipRows(colour_, width_ * GetPixelSize());
    flipRows(alpha_, width_);
    flippedH_ = !flippedH_;
    if (repack)
        Compress(COMPRESSION_RLE);
}

void CGraphicsObject::FlipV()
{
    const bool repack = unpackForRewrite();
    if (isPacked())
        return;
    flipColumns(colour_, GetPixelSize());
    flipColumns(alpha_, 1);
    flippedV_ = !flippedV_;
    if (repack)
        Compress(COMPRESSION_RLE);
}

void CGraphicsObject::resetFlips()
{
    if (flippedV_)
        FlipV();
    if (flippedH_)
        FlipH();
}

// Depth conversion.

void CGraphicsObject::Convert(int bpp)
{
    convertPlanes(bpp, false);
}

void CGraphicsObject::convertWhole(int bpp)
{
    if (bpp == bpp_)
        return;
    const bool repack = unpackForRewrite();
    convertPlanes(bpp, true);
    if (repack)
        Compress(COMPRESSION_RLE);
}

void CGraphicsObject::convertPlanes(int bpp, bool anySize)
{
    if (isPacked())
        return;
    if (bpp_ == 15 && (bpp == 24 || bpp == 32))
        convertPlanes(16, anySize);
    if (bpp >= 24 || bpp == bpp_ || !colour_)
        return;
    if (bpp_ == 24 && (bpp == 15 || bpp == 16)) {
        convertRows24(bpp);
        return;
    }
    // Drawing leaves pixel words of planes under 4 pixels as they are; loading by name does not.
    if (!anySize && width_ * height_ < 4)
        return;
    // The depth belongs to this raster alone: a plane shared with another raster keeps its pixels.
    unshareColour();
    char* pixels = colour_.get();
    char* alpha = alpha_.get();
    if (__convert_bpp(&pixels, &alpha, CXSize(width_, height_), bpp_, bpp, &palette_, ownsPlanes_))
        bpp_ = bpp;
}

void CGraphicsObject::convertRows24(int bpp)
{
    const size_t count = static_cast<size_t>(width_) * height_;
    CPlane words = CPlane::allocate(count * 2);
    const auto* pixel = colour_.bytes();
    for (size_t i = 0; i < count; ++i, pixel += 3) {
        const uint16_t word = CColor::PixelWord(bpp, pixel[2], pixel[1], pixel[0]);
        std::memcpy(words.get() + i * 2, &word, 2);
    }
    colour_ = std::move(words);
    bpp_ = bpp;
    rawSize_ = GetDataSize();
}

int CGraphicsObject::__get_convert_code(int from, int to)
{
    if (from == 15 && to == 16)
        return 1;
    if (from == 16 && to == 15)
        return 2;
    if ((from == 15 || from == 16) && from == to)
        return 3;
    return 0;
}

bool CGraphicsObject::__convert_bpp(char** colour, char**, CXSize size, int from, int to, _palette**, bool)
{
    switch (__get_convert_code(from, to)) {
    case 1:
        *colour = _convert15to16(colour, size, *colour);
        return true;
    case 2:
        *colour = _convert16to15(colour, size, *colour);
        return true;
    case 3:
        return true;
    default:
        return false;
    }
}

namespace {
template <typename Convert>
char* convertWords(char** source, CXSize size, char* target, Convert convert)
{
    if (source == nullptr || *source == nullptr || target == nullptr)
        return target;
    const size_t count = static_cast<size_t>(std::max(size.width, 0)) * std::max(size.height, 0);
    const auto* from = reinterpret_cast<const uint16_t*>(*source);
    auto* to = reinterpret_cast<uint16_t*>(target);
    for (size_t i = 0; i < count; ++i)
        to[i] = convert(from[i]);
    return target;
}
} // namespace

char* CGraphicsObject::_convert15to16(char** source, CXSize size, char* target)
{
    return convertWords(source, size, target,
                        [](uint16_t p) { return static_cast<uint16_t>((p & 0x7FE0) << 1 | (p & 0x1F)); });
}

char* CGraphicsObject::_convert16to15(char** source, CXSize size, char* target)
{
    return convertWords(source, size, target,
                        [](uint16_t p) { return static_cast<uint16_t>((p >> 1 & 0x7FE0) | (p & 0x1F)); });
}
