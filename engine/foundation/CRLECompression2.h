#pragma once

#include "foundation/CCompression.h"
#include "foundation/CXSize.h"

// Row-wise signed-count run-length planes of layered picture files. Each row has its own
// coded byte count; the rows' coded bytes lie one after another. A control byte n >= 0 copies
// the next n + 1 bytes, -127 <= n < 0 repeats the next byte 1 - n times, and -128 stands for
// nothing: picture tools pad rows with it.
class CRLECompression2 : public CCompression {
public:
    // Takes ownership of `rowLengths` (one count per row, made with new[]).
    CRLECompression2(CXSize size, short* rowLengths, char* data, int length);
    ~CRLECompression2() override;
    CRLECompression2(const CRLECompression2&) = delete;
    CRLECompression2& operator=(const CRLECompression2&) = delete;

    // The width x height bytes of the plane; null when rows are truncated, a row length is
    // negative, or the rows do not fill the plane exactly.
    char* Decompress(int unused);
    // There is no writer of this form: always null.
    char* Compress(int& length);

private:
    int width_;
    int height_;
    short* rowLengths_;
};
