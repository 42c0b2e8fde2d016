#include "script_graphics/TurnedPlanes.h"

#include "foundation/CpuClones.h"
#include "graphics/PixelGather.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#if defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace {

// Lines of sources are copied a block at a time, so that the rows a block reads stay in the
// cache.
constexpr int kBlock = 64;
constexpr int kTile = 8;

// Columns i0 to i1 - 1 and rows j0 to j1 - 1 of the turned planes.
struct Area {
    int i0;
    int i1;
    int j0;
    int j1;

    int columns() const { return i1 - i0; }
    int rows() const { return j1 - j0; }
};

// Sources that step by one pixel: first, first + step, ...
struct Line {
    int32_t first;
    int step;

    int32_t at(int k) const { return first + step * k; }
};

// Whether value(0) to value(count - 1) follow a line within 0 to limit - 1; value gives
// nullopt where it has none (uneven). Where they do not, the first k that breaks the line.
struct Check {
    std::optional<Line> line;
    int broken = 0;
    bool uneven = false;
};

template <typename Value>
Check lineOf(int count, int limit, Value value)
{
    const auto brokenAt = [](int k, const std::optional<int32_t>& at) { return Check{std::nullopt, k, !at}; };
    const std::optional<int32_t> first = value(0);
    if (!first || *first < 0 || *first >= limit)
        return brokenAt(0, first);
    Line line{*first, 1};
    if (count > 1) {
        const std::optional<int32_t> second = value(1);
        if (!second || (*second - *first != 1 && *second - *first != -1))
            return brokenAt(1, second);
        line.step = *second - *first;
    }
    const int32_t last = line.at(count - 1);
    if (last < 0 || last >= limit)
        return {std::nullopt, line.step > 0 ? limit - line.first : line.first + 1, false};
    for (int k = 2; k < count; ++k) {
        const std::optional<int32_t> at = value(k);
        if (at != line.at(k))
            return brokenAt(k, at);
    }
    return {line};
}

// The value at both ends of a run when they agree: the sources being monotonic along rows and
// columns alike, it is then the value all along the run.
std::optional<int32_t> evenValue(int32_t first, int32_t last)
{
    return first == last ? std::optional<int32_t>(first) : std::nullopt;
}

// The sources of columns from to from + count - 1 of turned row j, and whether each lies inside
// the raster (a source outside is given as 0).
KESTRUM_CPU_CLONES void turnedSources(Turn turn, int j, int from, int count,
                                                                      int32_t* __restrict sources,
                                                                      uint8_t* __restrict inside)
{
    const double turnedU = turn.rowX[j];
    const double turnedV = turn.rowY[j];
    const double* __restrict columnX = turn.columnX + from;
    const double* __restrict columnY = turn.columnY + from;
    for (int i = 0; i < count; ++i) {
        const auto sx = static_cast<int32_t>(columnX[i] - turnedU + turn.cx);
        const auto sy = static_cast<int32_t>(columnY[i] + turnedV + turn.cy);
        // Without a branch, so that rows go eight pixels at a time.
        const bool in = (static_cast<uint32_t>(sx) < static_cast<uint32_t>(turn.width))
                        & (static_cast<uint32_t>(sy) < static_cast<uint32_t>(turn.height));
        sources[i] = in ? sy * turn.width + sx : 0;
        inside[i] = in ? 1 : 0;
    }
}

// A pixel whose source lies outside, or is transparent, becomes transparent black.
KESTRUM_CPU_CLONES void keepShown(uint16_t* __restrict line, uint8_t* __restrict alpha,
                                                                  const uint8_t* __restrict inside, int count)
{
    if (alpha == nullptr) {
        for (int i = 0; i < count; ++i) {
            const uint16_t pixel = line[i];
            line[i] = inside[i] != 0 ? pixel : 0;
        }
        return;
    }
    for (int i = 0; i < count; ++i) {
        const uint16_t pixel = line[i];
        const uint8_t opacity = alpha[i];
        const bool shown = (inside[i] != 0) & (opacity != 0);
        line[i] = shown ? pixel : 0;
        alpha[i] = shown ? opacity : 0;
    }
}

// Turns the planes area by area. Where an area's sources follow lines (the source column steps
// with the turned row and the source row with the turned column, or the other way round, all
// inside the raster), as they do for turns by about a quarter, its pixels are moved without
// working out any source; other areas are split where their lines break, down to single rows
// or columns taken pixel by pixel.
class Turning {
public:
    Turning(const Turn& turn, bool transposed, const uint16_t* words, const uint8_t* alpha, int turnedWidth, uint16_t* to, uint8_t* toAlpha)
        : turn_(turn)
        , transposed_(transposed)
        , words_(words)
        , alpha_(alpha)
        , turnedWidth_(turnedWidth)
        , to_(to)
        , toAlpha_(toAlpha)
        , sources_(static_cast<size_t>(turnedWidth))
        , inside_(static_cast<size_t>(turnedWidth))
    {
    }

    // Takes the whole planes, area by area.
    void run(Area whole)
    {
        std::vector<Area> pending{whole};
        while (!pending.empty()) {
            const Area a = pending.back();
            pending.pop_back();
            place(a, pending);
        }
    }

    void eachPixel(Area a)
    {
        const int64_t cells = int64_t{turn_.width} * turn_.height;
        for (int j = a.j0; j < a.j1; ++j) {
            const size_t start = static_cast<size_t>(j) * turnedWidth_ + a.i0;
            uint16_t* line = to_ + start;
            uint8_t* alphaLine = toAlpha_ != nullptr ? toAlpha_ + start : nullptr;
            turnedSources(turn_, j, a.i0, a.columns(), sources_.data(), inside_.data());
            gatherWords(words_, cells, sources_.data(), a.columns(), line);
            if (alphaLine != nullptr)
                gatherBytes(alpha_, cells, sources_.data(), a.columns(), alphaLine);
            keepShown(line, alphaLine, inside_.data(), a.columns());
        }
    }

private:
    // Copies the area when its sources follow lines, or else splits it where they break: across
    // the rows where the source changes along a row, before the row that leaves the line, and
    // the same for columns.
    void place(Area a, std::vector<Area>& pending)
    {
        const auto x = [this](int i, int j) { return turn_.sourceX(i, j); };
        const auto y = [this](int i, int j) { return turn_.sourceY(i, j); };
        // Transposed, the source column follows the turned row; straight, the source row does.
        const auto alongRowsOf = [&](int i, int j) { return transposed_ ? x(i, j) : y(i, j); };
        const auto downColumnsOf = [&](int i, int j) { return transposed_ ? y(i, j) : x(i, j); };
        const Check rows = alongRows(a, transposed_ ? turn_.width : turn_.height, alongRowsOf);
        const Check columns = rows.line ? downColumns(a, transposed_ ? turn_.height : turn_.width, downColumnsOf) : Check{};
        if (rows.line && columns.line) {
            if (transposed_)
                copyTransposed(a, *rows.line, *columns.line);
            else
                copyStraight(a, *columns.line, *rows.line);
            return;
        }
        if (!rows.line && rows.uneven) {
            const int j = a.j0 + rows.broken;
            const int i = firstChange(a.i0, a.i1 - 1, [&](int at) { return alongRowsOf(at, j); });
            pending.push_back({a.i0, i, a.j0, a.j1});
            pending.push_back({i, a.i1, a.j0, a.j1});
        } else if (!rows.line && a.rows() > 1) {
            const int j = a.j0 + std::max(rows.broken, 1);
            pending.push_back({a.i0, a.i1, a.j0, j});
            pending.push_back({a.i0, a.i1, j, a.j1});
        } else if (rows.line && columns.uneven) {
            const int i = a.i0 + columns.broken;
            const int j = firstChange(a.j0, a.j1 - 1, [&](int at) { return downColumnsOf(i, at); });
            pending.push_back({a.i0, a.i1, a.j0, j});
            pending.push_back({a.i0, a.i1, j, a.j1});
        } else if (rows.line && a.columns() > 1) {
            const int i = a.i0 + std::max(columns.broken, 1);
            pending.push_back({a.i0, i, a.j0, a.j1});
            pending.push_back({i, a.i1, a.j0, a.j1});
        } else {
            eachPixel(a);
        }
    }

    // The first k after from at which the monotonic value(k) differs from value(from), where
    // value(to) does.
    template <typename Value>
    static int firstChange(int from, int to, Value value)
    {
        const int32_t first = value(from);
        while (to - from > 1) {
            const int middle = from + (to - from) / 2;
            (value(middle) == first ? from : to) = middle;
        }
        return to;
    }

    // The line of the value source gives each turned row of the area, when it is the same all
    // along the row.
    template <typename Source>
    static Check alongRows(Area a, int limit, Source source)
    {
        return lineOf(a.rows(), limit,
                      [&](int k) { return evenValue(source(a.i0, a.j0 + k), source(a.i1 - 1, a.j0 + k)); });
    }
    // The same down the turned columns.
    template <typename Source>
    static Check downColumns(Area a, int limit, Source source)
    {
        return lineOf(a.columns(), limit,
                      [&](int k) { return evenValue(source(a.i0 + k, a.j0), source(a.i0 + k, a.j1 - 1)); });
    }

    void take(int i, int j, int64_t source)
    {
        const size_t to = static_cast<size_t>(j) * turnedWidth_ + i;
        const uint16_t pixel = words_[source];
        if (alpha_ == nullptr) {
            to_[to] = pixel;
            return;
        }
        const uint8_t opacity = alpha_[source];
        to_[to] = opacity != 0 ? pixel : 0;
        toAlpha_[to] = opacity;
    }

    // Pixel (i, j) takes source column xs(j - j0) and row ys(i - i0).
    void copyTransposed(Area a, Line xs, Line ys)
    {
        const int tiledColumns = a.columns() / kTile * kTile;
        const int tiledRows = a.rows() / kTile * kTile;
        for (int blockJ = 0; blockJ < tiledRows; blockJ += kBlock)
            for (int blockI = 0; blockI < tiledColumns; blockI += kBlock)
                for (int j = blockJ; j < std::min(blockJ + kBlock, tiledRows); j += kTile)
                    for (int i = blockI; i < std::min(blockI + kBlock, tiledColumns); i += kTile)
                        transposeTile(a, xs, ys, i, j);
        transposeEach(a, xs, ys, {a.i0 + tiledColumns, a.i1, a.j0, a.j1});
        transposeEach(a, xs, ys, {a.i0, a.i0 + tiledColumns, a.j0 + tiledRows, a.j1});
    }
    void transposeEach(Area a, Line xs, Line ys, Area part)
    {
        for (int j = part.j0; j < part.j1; ++j)
            for (int i = part.i0; i < part.i1; ++i)
                take(i, j, int64_t{ys.at(i - a.i0)} * turn_.width + xs.at(j - a.j0));
    }

    // Eight turned rows by eight columns, from i and j on within the area: the eight source
    // columns from the least one are read along the rows and transposed.
    void transposeTile(Area a, Line xs, Line ys, int i, int j)
    {
        const int32_t least = xs.step > 0 ? xs.at(j) : xs.at(j + kTile - 1);
#if defined(__x86_64__)
        __m128i colour[kTile];
        __m128i opacity[kTile / 2] = {};
        for (int n = 0; n < kTile; ++n) {
            const int64_t source = int64_t{ys.at(i + n)} * turn_.width + least;
            colour[n] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(words_ + source));
            if (alpha_ != nullptr && n % 2 == 1) {
                const auto* above = reinterpret_cast<const __m128i*>(alpha_ + source - turn_.width * ys.step);
                const auto* own = reinterpret_cast<const __m128i*>(alpha_ + source);
                opacity[n / 2] = _mm_unpacklo_epi8(_mm_loadl_epi64(above), _mm_loadl_epi64(own));
            }
        }
        transposeWords(colour);
        if (alpha_ != nullptr)
            transposeBytes(opacity);
        const __m128i zero = _mm_setzero_si128();
        for (int m = 0; m < kTile; ++m) {
            const int row = a.j0 + j + (xs.step > 0 ? m : kTile - 1 - m);
            const size_t to = static_cast<size_t>(row) * turnedWidth_ + a.i0 + i;
            if (alpha_ != nullptr) {
                const __m128i pair = opacity[m / 2];
                const __m128i clear = _mm_cmpeq_epi8(pair, zero);
                colour[m] = _mm_andnot_si128(m % 2 == 0 ? _mm_unpacklo_epi8(clear, clear) : _mm_unpackhi_epi8(clear, clear),
                                             colour[m]);
                alignas(16) uint8_t columns[2 * kTile];
                _mm_store_si128(reinterpret_cast<__m128i*>(columns), pair);
                std::memcpy(toAlpha_ + to, columns + (m % 2) * kTile, kTile);
            }
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to_ + to), colour[m]);
        }
#else
        (void)least;
        transposeEach(a, xs, ys, {a.i0 + i, a.i0 + i + kTile, a.j0 + j, a.j0 + j + kTile});
#endif
    }

#if defined(__x86_64__)
    // Eight rows of eight words become eight columns.
    static void transposeWords(__m128i* rows)
    {
        __m128i pairs[kTile];
        for (int k = 0; k < kTile; k += 2) {
            pairs[k / 2] = _mm_unpacklo_epi16(rows[k], rows[k + 1]);
            pairs[k / 2 + 4] = _mm_unpackhi_epi16(rows[k], rows[k + 1]);
        }
        // pairs 0-3 hold columns 0-3 of row pairs 0-3, pairs 4-7 columns 4-7.
        __m128i quads[kTile];
        for (int half = 0; half < kTile; half += 4) {
            quads[half] = _mm_unpacklo_epi32(pairs[half], pairs[half + 1]);
            quads[half + 1] = _mm_unpackhi_epi32(pairs[half], pairs[half + 1]);
            quads[half + 2] = _mm_unpacklo_epi32(pairs[half + 2], pairs[half + 3]);
            quads[half + 3] = _mm_unpackhi_epi32(pairs[half + 2], pairs[half + 3]);
        }
        // quads[half + q] holds two columns of rows 0-3, quads[half + 2 + q] of rows 4-7.
        for (int half = 0; half < kTile; half += 4)
            for (int q = 0; q < 2; ++q) {
                rows[half + 2 * q] = _mm_unpacklo_epi64(quads[half + q], quads[half + 2 + q]);
                rows[half + 2 * q + 1] = _mm_unpackhi_epi64(quads[half + q], quads[half + 2 + q]);
            }
    }
    // Eight rows of eight bytes, interleaved two by two, become eight columns, two to each.
    static void transposeBytes(__m128i* rowPairs)
    {
        const __m128i low = _mm_unpacklo_epi16(rowPairs[0], rowPairs[1]);
        const __m128i high = _mm_unpackhi_epi16(rowPairs[0], rowPairs[1]);
        const __m128i lowBelow = _mm_unpacklo_epi16(rowPairs[2], rowPairs[3]);
        const __m128i highBelow = _mm_unpackhi_epi16(rowPairs[2], rowPairs[3]);
        rowPairs[0] = _mm_unpacklo_epi32(low, lowBelow);
        rowPairs[1] = _mm_unpackhi_epi32(low, lowBelow);
        rowPairs[2] = _mm_unpacklo_epi32(high, highBelow);
        rowPairs[3] = _mm_unpackhi_epi32(high, highBelow);
    }
#endif

    // Pixel (i, j) takes source column xs(i - i0) and row ys(j - j0).
    void copyStraight(Area a, Line xs, Line ys)
    {
        for (int j = a.j0; j < a.j1; ++j) {
            const int64_t row = int64_t{ys.at(j - a.j0)} * turn_.width;
            for (int i = a.i0; i < a.i1; ++i)
                take(i, j, row + xs.at(i - a.i0));
        }
    }

    const Turn& turn_;
    bool transposed_;
    const uint16_t* words_;
    const uint8_t* alpha_;
    int turnedWidth_;
    uint16_t* to_;
    uint8_t* toAlpha_;
    std::vector<int32_t> sources_;
    std::vector<uint8_t> inside_;
};

} // namespace

void turnPlanes(const Turn& turn, const uint16_t* words, const uint8_t* alpha, int turnedWidth, int turnedHeight,
                uint16_t* to, uint8_t* toAlpha)
{
    // Turns nearer a quarter than a half take the source columns along the turned rows.
    Turning turning(turn, std::abs(turn.sine) > std::abs(turn.cosine), words, alpha, turnedWidth, to, toAlpha);
    // Only where no source strays by a pixel across the planes do the blocks follow lines but
    // for a few rows and columns; other turns take every pixel's source.
    const double stray = std::min(std::abs(turn.sine), std::abs(turn.cosine));
    if (stray * std::max(turnedWidth, turnedHeight) >= 1.0) {
        turning.eachPixel({0, turnedWidth, 0, turnedHeight});
        return;
    }
    turning.run({0, turnedWidth, 0, turnedHeight});
}
