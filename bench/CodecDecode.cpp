// Unpacking an 800 x 600 16-bit plane with each codec, against a plain memcpy of its bytes.
#include "foundation/CLZWCompression.h"
#include "foundation/CLZWCompression2.h"
#include "foundation/CRLECompression.h"
#include "foundation/CRLECompression2.h"

#include "tests/foundation/SamplePlane.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kRowBytes = kWidth * 2;

const std::vector<char>& plane()
{
    static const std::vector<char> bytes = samplePlane(kWidth, kHeight);
    return bytes;
}

std::vector<char> adopt(char* buffer, int length)
{
    std::unique_ptr<char[]> owned(buffer);
    return std::vector<char>(buffer, buffer + length);
}

// The engine writes no row-wise run-length planes; this packs one row the way layered
// picture files do: runs of 3 to 128 equal bytes, literal groups of up to 128 bytes.
std::vector<char> packRow(const char* row, int length)
{
    std::vector<char> coded;
    int i = 0;
    while (i < length) {
        int run = 1;
        while (i + run < length && run < 128 && row[i + run] == row[i])
            ++run;
        if (run >= 3) {
            coded.push_back(static_cast<char>(1 - run));
            coded.push_back(row[i]);
            i += run;
            continue;
        }
        int literal = 0;
        while (i + literal < length && literal < 128
               && !(i + literal + 2 < length && row[i + literal] == row[i + literal + 1]
                    && row[i + literal] == row[i + literal + 2]))
            ++literal;
        coded.push_back(static_cast<char>(literal - 1));
        coded.insert(coded.end(), row + i, row + i + literal);
        i += literal;
    }
    return coded;
}

// Throughput counts the unpacked plane's bytes; the packed size shows what each codec had to read.
void finish(benchmark::State& state, size_t packedBytes)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(plane().size()));
    state.counters["packed_bytes"] = static_cast<double>(packedBytes);
}

void Memcpy(benchmark::State& state)
{
    std::vector<char> target(plane().size());
    for (auto _ : state) {
        std::memcpy(target.data(), plane().data(), plane().size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    finish(state, plane().size());
}

// Colour planes are packed in 16-bit units, alpha planes in bytes.
template <bool Units16>
void RunLength(benchmark::State& state)
{
    std::vector<char> input = plane();
    const int bytes = static_cast<int>(input.size());
    int length = 0;
    char* code = Units16 ? CRLECompression::__compress(input.data(), bytes, length)
                         : CRLECompression::__compresschar(input.data(), bytes, length);
    std::vector<char> coded = adopt(code, length);
    for (auto _ : state) {
        std::unique_ptr<char[]> out(Units16 ? CRLECompression::__decompress(coded.data(), length, bytes)
                                            : CRLECompression::__decompresschar(coded.data(), length, bytes));
        benchmark::DoNotOptimize(out.get());
    }
    finish(state, coded.size());
}

void RowWiseRunLength(benchmark::State& state)
{
    std::vector<char> coded;
    std::vector<short> rowLengths;
    for (int row = 0; row < kHeight; ++row) {
        std::vector<char> packed = packRow(plane().data() + row * kRowBytes, kRowBytes);
        rowLengths.push_back(static_cast<short>(packed.size()));
        coded.insert(coded.end(), packed.begin(), packed.end());
    }
    for (auto _ : state) {
        auto* rows = new short[kHeight];
        std::memcpy(rows, rowLengths.data(), sizeof(short) * kHeight);
        CRLECompression2 codec(CXSize(kRowBytes, kHeight), rows, coded.data(), static_cast<int>(coded.size()));
        std::unique_ptr<char[]> out(codec.Decompress(0));
        benchmark::DoNotOptimize(out.get());
    }
    finish(state, coded.size() + sizeof(short) * kHeight);
}

void Lzw(benchmark::State& state)
{
    std::vector<char> input = plane();
    CLZWCompression encoder(input.data(), static_cast<int>(input.size()));
    int length = 0;
    char* code = encoder.compress(length);
    std::vector<char> block = adopt(code, length);
    for (auto _ : state) {
        CLZWCompression decoder(block.data(), length);
        std::unique_ptr<char[]> out(decoder.decompress(0));
        benchmark::DoNotOptimize(out.get());
    }
    finish(state, block.size());
}

void Lzo(benchmark::State& state)
{
    std::vector<char> input = plane();
    CLZWCompression2 encoder(input.data(), static_cast<int>(input.size()));
    int packed = 0;
    char* code = encoder.compress(packed);
    std::vector<char> block = adopt(code, packed + CLZWCompression2::kHeaderBytes);
    for (auto _ : state) {
        CLZWCompression2 decoder(block.data(), static_cast<int>(block.size()));
        std::unique_ptr<char[]> out(decoder.decompress());
        benchmark::DoNotOptimize(out.get());
    }
    finish(state, block.size());
}

} // namespace

BENCHMARK(Memcpy);
BENCHMARK_TEMPLATE(RunLength, true)->Name("RunLength16");
BENCHMARK_TEMPLATE(RunLength, false)->Name("RunLengthBytes");
BENCHMARK(RowWiseRunLength);
BENCHMARK(Lzw);
BENCHMARK(Lzo);
