#pragma once

#include "graphics/CAnimationManager.h"
#include "graphics/CAnimo.h"
#include "graphics/CRefreshRegion.h"
#include "graphics/CRefreshScreen.h"
#include "media/CPlayableObserver.h"
#include "media/CSound4.h"
#include "media/CSoundManager.h"
#include "platform/Clock.h"

#include "EngineWorld.h"
#include "RasterMaker.h"
#include "app/HeadlessWindow.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

inline void PrintTo(const CXString& text, std::ostream* out)
{
    *out << '"' << text.c_str() << '"';
}

// The engine around animations, on a clock that only the test moves.
class AnimationWorld {
public:
    CWindow* window() const { return engine_.window(); }
    CAnimationManager* manager() const { return engine_.application()->getAnimoManagerIfc(); }
    int soundCount() const { return engine_.application()->getSoundManagerIfc()->getCount(); }
    const TempFolder& folder() const { return engine_.folder(); }
    CXString path(const std::string& name) const { return folder().file(name).c_str(); }

    // One engine frame, that much later than the last.
    void frame(uint32_t ms)
    {
        time_.clock.advance(ms);
        window()->Tick();
    }

private:
    struct ManualTime {
        ManualTime() { platform::setClock(&clock); }
        ~ManualTime() { platform::setClock(nullptr); }
        ManualTime(const ManualTime&) = delete;
        ManualTime& operator=(const ManualTime&) = delete;
        platform::ManualClock clock{1000};
    };

    ManualTime time_;
    EngineWorld engine_;
};

// The engine with a screen: the window on the headless display, active, with its application.
// Each frame runs the window's whole frame: the screen composes and presents what changed, then
// the animations step. Time moves only by hand.
class ScreenWorld {
public:
    ScreenWorld() { headless_.open(); }

    CWindow* window() { return &headless_.window(); }
    CRefreshScreen* screen() { return window()->GetRefreshScreenInterface(); }
    platform::HeadlessDisplay& display() { return headless_.display(); }
    uint16_t pixel(int x, int y) { return headless_.pixel(x, y); }
    const TempFolder& folder() const { return headless_.folder(); }

    void frame(uint32_t ms)
    {
        headless_.backend().clock().advance(ms);
        window()->domodal();
    }
    // The events injected meanwhile, then one frame.
    void turn(uint32_t ms)
    {
        headless_.backend().clock().advance(ms);
        headless_.turn();
    }
    platform::HeadlessBackend& backend() { return headless_.backend(); }
    CApplication* application() { return &application_; }

    // The rectangles that the next frame will compose and present.
    std::vector<CXRect> dirty()
    {
        std::vector<CXRect> rects;
        const CRefreshRegion* region = screen()->getRefreshList();
        for (int i = 0; i < region->getCount(); ++i)
            rects.push_back(region->rectAt(i) != nullptr ? *region->rectAt(i) : CRefreshRegion::kWholeScreen);
        return rects;
    }

private:
    HeadlessWindow headless_;
    CApplication application_{&headless_.window(), "", "", nullptr};
};

// A sound whose playing the test decides.
class TestSound : public CSound4 {
public:
    explicit TestSound(CWindow* window)
        : CSound4(window)
    {
        type_ = kType;
    }
    void Play() override
    {
        ++plays;
        playing = true;
    }
    void Stop() override { playing = false; }
    bool IsPlaying() override { return playing; }
    void setVolume(int volume) override { volumeGiven = volume; }

    int plays = 0;
    bool playing = false;
    int volumeGiven = 0;
};

// What an animation told its observers: "S" started, "F" finished, the image shown for a tick.
struct PlayLog : CPlayableObserver {
    bool onPlayableStarted(CPlayable*) override { return add("S"); }
    bool onPlayableFinished(CPlayable*) override { return add("F"); }
    bool onPlayableTick(CPlayable* playable) override
    {
        return add(std::to_string(dynamic_cast<CAnimo*>(playable)->Current()));
    }
    bool add(const std::string& entry)
    {
        text += (text.empty() ? "" : " ") + entry;
        return false;
    }
    std::string take()
    {
        std::string taken;
        taken.swap(text);
        return taken;
    }

    std::string text;
};

// A width × height image whose pixels count up from first, with an alpha ramp, at (x, y).
inline std::unique_ptr<CGraphicsObject> countingImage(uint16_t first, int width = 2, int height = 2, CXPoint at = {})
{
    std::vector<uint16_t> pixels(static_cast<size_t>(width) * height);
    std::vector<uint8_t> alpha(pixels.size());
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<uint16_t>(first + i);
        alpha[i] = static_cast<uint8_t>(255 - 40 * i);
    }
    auto image = makeRaster(width, height, 16, pixels, alpha);
    image->SetPosition(at);
    return image;
}

inline _annEventInfo3 eventOf(const char* name, std::vector<uint16_t> frames, uint16_t loopStart = 0,
                              uint16_t loopEnd = 0, uint16_t loopCount = 0, uint32_t flags = 0)
{
    _annEventInfo3 event;
    event.setName(name);
    event.frames = std::move(frames);
    event.loopStart = loopStart;
    event.loopEnd = loopEnd;
    event.loopCount = loopCount;
    event.flags = flags;
    event.opacity = 255;
    return event;
}

// An animation of `images` counting images (image i counts from 100 × i) and the events.
inline void fill(CAnimo& animation, int images, const std::vector<_annEventInfo3>& events)
{
    for (int i = 0; i < images; ++i)
        animation.AddFrame(countingImage(static_cast<uint16_t>(100 * i)).get());
    for (const _annEventInfo3& event : events)
        animation.AddEvent(&event);
}
