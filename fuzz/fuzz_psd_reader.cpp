// Layered PSD documents: reads the input and selects every layer by index and by name.
#include "graphics/CPSD.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CPSD psd(nullptr);
    psd.LoadFromMemory(reinterpret_cast<const char*>(data), size);
    for (int i = -1; i <= psd.GetLayerCount(); ++i) {
        psd.SelectLayer(psd.GetLayerName(i));
        psd.SelectLayer(i);
        psd.SetPosition(CXPoint(i, i));
        psd.GetLayerRect(-1);
    }
    return 0;
}
