#include "foundation/CLZWCompression.h"
#include "foundation/CLZWCompression2.h"
#include "foundation/CRLECompression.h"
#include "foundation/CRLECompression2.h"

#include "foundation/SamplePlane.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<char>;

Bytes bytes(std::initializer_list<int> values)
{
    Bytes result;
    for (int v : values)
        result.push_back(static_cast<char>(v));
    return result;
}

// Takes over a codec's result; nullopt stands for its failure result.
std::optional<Bytes> adopt(char* buffer, size_t length)
{
    std::unique_ptr<char[]> owned(buffer);
    if (buffer == nullptr)
        return std::nullopt;
    return Bytes(buffer, buffer + length);
}

Bytes randomBytes(size_t length, uint32_t seed, int alphabet = 256)
{
    Bytes result(length);
    for (char& c : result) {
        seed = seed * 214013u + 2531011u;
        c = static_cast<char>((seed >> 16) % alphabet);
    }
    return result;
}

uint32_t u32At(const Bytes& block, size_t at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(block[at + i]);
    return value;
}

void putU32(Bytes& block, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        block[at + i] = static_cast<char>(value >> (8 * i));
}

Bytes rlePack(Bytes input, int unit)
{
    int length = -1;
    char* coded = unit == 1 ? CRLECompression::__compresschar(input.data(), static_cast<int>(input.size()), length)
                            : CRLECompression::__compress(input.data(), static_cast<int>(input.size()), length);
    return adopt(coded, static_cast<size_t>(length)).value();
}

std::optional<Bytes> rleUnpack(Bytes coded, int unit, int unpacked)
{
    const int length = static_cast<int>(coded.size());
    char* plain = unit == 1 ? CRLECompression::__decompresschar(coded.data(), length, unpacked)
                            : CRLECompression::__decompress(coded.data(), length, unpacked);
    return adopt(plain, static_cast<size_t>(unpacked));
}

Bytes lzwPack(Bytes input)
{
    CLZWCompression codec(input.data(), static_cast<int>(input.size()));
    int length = -1;
    char* block = codec.compress(length);
    return adopt(block, static_cast<size_t>(length)).value();
}

std::optional<Bytes> lzwUnpack(Bytes block)
{
    CLZWCompression codec(block.data(), static_cast<int>(block.size()));
    char* plain = codec.decompress(0);
    return adopt(plain, static_cast<size_t>(codec.GetSize()));
}

Bytes lzoPack(Bytes input)
{
    CLZWCompression2 codec(input.data(), static_cast<int>(input.size()));
    int packed = -1;
    char* block = codec.compress(packed);
    return adopt(block, static_cast<size_t>(packed) + CLZWCompression2::kHeaderBytes).value();
}

std::optional<Bytes> lzoUnpack(Bytes block)
{
    CLZWCompression2 codec(block.data(), static_cast<int>(block.size()));
    const uint32_t unpacked = block.size() >= 4 ? u32At(block, 0) : 0;
    return adopt(codec.decompress(), unpacked);
}

struct Codec {
    std::string name;
    Bytes (*pack)(const Bytes& input);
    std::optional<Bytes> (*unpack)(const Bytes& packed, size_t unpacked);
    int unit;
};

const Codec kCodecs[] = {
    { "RLE bytes", [](const Bytes& in) { return rlePack(in, 1); },
      [](const Bytes& p, size_t n) { return rleUnpack(p, 1, static_cast<int>(n)); }, 1 },
    { "RLE 16-bit", [](const Bytes& in) { return rlePack(in, 2); },
      [](const Bytes& p, size_t n) { return rleUnpack(p, 2, static_cast<int>(n)); }, 2 },
    { "LZW", [](const Bytes& in) { return lzwPack(in); }, [](const Bytes& p, size_t) { return lzwUnpack(p); }, 1 },
    { "LZO", [](const Bytes& in) { return lzoPack(in); }, [](const Bytes& p, size_t) { return lzoUnpack(p); }, 1 },
};

// One code of an LZW block, with the width it was read at and its place among the codes read
// at that width since the last clear or growth (the first is 1, a clear code counts itself).
struct LzwCode {
    int code;
    int width;
    int slot;
};

// Lists the codes of an LZW block by the stream's width rules, to look inside a block.
std::vector<LzwCode> lzwCodes(const Bytes& block)
{
    std::vector<LzwCode> codes;
    const uint32_t count = u32At(block, 8);
    uint64_t bit = 12 * 8;
    int width = 9;
    int slot = 0;
    int next = 257;
    bool afterClear = false;
    for (uint32_t i = 0; i < count; ++i) {
        int code = 0;
        for (int b = 0; b < width; ++b, ++bit)
            code |= (static_cast<unsigned char>(block[bit / 8]) >> (bit % 8) & 1) << b;
        codes.push_back({ code, width, ++slot });
        if (code == 256) {
            width = 9;
            slot = 0;
            next = 257;
            afterClear = true;
            continue;
        }
        if (afterClear) {
            afterClear = false;
            continue;
        }
        if (next < 65536)
            ++next;
        if (width < 16 && next >= 1 << width) {
            ++width;
            slot = 0;
        }
    }
    return codes;
}

std::vector<int> codeValues(const std::vector<LzwCode>& codes)
{
    std::vector<int> values;
    for (const LzwCode& code : codes)
        values.push_back(code.code);
    return values;
}

// The clear codes after the first: the places where the coder restarted its dictionary.
std::vector<LzwCode> lzwRestarts(const Bytes& block)
{
    const std::vector<LzwCode> codes = lzwCodes(block);
    std::vector<LzwCode> restarts;
    for (size_t i = 1; i < codes.size(); ++i)
        if (codes[i].code == 256)
            restarts.push_back(codes[i]);
    return restarts;
}

// An LZW block of the given codes, each with its width.
Bytes lzwBlock(uint32_t unpacked, const std::vector<std::pair<int, int>>& codes)
{
    Bytes stream;
    uint64_t pending = 0;
    int pendingBits = 0;
    for (auto [code, width] : codes) {
        pending |= static_cast<uint64_t>(code) << pendingBits;
        for (pendingBits += width; pendingBits >= 8; pendingBits -= 8, pending >>= 8)
            stream.push_back(static_cast<char>(pending));
    }
    if (pendingBits > 0)
        stream.push_back(static_cast<char>(pending));
    Bytes block(12);
    putU32(block, 0, unpacked);
    putU32(block, 4, static_cast<uint32_t>(stream.size()));
    putU32(block, 8, static_cast<uint32_t>(codes.size()));
    block.insert(block.end(), stream.begin(), stream.end());
    return block;
}

// Text of a four-letter alphabet, then noise: the LZW coder packs the first part well and the
// second badly, so it restarts its dictionary once the codes are wide.
Bytes lzwRestartInput()
{
    Bytes input;
    for (char c : randomBytes(60000, 7, 4))
        input.push_back(static_cast<char>('a' + c));
    Bytes noise = randomBytes(60000, 11);
    input.insert(input.end(), noise.begin(), noise.end());
    return input;
}

// A text that repeats, so that the codes grow longer as the dictionary fills and the coder
// reaches width 16 and passes its first check there, then noise, which makes it restart at the
// next check, 2048 codes later.
Bytes lzwWidestRestartInput()
{
    const Bytes text = randomBytes(25000, 7, 64);
    Bytes input;
    for (int copy = 0; copy < 6; ++copy)
        input.insert(input.end(), text.begin(), text.end());
    Bytes noise = randomBytes(20000, 11);
    input.insert(input.end(), noise.begin(), noise.end());
    return input;
}

} // namespace

TEST(Compression, EveryCodecRoundTripsTheInputsThatMatter)
{
    Bytes runsOfEveryLength;
    for (int length = 1; length <= 300; ++length)
        runsOfEveryLength.insert(runsOfEveryLength.end(), static_cast<size_t>(length), static_cast<char>(length));
    Bytes noRuns;
    for (int i = 0; i < 10240; ++i)
        noRuns.push_back(static_cast<char>(i));
    Bytes unitRun;
    for (int i = 0; i < 50000; ++i) {
        unitRun.push_back(0x34);
        unitRun.push_back(0x12);
    }
    const std::pair<std::string, Bytes> inputs[] = {
        { "empty", {} },
        { "one byte", bytes({ 0x42 }) },
        { "one 16-bit unit", bytes({ 0x34, 0x12 }) },
        { "long run of bytes", Bytes(100000, 7) },
        { "long run of a 16-bit unit", unitRun },
        { "runs of every length", runsOfEveryLength },
        { "no runs", noRuns },
        { "incompressible", randomBytes(65536, 3) },
        { "LZW table restart", lzwRestartInput() },
        { "800 x 600 16-bit plane", samplePlane() },
    };
    for (const Codec& codec : kCodecs) {
        for (const auto& [name, original] : inputs) {
            SCOPED_TRACE(codec.name + ", " + name);
            Bytes input(original.begin(), original.begin() + static_cast<long>(original.size() / codec.unit * codec.unit));
            std::optional<Bytes> output = codec.unpack(codec.pack(input), input.size());
            ASSERT_TRUE(output.has_value());
            EXPECT_TRUE(*output == input);
        }
    }
}

TEST(Compression, RunLengthCodeHasRunsOfFourOrMoreAndLiteralGroupsOfAtMost127)
{
    Bytes alternating;
    for (int i = 0; i < 130; ++i)
        alternating.push_back(static_cast<char>(i % 2));
    Bytes expected = bytes({ 0x7F });
    expected.insert(expected.end(), alternating.begin(), alternating.begin() + 127);
    for (int b : { 0x01, 0x01, 0x02, 0x00, 0x01 })
        expected.push_back(static_cast<char>(b));

    const std::pair<Bytes, Bytes> byteCases[] = {
        { bytes({ 7, 7, 7, 7, 7 }), bytes({ 0x85, 0x07 }) },
        { bytes({ 1, 2, 3 }), bytes({ 0x03, 1, 2, 3 }) },
        { bytes({ 1, 1, 2 }), bytes({ 0x02, 1, 1, 0x01, 2 }) },
        { bytes({ 5, 1, 1, 1 }), bytes({ 0x01, 5, 0x03, 1, 1, 1 }) },
        { Bytes(200, 9), bytes({ 0xFF, 9, 0xC9, 9 }) },
        { alternating, expected },
    };
    for (const auto& [input, code] : byteCases)
        EXPECT_EQ(rlePack(input, 1), code);
    EXPECT_EQ(rlePack(bytes({ 0x34, 0x12, 0x34, 0x12, 0x34, 0x12, 0x34, 0x12 }), 2), bytes({ 0x84, 0x34, 0x12 }));
    EXPECT_EQ(rleUnpack(bytes({ 0x85, 0x07 }), 1, 5), Bytes(5, 7));
}

TEST(Compression, ShortRunLengthPacketsDecodeAtEveryLengthAndCut)
{
    for (const int unit : {1, 2})
        for (int length = 1; length <= 20; ++length) {
            Bytes literals;
            Bytes run;
            for (int i = 0; i < length * unit; ++i) {
                literals.push_back(static_cast<char>(i * 37 + 1));
                run.push_back(static_cast<char>(0xA0 + i % unit));
            }
            for (const Bytes& input : {literals, run})
                for (size_t cut = 1; cut <= input.size(); ++cut) {
                    SCOPED_TRACE(::testing::Message() << unit << " " << length << " " << cut);
                    EXPECT_EQ(rleUnpack(rlePack(input, unit), unit, static_cast<int>(cut)),
                              Bytes(input.begin(), input.begin() + static_cast<long>(cut)));
                }
        }
}

TEST(Compression, RunLengthDecoderCutsThePacketThatPassesTheEnd)
{
    EXPECT_EQ(rleUnpack(bytes({ 0x85, 0x07 }), 1, 3), Bytes(3, 7));
    // A caller may pass the size of the buffer that holds the code: what follows is ignored.
    EXPECT_EQ(rleUnpack(bytes({ 0x85, 0x07, 0x03, 0x01 }), 1, 5), Bytes(5, 7));
    EXPECT_EQ(rleUnpack(bytes({ 0x84, 0x34, 0x12 }), 2, 5), bytes({ 0x34, 0x12, 0x34, 0x12, 0x34 }));
    EXPECT_EQ(rleUnpack(bytes({ 0x03, 1, 2, 3 }), 1, 2), bytes({ 1, 2 }));
    EXPECT_EQ(rleUnpack(bytes({ 0x80, 0x05, 0x00, 0x81, 0x06 }), 1, 1), bytes({ 6 }));
    EXPECT_EQ(rleUnpack({}, 1, 0), Bytes());
}

TEST(Compression, RunLengthDecoderFailsOnShortOrImpossibleInput)
{
    for (int unit : { 1, 2 }) {
        SCOPED_TRACE(unit);
        const Bytes plain = randomBytes(2000, 5, 3);
        const Bytes code = rlePack(plain, unit);
        for (size_t cut = 0; cut < code.size(); ++cut)
            EXPECT_FALSE(rleUnpack(Bytes(code.begin(), code.begin() + static_cast<long>(cut)), unit, 2000).has_value());
        EXPECT_FALSE(rleUnpack(bytes({ 0x85, 0x07 }), unit, 1000000000).has_value());
        EXPECT_FALSE(rleUnpack(bytes({ 0x85, 0x07 }), unit, -1).has_value());
        EXPECT_FALSE(rleUnpack(bytes({ 0x85 }), unit, 1).has_value());
    }
}

TEST(Compression, RowWiseRunLengthDecodesEachRowsBytes)
{
    struct Case {
        CXSize size;
        std::vector<short> rows;
        Bytes code;
        std::optional<Bytes> plane;
    };
    const Case cases[] = {
        { CXSize(4, 1), { 2 }, bytes({ 0xFD, 0x09 }), Bytes(4, 9) },
        { CXSize(4, 2), { 5, 2 }, bytes({ 0x01, 0xAA, 0xBB, 0xFF, 0xCC, 0xFD, 0x09 }),
          bytes({ 0xAA, 0xBB, 0xCC, 0xCC, 9, 9, 9, 9 }) },
        { CXSize(128, 1), { 2 }, bytes({ 0x81, 0x01 }), Bytes(128, 1) },
        // -128 is no packet at all: the rows around it keep their places.
        { CXSize(2, 2), { 3, 3 }, bytes({ 0x80, 0xFF, 0x07, 0xFF, 0x08, 0x80 }), bytes({ 7, 7, 8, 8 }) },
        { CXSize(129, 1), { 2 }, bytes({ 0x80, 0x01 }), std::nullopt },
        // A packet that begins in a row is completed from the next row's bytes, and the next
        // row still starts where its own bytes begin.
        { CXSize(3, 2), { 1, 2 }, bytes({ 0x02, 0xFE, 0x05, 0x06 }), bytes({ 0xFE, 0x05, 0x06, 0x05, 0x05, 0x05 }) },
        { CXSize(0, 0), {}, {}, Bytes() },
        { CXSize(4, 1), { -2 }, bytes({ 0xFD, 0x09 }), std::nullopt },
        { CXSize(4, 1), { 3 }, bytes({ 0xFD, 0x09 }), std::nullopt },
        { CXSize(4, 1), { 2 }, bytes({ 0x05, 0x09 }), std::nullopt },
        { CXSize(4, 1), { 1 }, bytes({ 0xFD }), std::nullopt },
        { CXSize(3, 1), { 2 }, bytes({ 0xFD, 0x09 }), std::nullopt },
        { CXSize(5, 1), { 2 }, bytes({ 0xFD, 0x09 }), std::nullopt },
        { CXSize(-4, 1), { 2 }, bytes({ 0xFD, 0x09 }), std::nullopt },
        { CXSize(50000, 50000), { 2 }, bytes({ 0xFD, 0x09 }), std::nullopt },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.code));
        auto* rows = new short[c.rows.size() + 1];
        std::copy(c.rows.begin(), c.rows.end(), rows);
        Bytes code = c.code;
        CRLECompression2 codec(c.size, rows, code.data(), static_cast<int>(code.size()));
        const size_t planeBytes = c.plane ? c.plane->size() : 0;
        EXPECT_EQ(adopt(codec.Decompress(0), planeBytes), c.plane);
        int length = -1;
        EXPECT_EQ(codec.Compress(length), nullptr);
        EXPECT_EQ(length, 0);
    }
}

TEST(Compression, LzwBlockOfAaaIsThreeNineBitCodes)
{
    const Bytes block = lzwPack(Bytes{ 'a', 'a', 'a' });
    EXPECT_EQ(block, bytes({ 3, 0, 0, 0, 4, 0, 0, 0, 3, 0, 0, 0, 0x00, 0xC3, 0x04, 0x04 }));
    EXPECT_EQ(codeValues(lzwCodes(block)), (std::vector<int>{ 256, 97, 257 }));
    EXPECT_EQ(lzwUnpack(block), (Bytes{ 'a', 'a', 'a' }));
    EXPECT_EQ(lzwPack({}), Bytes(12, 0));
    EXPECT_EQ(lzwUnpack(Bytes(12, 0)), Bytes());
}

TEST(Compression, LzwCoderRestartsWhenRecentCodesPackWorse)
{
    const Bytes input = lzwRestartInput();
    ASSERT_FALSE(lzwRestarts(lzwPack(input)).empty());

    // Cut the input right after the byte at which the first restart happens: the stream must
    // end with the clear code, without reading a byte beyond the input.
    size_t low = 1;
    size_t high = input.size();
    while (low < high) {
        const size_t middle = (low + high) / 2;
        if (!lzwRestarts(lzwPack(Bytes(input.begin(), input.begin() + static_cast<long>(middle)))).empty())
            high = middle;
        else
            low = middle + 1;
    }
    const Bytes cut(input.begin(), input.begin() + static_cast<long>(low));
    const Bytes block = lzwPack(cut);
    const std::vector<int> codes = codeValues(lzwCodes(block));
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes.back(), 256);
    EXPECT_EQ(codes[codes.size() - 2], static_cast<unsigned char>(cut.back()));
    EXPECT_EQ(lzwUnpack(block), cut);
}

// The coder weighs a restart only when two codes remain before the width grows, and at width 16
// every 2048 codes; a restart spends those two codes on the pending byte and the clear code, and
// happens only once codes are 12 bits wide.
TEST(Compression, LzwCoderRestartsOnlyWhereItWeighsTheRatio)
{
    std::vector<LzwCode> narrower;
    std::vector<LzwCode> widest;
    for (const Bytes& input : { lzwRestartInput(), lzwWidestRestartInput() }) {
        const Bytes block = lzwPack(input);
        for (const LzwCode& clear : lzwRestarts(block)) {
            SCOPED_TRACE(testing::Message() << "width " << clear.width << ", slot " << clear.slot);
            EXPECT_GE(clear.width, 12);
            if (clear.width < 16) {
                EXPECT_EQ(clear.slot, 1 << (clear.width - 1));
                narrower.push_back(clear);
            } else {
                EXPECT_GE(clear.slot, 32768);
                EXPECT_EQ(clear.slot % 2048, 0);
                widest.push_back(clear);
            }
        }
        EXPECT_EQ(lzwUnpack(block), input);
    }
    EXPECT_TRUE(std::any_of(narrower.begin(), narrower.end(), [](const LzwCode& c) { return c.width == 12; }));
    ASSERT_EQ(widest.size(), 1u);
    EXPECT_EQ(widest[0].slot, 32768 + 2048);
}

TEST(Compression, LzwDecoderRejectsDamagedBlocks)
{
    const Bytes good = lzwPack(randomBytes(3000, 9, 5));
    Bytes shortStream = good;
    putU32(shortStream, 4, u32At(good, 4) + 1);
    Bytes moreCodes = good;
    putU32(moreCodes, 8, u32At(good, 8) + 1);
    Bytes fewerCodes = good;
    putU32(fewerCodes, 8, u32At(good, 8) - 1);
    Bytes longerOutput = good;
    putU32(longerOutput, 0, 3001);
    Bytes shorterOutput = good;
    putU32(shorterOutput, 0, 2999);

    const std::pair<std::string, Bytes> damaged[] = {
        { "shorter than the header", bytes({ 3, 0, 0 }) },
        { "truncated stream", Bytes(good.begin(), good.end() - 1) },
        { "stream length past the data", shortStream },
        { "more codes than the stream holds", moreCodes },
        { "codes end before the output is full", fewerCodes },
        { "output longer than the codes describe", longerOutput },
        { "codes describe more than the output holds", shorterOutput },
        { "code above the next code", lzwBlock(2, { { 256, 9 }, { 97, 9 }, { 300, 9 } }) },
        { "string code after a clear", lzwBlock(2, { { 256, 9 }, { 257, 9 } }) },
        { "string code before any byte", lzwBlock(2, { { 257, 9 } }) },
        { "no codes for a non-empty output", lzwBlock(5, {}) },
        { "huge output for a tiny stream", lzwBlock(0xFFFFFFFFu, { { 256, 9 }, { 97, 9 } }) },
    };
    for (const auto& [name, block] : damaged) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(lzwUnpack(block).has_value());
    }
    EXPECT_EQ(lzwUnpack(lzwBlock(2, { { 98, 9 }, { 97, 9 } })), (Bytes{ 'b', 'a' }));
}

TEST(Compression, LzoBlockHasLengthsAheadOfTheStream)
{
    Bytes input;
    for (int i = 0; i < 1000; ++i)
        input.push_back(static_cast<char>(i % 10));
    CLZWCompression2 codec(input.data(), static_cast<int>(input.size()));
    int packed = -1;
    char* packedBlock = codec.compress(packed);
    const std::optional<Bytes> block = adopt(packedBlock, static_cast<size_t>(packed) + 8);
    ASSERT_TRUE(block.has_value());
    ASSERT_GT(packed, 0);
    EXPECT_EQ(Bytes(block->begin(), block->begin() + 4), bytes({ 0xE8, 0x03, 0x00, 0x00 }));
    EXPECT_EQ(u32At(*block, 4), static_cast<uint32_t>(packed));
    EXPECT_EQ(lzoUnpack(*block), input);
}

TEST(Compression, LzoDecoderRejectsDamagedBlocks)
{
    const Bytes input = randomBytes(5000, 13, 6);
    const Bytes good = lzoPack(input);
    Bytes packedPastData = good;
    putU32(packedPastData, 4, u32At(good, 4) + 1);
    Bytes cutStream(good.begin(), good.end() - 5);
    putU32(cutStream, 4, u32At(good, 4) - 5);
    Bytes longerOutput = good;
    putU32(longerOutput, 0, 5001);
    Bytes shorterOutput = good;
    putU32(shorterOutput, 0, 4999);
    Bytes garbage(40, static_cast<char>(0xFF));
    putU32(garbage, 0, 100);
    putU32(garbage, 4, 32);
    Bytes huge = good;
    putU32(huge, 0, 0xFFFFFFF0u);

    const std::pair<std::string, Bytes> damaged[] = {
        { "shorter than the header", bytes({ 1, 2, 3, 4, 5 }) },
        { "packed length past the data", packedPastData },
        { "stream cut short", cutStream },
        { "output longer than the stream gives", longerOutput },
        { "stream gives more than the output holds", shorterOutput },
        { "garbage stream", garbage },
        { "huge output", huge },
    };
    for (const auto& [name, block] : damaged) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(lzoUnpack(block).has_value());
    }
}
