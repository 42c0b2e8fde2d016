#pragma once

#include "foundation/CCompression.h"

// LZO blocks of the newer image and animation files, packed by liblzo2's LZO1X-1.
// Little-endian header: unpacked length, packed length (unsigned 32-bit each), then the stream.
class CLZWCompression2 : public CCompression {
public:
    // `size` is the length of the data: the bytes to pack, or the whole block to unpack.
    CLZWCompression2(char* data, int size);

    // The block of the object's data; `packedLength` receives the stream's length without the
    // header, and the block is that many bytes plus the header. Null (and 0) when packing fails.
    char* compress(int& packedLength);
    // The unpacked bytes of the block; null when the block is truncated or damaged.
    char* decompress();

    static constexpr int kHeaderBytes = 8;
};
