// TGA pictures: reads the input and converts what loaded to pixel words.
#include "graphics/CTarga.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CTarga targa(nullptr);
    if (targa.LoadFromMemory(reinterpret_cast<const char*>(data), size) == 0)
        targa.Convert(size % 2 == 0 ? 15 : 16);
    return 0;
}
