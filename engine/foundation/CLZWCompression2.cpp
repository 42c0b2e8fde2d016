#include "foundation/CLZWCompression2.h"

#include <lzo/lzo1x.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

bool lzoReady()
{
    static const bool ready = lzo_init() == LZO_E_OK;
    return ready;
}

// LZO1X needs at most this much room for incompressible input.
size_t worstPackedLength(size_t input)
{
    return input + input / 16 + 64 + 3;
}

// The longest output an LZO1X stream can describe per input byte: a long match costs one
// more byte for every 255 bytes it covers.
constexpr uint64_t kLongestExpansion = 256;

} // namespace

CLZWCompression2::CLZWCompression2(char* data, int size)
    : CCompression(data, size)
{
}

char* CLZWCompression2::compress(int& packedLength)
{
    packedLength = 0;
    if (!lzoReady() || size_ < 0 || (size_ > 0 && data_ == nullptr))
        return nullptr;
    const auto input = static_cast<size_t>(size_);
    std::vector<unsigned char> work(worstPackedLength(input));
    std::vector<unsigned char> scratch(LZO1X_1_MEM_COMPRESS);
    lzo_uint packed = 0;
    if (lzo1x_1_compress(reinterpret_cast<const unsigned char*>(data_), input, work.data(), &packed,
                         scratch.data())
        != LZO_E_OK)
        return nullptr;
    packedLength = static_cast<int>(packed);
    char* block = new char[kHeaderBytes + packed];
    writeU32(block, static_cast<uint32_t>(input));
    writeU32(block + 4, static_cast<uint32_t>(packed));
    std::memcpy(block + kHeaderBytes, work.data(), packed);
    return block;
}

char* CLZWCompression2::decompress()
{
    if (!lzoReady() || data_ == nullptr || size_ < kHeaderBytes)
        return nullptr;
    const uint32_t unpacked = readU32(data_);
    const uint32_t packed = readU32(data_ + 4);
    if (packed > static_cast<uint32_t>(size_ - kHeaderBytes))
        return nullptr;
    if (unpacked > kMaxUnpackedBytes || unpacked > (static_cast<uint64_t>(packed) + 1) * kLongestExpansion)
        return nullptr;
    std::unique_ptr<char[]> output(new char[unpacked]);
    lzo_uint produced = unpacked;
    const int status = lzo1x_decompress_safe(reinterpret_cast<const unsigned char*>(data_) + kHeaderBytes, packed,
                                             reinterpret_cast<unsigned char*>(output.get()), &produced, nullptr);
    if (status != LZO_E_OK || produced != unpacked)
        return nullptr;
    return output.release();
}
