#pragma once

#include "foundation/CXTimer.h"
#include "graphics/CDirectDrawSurface.h"
#include "media/CPlayable.h"
#include "platform/VideoSource.h"

#include <chrono>
#include <cstdint>
#include <memory>

class CMovieSound;

namespace platform {
class VideoDecodeWorker;
} // namespace platform

// A video file playing into a surface of the video's size, which stands on the screen as an
// opaque raster. A worker thread decodes the pictures ahead; everything else happens on the
// main thread: the frame timer, polled every frame, shows the latest picture whose time the
// movie's clock has reached, tells the observers of each such picture in turn, and at the end
// of the video stops the movie with the finished report. The sound plays along on the sound
// device unless sound is off or there is no device.
//
// The movie's clock is the platform clock while the movie plays, held while it is paused.
// It moves with the frames, at most kLongestStepMs a frame: after a longer gap (the program
// was inactive, or busy) the movie goes on from where it was instead of jumping ahead.
class CMovie : public CDirectDrawSurface, public CPlayable, private CTimerNotificator {
public:
    static constexpr uint32_t kLongestStepMs = 100;

    // An empty movie.
    explicit CMovie(GraphicsWindow* window);
    // Opens the file at once; a file that does not open leaves the movie empty.
    CMovie(GraphicsWindow* window, const CXString& fileName);
    // Stops without the finished report; the worker ends before anything else goes.
    ~CMovie() override;
    CMovie(const CMovie&) = delete;
    CMovie& operator=(const CMovie&) = delete;

    // Opens the file in place of the current video, stopping a playing one first (without the
    // finished report). The surface takes the video's size, black until the first picture.
    // False, and the movie left empty, for a file without a video that can be decoded.
    bool load(const CXString& fileName);
    bool isOpen() const { return source_ != nullptr; }

    // Goes to that time (100 ns units) of a playing or paused movie; the picture there shows
    // at the next frame. A time past the end ends the movie at the next frame.
    void seekTo(int64_t time);
    // The loop range in milliseconds: while its end is above 0, a picture past the end sends
    // the movie back to the start (the first picture after a seek is always shown).
    void setRange(int64_t startMs, int64_t endMs);
    int64_t getRangeStart() const { return rangeStart_; }
    int64_t getRangeEnd() const { return rangeEnd_; }

    // Without a video: only stop(true). Otherwise plays from the beginning (also when playing
    // already) and reports the start.
    void play() override;
    // The event's name plays nothing else.
    void play(const CXString&) override { play(); }
    // The worker ends, the frame timer goes and the sound falls silent; with `notify` the
    // observers hear of the end, also when nothing played.
    void stop(bool notify) override;
    // Holds picture, clock and sound of a playing movie; resume goes on from there.
    void pause() override;
    void resume() override;
    // The 100 ns time, widened.
    void seek(int position) override { seekTo(position); }

    // Placed as a raster, also as a playable.
    void setPosition(int x, int y) override { CGraphicsObject::setPosition(x, y); }
    void setPosition(CXPoint p) override { CGraphicsObject::setPosition(p); }

    // Draws the part that the clipping rectangle sets, and only when one is set.
    void Redraw() override;
    void redraw(CGraphicsObject* destination) override;

    // Waits, at most for `timeout`, until the decoding of a playing movie has gone as far ahead
    // as it goes, or the video has ended; true when a picture waits. Lets a caller that moves
    // the clock by hand keep the decoding ahead of it.
    bool waitUntilDecodedAhead(std::chrono::milliseconds timeout);
    // The time of the picture shown last since playing or seeking; -1 before the first.
    int64_t shownTime() const { return shownTime_; }

private:
    void onTimer(int id) override;
    // Takes and reports the pictures come due; false when an observer changed the playing.
    bool showDuePictures();
    void copyIntoSurface();
    bool hasEnded() const;
    void restartAt(int64_t time);
    void releaseAll();
    void addFrameTimer();
    void removeFrameTimer();

    std::unique_ptr<platform::VideoSource> source_;
    std::unique_ptr<CMovieSound> sound_;
    // After the source and the sound, so that it goes first.
    std::unique_ptr<platform::VideoDecodeWorker> worker_;
    // The picture shown, and the one taken from the worker before it is accepted.
    platform::VideoFrame picture_;
    platform::VideoFrame incoming_;
    int64_t rangeStart_ = 0;
    int64_t rangeEnd_ = 0;
    int64_t clock_ = 0;
    uint32_t lastTick_ = 0;
    int64_t shownTime_ = -1;
    // How long the picture shown last lasts: as long as the one before it.
    int64_t pictureLength_ = 0;
    int timerId_ = 0;
    // Counts the plays, stops, seeks and loads: an observer that does one of them while the
    // frame timer reports a picture ends that report's round.
    uint64_t round_ = 0;
};
