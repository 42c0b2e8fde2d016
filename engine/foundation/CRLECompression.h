#pragma once

#include "foundation/CCompression.h"

// Run-length code of 16-bit units (colour planes) and of bytes (alpha planes).
// Each packet opens with a control byte c: 128..255 is one unit standing for c - 128 copies,
// 0..127 is c literal units. No header, no end marker: the decoder is told the unpacked length.
class CRLECompression : public CCompression {
public:
    CRLECompression(char* data, int size);

    // The code of the 16-bit units of `bytes` input bytes; `codedLength` receives its length.
    static char* __compress(char* input, int bytes, int& codedLength);
    static char* __compresschar(char* input, int bytes, int& codedLength);

    // Unpacks `unpackedBytes` bytes. `codedLength` bounds the reading: pass the plane's packed
    // length as stored, or the size of the buffer that holds the code; nothing past it is read.
    // Bytes after the packet that fills the output are ignored, and a packet that runs past the
    // unpacked length is cut there, so the result holds exactly `unpackedBytes` bytes. Null when
    // the code ends (within `codedLength`) before the output is full, or a length is negative.
    static char* __decompress(char* coded, int codedLength, int unpackedBytes);
    static char* __decompresschar(char* coded, int codedLength, int unpackedBytes);
};
