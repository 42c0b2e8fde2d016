#include "foundation/CRLECompression.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

constexpr int kLongestPacket = 127;
constexpr int kShortestRun = 4;
constexpr unsigned char kRunFlag = 128;

// At most 16 bytes of source, which may be one byte read again and again, moved with two
// fixed-size moves (overlapping where the length is no power of two).
template <typename Word, bool Repeat>
inline void moveTwice(char* out, const unsigned char* in, size_t length)
{
    Word first;
    Word last;
    if constexpr (Repeat) {
        first = last = static_cast<Word>(static_cast<Word>(~Word{0}) / 0xFF * in[0]);
    } else {
        std::memcpy(&first, in, sizeof(Word));
        std::memcpy(&last, in + length - sizeof(Word), sizeof(Word));
    }
    std::memcpy(out, &first, sizeof(Word));
    std::memcpy(out + length - sizeof(Word), &last, sizeof(Word));
}

template <bool Repeat>
inline void moveShort(char* out, const unsigned char* in, size_t length)
{
    if (length >= 8)
        moveTwice<uint64_t, Repeat>(out, in, length);
    else if (length >= 4)
        moveTwice<uint32_t, Repeat>(out, in, length);
    else if (length >= 2)
        moveTwice<uint16_t, Repeat>(out, in, length);
    else if (length == 1)
        out[0] = static_cast<char>(in[0]);
}

// Packets are short moves of a size the compiler knows to be small: inlined, it makes them
// string instructions whose start-up dwarfs the move. Up to 16 bytes go by plain moves, longer
// ones through the library.
[[gnu::noinline]] void copyLongLiterals(char* out, const unsigned char* in, size_t length)
{
    std::memcpy(out, in, length);
}

void copyLiterals(char* out, const unsigned char* in, size_t length)
{
    if (length <= 16)
        moveShort<false>(out, in, length);
    else
        copyLongLiterals(out, in, length);
}

template <int Unit>
bool sameUnit(const char* a, const char* b)
{
    return std::memcmp(a, b, Unit) == 0;
}

// Writes `length` bytes of repeated copies of one unit; the last copy may be cut.
template <int Unit>
void fillWithUnit(char* out, const unsigned char* unit, int length)
{
    if constexpr (Unit == 1) {
        if (length <= 16)
            moveShort<true>(out, unit, static_cast<size_t>(length));
        else
            std::memset(out, unit[0], static_cast<size_t>(length));
    } else {
        const int whole = length / Unit;
        for (int k = 0; k < whole; ++k)
            std::memcpy(out + k * Unit, unit, Unit);
        std::memcpy(out + whole * Unit, unit, static_cast<size_t>(length - whole * Unit));
    }
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
    std::unique_ptr<char[]> output(new char[unpackedBytes]);
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
            fillWithUnit<Unit>(out + written, in + read, length);
            read += Unit;
            written += length;
        } else {
            const int length = std::min(control * Unit, room);
            if (codedLength - read < length)
                return nullptr;
            copyLiterals(out + written, in + read, static_cast<size_t>(length));
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
