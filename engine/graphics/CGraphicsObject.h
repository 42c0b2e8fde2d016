#pragma once

#include "foundation/CXArray.h"
#include "foundation/CXObject.h"
#include "foundation/CXPoint.h"
#include "foundation/CXRect.h"
#include "foundation/CXSize.h"
#include "foundation/CXString.h"
#include "graphics/CColor.h"
#include "graphics/CInvalidateObserver.h"
#include "graphics/CPlane.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class CCollisionInspector;
class CFile;
class CMonitoredObject;
class CRefreshScreen;
class CValidationQuene;
class GraphicsWindow;
struct _palette;

// Which 8-bit plane a read names.
enum _channel {
    CHANNEL_ALPHA = -1,
    CHANNEL_RED = 0,
    CHANNEL_GREEN = 1,
    CHANNEL_BLUE = 2,
};

// How a raster's planes are packed; 0 is unpacked.
enum _compression {
    COMPRESSION_NONE = 0,
    COMPRESSION_LZO = 2,
    COMPRESSION_LZO_RLE = 3,
    COMPRESSION_RLE = 4,
    COMPRESSION_JPEG = 5,
};

// One span found by a flood fill.
struct _floodfill {
    int16_t x;
    int16_t y;
    int16_t length;
};

// What a blitter reads of its source or writes of its destination. In the source record the
// rectangle is the source's clipping rectangle; in the destination record it is the source
// window, the part of the source to draw. A rectangle counts as set when right differs from
// left and bottom from top.
struct _canvas {
    char* data = nullptr;
    unsigned char* alpha = nullptr;
    void* reserved = nullptr;
    int bpp = 0;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    CXRect rect;
};

// Base of everything that is drawn: a colour plane of 15, 16, 24 or 32 bits per pixel with an
// optional 8-bit alpha plane, placed in its drawing destination, clipped, faded by an opacity,
// reporting the areas it changes to its screen composer and to its observers.
class CGraphicsObject : public CXObject, public CInvalidateObserver {
public:
    // Error codes of loading and saving: the file does not open (or what was written does not
    // reach the disk), or its data are not a picture the reader takes.
    static constexpr int ERROR_OPEN = 2000;
    static constexpr int ERROR_FORMAT = 2001;
    // The depth of a new raster.
    static constexpr int kDefaultBpp = 16;

    explicit CGraphicsObject(GraphicsWindow* window);
    // An uninitialised colour plane of that size.
    CGraphicsObject(GraphicsWindow* window, CXSize size, int bpp);
    // Takes the colour plane, made with new[].
    CGraphicsObject(GraphicsWindow* window, CXSize size, int bpp, char* data);
    // Shares the source's planes, which stay alive while either raster holds them.
    CGraphicsObject(GraphicsWindow* window, CGraphicsObject& source);
    CGraphicsObject(const CGraphicsObject&) = delete;
    CGraphicsObject& operator=(const CGraphicsObject&) = delete;
    ~CGraphicsObject() override;

    CGraphicsObject* clone() override;

    // Packed planes. A raster packed with code 4 is unpacked for use by DeCompressRLE2, which keeps
    // the packed planes aside, and bringBackCompressed puts them back (unless unpack() asked to
    // keep the raster unpacked). pack() puts them back in any case; without freeUnpacked the
    // unpacked planes are left to whoever holds their pointer.
    virtual void pack(bool freeUnpacked);
    virtual void unpack();
    // Takes off the LZO layer (code 3 becomes 4, code 2 becomes 0) or decodes code 5's JPEG.
    // Planes that do not decode to the raster's size leave it without planes and with ERROR_FORMAT.
    virtual void DeCompress();
    virtual void DeCompressRLE2();
    virtual void bringBackCompressed();
    // Only code 4 is produced, from unpacked planes; any other code just refreshes the sizes.
    void Compress(_compression code);
    bool isPacked() const { return compression_ != COMPRESSION_NONE; }
    // The colour data's length while packed.
    int GetPackedSize() const { return packedSize_; }

    virtual int getGfxType() { return 0; }
    virtual void setMonitorCollisions(bool monitor) { monitorCollisions_ = monitor; }
    virtual bool getMonitorCollisionsFlag() { return monitorCollisions_; }
    virtual void SetOpacity(unsigned char opacity) { opacity_ = opacity; }
    virtual char* GetDataPtr() { return colour_.get(); }
    // A subclass that overrides testHit, GetBoundingBox, GetAbsoluteBoundingBox, getRect, Width
    // or Height so that they reach beyond the position and size calls hitsBeyondOwnBox() in its
    // constructors.
    virtual bool testHit(CXPoint p);
    // The position and size as a box, which bounds every hit and the bounding box unless the
    // shape reaches beyond them. Plain members only, so that a walk over many shapes can reject
    // most of them without their virtual geometry.
    CXRect ownBox() const { return {position_.x, position_.y, position_.x + width_, position_.y + height_}; }
    bool keepsToOwnBox() const { return keepsToOwnBox_; }
    // Counts the changes of position or size of every raster, so that a box taken from ownBox
    // can be kept while the count stays.
    static uint64_t geometryChanges() { return geometryChanges_; }
    virtual CXPoint getCenterPoint();
    virtual void setPosition(CXPoint p);
    virtual void setPosition(int x, int y);
    virtual void SetPosition(CXPoint p);
    virtual void SetPosition(int x, int y);
    virtual void Move(CXPoint d);
    virtual void Move(int dx, int dy);
    virtual void setAnchor(int x, int y);
    virtual void setAnchor(CXPoint p);
    virtual CXPoint getAnchor() { return anchor_; }
    virtual void Visible(bool visible);
    virtual void Flush();
    virtual int GetPixelSize();
    virtual unsigned char GetPixel(_channel channel, CXPoint p);
    virtual CColor GetPixel(CXPoint p);
    virtual CColor GetPixel(int x, int y);
    // The colour word of a 15- or 16-bit raster at p, its own coordinates, read through the
    // run-length packing too; 0 outside the raster, for other depths and other packings.
    uint16_t GetPixelWord(CXPoint p);
    // Reverses the order of the rows.
    virtual void FlipH();
    // Reverses the pixels within each row.
    virtual void FlipV();
    virtual void resetFlips();
    virtual void Fill(CColor* colour);
    virtual void Fill(CXRect r, CColor* colour);
    virtual void redraw(CGraphicsObject* destination);
    virtual void Redraw();
    virtual void Blend(char* source, int* table, int offset, int level);
    // Converts the raster to the depth of the window's screen; the error code. Subclasses read
    // their file first.
    virtual int Load(const CXString& name);
    // Reads nothing here; the error code.
    virtual int Load(CFile* file);
    // Writes an IMG file, replacing the named one only once it is complete; the error code.
    virtual int Save(const CXString& name, _compression code);
    // Writes the planes unpacked (code 0) or run-length packed (code 4, asked for by code 4 only),
    // the clipping rectangle's part when one is set; the error code.
    virtual int Save(CFile* file, _compression code);
    virtual int Width();
    virtual int Height();
    virtual CXSize Size();
    virtual void setSize(CXSize size);
    virtual CXPoint getPosition() { return position_; }
    virtual CXPoint GetPosition() { return position_; }
    virtual CXRect getRect();
    virtual int getWidth() { return Width(); }
    virtual int getHeight() { return Height(); }
    virtual CXRect GetBoundingBox();
    virtual CXRect GetAbsoluteBoundingBox();
    virtual bool isNear(CXRect r, int percent);
    virtual bool isNear(CGraphicsObject* other, int percent);
    virtual CXPoint ClientCoords(CXPoint p);
    virtual void SetClippingRect(CXRect r) { clip_ = r; }
    virtual void Invalidate(CXRect* r);
    virtual void Invalidate();
    virtual void addInvalidateObserver(CInvalidateObserver* observer);
    virtual void removeInvalidateObserver(CInvalidateObserver* observer);
    virtual void notifyInvalidate(CXRect* r);
    virtual CGraphicsObject* getDrawn() { return this; }
    // Whether drawing this raster draws the other one too, at any depth: rasters that compose
    // others refuse to hold one that draws them, which would draw itself for ever.
    virtual bool drawsFrom(CGraphicsObject*) { return false; }

    // As the observer of a child object.
    void onInvalidate(CGraphicsObject* object, CXRect* r) override;
    void onDestroy(CGraphicsObject* object) override;

    // Fields.
    void setFileName(const CXString& name) { fileName_ = name; }
    const CXString& getFileName() const { return fileName_; }
    GraphicsWindow* getWindow() const { return window_; }
    // The screen composer whose draw list holds the raster.
    void SetCanvas(CRefreshScreen* canvas) { canvas_ = canvas; }
    CRefreshScreen* GetCanvas() const { return canvas_; }
    void SetDestiny(CGraphicsObject* destination) { destination_ = destination; }
    CGraphicsObject* GetDestiny() const { return destination_; }
    int GetPitch() const { return pitch_; }
    void SetPitch(int pitch) { pitch_ = pitch; }
    // Makes the buffer the colour plane. The raster frees it when it owns its planes; the plane
    // it replaces is left to the caller.
    void SetDataPtr(char* data);
    int GetBpp() const { return bpp_; }
    void SetBpp(int bpp) { bpp_ = bpp; }
    int GetFlags() const { return flags_; }
    void SetFlags(int flags) { flags_ = flags; }
    void SetAutoClip(bool on) { autoClip_ = on; }
    bool GetAutoClip() const { return autoClip_; }
    void SetClippingRect(int left, int top, int right, int bottom) { SetClippingRect(CXRect(left, top, right, bottom)); }
    CXRect GetClippingRect() const { return clip_; }
    void SetSourceWindow(CXRect r) { sourceWindow_ = r; }
    CXRect GetSourceWindow() const { return sourceWindow_; }
    bool isFlippedH() const { return flippedH_; }
    bool isFlippedV() const { return flippedV_; }
    unsigned char GetOpacity() const { return opacity_; }
    // The opacity moved by d, kept within 0 to 255.
    void AddOpacity(short d);
    _compression GetCompression() const { return compression_; }
    void SetCompression(_compression code) { compression_ = code; }
    int GetDataSize() const { return __get_data_size(CXSize(width_, height_), bpp_); }
    int GetAlphaSize() const { return alphaSize_; }
    bool ownsPlanes() const { return ownsPlanes_; }
    bool isVisible() const { return visible_; }
    // True once after an invalidation.
    bool isInvalidated();
    // Whether an invalidation waits for the next redraw; the mark stays.
    bool isMarkedInvalidated() const { return invalidated_; }

    // Geometry.
    CXPoint toLocalAxis(CXPoint p) { return ClientCoords(p); }
    // Inside the absolute box, and with the flag also not transparent there.
    bool isAt(CXPoint p, bool useAlpha);
    bool isInside(int x, int y, bool useAlpha) { return isAt(CXPoint(x, y), useAlpha); }
    // Centres the raster in r.
    void FitRect(CXRect r);
    void FitObject(CGraphicsObject* other);
    void Show() { Visible(true); }
    void Hide() { Visible(false); }

    // Child objects are drawn onto this raster, over a snapshot of its own pixels.
    void addObject(CGraphicsObject* child, int priority);
    void removeObject(CGraphicsObject* child);
    void removeAllObjects();

    // Pixels.
    void SetPixel(int x, int y, CColor c);
    // Converts 24-bit planes (blue, green, red bytes) into 15- or 16-bit pixel words, and 15-bit
    // and 16-bit planes of at least 4 pixels into each other; a 15-bit raster asked for 24 or 32
    // becomes 16-bit. Other pairs, and packed rasters, stay as they are.
    void Convert(int bpp);
    // The same for planes of any size, and for a run-length packed raster, which is unpacked for
    // it and packed again: what a picture loaded by name goes through.
    void convertWhole(int bpp);

    // 15- and 16-bit pixel writes weighted by alpha: each channel becomes
    // (old × (255 − alpha) >> 8) + (colour × alpha >> 8), the old pixel counting as 0 with replace.
    void putPixel(int x, int y, short colour, int alpha, bool replace);
    void putPixel15(int x, int y, short colour, int alpha, bool replace);
    void putPixel16(int x, int y, short colour, int alpha, bool replace);
    void InvertColors();
    void ToGrayScale();
    // Paints a frame of that width along the edges, opaque in the alpha plane.
    void outline(unsigned short colour, int width);

    void crop(CXRect r);
    void Scale(double sx, double sy);
    void Scale2x();
    void Copy(CGraphicsObject* source);
    // Shows the other raster's planes from now on, whatever the other does with them later:
    // the planes live while either raster holds them. The other is unpacked for good first;
    // a raster that cannot be is not linked. The rows are the other's, so the raster takes its
    // width, and keeps its own height where the other is as high, else the other's.
    void linkPlanes(CGraphicsObject& other);
    void Copy(CGraphicsObject* source, CXRect r);
    void Alloc();

    // Channel planes of a 24-bit raster; pixels hold the bytes blue, green, red.
    void Split();
    void JoinChannels();
    // A new buffer (the caller's) of 4-byte records: blue, green, red, alpha.
    char* Join2Channels();
    void SplitOn2(char* data, int count);
    // Each sets the plane when given one and returns the plane. Like SetDataPtr, the plane
    // replaced is left to the caller.
    char* RedChannel(char* plane);
    char* GreenChannel(char* plane);
    char* BlueChannel(char* plane);
    // Also takes null: the raster becomes opaque.
    char* AlphaChannel(char* plane);
    unsigned char* GetAlphaPtr() const { return alpha_.bytes(); }
    // The planes themselves: whoever keeps one keeps its bytes alive, whatever the raster does
    // with its planes later.
    CPlane getColourPlane() const { return colour_; }
    CPlane getAlphaPlane() const { return alpha_; }
    // Shows planes made for that size (an empty alpha plane: opaque); the planes it held are
    // let go of, and freed unless someone else keeps them.
    void setPlanes(CPlane colour, CPlane alpha, int width, int height)
    {
        replacePlanes(std::move(colour), std::move(alpha), width, height);
    }
    void setAlphaAsMask(bool on) { alphaAsMask_ = on; }
    bool getAlphaAsMask() const { return alphaAsMask_; }

    // Stamps the mask's alpha plane into this raster's with its top-left at p; the bytes it
    // covers are kept for this raster and this mask, and put back before the mask is stamped
    // into this raster again.
    void mergeAlpha(CXPoint p, CGraphicsObject* mask);
    void restoreAlpha(CGraphicsObject* mask);
    void mergeAlpha2(CXPoint p, CGraphicsObject* mask, bool reset);
    // Pixel (x, y) takes the one at (x + offset.x, y + offset.y) of the old plane, counted in
    // row order; one whose source lies outside keeps its own value. With freeOld the replaced
    // planes are freed, otherwise left to the caller.
    void displacementFilter(CXPoint* offsets, bool withAlpha, bool freeOld);

    // The colour plane maps what may be filled (non-zero pixels); the spans reached from start
    // are recorded in spans (room for width × height) and painted into target, a plane of the
    // raster's size. Returns their bounding rectangle. Rasters wider or taller than 32767
    // pixels, which spans cannot describe, are not filled.
    CXRect PrepareFloodFill(CXPoint start, CColor colour, char* target, _floodfill* spans);
    void FloodFill(CColor colour, char* target);
    int getFFEnterances() const { return floodCount_; }
    _floodfill* getFFArray() const { return floodSpans_; }

    // Depths and the depth flags of older files.
    static int GetRealBpp(int flag);
    static int GetFlagBpp(int bpp);
    static int __get_pixel_size(int bpp);
    static int __get_data_size(CXSize size, int bpp);

    // Plane conversion between 15 and 16 bits.
    static int __get_convert_code(int from, int to);
    static bool __convert_bpp(char** colour, char** alpha, CXSize size, int from, int to, _palette** palette, bool owns);
    static char* _convert15to16(char** source, CXSize size, char* target);
    static char* _convert16to15(char** source, CXSize size, char* target);

    // The blend table: entry (r, k), r < 512, k < 256, is (r − 256) × k in 16 bits, so that
    // a channel blends as (mul[(s − d + 256) × 256 + a] + d × 256) >> 8.
    static void __initialize_mul_array();
    static const uint16_t* __get_mul_array();
    static void __done_mul_array();
    static void ReleaseGraphics();

    // Blitters: draw a clipped rectangle of a 15- or 16-bit source onto a destination buffer.
    static bool __copy(_canvas* source, _canvas* destination);
    static bool __copy_bpp15_16(_canvas* source, _canvas* destination);
    static bool __copy_bpp32(_canvas* source, _canvas* destination);
    static bool __copy_alpha(_canvas* source, _canvas* destination);
    static bool __copy_alpha15(_canvas* source, _canvas* destination);
    static bool __copy_alpha16(_canvas* source, _canvas* destination);
    static bool __copy_alpha32(_canvas* source, _canvas* destination);
    static bool __copy_alpha_as_mask(_canvas* source, _canvas* destination);
    static bool __copy_blend(_canvas* source, _canvas* destination, unsigned char opacity);
    static bool __copy_blend15(_canvas* source, _canvas* destination, unsigned char opacity);
    static bool __copy_blend16(_canvas* source, _canvas* destination, unsigned char opacity);
    static bool __copy_blend32(_canvas* source, _canvas* destination, unsigned char opacity);
    static bool __copy_alpha_blend15(_canvas* source, _canvas* destination, unsigned char opacity);
    static bool __copy_alpha_blend16(_canvas* source, _canvas* destination, unsigned char opacity);
    static bool __copy_alpha_blend32(_canvas* source, _canvas* destination, unsigned char opacity);
    static bool copyToCanvas(_canvas* source, _canvas* destination);

protected:
    void initialize();
    // A raster whose file waits to be loaded loads it when it is shown; none waits here.
    virtual void loadWhenShown() {}
    // Sends a rectangle in own pixel coordinates to the screen composer.
    void invalidateCanvas(CXRect local);
    // Sends a rectangle in screen coordinates to the screen composer and marks the raster for
    // the composer's next pass.
    void invalidateArea(CXRect area);
    // Sets the flag that the screen's next frame draws the raster whole by.
    void markInvalidated();
    // Tells the screen the raster is on that it moved, resized, became dirty or was shown.
    void reportChange();
    void notifyCollisionInspector();
    // Draws with the planes as they are; packed planes draw nothing.
    void drawUnpacked(CGraphicsObject* destination);
    // Shows the other raster's planes: shares them and takes over their depth, size and packing,
    // as a raster that stands for whichever of its images is shown.
    void sharePlanes(const CGraphicsObject& source);
    // Places the raster without the anchor, collision reports or invalidation.
    void placeAt(CXPoint p);
    // Every change of the size goes through here (the size members are read directly).
    void setOwnSize(int width, int height);
    // For a shape that its own position and size do not bound.
    void hitsBeyondOwnBox() { keepsToOwnBox_ = false; }
    // The raster's new planes and size after an operation that rebuilt them.
    void replacePlanes(CPlane colour, CPlane alpha, int width, int height);
    // The planes as a file holds them, packed by the code: colourLength bytes of colour data and
    // alphaLength bytes of alpha data (0: no alpha plane).
    void setStoredPlanes(CPlane colour, int colourLength, CPlane alpha, int alphaLength, _compression code);
    // Leaves the raster without planes, code 0 and size 0, the error code telling why.
    void dropPlanes(int error);
    // Takes copies of the planes as a file stores them for the raster's size and depth: unpacked
    // (as must be the planes of any code no writer makes) or packed by the code, the colour data
    // packedLength long. LZO and JPEG layers are taken off at once, code-4 planes trial-decoded.
    // The error code; planes that do not make the raster's picture leave it without planes.
    int takeStoredPlanes(const char* colour, size_t colourLength, const char* alpha, size_t alphaLength,
                         _compression code, int packedLength);
    // Whether the run-length planes of a code-4 raster unpack to its size.
    bool packedPlanesFit();
    // The depth of the window's screen, which pictures loaded by name end in; 0 without a screen.
    int screenDepth() const;
    // Opens the named file for reading and reads it with Load(CFile*); the error code, ERROR_OPEN
    // when it does not open.
    int readFile(const CXString& name);
    // Writes the named file through the writer, replacing the file there only once the writer
    // succeeded and everything reached the disk; the error code, ERROR_OPEN when it does not
    // open or the write fails.
    int writeFile(const CXString& name, const std::function<int(CFile*)>& write);
    // The file from its position to its end; false when it cannot all be read or is too large.
    static bool readRest(CFile* file, std::vector<char>& bytes);
    static CPlane copyPlane(const char* bytes, size_t count);
    // Runs the write with the raster's planes unpacked, packing them again afterwards; the error
    // code: ERROR_FORMAT without pixels, ERROR_OPEN when the write fails.
    int writeUnpacked(CFile* file, const std::function<bool()>& write);
    // The run-length stream of a plane of `bytes` bytes in units of `unit` (1 or 2) bytes. An
    // odd count of bytes in 2-byte units is padded with a zero byte, which unpacking cuts off.
    static CPlane packRunLength(const char* plane, int bytes, int unit, int& length);
    // The part r of a plane sourceWidth cells wide, r lying inside it.
    static CPlane cutPlane(const char* source, int sourceWidth, int cellSize, const CXRect& r);

    GraphicsWindow* window_;
    int width_ = 0;
    int height_ = 0;
    int bpp_ = kDefaultBpp;

private:
    friend class CCollisionInspector;

    static uint64_t geometryChanges_;

    // Beside the size, read together by ownBox.
    CXPoint position_;
    bool keepsToOwnBox_ = true;

    // Unpacks a code-4 raster for good before its pixels are rewritten; true when it is to be
    // packed again afterwards.
    bool unpackForRewrite();
    // Drops packed planes kept aside: the planes in use replace them.
    void forgetSavedPlanes();
    // Writes the unpacked planes as an IMG file; false when a write fails.
    bool writeImg(CFile* file, _compression code);
    // The raster as a blitter reads or writes it.
    _canvas canvasRecord(int x, int y, CXRect rect);
    void putPixelWeighted(int x, int y, short colour, int alpha, bool replace, bool fifteenBits);
    void takeSnapshot();
    // Sets one of the 8-bit planes by pointer, as the channel setters do.
    void replaceByPointer(CPlane& plane, char* data);
    void flipRows(CPlane& plane, int rowBytes);
    void flipColumns(CPlane& plane, int pixelSize);
    // The colour plane as the raster's own, unshared buffer.
    void unshareColour();
    // Convert, with or without the smallest size that pixel words convert at.
    void convertPlanes(int bpp, bool anySize);
    // Replaces the 24-bit plane by pixel words of that depth.
    void convertRows24(int bpp);

    CXString fileName_;
    CRefreshScreen* canvas_ = nullptr;
    CGraphicsObject* destination_ = nullptr;
    std::unique_ptr<std::vector<char>> snapshot_;
    _palette* palette_ = nullptr;
    int pitch_ = 0;
    CPlane colour_;
    int flags_ = 0;
    bool autoClip_ = true;
    CXRect clip_;
    CXRect sourceWindow_;
    CXPoint anchor_;
    bool flippedH_ = false;
    bool flippedV_ = false;
    int redSize_ = 0;
    int greenSize_ = 0;
    int blueSize_ = 0;
    int alphaSize_ = 0;
    CPlane red_;
    CPlane green_;
    CPlane blue_;
    CPlane alpha_;
    bool alphaAsMask_ = false;
    bool ownsPlanes_ = true;
    int rawSize_ = 0;
    int packedSize_ = 0;
    _compression compression_ = COMPRESSION_NONE;
    unsigned char opacity_ = 255;
    int floodCount_ = 0;
    _floodfill* floodSpans_ = nullptr;
    // The alpha bytes that each mask's stamp covered, by mask; the mask is only compared.
    struct AlphaStamp {
        const CGraphicsObject* mask;
        CXRect area;
        std::vector<unsigned char> covered;
    };
    std::vector<AlphaStamp> alphaStamps_;
    bool invalidated_ = false;
    CXArray* observers_ = nullptr;
    // The packed planes kept aside while a code-4 raster is unpacked for use.
    bool holdsPacked_ = false;
    CPlane savedColour_;
    CPlane savedAlpha_;
    int savedBpp_ = 0;
    int savedPackedSize_ = 0;
    int savedAlphaSize_ = 0;
    bool monitorCollisions_ = false;
    bool keepUnpacked_ = false;
    CValidationQuene* children_ = nullptr;
    bool visible_ = true;
    // The raster's record in the collision inspector that monitors it; the inspector is told
    // when the raster is destroyed.
    CMonitoredObject* collisionRecord_ = nullptr;
};
