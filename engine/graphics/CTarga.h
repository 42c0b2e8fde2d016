#pragma once

#include "graphics/CGraphicsObject.h"

#include <array>
#include <cstdint>

// An uncompressed 24-bit TGA picture (image type 2, no colour map, no image id). Loaded by name
// it ends in the screen's depth. Saving writes a 24-bit bottom-up TGA of the raster's pixels.
class CTarga : public CGraphicsObject {
public:
    static constexpr int kHeaderSize = 18;

    explicit CTarga(GraphicsWindow* window);
    CTarga(GraphicsWindow* window, const CXString& file);

    using CGraphicsObject::Load;
    using CGraphicsObject::Save;
    int Load(const CXString& name) override;
    // From the file's position; the error code.
    int Load(CFile* file) override;
    // The same from bytes in memory.
    int LoadFromMemory(const char* data, size_t size);
    // 15-, 16- and 24-bit pixels, written as 24-bit rows, the bottom row first; the code is
    // not used.
    int Save(CFile* file, _compression code) override;

    // The header as the file had it.
    const std::array<uint8_t, kHeaderSize>& getHeader() const { return header_; }

private:
    bool writeTga(CFile* file);
    int fail(int error);

    std::array<uint8_t, kHeaderSize> header_ {};
};
