// JPEG pictures from memory: the decoder opens, decodes or refuses without ever printing or
// leaving the process.
#include "graphics/JPEG.h"

#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    JPEG decoder(reinterpret_cast<const char*>(data), static_cast<long>(size));
    const std::unique_ptr<char[]> pixels(decoder.decompress(size % 2 == 0 ? 15 : 16));
    return 0;
}
