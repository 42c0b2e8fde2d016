#pragma once

#include "graphics/CGraphicsObject.h"

#include <array>
#include <cstdint>

class CByteReader;
class CByteWriter;

// One image of an animation: a raster that remembers where the animation file placed it and
// reads and writes the image headers and planes of every generation of that file.
//
// Image header of the current generation, 52 bytes, little-endian: i16 width, i16 height,
// i16 x, i16 y (the frame position), i16 packing code, u32 length of the colour data as
// stored, i16 count n of plane lengths (0 or 4), n u32 plane lengths (the fourth is the alpha
// data's length), zeros to the end. The middle generation's header is the same in 32 bytes.
// Legacy headers: kind 1 ("PIK", 20 bytes): u32 colour length, u32 alpha length, i16 width,
// i16 x, i16 height, i16 y, 2 bytes, i16 depth flag; kinds 2 ("PI2") and 3 ("PI3", LZO-packed),
// 32 bytes: i16 width, i16 x, i16 height, i16 y, 2 bytes, i16 depth flag, u32 count n, n u32
// plane lengths (the first is the packed colour length, the fourth the alpha length).
class CFrame : public CGraphicsObject {
public:
    explicit CFrame(GraphicsWindow* window);

    // Headers from the reader's position; false when the reader ran out or the header cannot
    // describe an image (negative or oversize sides, more than 4 plane lengths).
    bool LoadHeaderNew2(CByteReader& in);
    bool LoadHeaderNew(CByteReader& in);
    // Kinds 1 to 3; any other kind reads nothing.
    bool LoadHeader(CByteReader& in, int kind);
    // The planes the header announced, packed as it said; false when they are not all in the
    // file or do not make the image's picture. An image whose header announced no data at all
    // stays without pixels.
    bool LoadNew(CByteReader& in);
    // The same for the legacy kinds; kind 0 reads nothing.
    bool Load(CByteReader& in);
    using CGraphicsObject::Load;
    // The 52-byte header and the planes as written with that code: 4 writes the planes packed
    // (as Compress left them), any other code unpacked.
    void SaveHeaderNew(CByteWriter& out, _compression code);
    void SaveNew(CByteWriter& out, _compression code);

    // Takes off LZO layers, then draws a code-4 image unpacked, leaving it so until its
    // animation packs it again: an image shown over several frames is unpacked once.
    void redraw(CGraphicsObject* destination) override;

    // Placing clears the offset; moving adds to it and to the frame position.
    void SetPosition(CXPoint p) override;
    void SetPosition(int x, int y) override;
    void Move(CXPoint d) override;
    void Move(int dx, int dy) override;
    // The frame position.
    CXPoint GetPosition() override { return framePosition_; }
    CXPoint GetFramePosition() const { return framePosition_; }
    void SetPosOffset(int x, int y) { posOffset_ = CXPoint(x, y); }
    CXPoint getPosOffset() const { return posOffset_; }
    int getHeaderKind() const { return headerKind_; }

private:
    bool loadHeader(CByteReader& in, size_t size);
    bool takeHeaderFields(int width, int height, CXPoint position, int depth);
    bool readPlanes(CByteReader& in, uint32_t colourLength, uint32_t alphaLength, _compression code);
    uint32_t storedAlphaLength() const { return planeCount_ == 4 ? planeLengths_[3] : 0; }

    int headerKind_ = 0;
    CXPoint posOffset_;
    CXPoint framePosition_;
    // What the header announced, until the planes are read.
    uint32_t colourLength_ = 0;
    int storedCode_ = COMPRESSION_NONE;
    int planeCount_ = 0;
    std::array<uint32_t, 4> planeLengths_ = {};
};
