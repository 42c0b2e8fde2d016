// ANN files of every generation ("NVP", "NVI", "NV+", "PAK", "PIK", "PI2", "PI3" and the rest):
// reads the input, then plays, steps, reverses, draws and writes what loaded.
#include "graphics/CAnimo.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CAnimo animation(nullptr);
    if (animation.LoadFromMemory(reinterpret_cast<const char*>(data), size) != 0) {
        if (animation.GetNOF() != 0 || animation.GetNOE() != 0)
            std::abort();
        return 0;
    }
    CGraphicsObject screen(nullptr, CXSize(64, 48), 16);
    animation.SetPosition(-3, 5);
    for (int event = 0; event < std::min(animation.GetNOE(), 4); ++event) {
        animation.Play(event, 0, 0);
        for (int step = 0; step < 12; ++step) {
            animation.next();
            animation.redraw(&screen);
        }
        animation.Prev();
        animation.GetPixel(CHANNEL_ALPHA, CXPoint(1, 1));
    }
    animation.playReverse(animation.GetEventName(0), -1);
    animation.Next();
    animation.RemoveFrame(0);
    return 0;
}
