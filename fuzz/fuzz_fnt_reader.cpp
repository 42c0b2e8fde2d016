// FNT fonts: reads the input as a font file, then measures and draws every letter code after
// every other into a small raster, whole, clipped by letter and at the raster's edges.
#include "foundation/CFile_Stream.h"
#include "text/CSimpleFont6.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CSimpleFont6 font(nullptr);
    CFile_Stream file(reinterpret_cast<const char*>(data), static_cast<int>(size));
    if (font.Load(&file) != 0) {
        if (font.getLetterCount() != 0 || font.GetDataPtr() != nullptr)
            std::abort();
        return 0;
    }
    CGraphicsObject canvas(nullptr, CXSize(48, 16), 16);
    font.SetDestiny(&canvas);
    font.setColor(0x1234);
    int pen = -5;
    for (int code = 0; code < 256; ++code) {
        const char cur = static_cast<char>(code);
        const char prev = static_cast<char>(code * 7);
        font.getLetterWidth(prev, cur);
        font.getRealLetterWidth(cur);
        font.SetClippingRect(cur, code % 3 == 0 ? CXRect() : CXRect(code % 5 - 1, -1, code % 7, code % 11));
        pen = pen % 40 + font.drawLetter(pen % 40, code % 9 - 4, prev, cur);
    }
    return 0;
}
