// LZW blocks: decodes the input as a block, and checks that the input packed and unpacked
// again comes back unchanged.
#include "foundation/CLZWCompression.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<char> input(data, data + size);
    const int length = static_cast<int>(input.size());

    CLZWCompression decoder(input.data(), length);
    std::unique_ptr<char[]> decoded(decoder.decompress(0));

    CLZWCompression encoder(input.data(), length);
    int blockLength = 0;
    std::unique_ptr<char[]> block(encoder.compress(blockLength));
    CLZWCompression again(block.get(), blockLength);
    std::unique_ptr<char[]> plain(again.decompress(0));
    if (!plain || again.GetSize() != length || std::memcmp(plain.get(), input.data(), size) != 0)
        std::abort();
    return 0;
}
