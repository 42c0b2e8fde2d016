// Run-length planes of 16-bit units or bytes: decodes the input as packed data, and checks that
// the input packed and unpacked again comes back unchanged.
#include "foundation/CRLECompression.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const bool units16 = (data[0] & 1) != 0;
    const int unpacked = data[1] | data[2] << 8;
    std::vector<char> input(data + 3, data + size);
    const int length = static_cast<int>(input.size());

    std::unique_ptr<char[]> decoded(units16 ? CRLECompression::__decompress(input.data(), length, unpacked)
                                            : CRLECompression::__decompresschar(input.data(), length, unpacked));

    const int plainLength = units16 ? length / 2 * 2 : length;
    int codedLength = 0;
    std::unique_ptr<char[]> coded(units16 ? CRLECompression::__compress(input.data(), length, codedLength)
                                          : CRLECompression::__compresschar(input.data(), length, codedLength));
    std::unique_ptr<char[]> again(units16 ? CRLECompression::__decompress(coded.get(), codedLength, plainLength)
                                          : CRLECompression::__decompresschar(coded.get(), codedLength, plainLength));
    // An empty input has no data pointer to compare with.
    if (!again || (plainLength > 0 && std::memcmp(again.get(), input.data(), static_cast<size_t>(plainLength)) != 0))
        std::abort();
    return 0;
}
