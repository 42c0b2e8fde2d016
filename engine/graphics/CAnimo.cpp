// The animation's content, queries and editing, and how it shows, places and draws its images.
#include "graphics/CAnimo.h"

#include "graphics/CAnimationManager.h"
#include "graphics/CFrame.h"
#include "graphics/CRefreshScreen.h"
#include "graphics/GraphicsWindow.h"
#include "media/CSndStream.h"
#include "media/CSound4.h"

#include <algorithm>
#include <limits>

namespace {

const char kDefaultAuthor[] = "Kestrum";
// Indices and counts are stored as 16-bit numbers.
constexpr size_t kMaxStored = std::numeric_limits<uint16_t>::max();

// The bounding box of both; an empty box takes no part.
CXRect unionOf(CXRect a, const CXRect& b)
{
    if (a.IsEmpty())
        return b;
    if (!b.IsEmpty())
        a.Sum(b);
    return a;
}

} // namespace

CAnimo::CAnimo(GraphicsWindow* window)
    : CGraphicsObject(window)
    , CPlayable(window)
{
    hitsBeyondOwnBox();
    initialize();
}

CAnimo::CAnimo(GraphicsWindow* window, const CXString& file)
    : CAnimo(window)
{
    Load(file);
}

CAnimo::CAnimo(CAnimo& source)
    : CGraphicsObject(source.getWindow(), source)
    , CPlayable(source.getWindow())
    , events_(source.events_)
    , frameInfo_(source.frameInfo_)
    , sounds_(source.events_.size())
    , positionInEvent_(source.positionInEvent_)
    , currentImage_(source.currentImage_)
    , currentEvent_(source.currentEvent_)
    , animoFlags_(source.animoFlags_)
    , images_(source.images_)
    , global_(source.global_)
    , direction_(source.direction_)
    , lastPlayedEvent_(source.lastPlayedEvent_)
    , fps_(source.fps_)
    , randomFrames_(source.randomFrames_)
    , loadAtStart_(source.loadAtStart_)
{
    hitsBeyondOwnBox();
    static_cast<CFileResolver&>(*this) = source;
    initialize();
    author_ = source.author_;
    description_ = source.description_;
    SetEventFrame(source.currentEvent_, source.positionInEvent_);
}

void CAnimo::initialize()
{
    type_ = kType;
    author_ = kDefaultAuthor;
    if (CAnimationManager* manager = animationManager())
        manager->add(this, nullptr);
}

CAnimo::~CAnimo()
{
    if (CAnimationManager* manager = animationManager())
        manager->remove(this);
    Flush();
}

CAnimo* CAnimo::clone()
{
    return new CAnimo(*this);
}

CAnimationManager* CAnimo::animationManager() const
{
    return CAnimationManager::of(getWindow());
}

void CAnimo::resetToNew()
{
    Flush();
    author_ = kDefaultAuthor;
    description_ = "";
    fps_ = kDefaultFps;
    animoFlags_ = 0;
    randomFrames_ = 0;
    SetFlags(0);
    SetOpacity(255);
    bpp_ = kDefaultBpp;
}

void CAnimo::Flush()
{
    lastDrawn_.reset();
    currentSound_ = nullptr;
    sounds_.clear();
    frameInfo_.clear();
    events_.clear();
    images_.clear();
    currentImage_ = -1;
    CGraphicsObject::Flush();
    release();
}

// Events and frames.

_annEventInfo3* CAnimo::eventAt(int event)
{
    event = GetEventNo(event);
    return event >= 0 && event < GetNOE() ? &events_[static_cast<size_t>(event)] : nullptr;
}

int CAnimo::indexAt(int event, int position)
{
    const _annEventInfo3* info = eventAt(event);
    if (info == nullptr || position < 0 || position >= info->frameCount())
        return -1;
    return info->frames[static_cast<size_t>(position)];
}

CSound4* CAnimo::soundAt(int event, int position)
{
    event = GetEventNo(event);
    if (event < 0 || event >= static_cast<int>(sounds_.size()) || position < 0)
        return nullptr;
    const auto& row = sounds_[static_cast<size_t>(event)];
    return position < static_cast<int>(row.size()) ? row[static_cast<size_t>(position)].get() : nullptr;
}

int CAnimo::GetNOFInEvent(int event)
{
    const _annEventInfo3* info = eventAt(event);
    return info != nullptr ? info->frameCount() : 0;
}

int CAnimo::GetNOFInEvent(const CXString& event)
{
    const int found = resolveEventName(event);
    return found < 0 ? 0 : GetNOFInEvent(found);
}

_annEventInfo3* CAnimo::GetEventInfo(int event)
{
    return eventAt(event);
}

_anmFrameInfo3* CAnimo::GetFrameInfo(int position)
{
    return GetFrameInfo(-1, position);
}

_anmFrameInfo3* CAnimo::GetFrameInfo(int event, int position)
{
    event = GetEventNo(event);
    if (position == -1)
        position = positionInEvent_;
    if (event < 0 || event >= static_cast<int>(frameInfo_.size()) || position < 0)
        return nullptr;
    auto& row = frameInfo_[static_cast<size_t>(event)];
    return position < static_cast<int>(row.size()) ? &row[static_cast<size_t>(position)] : nullptr;
}

int CAnimo::GetLoop(_animoevent event, CXPoint& loop)
{
    const _annEventInfo3* info = eventAt(event);
    if (info == nullptr)
        return 0;
    loop = CXPoint(info->loopStart, info->loopEnd);
    return info->loopCount;
}

int CAnimo::GetFrameNo(int event, int position)
{
    switch (position) {
    case -3:
        return GetNOFInEvent(event) - 1;
    case -2:
        return 0;
    case -1:
        return positionInEvent_;
    default:
        return position;
    }
}

int CAnimo::GetFrameNo(int event, const CXString& name)
{
    for (int position = 0; position < GetNOFInEvent(event); ++position) {
        const _anmFrameInfo3* record = GetFrameInfo(event, position);
        if (record != nullptr && record->getName() == name)
            return position;
    }
    return -1;
}

CFrame* CAnimo::getFrame(const CXString& name)
{
    for (int event = 0; event < GetNOE(); ++event)
        for (int position = 0; position < GetNOFInEvent(event); ++position) {
            const _anmFrameInfo3* record = GetFrameInfo(event, position);
            if (record != nullptr && record->getName().equalsIgnoreCase(name))
                return GetEventFrame(event, position);
        }
    return nullptr;
}

int CAnimo::getFrameNo(const CXString& name)
{
    return std::max(resolveEventName(name), 0);
}

int CAnimo::resolveEventName(const CXString& name)
{
    for (int event = 0; event < GetNOE(); ++event)
        if (events_[static_cast<size_t>(event)].getName().equalsIgnoreCase(name))
            return event;
    return -1;
}

CXString CAnimo::GetEventName(int event)
{
    const _annEventInfo3* info = eventAt(event);
    return info != nullptr ? info->getName() : CXString();
}

int CAnimo::getFirstEvent()
{
    for (int event = 0; event < GetNOE(); ++event)
        if (GetNOFInEvent(event) > 0)
            return event;
    return 0;
}

CXString CAnimo::getFrameName(int event, int position)
{
    const _anmFrameInfo3* record = GetFrameInfo(event, position);
    return record != nullptr ? record->getName() : CXString();
}

CXString CAnimo::GetName(int event, int position, const CXString& fallback)
{
    const CXString name = getFrameName(event, position);
    if (name.IsString())
        return name;
    if (fallback != "Default")
        return fallback;
    CXString numbered;
    numbered.Format("Frame %d", position == -1 ? positionInEvent_ : position);
    return numbered;
}

CFrame* CAnimo::GetEventFrame(int event, int position)
{
    return GetFrame(indexAt(event, position == -1 ? positionInEvent_ : position));
}

CFrame* CAnimo::GetFrame(int image)
{
    return image >= 0 && image < GetNOF() ? images_[static_cast<size_t>(image)].get() : nullptr;
}

CFrame* CAnimo::currentImage()
{
    return GetFrame(currentImage_);
}

CXPoint CAnimo::getCurrFramePosition()
{
    const CFrame* image = currentImage();
    return image != nullptr ? image->GetFramePosition() : CXPoint();
}

CXPoint CAnimo::displacement()
{
    const _anmFrameInfo3* record = GetFrameInfo(currentEvent_, positionInEvent_);
    return record != nullptr ? CXPoint(record->dx, record->dy) : CXPoint();
}

// Editing.

bool CAnimo::AddEvent(const _annEventInfo3* event)
{
    if (event == nullptr || event->frames.size() > kMaxStored || events_.size() >= kMaxStored)
        return false;
    events_.push_back(*event);
    frameInfo_.emplace_back(event->frames.size());
    sounds_.emplace_back(event->frames.size());
    return true;
}

void CAnimo::deleteSound(std::unique_ptr<CSound4>& sound)
{
    if (sound.get() == currentSound_)
        currentSound_ = nullptr;
    sound.reset();
}

void CAnimo::RemoveEvent(int event)
{
    event = GetEventNo(event);
    if (event < 0 || event >= GetNOE())
        return;
    const auto at = static_cast<size_t>(event);
    for (auto& sound : sounds_[at])
        deleteSound(sound);
    events_.erase(events_.begin() + event);
    frameInfo_.erase(frameInfo_.begin() + event);
    sounds_.erase(sounds_.begin() + event);
}

void CAnimo::RemoveAllEvents()
{
    for (auto& row : sounds_)
        for (auto& sound : row)
            deleteSound(sound);
    sounds_.clear();
    frameInfo_.clear();
    events_.clear();
}

CFrame* CAnimo::AddFrame(CGraphicsObject* raster)
{
    if (raster == nullptr || images_.size() >= kMaxStored)
        return nullptr;
    auto image = std::make_shared<CFrame>(getWindow());
    image->Copy(raster);
    image->SetPosition(raster->GetPosition());
    images_.push_back(image);
    return image.get();
}

bool CAnimo::RemoveFrame(int image)
{
    if (image < 0 || image >= GetNOF())
        return false;
    for (const _annEventInfo3& event : events_)
        if (std::find(event.frames.begin(), event.frames.end(), image) != event.frames.end())
            return false;
    if (lastDrawn_ == images_[static_cast<size_t>(image)])
        lastDrawn_.reset();
    images_.erase(images_.begin() + image);
    for (_annEventInfo3& event : events_)
        for (uint16_t& index : event.frames)
            if (index > image)
                --index;
    if (currentImage_ == image)
        currentImage_ = -1;
    else if (currentImage_ > image)
        --currentImage_;
    return true;
}

void CAnimo::RemoveFrame(int event, int position)
{
    _annEventInfo3* info = eventAt(event);
    if (info == nullptr || position < 0 || position >= info->frameCount())
        return;
    const auto at = static_cast<size_t>(GetEventNo(event));
    info->frames.erase(info->frames.begin() + position);
    auto& records = frameInfo_[at];
    if (position < static_cast<int>(records.size()))
        records.erase(records.begin() + position);
    auto& sounds = sounds_[at];
    if (position < static_cast<int>(sounds.size())) {
        deleteSound(sounds[static_cast<size_t>(position)]);
        sounds.erase(sounds.begin() + position);
    }
}

void CAnimo::RemoveAllFrames(int event)
{
    _annEventInfo3* info = eventAt(event);
    if (info == nullptr)
        return;
    const auto at = static_cast<size_t>(GetEventNo(event));
    info->frames.clear();
    frameInfo_[at].clear();
    for (auto& sound : sounds_[at])
        deleteSound(sound);
    sounds_[at].clear();
}

void CAnimo::ExchangeFrames(int event, int a, int b)
{
    _annEventInfo3* info = eventAt(event);
    if (info == nullptr || a < 0 || b < 0 || a >= info->frameCount() || b >= info->frameCount())
        return;
    const auto at = static_cast<size_t>(GetEventNo(event));
    std::swap(info->frames[static_cast<size_t>(a)], info->frames[static_cast<size_t>(b)]);
    const auto bothIn = [a, b](const auto& row) { return std::max(a, b) < static_cast<int>(row.size()); };
    if (bothIn(frameInfo_[at]))
        std::swap(frameInfo_[at][static_cast<size_t>(a)], frameInfo_[at][static_cast<size_t>(b)]);
    if (bothIn(sounds_[at]))
        std::swap(sounds_[at][static_cast<size_t>(a)], sounds_[at][static_cast<size_t>(b)]);
}

void CAnimo::UpdateSoundFX(int event, int position, CSound4* sound)
{
    std::unique_ptr<CSound4> taken(sound);
    const _annEventInfo3* info = eventAt(event);
    if (info == nullptr || position < 0 || position >= info->frameCount())
        return;
    auto& row = sounds_[static_cast<size_t>(GetEventNo(event))];
    row.resize(info->frames.size());
    deleteSound(row[static_cast<size_t>(position)]);
    row[static_cast<size_t>(position)] = std::move(taken);
}

void CAnimo::ClearWAVEntry(int event, int position)
{
    if (_anmFrameInfo3* record = GetFrameInfo(event, position))
        record->sound.reset();
}

void CAnimo::Convert(int bpp)
{
    convertImages(bpp);
}

bool CAnimo::convertImages(int bpp)
{
    forEachImage([bpp](CFrame& image) { image.convertWhole(bpp); });
    // The depth is the images': a file saved says it for all of them.
    const bool converted = std::all_of(images_.begin(), images_.end(), [bpp](const std::shared_ptr<CFrame>& image) {
        return image->GetDataPtr() == nullptr || image->GetBpp() == bpp;
    });
    if (converted)
        bpp_ = bpp;
    return converted;
}

void CAnimo::forEachImage(const std::function<void(CFrame&)>& apply)
{
    // The image drawn last is packed again first, or what is done to it would be lost when it is.
    if (lastDrawn_)
        lastDrawn_->bringBackCompressed();
    lastDrawn_.reset();
    for (const auto& image : images_)
        apply(*image);
    updateWithCurrentFrame();
}

void CAnimo::forEachSound(const std::function<void(CSound4&)>& apply)
{
    for (const auto& row : sounds_)
        for (const auto& sound : row)
            if (sound)
                apply(*sound);
}

void CAnimo::DeCompress()
{
    for (const auto& image : images_)
        image->DeCompress();
}

void CAnimo::DeCompressRLE2()
{
    for (const auto& image : images_)
        image->DeCompressRLE2();
}

// Showing.

void CAnimo::SetFrame(int image)
{
    if (image < 0 || image >= GetNOF())
        return;
    notifyCollisionInspector();
    const bool hadImage = getWindow() != nullptr && currentImage() != nullptr;
    const CXRect before = hadImage ? GetBoundingBox() : CXRect();
    currentImage_ = image;
    updateWithCurrentFrame();
    if (isVisible())
        invalidateArea(unionOf(before, GetBoundingBox()));
}

void CAnimo::SetEventFrame(int event, int position)
{
    event = GetEventNo(event);
    if (position == -1)
        position = 0;
    const int image = indexAt(event, position);
    if (position < 0 || position >= GetNOFInEvent(event))
        return;
    if (isVisible())
        Invalidate();
    if (IsPlaying())
        PlaySoundFX(event, position);
    if (GetOpacity() == 255) {
        const _anmFrameInfo3* record = GetFrameInfo(event, position);
        const unsigned char own = record != nullptr ? record->opacity : 255;
        SetOpacity(own != 255 ? own : events_[static_cast<size_t>(event)].opacity);
    }
    currentEvent_ = event;
    positionInEvent_ = position;
    Set(image, true);
}

void CAnimo::SetEventFrame(const CXString& event, int position)
{
    const int found = resolveEventName(event);
    if (found >= 0)
        SetEventFrame(found, position);
}

int CAnimo::SetEventFrame(int event, const CXString& frameName)
{
    CXString wanted = frameName;
    wanted.Upper();
    for (int position = 0; position < GetNOFInEvent(event); ++position) {
        CXString name = GetName(event, position, "");
        if (name.Upper() == wanted) {
            SetEventFrame(event, position);
            return position;
        }
    }
    return -1;
}

void CAnimo::Set(int image, bool notifyTick)
{
    if (image < 0 || image >= GetNOF())
        return;
    const CXRect before = GetBoundingBox();
    if (isVisible())
        Invalidate();
    currentImage_ = image;
    if (notifyTick)
        notify(NOTIFY_TICK);
    updateWithCurrentFrame();
    if (isVisible() && GetBoundingBox() != before)
        Invalidate();
}

void CAnimo::updateWithCurrentFrame()
{
    const CFrame* image = currentImage();
    if (image == nullptr)
        return;
    sharePlanes(*image);
    placeAt(image->GetFramePosition() + displacement());
}

// Placing and drawing.

void CAnimo::SetGlobalPosition(int x, int y)
{
    global_ = CXPoint(x, y) - getAnchor();
    notifyCollisionInspector();
}

void CAnimo::SetPosition(int x, int y)
{
    for (const auto& image : images_)
        image->SetPosition(x, y);
    updateWithCurrentFrame();
    notifyCollisionInspector();
}

void CAnimo::Move(int dx, int dy)
{
    const CXRect before = GetBoundingBox();
    global_ = global_ + CXPoint(dx, dy);
    invalidateArea(unionOf(before, GetBoundingBox()));
    notifyCollisionInspector();
}

CXPoint CAnimo::GetPosition()
{
    const CFrame* image = currentImage();
    return image != nullptr ? image->GetFramePosition() + global_ + displacement() : CXPoint();
}

CXRect CAnimo::GetBoundingBox()
{
    CFrame* image = currentImage();
    if (image == nullptr)
        return CXRect();
    const CXPoint at = GetPosition();
    const CXRect box(at.x, at.y, at.x + image->Width(), at.y + image->Height());
    const CXRect clip = GetClippingRect();
    return clip.IsEmpty() ? box : box.Common(clip + at);
}

CXPoint CAnimo::getCenterPoint()
{
    CFrame* image = currentImage();
    return image != nullptr ? image->getCenterPoint() : CXPoint();
}

bool CAnimo::isInside(int x, int y, bool useAlpha)
{
    CFrame* image = currentImage();
    return image != nullptr && image->isInside(x, y, useAlpha);
}

unsigned char CAnimo::GetPixel(_channel channel, CXPoint p)
{
    CFrame* image = lastDrawn_ ? lastDrawn_.get() : currentImage();
    return image != nullptr ? image->GetPixel(channel, p) : 0;
}

CGraphicsObject* CAnimo::getDrawn()
{
    CFrame* image = currentImage();
    return image != nullptr ? static_cast<CGraphicsObject*>(image) : this;
}

void CAnimo::setVisibility(bool visible)
{
    if (visible)
        show();
    else
        hide();
}

void CAnimo::loadWhenShown()
{
    if (const CXString file = waitingFile(); file.IsString())
        Load(file);
}

void CAnimo::show()
{
    Visible(true);
}

void CAnimo::hide()
{
    if (releaseAfterUse())
        Flush();
    Visible(false);
}

void CAnimo::alwaysOnTop()
{
    if (getWindow() != nullptr && GetCanvas() != nullptr)
        GetCanvas()->SetFlags(this, 1);
}

void CAnimo::Redraw()
{
    drawCurrentImage(GetDestiny(), imagePosition());
}

void CAnimo::redraw(CGraphicsObject* destination)
{
    drawCurrentImage(destination, imagePosition());
}

CFrame* CAnimo::drawCurrentImage(CGraphicsObject* destination, CXPoint at)
{
    const int index = currentImage_;
    if (destination == nullptr || index < 0 || index >= GetNOF())
        return nullptr;
    const std::shared_ptr<CFrame> image = images_[static_cast<size_t>(index)];
    if (lastDrawn_ && lastDrawn_ != image)
        lastDrawn_->bringBackCompressed();
    const CXPoint ownPosition = image->getPosition();
    const CXRect ownClip = image->GetClippingRect();
    image->SetClippingRect(GetClippingRect());
    image->CGraphicsObject::SetPosition(at.x, at.y);
    image->SetOpacity(GetOpacity());
    image->redraw(destination);
    image->CGraphicsObject::SetPosition(ownPosition.x, ownPosition.y);
    image->SetClippingRect(ownClip);
    lastDrawn_ = image;
    return image.get();
}

uint8_t CAnimo::GetAttachedFilter(void** filter) const
{
    if (filter != nullptr)
        *filter = filter_;
    return filterKind_;
}

void CAnimo::SetAttachedFilter(uint8_t kind, void* filter)
{
    filterKind_ = kind;
    filter_ = filter;
}

void CAnimo::SetAttachedChangeFilter(uint8_t kind, void* filter)
{
    changeFilterKind_ = kind;
    changeFilter_ = filter;
}

uint8_t CAnimo::GetAttachedChangeFilter(void** filter) const
{
    if (filter != nullptr)
        *filter = changeFilter_;
    return changeFilterKind_;
}
