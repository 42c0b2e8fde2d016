#pragma once

#include "foundation/CCompression.h"

// LZW blocks of the older image files. Little-endian header: unpacked length, code stream
// length in bytes, number of codes (three unsigned 32-bit values), then the code stream.
// Codes 0..255 are bytes, 256 clears the dictionary, 257..65535 name dictionary strings;
// each code takes the current width (9 to 16 bits) and is packed least significant bit first.
class CLZWCompression : public CCompression {
public:
    CLZWCompression(char* data, int size);

    // The block of the object's data (size bytes); `length` receives the block's length.
    char* compress(int& length);
    // The unpacked bytes of the block in the object's data, whose length is size; size then
    // becomes the unpacked length. Null when the block is truncated or holds an invalid code.
    char* decompress(int unused);

    static constexpr int kHeaderBytes = 12;
};
