#pragma once

#include "foundation/CLZWCompression.h"
#include "foundation/CLZWCompression2.h"
#include "graphics/CByteReader.h"

#include <memory>
#include <string>
#include <vector>

// Bytes of picture files, laid out by hand for the reader tests.
inline std::string bytesOf(const CByteWriter& writer)
{
    return std::string(writer.data().begin(), writer.data().end());
}

inline std::string asBytes(const std::vector<uint16_t>& words)
{
    return std::string(reinterpret_cast<const char*>(words.data()), words.size() * 2);
}

inline std::string lzoBlockOf(const std::string& plain)
{
    std::string input = plain;
    CLZWCompression2 codec(input.data(), static_cast<int>(input.size()));
    int packed = 0;
    std::unique_ptr<char[]> block(codec.compress(packed));
    return std::string(block.get(), static_cast<size_t>(packed) + CLZWCompression2::kHeaderBytes);
}

inline std::string lzwBlockOf(const std::string& plain)
{
    std::string input = plain;
    CLZWCompression codec(input.data(), static_cast<int>(input.size()));
    int length = 0;
    std::unique_ptr<char[]> block(codec.compress(length));
    return std::string(block.get(), static_cast<size_t>(length));
}

// "PIK": the 40-byte header, then the data as given.
inline std::string pikFile(int width, int height, int depth, int code, const std::string& colour,
                           const std::string& alpha, int x = 0, int y = 0, int colourLength = -1)
{
    CByteWriter header;
    header.bytes("PIK", 4).u32(width).u32(height).u32(depth);
    header.u32(colourLength < 0 ? static_cast<uint32_t>(colour.size()) : colourLength).u32(0).u32(code);
    header.u32(static_cast<uint32_t>(alpha.size())).u32(x).u32(y);
    return bytesOf(header) + colour + alpha;
}

// "NVI": the 37-byte header, then the data as given.
inline std::string nviFile(int width, int height, int depth, int code, const std::string& colour,
                           const std::string& alpha, int x = 0, int y = 0)
{
    CByteWriter header;
    header.bytes("NVI", 4).u16(width).u16(height).u8(depth);
    header.u32(static_cast<uint32_t>(colour.size())).u32(static_cast<uint32_t>(alpha.size()));
    header.u16(x).u16(y).u32(code).bytes(std::string(12, '\0').data(), 12);
    return bytesOf(header) + colour + alpha;
}

// The oldest form: 80 bytes of anything, the 12-byte block, then the data.
inline std::string legacyFile(int width, int height, int depthFlag, bool withAlpha, const std::string& colour,
                              const std::string& alpha)
{
    CByteWriter block;
    block.u16(width).u16(height).bytes("\0\0\0\0\0\0", 6).u16(depthFlag | (withAlpha ? 0x400 : 0));
    return std::string(80, 'L') + bytesOf(block) + colour + alpha;
}
