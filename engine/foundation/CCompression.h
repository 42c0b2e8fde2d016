#pragma once

#include "foundation/CXObject.h"

#include <cstdint>

// Base of the raster-plane codecs. It remembers the input (not owned) and a byte count:
// the input's length, or for the LZW decoder the unpacked length after decoding.
// Every codec hands back a buffer made with new[], which the caller frees with delete[];
// a decoder gives null when the packed data are damaged or truncated.
class CCompression : public CXObject {
public:
    CCompression(char* data, int size);

    virtual void setData(char* data);
    virtual int GetSize();

    // Largest plane a decoder agrees to allocate: far above any raster the engine draws,
    // low enough that a damaged length field cannot exhaust memory.
    static constexpr uint64_t kMaxUnpackedBytes = 256ull * 1024 * 1024;

protected:
    static uint32_t readU32(const char* bytes);
    static void writeU32(char* bytes, uint32_t value);

    int size_;
    char* data_;
};
