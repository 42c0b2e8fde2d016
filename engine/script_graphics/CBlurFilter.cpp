#include "script_graphics/CBlurFilter.h"

#include "foundation/CpuClones.h"
#include "graphics/CGraphicsObject.h"

#include <cstring>
#include <vector>

namespace {

constexpr int kBlurCode = 103;
constexpr int kSmallestSize = 3;

// The three fields of a pixel word, each in its own row of sums. Sums are kept modulo 65536.
struct FieldRows {
    explicit FieldRows(int width)
        : red(static_cast<size_t>(width))
        , green(static_cast<size_t>(width))
        , blue(static_cast<size_t>(width))
    {
    }

    std::vector<uint16_t> red;
    std::vector<uint16_t> green;
    std::vector<uint16_t> blue;
};

// Adds the fields of a row of pixels to the column sums, or takes them away, in the layout
// whose red field starts at RedShift.
template <int RedShift, bool Add>
void addFields(uint16_t* __restrict red, uint16_t* __restrict green, uint16_t* __restrict blue,
               const uint16_t* __restrict line, int width)
{
    constexpr uint16_t greenField = RedShift == 11 ? 0x3F : 0x1F;
    const auto moved = [](uint16_t sum, uint16_t field) {
        return static_cast<uint16_t>(Add ? sum + field : sum - field);
    };
    for (int x = 0; x < width; ++x) {
        const uint16_t p = line[x];
        red[x] = moved(red[x], static_cast<uint16_t>(p >> RedShift & 0x1F));
        green[x] = moved(green[x], static_cast<uint16_t>(p >> 5 & greenField));
        blue[x] = moved(blue[x], static_cast<uint16_t>(p & 0x1F));
    }
}

KESTRUM_CPU_CLONES void addRow(uint16_t* red, uint16_t* green, uint16_t* blue,
                                                               const uint16_t* line, int width, bool add, bool wideGreen)
{
    if (wideGreen)
        add ? addFields<11, true>(red, green, blue, line, width) : addFields<11, false>(red, green, blue, line, width);
    else
        add ? addFields<10, true>(red, green, blue, line, width) : addFields<10, false>(red, green, blue, line, width);
}

// The sums of the column sums across the square, from..to, of one field.
KESTRUM_CPU_CLONES void squareRow(uint16_t* __restrict squares,
                                                                  const uint16_t* __restrict columns, int half, int from,
                                                                  int to)
{
    if (half == 1) {
        for (int x = from; x < to; ++x)
            squares[x] = static_cast<uint16_t>(columns[x - 1] + columns[x] + columns[x + 1]);
        return;
    }
    for (int x = from; x < to; ++x)
        squares[x] = columns[x - half];
    for (int k = 1 - half; k <= half; ++k)
        for (int x = from; x < to; ++x)
            squares[x] = static_cast<uint16_t>(squares[x] + columns[x + k]);
}

// Each pixel from..to: half the sum of its own fields and its neighbours' means, in the layout
// whose red field starts at RedShift.
template <int RedShift, typename Mean>
void blurPixels(uint16_t* __restrict line, const uint16_t* __restrict centres, const uint16_t* __restrict red,
                const uint16_t* __restrict green, const uint16_t* __restrict blue, int from, int to, Mean mean)
{
    constexpr uint16_t greenField = RedShift == 11 ? 0x3F : 0x1F;
    constexpr uint16_t greenMask = greenField << 5;
    for (int x = from; x < to; ++x) {
        const uint16_t p = centres[x];
        const auto r = static_cast<uint16_t>(p >> RedShift & 0x1F);
        const auto g = static_cast<uint16_t>(p >> 5 & greenField);
        const auto b = static_cast<uint16_t>(p & 0x1F);
        const auto redHalf = static_cast<uint16_t>(static_cast<uint16_t>(r + mean(static_cast<uint16_t>(red[x] - r))) >> 1);
        const auto greenHalf =
            static_cast<uint16_t>(static_cast<uint16_t>(g + mean(static_cast<uint16_t>(green[x] - g))) >> 1);
        const auto blueHalf =
            static_cast<uint16_t>(static_cast<uint16_t>(b + mean(static_cast<uint16_t>(blue[x] - b))) >> 1);
        line[x] = static_cast<uint16_t>((redHalf & 0x1F) << RedShift | (greenHalf << 5 & greenMask) | (blueHalf & 0x1F));
    }
}

template <typename Mean>
void blurPixels(uint16_t* line, const uint16_t* centres, const uint16_t* red, const uint16_t* green, const uint16_t* blue,
                int from, int to, Mean mean, bool wideGreen)
{
    if (wideGreen)
        blurPixels<11>(line, centres, red, green, blue, from, to, mean);
    else
        blurPixels<10>(line, centres, red, green, blue, from, to, mean);
}

// SIZE 3 divides by 8, a shift that keeps the pixels in 16 bits.
KESTRUM_CPU_CLONES void blurRow(uint16_t* line, const uint16_t* centres,
                                                                const uint16_t* red, const uint16_t* green,
                                                                const uint16_t* blue, int from, int to, int64_t divisor,
                                                                bool wideGreen)
{
    if (divisor == 8) {
        const auto mean = [](uint16_t n) { return static_cast<uint16_t>(n >> 3); };
        blurPixels(line, centres, red, green, blue, from, to, mean, wideGreen);
        return;
    }
    const FilterPixels::Quotient quotient(divisor);
    const auto mean = [quotient](uint16_t n) { return static_cast<uint16_t>(quotient(n)); };
    blurPixels(line, centres, red, green, blue, from, to, mean, wideGreen);
}

} // namespace

CBlurFilterOptions::CBlurFilterOptions()
    : CStaticFilterOptions(kBlurCode)
{
}

void CBlurFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "SIZE")
        size_ = value.toNumber();
    else
        CStaticFilterOptions::readOptions(name, value);
}

CBlurFilter::CBlurFilter(ScriptGraphicsWindow* owner)
    : CStaticFilter(owner)
{
    setOptions(new CBlurFilterOptions);
}

// Column sums over the square's rows move down one row at a time; each row's square sums add
// up the column sums across the square.
void CBlurFilter::apply(CGraphicsObject* raster, bool release)
{
    const int size = static_cast<const CBlurFilterOptions&>(options()).getSize();
    if (size < kSmallestSize)
        return;
    CStaticFilter::apply(raster, release);
    const uint16_t* words = FilterPixels::wordsOf(raster);
    if (words == nullptr)
        return;
    const int width = raster->Width();
    const int height = raster->Height();
    const int half = size / 2;
    if (int64_t{half} * 2 >= width || int64_t{half} * 2 >= height)
        return;
    const bool wideGreen = layout().wideGreen;
    const auto row = [words, width](int y) { return words + static_cast<size_t>(y) * width; };

    // The border keeps its pixels: whole rows at the top and bottom, the ends of the others.
    CPlane blurred = CPlane::allocate(static_cast<size_t>(width) * height * 2);
    auto* out = reinterpret_cast<uint16_t*>(blurred.get());
    const auto keep = [&](int y, int from, int count) {
        std::memcpy(out + static_cast<size_t>(y) * width + from, row(y) + from, static_cast<size_t>(count) * 2);
    };
    for (int y = 0; y < height; ++y) {
        if (y < half || y >= height - half) {
            keep(y, 0, width);
        } else {
            keep(y, 0, half);
            keep(y, width - half, half);
        }
    }

    FieldRows columns(width);
    const auto addToColumns = [&](int y, bool add) {
        addRow(columns.red.data(), columns.green.data(), columns.blue.data(), row(y), width, add, wideGreen);
    };
    for (int y = 0; y < 2 * half; ++y)
        addToColumns(y, true);
    FieldRows squares(width);
    const int last = width - half;
    for (int y = half; y < height - half; ++y) {
        addToColumns(y + half, true);
        if (y > half)
            addToColumns(y - half - 1, false);
        squareRow(squares.red.data(), columns.red.data(), half, half, last);
        squareRow(squares.green.data(), columns.green.data(), half, half, last);
        squareRow(squares.blue.data(), columns.blue.data(), half, half, last);
        blurRow(out + static_cast<size_t>(y) * width, row(y), squares.red.data(), squares.green.data(),
                squares.blue.data(), half, last, int64_t{size} * size - 1, wideGreen);
    }
    raster->setPlanes(std::move(blurred), raster->getAlphaPlane(), width, height);
}
