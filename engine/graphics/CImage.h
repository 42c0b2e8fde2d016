#pragma once

#include "graphics/CGraphicsObject.h"
#include "media/CPlayable.h"

class CMElement;

// The engine's still image: a raster read from an IMG file (or a JPEG picture) that plays like
// an animation, so that scripts show, hide and release it.
//
// IMG files come in three forms, all little-endian:
// - "PIK\0": a 40-byte header (width, height, depth, colour length, 0, packing code, alpha
//   length, x, y; 32 bits each), then the colour data and the alpha data;
// - "NVI\0": a 37-byte header (16-bit width and height, 8-bit depth, 32-bit colour and alpha
//   lengths, 16-bit x and y, 32-bit code: 0 raw or 2 LZW, 12 bytes not read), then the data;
// - anything else: a 12-byte block at offset 80 (16-bit width and height; at offset 10 a
//   16-bit word whose low 4 bits are the depth flag and whose bit 10 marks an alpha plane of
//   width × height bytes), the colour data from offset 92 on, then the alpha data.
// The colour data's length is what the file holds besides the header and the alpha data.
class CImage : public CGraphicsObject, public CPlayable {
public:
    explicit CImage(GraphicsWindow* window);
    // Loads the file at once (converted to the screen's depth); the result is the error code.
    CImage(GraphicsWindow* window, const CXString& file);
    // Shares the other raster's planes (other must not be null); no name.
    CImage(GraphicsWindow* window, CGraphicsObject* other);
    CImage(GraphicsWindow* window, CImage& other);
    // FILENAME, PRELOAD (a missing or empty one loads), VISIBLE and RELEASEAFTERUSE.
    CImage(GraphicsWindow* window, CMElement* element);

    CImage* clone() override;

    // Decodes the JPEG picture at the disk-ready path into pixels of the screen's depth;
    // ERROR_OPEN when it does not open or decode.
    virtual int load(const CXString& path);
    // An IMG file when the name ends with ".IMG" in any case, else a JPEG picture; the error
    // code. With convert the pixels end in the screen's depth. A file that does not open or
    // read leaves the image as a new one (no pixels, the depth and place of a new image).
    virtual int Load(const CXString& name, bool convert);
    // The "NVI" form from the file's position.
    virtual int Load3(CFile* file);
    virtual void flush();

    using CGraphicsObject::Load;
    // Any of the three forms, from the file's position.
    int Load(CFile* file) override;
    // The same from bytes in memory.
    int LoadFromMemory(const char* data, size_t size);

    // The playable's visibility; show and hide set the raster's too.
    using CPlayable::isVisible;
    // Loads the file first when it is not loaded, as every showing does.
    void show() override;
    void hide() override;

    // Placed as a raster, also as a playable.
    void setPosition(int x, int y) override { CGraphicsObject::setPosition(x, y); }
    void setPosition(CXPoint p) override { CGraphicsObject::setPosition(p); }

    // A still image has nothing to play: the playable operations leave it as it is.
    void play() override {}
    using CPlayable::play;
    void stop(bool) override {}
    void pause() override {}
    void resume() override {}
    void seek(int) override {}

protected:
    void loadWhenShown() override;

private:
    // The readers' error code, 0 once the planes are taken.
    int readPik(const char* data, size_t size);
    int readNvi(const char* data, size_t size);
    // Leaves the image as a new one: nothing that a file it could not read gave stays.
    int fail(int error);
    // fail unless the error code is 0.
    int failOn(int error);
};
