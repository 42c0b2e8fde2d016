#include "foundation/CRLECompression.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

namespace {

constexpr int kLongestPacket = 127;
constexpr int kShortestRun = 4;
constexpr unsigned char kRunFlag = 128;

// Packets are written in whole blocks of a size the compiler knows: a fixed-size move becomes
// plain vector moves, while a move of a packet's own length goes through a library call and a
// tail that cost more than the packet. A block may run past the packet's end; the next packet
// writes over it, and the output has one block of room past its last byte for the final one.
constexpr int kBlock = 32;

int wholeBlocks(int length)
{
    return (length + kBlock - 1) / kBlock * kBlock;
}

// Eight bytes of copies of one unit, starting at the unit's first byte.
template <int Unit>
uint64_t wordOfUnit(const unsigned char* unit)
{
    using UnitWord = std::conditional_t<Unit == 1, uint8_t, uint16_t>;
    UnitWord value;
    std::memcpy(&value, unit, Unit);
    return value * (~uint64_t{0} / static_cast<UnitWord>(~UnitWord{0}));
}

void fillBlock(char* out, uint64_t word)
{
    for (int k = 0; k < kBlock; k += static_cast<int>(sizeof word))
        std::memcpy(out + k, &word, sizeof word);
}

// The first block goes whatever the length: most runs fit in it, and a loop that may not turn
// at all is a jump the processor often guesses wrong.
void fillBlocks(char* out, uint64_t word, int length)
{
    fillBlock(out, word);
    for (int at = kBlock; at < length; at += kBlock)
        fillBlock(out + at, word);
}

// Whole blocks are read only where the code has them; the last literals of a code are copied
// by their length.
void copyLiterals(char* out, const unsigned char* in, int length, int codeLeft)
{
    if (wholeBlocks(length) > codeLeft) {
        std::memcpy(out, in, static_cast<size_t>(length));
        return;
    }
    for (int at = 0; at < length; at += kBlock)
        std::memcpy(out + at, in + at, kBlock);
}

template <int Unit>
bool sameUnit(const char* a, const char* b)
{
    return std::memcmp(a, b, Unit) == 0;
}

template <int Unit>
char* encode(const char* input, int bytes, int& codedLength)
{
    codedLength = 0;
    if (bytes < 0 || (bytes > 0 && input == nullptr))
        return nullptr;
    const int units = bytes / Unit;
    // Two equal units between literals cost one control byte each time, so the code never
    // grows beyond twice the input.
    std::unique_ptr<char[]> work(new char[2 * static_cast<size_t>(bytes) + 2]);
    char* out = work.get();
    auto unitAt = [input](int i) { return input + static_cast<size_t>(i) * Unit; };

    int literalStart = 0;
    int literalCount = 0;
    auto closeLiterals = [&] {
        if (literalCount == 0)
            return;
        *out++ = static_cast<char>(literalCount);
        std::memcpy(out, unitAt(literalStart), static_cast<size_t>(literalCount) * Unit);
        out += literalCount * Unit;
        literalCount = 0;
    };

    int i = 0;
    while (i < units) {
        const bool repeatsNext = i + 1 < units && sameUnit<Unit>(unitAt(i), unitAt(i + 1));
        if (!repeatsNext && literalCount < kLongestPacket) {
            if (literalCount == 0)
                literalStart = i;
            ++literalCount;
            ++i;
            continue;
        }
        closeLiterals();
        int run = 1;
        while (i + run < units && run < kLongestPacket && sameUnit<Unit>(unitAt(i), unitAt(i + run)))
            ++run;
        if (run < kShortestRun) {
            *out++ = static_cast<char>(run);
            std::memcpy(out, unitAt(i), static_cast<size_t>(run) * Unit);
            out += run * Unit;
        } else {
            *out++ = static_cast<char>(kRunFlag + run);
            std::memcpy(out, unitAt(i), Unit);
            out += Unit;
        }
        i += run;
    }
    closeLiterals();

    codedLength = static_cast<int>(out - work.get());
    char* result = new char[codedLength];
    std::memcpy(result, work.get(), static_cast<size_t>(codedLength));
    return result;
}

template <int Unit>
char* decode(const char* coded, int codedLength, int unpackedBytes)
{
    if (codedLength < 0 || unpackedBytes < 0 || (codedLength > 0 && coded == nullptr))
        return nullptr;
    // The densest packet is a run: 1 + Unit coded bytes for 127 units. An output that even
    // runs alone could not fill is refused before it is allocated.
    const uint64_t producible = static_cast<uint64_t>(codedLength) * kLongestPacket * Unit / (1 + Unit);
    if (static_cast<uint64_t>(unpackedBytes) > producible)
        return nullptr;

    const auto* in = reinterpret_cast<const unsigned char*>(coded);
    std::unique_ptr<char[]> output(new char[static_cast<size_t>(unpackedBytes) + kBlock]);
    char* out = output.get();
    int written = 0;
    int read = 0;
    while (written < unpackedBytes) {
        if (read >= codedLength)
            return nullptr;
        const unsigned char control = in[read++];
        const int room = unpackedBytes - written;
        if (control >= kRunFlag) {
            if (codedLength - read < Unit)
                return nullptr;
            const int length = std::min((control - kRunFlag) * Unit, room);
            fillBlocks(out + written, wordOfUnit<Unit>(in + read), length);
            read += Unit;
            written += length;
        } else {
            const int length = std::min(control * Unit, room);
            if (codedLength - read < length)
                return nullptr;
            copyLiterals(out + written, in + read, length, codedLength - read);
            read += control * Unit;
            written += length;
        }
    }
    return output.release();
}

} // namespace

CRLECompression::CRLECompression(char* data, int size)
    : CCompression(data, size)
{
}

char* CRLECompression::__compress(char* input, int bytes, int& codedLength)
{
    return encode<2>(input, bytes, codedLength);
}

char* CRLECompression::__compresschar(char* input, int bytes, int& codedLength)
{
    return encode<1>(input, bytes, codedLength);
}

char* CRLECompression::__decompress(char* coded, int codedLength, int unpackedBytes)
{
    return decode<2>(coded, codedLength, unpackedBytes);
}

char* CRLECompression::__decompresschar(char* coded, int codedLength, int unpackedBytes)
{
    return decode<1>(coded, codedLength, unpackedBytes);
}
