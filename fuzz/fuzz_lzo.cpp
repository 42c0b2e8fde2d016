// LZO blocks: decodes the input as a block, and checks that the input packed and unpacked
// again comes back unchanged.
#include "foundation/CLZWCompression2.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<char> input(data, data + size);
    const int length = static_cast<int>(input.size());

    CLZWCompression2 decoder(input.data(), length);
    std::unique_ptr<char[]> decoded(decoder.decompress());

    CLZWCompression2 encoder(input.data(), length);
    int packed = 0;
    std::unique_ptr<char[]> block(encoder.compress(packed));
    if (!block)
        std::abort();
    CLZWCompression2 again(block.get(), packed + CLZWCompression2::kHeaderBytes);
    std::unique_ptr<char[]> plain(again.decompress());
    if (!plain || std::memcmp(plain.get(), input.data(), size) != 0)
        std::abort();
    return 0;
}
