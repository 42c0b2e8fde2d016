#include "script_graphics/CBlurFilter.h"

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

CBlurFilter::CBlurFilter(CWindow* owner)
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
    const FilterPixels::Layout pixels = layout();
    const auto redOf = [&pixels](uint16_t p) { return static_cast<uint16_t>((p & pixels.redMask) >> pixels.redShift); };
    const auto greenOf = [&pixels](uint16_t p) { return static_cast<uint16_t>(p >> 5 & pixels.greenField); };
    const auto blueOf = [](uint16_t p) { return static_cast<uint16_t>(p & 0x1F); };
    const auto row = [words, width](int y) { return words + static_cast<size_t>(y) * width; };

    CPlane blurred = CPlane::allocate(static_cast<size_t>(width) * height * 2);
    auto* out = reinterpret_cast<uint16_t*>(blurred.get());
    std::memcpy(out, words, static_cast<size_t>(width) * height * 2);

    FieldRows columns(width);
    const auto addRow = [&](const uint16_t* line, int sign) {
        for (int x = 0; x < width; ++x) {
            const auto i = static_cast<size_t>(x);
            columns.red[i] = static_cast<uint16_t>(columns.red[i] + sign * redOf(line[x]));
            columns.green[i] = static_cast<uint16_t>(columns.green[i] + sign * greenOf(line[x]));
            columns.blue[i] = static_cast<uint16_t>(columns.blue[i] + sign * blueOf(line[x]));
        }
    };
    for (int y = 0; y < 2 * half; ++y)
        addRow(row(y), 1);

    FieldRows squares(width);
    const FilterPixels::Quotient mean(int64_t{size} * size - 1);
    const int last = width - half;
    for (int y = half; y < height - half; ++y) {
        addRow(row(y + half), 1);
        if (y > half)
            addRow(row(y - half - 1), -1);
        std::fill(squares.red.begin(), squares.red.end(), 0);
        std::fill(squares.green.begin(), squares.green.end(), 0);
        std::fill(squares.blue.begin(), squares.blue.end(), 0);
        for (int k = -half; k <= half; ++k)
            for (int x = half; x < last; ++x) {
                const auto i = static_cast<size_t>(x);
                const auto j = static_cast<size_t>(x + k);
                squares.red[i] = static_cast<uint16_t>(squares.red[i] + columns.red[j]);
                squares.green[i] = static_cast<uint16_t>(squares.green[i] + columns.green[j]);
                squares.blue[i] = static_cast<uint16_t>(squares.blue[i] + columns.blue[j]);
            }
        const uint16_t* centres = row(y);
        uint16_t* line = out + static_cast<size_t>(y) * width;
        for (int x = half; x < last; ++x) {
            const auto i = static_cast<size_t>(x);
            const uint16_t p = centres[x];
            const unsigned red = (redOf(p) + mean(static_cast<uint16_t>(squares.red[i] - redOf(p)))) / 2 & 0x1F;
            const unsigned green = (greenOf(p) + mean(static_cast<uint16_t>(squares.green[i] - greenOf(p)))) / 2;
            const unsigned blue = (blueOf(p) + mean(static_cast<uint16_t>(squares.blue[i] - blueOf(p)))) / 2 & 0x1F;
            line[x] = static_cast<uint16_t>(red << pixels.redShift | (green << 5 & pixels.greenMask) | blue);
        }
    }
    raster->setPlanes(std::move(blurred), raster->getAlphaPlane(), width, height);
}
