// Row-wise run-length planes: the input gives the plane's width and height, the rows' coded
// byte counts and the coded rows.
#include "foundation/CRLECompression2.h"

#include <cstdint>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int width = data[0];
    const int height = data[1] % 32;
    size_t at = 2;
    if (size < at + 2 * static_cast<size_t>(height))
        return 0;
    auto* rows = new short[height];
    for (int row = 0; row < height; ++row, at += 2)
        rows[row] = static_cast<short>(data[at] | data[at + 1] << 8);
    std::vector<char> coded(data + at, data + size);
    CRLECompression2 codec(CXSize(width, height), rows, coded.data(), static_cast<int>(coded.size()));
    std::unique_ptr<char[]> plane(codec.Decompress(0));
    return 0;
}
