#include "graphics/PixelGather.h"

#include <climits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

template <typename Cell>
void gatherEach(const Cell* from, const int32_t* indices, int begin, int end, Cell* to)
{
    for (int i = begin; i < end; ++i)
        to[i] = from[indices[i]];
}

#if defined(__x86_64__)

// Eight 32-bit reads at the cells' offsets, of which each cell keeps its low bytes; a read that
// would end past the plane leaves its eight to be taken one by one. The cells done.
template <typename Cell>
__attribute__((target("avx2"))) int gatherEights(const Cell* from, int64_t cells, const int32_t* indices, int count,
                                                 Cell* to)
{
    constexpr int kReadBytes = 4;
    const int64_t lastWhole = cells - kReadBytes / static_cast<int>(sizeof(Cell));
    if (lastWhole < 0)
        return 0;
    const __m256i limit = _mm256_set1_epi32(static_cast<int32_t>(lastWhole > INT32_MAX ? INT32_MAX : lastWhole));
    const __m256i cellMask = _mm256_set1_epi32(sizeof(Cell) == 2 ? 0xFFFF : 0xFF);
    const auto* base = reinterpret_cast<const int*>(from);
    int i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m256i at = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(indices + i));
        if (_mm256_movemask_epi8(_mm256_cmpgt_epi32(at, limit)) != 0) {
            gatherEach(from, indices, i, i + 8, to);
            continue;
        }
        const __m256i read = _mm256_and_si256(_mm256_i32gather_epi32(base, at, sizeof(Cell)), cellMask);
        // Each 128-bit half packs its own four cells: put the halves' first words side by side.
        const __m256i words = _mm256_permute4x64_epi64(_mm256_packus_epi32(read, read), 0x08);
        if constexpr (sizeof(Cell) == 2) {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), _mm256_castsi256_si128(words));
        } else {
            const __m128i bytes = _mm_packus_epi16(_mm256_castsi256_si128(words), _mm256_castsi256_si128(words));
            _mm_storel_epi64(reinterpret_cast<__m128i*>(to + i), bytes);
        }
    }
    return i;
}

bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

bool hasAvx512()
{
    static const bool has = __builtin_cpu_supports("avx512bw");
    return has;
}

// Where mask registers are at hand, each kind's cells are merged in under the mask of its code:
// two steps a kind where AVX2 takes three, on registers twice as wide. The cells of that many
// registers from at; built into its callers, so that the registers stay registers.
template <int Vectors, typename Cell>
__attribute__((target("avx512f,avx512bw"), always_inline)) inline void
takeUnderMasks(const Cell* from, const int64_t* offsets, const Cell* codes, int kinds, int at, Cell* to)
{
    constexpr int kCells = 64 / static_cast<int>(sizeof(Cell));
    __m512i code[Vectors];
    __m512i taken[Vectors];
    for (int n = 0; n < Vectors; ++n) {
        code[n] = _mm512_loadu_si512(codes + at + n * kCells);
        taken[n] = _mm512_setzero_si512();
    }
    for (int k = 0; k < kinds; ++k) {
        const Cell* row = from + offsets[k] + at;
        for (int n = 0; n < Vectors; ++n) {
            if constexpr (sizeof(Cell) == 2) {
                const __mmask32 mask = _mm512_cmpeq_epi16_mask(code[n], _mm512_set1_epi16(static_cast<short>(k)));
                taken[n] = _mm512_mask_loadu_epi16(taken[n], mask, row + n * kCells);
            } else {
                const __mmask64 mask = _mm512_cmpeq_epi8_mask(code[n], _mm512_set1_epi8(static_cast<char>(k)));
                taken[n] = _mm512_mask_loadu_epi8(taken[n], mask, row + n * kCells);
            }
        }
    }
    for (int n = 0; n < Vectors; ++n)
        _mm512_storeu_si512(to + at + n * kCells, taken[n]);
}

// Four registers at a time, then one. The cells done.
template <typename Cell>
__attribute__((target("avx512f,avx512bw"))) int takeCodedWideVectors(const Cell* from, const int64_t* offsets,
                                                                      const Cell* codes, int kinds, int count, Cell* to)
{
    constexpr int kVectors = 4;
    constexpr int kCells = 64 / static_cast<int>(sizeof(Cell));
    int i = 0;
    for (; i + kVectors * kCells <= count; i += kVectors * kCells)
        takeUnderMasks<kVectors>(from, offsets, codes, kinds, i, to);
    for (; i + kCells <= count; i += kCells)
        takeUnderMasks<1>(from, offsets, codes, kinds, i, to);
    return i;
}

// Four registers of cells at a time are made up from every kind's row, each masked to the
// cells of its code.
template <typename Cell>
__attribute__((target("avx2"))) int takeCodedVectors(const Cell* from, const int64_t* offsets, const Cell* codes,
                                                     int kinds, int count, Cell* to, int i)
{
    constexpr int kVectors = 4;
    constexpr int kCells = 32 / static_cast<int>(sizeof(Cell));
    for (; i + kVectors * kCells <= count; i += kVectors * kCells) {
        __m256i code[kVectors];
        __m256i taken[kVectors];
        for (int n = 0; n < kVectors; ++n) {
            code[n] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(codes + i + n * kCells));
            taken[n] = _mm256_setzero_si256();
        }
        for (int k = 0; k < kinds; ++k) {
            const Cell* row = from + offsets[k] + i;
            const __m256i kind = sizeof(Cell) == 2 ? _mm256_set1_epi16(static_cast<short>(k)) : _mm256_set1_epi8(static_cast<char>(k));
            for (int n = 0; n < kVectors; ++n) {
                const __m256i mask = sizeof(Cell) == 2 ? _mm256_cmpeq_epi16(code[n], kind) : _mm256_cmpeq_epi8(code[n], kind);
                const __m256i cells = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + n * kCells));
                taken[n] = _mm256_or_si256(taken[n], _mm256_and_si256(cells, mask));
            }
        }
        for (int n = 0; n < kVectors; ++n)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + i + n * kCells), taken[n]);
    }
    return i;
}

#endif

template <typename Cell>
void takeCoded(const Cell* from, const int64_t* offsets, const Cell* codes, int kinds, int count, Cell* to)
{
    int done = 0;
#if defined(__x86_64__)
    if (hasAvx512())
        done = takeCodedWideVectors(from, offsets, codes, kinds, count, to);
    if (hasAvx2())
        done = takeCodedVectors(from, offsets, codes, kinds, count, to, done);
#else
    (void)kinds;
#endif
    for (int i = done; i < count; ++i)
        to[i] = from[offsets[codes[i]] + i];
}

template <typename Cell>
void gather(const Cell* from, int64_t cells, const int32_t* indices, int count, Cell* to)
{
    int done = 0;
#if defined(__x86_64__)
    if (hasAvx2())
        done = gatherEights(from, cells, indices, count, to);
#else
    (void)cells;
#endif
    gatherEach(from, indices, done, count, to);
}

} // namespace

void gatherWords(const uint16_t* from, int64_t cells, const int32_t* indices, int count, uint16_t* to)
{
    gather(from, cells, indices, count, to);
}

void gatherBytes(const uint8_t* from, int64_t cells, const int32_t* indices, int count, uint8_t* to)
{
    gather(from, cells, indices, count, to);
}

void takeCodedWords(const uint16_t* from, const int64_t* offsets, const uint16_t* codes, int kinds, int count, uint16_t* to)
{
    takeCoded(from, offsets, codes, kinds, count, to);
}

void takeCodedBytes(const uint8_t* from, const int64_t* offsets, const uint8_t* codes, int kinds, int count, uint8_t* to)
{
    takeCoded(from, offsets, codes, kinds, count, to);
}
