// IMG files of every form ("PIK" with each packing code, "NVI", the oldest form): reads the
// input as a file, then unpacks, redraws, flips and saves what loaded.
#include "graphics/CImage.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CImage image(nullptr);
    if (image.LoadFromMemory(reinterpret_cast<const char*>(data), size) != 0)
        return 0;
    if (image.GetDataPtr() == nullptr && image.Width() * image.Height() != 0)
        std::abort();
    CGraphicsObject screen(nullptr, CXSize(64, 48), 16);
    image.SetPosition(-3, -2);
    image.redraw(&screen);
    image.FlipH();
    image.DeCompressRLE2();
    image.GetPixel(CHANNEL_ALPHA, CXPoint(1, 1));
    return 0;
}
