#pragma once

#include "graphics/AnnRecords.h"
#include "graphics/CGraphicsObject.h"
#include "media/CPlayable.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CAnimationManager;
class CByteReader;
class CByteWriter;
class CFrame;
class CSndStream;
class CSound4;

// An event's number; -1 stands for the current event wherever an operation takes one.
using _animoevent = int;

enum _astatus {
    ASTATUS_PLAYING = 0,
    ASTATUS_STOPPED = 1,
    ASTATUS_PAUSED = 2,
};

enum _direction {
    DIRECTION_FORWARD = 0,
    DIRECTION_BACKWARD = 1,
};

// The optional chunks of the oldest animation files, in the order they are looked for.
enum _chunk {
    CHUNK_EXT = 0,
    CHUNK_SEQ = 1,
    CHUNK_POS = 2,
};

// An animation: a raster that shows one of its images (CFrame) at a time, and a playable that
// steps through named events. An event lists image indices with its own rate, an optional loop
// and flags; each of its positions may add a name, a displacement, an opacity and a sound. The
// application's animation manager steps a playing animation at its frame rate.
//
// Between steps the raster part stands for the current image: it shares that image's planes
// and size and lies at the image's position plus the position's displacement. The animation's
// own placement on screen is its global position, added where it is drawn.
//
// ANN files come in three generations, read by the signature of their first three bytes; all
// numbers are little-endian:
// - "NVP", "NVI" and "NV+": a 44-byte header ("NVP\0", u16 images, u16 depth, u16 events,
//   13 unused bytes, u32 frame rate, u32 flags: raster flags in bits 0-7 and animation flags in
//   bits 8-23, u8 opacity, i16 random-frames number, 10 unused bytes); the author and the
//   description (u32 length, bytes); per event its 67-byte record, its u16 image indices and
//   per position a 30-byte record followed by the texts it announces (u32 length counting the
//   NUL, the bytes with the NUL); all image headers (52 bytes, "NV+" 32); all image bodies.
// - "PAK": a 407-byte header (u16 images at 4, author at 6 and description at 134, texts of 128
//   and 256 bytes, i16 depth at 390, i16 events at 392); per event a 40-byte record (name,
//   u16 positions, u16 loop position, 2 bytes, u16 loop count), its u16 indices and 10 bytes per
//   position (i16 displacement x and y, 6 bytes); 32-byte image headers, then the bodies.
// - "PIK", "PI2", "PI3", and any other signature: a 12-byte header (u16 images at 4, i16 depth
//   flag at 6), the optional chunks "EXT" (u32, then author and description, each a u32 length
//   and bytes), "SEQ" (u32 count C, then 4·C bytes of which the first C u16 are indices) and
//   "POS" (33 bytes per position of the chunk's event), then the legacy image headers and
//   planes. Such files always play three events named "standard": images in order, in order
//   again, and reversed.
class CAnimo : public CGraphicsObject, public CPlayable {
public:
    // The playable type of animations.
    static constexpr int kType = 2;
    // Frames per second of a new animation and of an event that names none.
    static constexpr int kDefaultFps = 15;

    // Event flags.
    static constexpr uint32_t EVENT_HIDE_ON_STOP = 0x100;
    static constexpr uint32_t EVENT_BOUNCE = 0x20000;
    static constexpr uint32_t EVENT_NO_INTERRUPT = 0x40000;
    static constexpr uint32_t EVENT_KEEP_SOUND = 0x80000;
    static constexpr uint32_t EVENT_LOOP_WHILE_SOUND = 0x100000;
    // Animation flags.
    static constexpr uint32_t ANIMO_NO_INTERRUPT = 0x40000;
    static constexpr uint32_t ANIMO_KEEP_SOUND = 0x80000;
    static constexpr uint32_t ANIMO_CURRENT_FORMAT = 0x200000;
    static constexpr uint32_t ANIMO_STREAM_SOUNDS = 0x400000;
    static constexpr uint32_t ANIMO_PLAY_ON = 0x800000;

    // Empty and stopped, registered with the window's animation manager.
    explicit CAnimo(GraphicsWindow* window);
    // The same, then loads the file.
    CAnimo(GraphicsWindow* window, const CXString& file);
    // New copies of the events and their records; the images are shared and live on while
    // either animation holds them. Stopped, showing the source's current event and position.
    CAnimo(CAnimo& source);
    ~CAnimo() override;

    CAnimo* clone() override;

    // --- content ---
    // Drops the images, events, records and sounds.
    void Flush() override;
    // Reads the file, logging the attempt; the error code: ERROR_OPEN when the file does not
    // open, ERROR_FORMAT when it is damaged (either leaves the animation as a new one).
    // Afterwards the first event that has frames shows its first position.
    int Load(const CXString& name) override;
    // Any generation, from the file's position; the error code. A damaged file leaves the
    // animation as a new one.
    int Load(CFile* file) override;
    int LoadFromMemory(const char* data, size_t size);
    // Writes the current generation ("NVP"), replacing the named file only once it is whole;
    // the error code.
    int Save(const CXString& name, _compression code) override;
    // Only the 12-byte legacy header: "PIK" for code 0, "PI2" for 1, "PI3" otherwise.
    int Save(CFile* file, _compression code) override;
    // The current generation, every image packed with the code first (4 packs, any other code
    // writes the planes unpacked); the error code. The depth the file states is the one every
    // image is brought to: the animation's, or 16 bits for images that cannot take it (pixel
    // words do not widen). Images that cannot share a depth are not written (ERROR_FORMAT).
    int Save3(CFile* file, _compression code);

    CXString& Author() { return author_; }
    CXString& Description() { return description_; }
    // Kept with the file for the script layer.
    int16_t& RandomFramesNumber() { return randomFrames_; }
    bool getLoadAtStart() const { return loadAtStart_; }
    void setLoadAtStart(bool on) { loadAtStart_ = on; }
    uint32_t getAnimoFlags() const { return animoFlags_; }
    void setAnimoFlags(uint32_t flags) { animoFlags_ = flags; }

    // --- events and frames ---
    int GetNOE() const { return static_cast<int>(events_.size()); }
    // The number of images.
    int GetNOF() const { return static_cast<int>(images_.size()); }
    int GetNOFInEvent(int event);
    // Names compare ignoring case; 0 for an unknown name.
    int GetNOFInEvent(const CXString& event);
    int GetCurrentEvent() const { return currentEvent_; }
    void SetCurrentEvent(int event) { currentEvent_ = event; }
    int GetCurrentFrameInSequence() const { return positionInEvent_; }
    // The current image, -1 for none.
    int Current() const { return currentImage_; }
    // Null past the last event.
    _annEventInfo3* GetEventInfo(int event);
    // The record of a position of the current event, or of the event; null when there is none.
    _anmFrameInfo3* GetFrameInfo(int position);
    _anmFrameInfo3* GetFrameInfo(int event, int position);
    // Writes the loop's start and end; the loop count, 0 for an unknown event.
    int GetLoop(_animoevent event, CXPoint& loop);
    // Position -3 is the event's last, -2 its first, -1 the current one; others come back.
    int GetFrameNo(int event, int position);
    // The first position whose name is the text exactly; -1 when none is.
    int GetFrameNo(int event, const CXString& name);
    // The image shown at the first position, over all events, named the text in any case.
    CFrame* getFrame(const CXString& name);
    // The first event named the text in any case; 0 when none is.
    int getFrameNo(const CXString& name);
    // The first event named the text in any case; -1 when none is.
    int resolveEventName(const CXString& name);
    int GetEventNo(const CXString& name) { return resolveEventName(name); }
    // -1 gives the current event; any other number comes back.
    int GetEventNo(int event) const { return event == -1 ? currentEvent_ : event; }
    // Empty past the last event.
    CXString GetEventName(int event);
    CXString getCurrentEventName() { return GetEventName(currentEvent_); }
    // The first event with frames, 0 when none has.
    int getFirstEvent();
    // -1 stands for the current event and position; empty when the position has no name.
    CXString getFrameName(int event, int position);
    // The position's name; unnamed, "Frame n" when the fallback is "Default", else the fallback.
    CXString GetName(int event, int position, const CXString& fallback);
    // The image an event shows at a position; null when there is none.
    CFrame* GetEventFrame(int event, int position);
    CFrame* GetFrame(int image);
    // The current image's position, (0, 0) without one.
    CXPoint getCurrFramePosition();

    // Appends a copy of the event, with new records for its positions. Refused (false) for more
    // positions than a file can store.
    bool AddEvent(const _annEventInfo3* event);
    void RemoveEvent(int event);
    void RemoveAllEvents();
    // A new image with a copy of the raster's planes, placed where the raster is.
    CFrame* AddFrame(CGraphicsObject* raster);
    // Refused (false) while an event shows the image; larger indices drop by one.
    bool RemoveFrame(int image);
    void RemoveFrame(int event, int position);
    void RemoveAllFrames(int event);
    // Swaps two positions of an event with their records and sounds.
    void ExchangeFrames(int event, int a, int b);
    // Replaces (deleting) the sound of a position; the animation owns the new one.
    void UpdateSoundFX(int event, int position, CSound4* sound);
    // Forgets the position's sound name.
    void ClearWAVEntry(int event, int position);

    // Below 1 becomes 1.
    void SetFPS(int fps) { fps_ = fps < 1 ? 1 : fps; }
    int GetFPS() const { return fps_; }
    int getFPS() override { return fps_; }
    // Converts the images to the depth, packed or not, whatever their size; the animation takes
    // the depth when every image with pixels holds it.
    void Convert(int bpp);

    // --- showing ---
    // Shows an image outside the events.
    void SetFrame(int image);
    // Shows a position (-1 is 0) of an event (-1 the current one): while playing with the
    // position's sound, at the position's or the event's opacity unless the animation has its
    // own, with notification 2.
    void SetEventFrame(int event, int position);
    void SetEventFrame(const CXString& event, int position);
    // Shows the first position named the text in any case; that position, or -1.
    int SetEventFrame(int event, const CXString& frameName);
    // Selects an image, optionally with notification 2.
    void Set(int image, bool notify);
    // The raster part takes the current image's planes and place.
    void updateWithCurrentFrame();

    // --- playing ---
    // Plays an event from a position: ignored for an unknown or empty event, and while playing
    // when the animation or the playing event may not be interrupted. Shows the animation, plays
    // the position's sound, notifies 2 and then 1 (started). The last argument is not used.
    void Play(_animoevent event, int position, int);
    void Play(const CXString& event, int position, int);
    void Play();
    // The current event from its start.
    void play() override;
    using CPlayable::play;
    // Plays on from the current position at the current event's rate.
    void Continue();
    void Stop();
    void StopNoNotify();
    // With notify, observers hear 3 (finished).
    void stop(bool notify) override;
    void Pause();
    void Resume();
    void pause() override { Pause(); }
    void resume() override { Resume(); }
    // One step; whether the image shown changed.
    bool Next();
    bool Prev();
    // A step in the direction of play; the position reached.
    int next() override;
    int previous() override;
    void Seek(int image) { SetFrame(image); }
    void seek(int image) override { Seek(image); }
    // Plays the event backwards, adding the reversed event (name + "_reverse") the first time.
    // Position -1 starts at the one mirroring the current position.
    void playReverse(const CXString& name, int position);
    _astatus GetStatus() const { return astatus_; }
    bool IsPlaying() const { return astatus_ == ASTATUS_PLAYING; }
    bool isPlaying() override { return IsPlaying(); }
    _direction GetDirection() const { return direction_; }
    void SetDirection(_direction direction) { direction_ = direction; }

    // --- placing and drawing ---
    // The global position is the animation's placement, anchor taken off.
    void SetGlobalPosition(int x, int y) override;
    using CPlayable::SetGlobalPosition;
    void setPosition(int x, int y) override { SetGlobalPosition(x, y); }
    // As for any raster: every image takes the position.
    void setPosition(CXPoint p) override { CGraphicsObject::setPosition(p); }
    // Every image takes the position.
    void SetPosition(int x, int y) override;
    // Moves the global position.
    void Move(int dx, int dy) override;
    void move(int dx, int dy) override { Move(dx, dy); }
    using CPlayable::move;
    // The global position.
    CXPoint getPosition() override { return global_; }
    // Where the current image is drawn: its position, the global position and the displacement.
    CXPoint GetPosition() override;
    CXRect GetBoundingBox() override;
    CXRect GetAbsoluteBoundingBox() override { return GetBoundingBox(); }
    CXPoint getCenterPoint() override;
    // The current image's hit test.
    bool isInside(int x, int y, bool useAlpha);
    // From the last drawn image, else the current one.
    unsigned char GetPixel(_channel channel, CXPoint p) override;
    using CGraphicsObject::GetPixel;
    CGraphicsObject* getDrawn() override;
    // The raster's visibility.
    bool isVisible() override { return CGraphicsObject::isVisible(); }
    void setVisibility(bool visible) override;
    // Loads the file first when it is not loaded.
    void show() override;
    // With release after use the content goes.
    void hide() override;
    // Marks the animation's draw-list entry.
    void alwaysOnTop() override;
    // The current image onto the drawing destination, or onto the one given.
    void Redraw() override;
    void redraw(CGraphicsObject* destination) override;
    void clearLastRefreshed() { lastDrawn_.reset(); }
    void DeCompress() override;
    void DeCompressRLE2() override;

    // Filters of other subsystems, kept for them: a kind and a pointer the animation never uses.
    uint8_t GetAttachedFilter(void** filter) const;
    void SetAttachedFilter(uint8_t kind, void* filter);
    void SetAttachedChangeFilter(uint8_t kind, void* filter);
    uint8_t GetAttachedChangeFilter(void** filter) const;

protected:
    void loadWhenShown() override;
    // Draws the current image at the place onto the destination with the animation's clipping
    // rectangle and opacity, packing the image drawn before it again; the image drawn, or null.
    CFrame* drawCurrentImage(CGraphicsObject* destination, CXPoint at);
    // Applies the operation to every image as stored, then shows the current one again.
    void forEachImage(const std::function<void(CFrame&)>& apply);
    void forEachSound(const std::function<void(CSound4&)>& apply);
    CXPoint globalPosition() const { return global_; }
    // The position of the raster part: the current image's plus the displacement.
    CXPoint imagePosition() { return CGraphicsObject::getPosition(); }

private:
    CAnimationManager* animationManager() const;
    void initialize();
    // Drops the content and what a file gave besides: texts, rate, flags, opacity, depth.
    void resetToNew();
    // Convert; whether every image with pixels holds the depth now.
    bool convertImages(int bpp);
    void setStatus(_astatus status);
    _annEventInfo3* eventAt(int event);
    // The image index of a position; -1 for a position outside the event.
    int indexAt(int event, int position);
    CSound4* soundAt(int event, int position);
    CFrame* currentImage();
    CXPoint displacement();
    // The event after the current one when it has frames.
    bool hasNextEvent();
    void switchToNextEvent();
    bool soundStillPlays();
    void PlaySoundFX(int event, int position);
    void deleteSound(std::unique_ptr<CSound4>& sound);
    // Ends the event from within a step; false when a handler of the end changed the event,
    // which the step then leaves alone.
    bool finishEvent(int event);

    // A file that cannot be read leaves the animation as a new one; the error code.
    int refuse(int error);
    // Readers over the file's bytes; on damage the file is refused with ERROR_FORMAT.
    int readFile(CByteReader& in);
    bool readCurrent(CByteReader& in);
    bool readMiddle(CByteReader& in);
    bool readLegacy(CByteReader& in);
    bool readChunk(CByteReader& in, _chunk chunk);
    bool readEvents(CByteReader& in, int count);
    bool readImages(CByteReader& in, int count, bool shortHeaders);
    void makeImages(int count, int bpp);
    void makeSounds();
    void useDefaultEvents();
    void convertToScreen();
    void writeEvents(CByteWriter& out);

    std::vector<_annEventInfo3> events_;
    // Per event: a record per position, or none.
    std::vector<std::vector<_anmFrameInfo3>> frameInfo_;
    // Per event: the preloaded sound of each position, or none.
    std::vector<std::vector<std::unique_ptr<CSound4>>> sounds_;
    std::unique_ptr<CSndStream> stream_;
    int positionInEvent_ = 0;
    CXString author_;
    CXString description_;
    int currentImage_ = -1;
    int currentEvent_ = 0;
    uint32_t animoFlags_ = 0;
    std::vector<std::shared_ptr<CFrame>> images_;
    std::shared_ptr<CFrame> lastDrawn_;
    CXPoint global_;
    _astatus astatus_ = ASTATUS_STOPPED;
    _direction direction_ = DIRECTION_FORWARD;
    int lastPlayedEvent_ = 0;
    int fps_ = kDefaultFps;
    int16_t randomFrames_ = 0;
    uint8_t filterKind_ = 0;
    void* filter_ = nullptr;
    uint8_t changeFilterKind_ = 0;
    void* changeFilter_ = nullptr;
    CSound4* currentSound_ = nullptr;
    bool loadAtStart_ = false;
};
