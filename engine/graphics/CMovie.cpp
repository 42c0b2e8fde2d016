#include "graphics/CMovie.h"

#include "foundation/CFile.h"
#include "graphics/CMovieSound.h"
#include "graphics/GraphicsWindow.h"
#include "media/CSound4.h"
#include "platform/Clock.h"
#include "platform/VideoDecodeWorker.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int64_t kUnitsPerMs = platform::kVideoTimeUnitsPerSecond / 1000;
// No time goes further, so that differences of times never overflow.
constexpr int64_t kLatestTime = int64_t{1} << 61;

int64_t unitsOfMs(int64_t ms)
{
    return std::clamp(ms, -kLatestTime / kUnitsPerMs, kLatestTime / kUnitsPerMs) * kUnitsPerMs;
}

} // namespace

CMovie::CMovie(GraphicsWindow* window)
    : CDirectDrawSurface(window)
    , CPlayable(window)
{
}

CMovie::CMovie(GraphicsWindow* window, const CXString& fileName)
    : CMovie(window)
{
    load(fileName);
}

CMovie::~CMovie()
{
    stop(false);
    releaseAll();
}

bool CMovie::load(const CXString& fileName)
{
    if (worker_ != nullptr)
        stop(false);
    Invalidate();
    releaseAll();
    setFilename(fileName);
    GraphicsWindow* window = getWindow();
    const bool fifteenBits = window != nullptr && window->GetBpp() == 15;
    const platform::VideoPixelFormat pixels = fifteenBits ? platform::VideoPixelFormat::Rgb555
                                                          : platform::VideoPixelFormat::Rgb565;
    if (window != nullptr && window->IsSoundOn() && CSound4::CreatePrimarySoundBuffer(window))
        sound_ = CMovieSound::create(CSound4::getDirectSound());
    const CXString path = CFile::getPath(window, fileName);
    if (path.IsString())
        source_ = platform::VideoSource::open(path.c_str(), pixels,
                                              sound_ != nullptr ? std::optional(CMovieSound::kFormat) : std::nullopt);
    if (source_ == nullptr) {
        releaseAll();
        return false;
    }
    if (!source_->audioFormat())
        sound_.reset();
    setSize(CXSize(source_->width(), source_->height()));
    SetBpp(fifteenBits ? 15 : 16);
    SetSourceWindow(CXRect(0, 0, Width(), Height()));
    if (!create_surface(true)) {
        releaseAll();
        return false;
    }
    std::memset(GetDataPtr(), 0, static_cast<size_t>(GetDataSize()));
    return true;
}

void CMovie::releaseAll()
{
    worker_.reset();
    sound_.reset();
    source_.reset();
    setSize(CXSize(0, 0));
    create_surface(false);
    picture_ = {};
    incoming_ = {};
    shownTime_ = -1;
    pictureLength_ = 0;
}

void CMovie::setRange(int64_t startMs, int64_t endMs)
{
    rangeStart_ = unitsOfMs(startMs);
    rangeEnd_ = unitsOfMs(endMs);
}

void CMovie::play()
{
    if (source_ == nullptr) {
        stop(true);
        return;
    }
    ++round_;
    if (worker_ == nullptr)
        worker_ = std::make_unique<platform::VideoDecodeWorker>(*source_);
    status_ = STATUS_PLAYING;
    if (sound_ != nullptr)
        sound_->goOn();
    restartAt(0);
    addFrameTimer();
    CPlayable::notify(NOTIFY_STARTED);
    Invalidate();
}

void CMovie::stop(bool report)
{
    ++round_;
    worker_.reset();
    removeFrameTimer();
    status_ = 0;
    if (sound_ != nullptr)
        sound_->restart(0);
    if (report)
        CPlayable::notify(NOTIFY_FINISHED);
}

void CMovie::pause()
{
    if (!isPlaying())
        return;
    status_ = STATUS_PAUSED;
    if (sound_ != nullptr)
        sound_->hold();
}

void CMovie::resume()
{
    if (!isPaused())
        return;
    status_ = STATUS_PLAYING;
    lastTick_ = platform::tickCount();
    if (sound_ != nullptr)
        sound_->goOn();
}

void CMovie::seekTo(int64_t time)
{
    if (worker_ == nullptr)
        return;
    ++round_;
    restartAt(std::clamp<int64_t>(time, 0, kLatestTime));
}

void CMovie::restartAt(int64_t time)
{
    worker_->seek(time);
    clock_ = time;
    lastTick_ = platform::tickCount();
    shownTime_ = -1;
    if (sound_ != nullptr)
        sound_->restart(time);
}

bool CMovie::waitUntilDecodedAhead(std::chrono::milliseconds timeout)
{
    return worker_ != nullptr && worker_->waitUntilAhead(timeout);
}

// The frame timer.

void CMovie::onTimer(int)
{
    if (worker_ == nullptr)
        return;
    const uint32_t now = platform::tickCount();
    if (isPlaying())
        clock_ += std::min(now - lastTick_, kLongestStepMs) * kUnitsPerMs;
    lastTick_ = now;
    if (!showDuePictures())
        return;
    if (hasEnded()) {
        stop(true);
        return;
    }
    if (sound_ != nullptr)
        sound_->keepUp(*worker_, clock_);
}

bool CMovie::showDuePictures()
{
    int due = 0;
    for (std::optional<int64_t> next = worker_->nextFrameTime(); next && *next <= clock_;
         next = worker_->nextFrameTime()) {
        worker_->takeFrame(incoming_);
        // The first picture after a seek shows whatever the range: a range that ends before
        // it starts still plays, its start over and over.
        if (rangeEnd_ > 0 && shownTime_ >= 0 && incoming_.time > rangeEnd_) {
            restartAt(rangeStart_);
            break;
        }
        std::swap(picture_, incoming_);
        if (shownTime_ >= 0)
            pictureLength_ = picture_.time - shownTime_;
        shownTime_ = picture_.time;
        ++due;
    }
    if (due == 0)
        return true;
    copyIntoSurface();
    Invalidate();
    const uint64_t round = round_;
    for (int i = 0; i < due; ++i) {
        CPlayable::notify(NOTIFY_TICK);
        if (round != round_)
            return false;
    }
    return true;
}

void CMovie::copyIntoSurface()
{
    const size_t bytes = picture_.pixels.size() * sizeof(uint16_t);
    if (GetDataPtr() != nullptr && bytes == static_cast<size_t>(GetDataSize()))
        std::memcpy(GetDataPtr(), picture_.pixels.data(), bytes);
}

// Once the last picture has had its time: a picture lasts as long as the one before it.
bool CMovie::hasEnded() const
{
    return status_ == STATUS_PLAYING && worker_->finished()
        && (shownTime_ < 0 || clock_ >= shownTime_ + pictureLength_);
}

void CMovie::addFrameTimer()
{
    CXTimer* timers = getWindow() != nullptr ? getWindow()->GetTimerInterface() : nullptr;
    if (timers == nullptr || timerId_ != 0)
        return;
    // An id of its own: removing it never takes another registrant's entry.
    timerId_ = CXTimer::allocateId();
    timers->add(timerId_, 0, static_cast<CTimerNotificator*>(this));
}

void CMovie::removeFrameTimer()
{
    if (timerId_ == 0)
        return;
    if (CXTimer* timers = getWindow() != nullptr ? getWindow()->GetTimerInterface() : nullptr)
        timers->remove(timerId_);
    timerId_ = 0;
}

// Drawing.

void CMovie::Redraw()
{
    CGraphicsObject::Redraw();
}

void CMovie::redraw(CGraphicsObject* destination)
{
    auto* surface = dynamic_cast<CDirectDrawSurface*>(destination);
    CXRect part = GetClippingRect().Common(CXRect(0, 0, Width(), Height()));
    if (surface == nullptr || GetDataPtr() == nullptr || part.Width() <= 0 || part.Height() <= 0)
        return;
    const CXPoint p = GetPosition();
    surface->Blt(this, p.x + part.left, p.y + part.top, &part);
}
