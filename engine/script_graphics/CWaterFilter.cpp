#include "script_graphics/CWaterFilter.h"

#include "foundation/CpuClones.h"
#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"
#include "script_graphics/FilterPixels.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

constexpr int kWaterCode = 5;
// Up to this FACTOR every shift is exact in 16 bits.
constexpr double kLargestQuickFactor = 8192.0;
// A row whose shifts span more values than this takes each pixel apart.
constexpr int kMostShifts = 8;

// No shift is this far.
constexpr int16_t kNone = INT16_MAX;

// The shift of each pixel of a row of tables; the least and greatest of them.
// Columns as far left of the centre as right of it have the same shifts: the right half is
// worked out and mirrored.
KESTRUM_CPU_CLONES void rowShifts(const float* __restrict sine, const float* __restrict cosine,
                                                                  int width, float phaseSine, float phaseCosine, double factor,
                                                                  int16_t* __restrict shifts, int* least, int* greatest)
{
    const int centre = width / 2;
    // By the column's distance from the centre column.
    const auto shiftAt = [&](int distance) {
        const float wave = phaseSine * cosine[distance] + phaseCosine * sine[distance];
        return static_cast<int16_t>(static_cast<int32_t>(factor * wave));
    };
    // The mirrored columns repeat what the others hold: the least and greatest are found as they are made.
    int low = INT16_MAX;
    int high = INT16_MIN;
    for (int x = centre; x < width; ++x) {
        const int16_t shift = shiftAt(x - centre);
        shifts[x] = shift;
        low = shift < low ? shift : low;
        high = shift > high ? shift : high;
    }
    // Column x mirrors column 2 × centre - x, which for an even width lies past the last one at x = 0.
    const int unmirrored = 2 * centre < width ? 0 : 1;
    for (int x = unmirrored; x < centre; ++x)
        shifts[x] = shifts[2 * centre - x];
    if (unmirrored == 1) {
        shifts[0] = shiftAt(centre);
        low = shifts[0] < low ? shifts[0] : low;
        high = shifts[0] > high ? shifts[0] : high;
    }
    *least = low;
    *greatest = high;
}

// Pixels from..to of the row whose shift is one of the three given take the pixel of that
// shift's source row, unless they are transparent.
struct Shifted {
    const uint16_t* source;
    int16_t shift;
};
KESTRUM_CPU_CLONES void takeShifted(uint16_t* __restrict row, const int16_t* __restrict shifts,
                                                                    const unsigned char* __restrict alpha, Shifted first,
                                                                    Shifted second, Shifted third, int from, int to)
{
    const uint16_t* __restrict a = first.source;
    const uint16_t* __restrict b = second.source;
    const uint16_t* __restrict c = third.source;
    // Masks in place of choices: the three sources and the own pixel are each masked and merged.
    const auto taken = [&](int x, uint16_t opaque) {
        const int16_t shift = shifts[x];
        const auto fromA = static_cast<uint16_t>(-static_cast<uint16_t>(shift == first.shift) & opaque);
        const auto fromB = static_cast<uint16_t>(-static_cast<uint16_t>(shift == second.shift) & opaque);
        const auto fromC = static_cast<uint16_t>(-static_cast<uint16_t>(shift == third.shift) & opaque);
        const auto own = static_cast<uint16_t>(~(fromA | fromB | fromC));
        return static_cast<uint16_t>((a[x] & fromA) | (b[x] & fromB) | (c[x] & fromC) | (row[x] & own));
    };
    if (alpha == nullptr) {
        for (int x = from; x < to; ++x)
            row[x] = taken(x, 0xFFFF);
        return;
    }
    for (int x = from; x < to; ++x)
        row[x] = taken(x, static_cast<uint16_t>(-static_cast<uint16_t>(alpha[x] != 0)));
}

// One step of the ripples over a raster: most pixels of a row move by one of a few shifts, each
// taken for the whole row at once; pixels near the edges, rows with many shifts, and factors
// too large for the quick way are taken one at a time.
class Ripples {
public:
    Ripples(uint16_t* words, const unsigned char* alpha, const CWaterLinkState& state, int width, int height,
            float phaseSine, float phaseCosine, double factor)
        : words_(words)
        , alpha_(alpha)
        , state_(state)
        , width_(width)
        , height_(height)
        , phaseSine_(phaseSine)
        , phaseCosine_(phaseCosine)
        , factor_(factor)
        , shifts_(static_cast<size_t>(width))
    {
    }

    // Rows as far above the centre as below it have the same shifts.
    void run()
    {
        const bool quick = std::abs(factor_) <= kLargestQuickFactor;
        const int middle = height_ / 2;
        for (int distance = 0; middle - distance >= 0 || middle + distance < height_; ++distance) {
            int least = 0;
            int greatest = 0;
            if (quick)
                rowShifts(state_.sine(middle + distance), state_.cosine(middle + distance), width_, phaseSine_, phaseCosine_,
                          factor_, shifts_.data(), &least, &greatest);
            for (int y : {middle - distance, middle + distance}) {
                if (y < 0 || y >= height_ || (distance == 0 && y != middle))
                    continue;
                if (quick)
                    quickRow(y, least, greatest);
                else
                    slowRow(y);
            }
        }
    }

private:
    size_t at(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
    // The pixel takes the unfiltered one n further along both axes, held inside the raster.
    void take(int x, int y, int64_t n)
    {
        const int64_t sx = std::clamp<int64_t>(x + n, 0, width_ - 1);
        const int64_t sy = std::clamp<int64_t>(y + n, 0, height_ - 1);
        words_[at(x, y)] = state_.unfiltered()[sy * width_ + sx];
    }
    void slowRow(int y)
    {
        for (int x = 0; x < width_; ++x) {
            if (alpha_ != nullptr && alpha_[at(x, y)] == 0)
                continue;
            const int distance = std::abs(width_ / 2 - x);
            const float wave = phaseSine_ * state_.cosine(y)[distance] + phaseCosine_ * state_.sine(y)[distance];
            take(x, y, truncateToInt(factor_ * wave));
        }
    }
    // Three shifts at a time over the part of the row whose sources all lie inside the raster.
    void quickRow(int y, int least, int greatest)
    {
        const int16_t* shifts = shifts_.data();
        const unsigned char* alpha = alpha_ != nullptr ? alpha_ + at(0, y) : nullptr;
        int from = 0;
        int to = 0;
        if (greatest - least < kMostShifts && y + least >= 0 && y + greatest < height_) {
            from = std::min(std::max(0, -least), width_);
            to = std::max(std::min(width_, width_ - greatest), from);
            const auto shifted = [&](int shift) {
                return shift <= greatest ? Shifted{state_.unfiltered() + at(0, y + shift) + shift, static_cast<int16_t>(shift)}
                                         : Shifted{state_.unfiltered() + at(0, y), kNone};
            };
            for (int shift = least; shift <= greatest; shift += 3)
                takeShifted(words_ + at(0, y), shifts, alpha, shifted(shift), shifted(shift + 1), shifted(shift + 2), from, to);
        }
        const auto takeEach = [&](int first, int end) {
            for (int x = first; x < end; ++x)
                if (alpha == nullptr || alpha[x] != 0)
                    take(x, y, shifts[x]);
        };
        takeEach(0, from);
        takeEach(to, width_);
    }

    uint16_t* words_;
    const unsigned char* alpha_;
    const CWaterLinkState& state_;
    int width_;
    int height_;
    float phaseSine_;
    float phaseCosine_;
    double factor_;
    std::vector<int16_t> shifts_;
};

} // namespace

CWaterFilterOptions::CWaterFilterOptions()
    : CFilterOptions(kWaterCode)
{
}

void CWaterFilterOptions::readOptions(const CXString& name, const CXString& value)
{
    if (name == "FACTOR")
        factor_ = value.toDouble();
    else
        CFilterOptions::readOptions(name, value);
}

void CWaterLinkState::prepare(CGraphicsObject* raster)
{
    const uint16_t* words = FilterPixels::wordsOf(raster);
    const int width = words != nullptr ? raster->Width() : 0;
    const int height = words != nullptr ? raster->Height() : 0;
    unfiltered_.assign(words, words + static_cast<size_t>(width) * height);
    prepareRadialTables(width, height);
}

void CWaterLinkState::prepareRadialTables(int width, int height)
{
    width_ = width;
    height_ = height;
    const int rows = height > 0 ? std::max(height / 2, height - 1 - height / 2) + 1 : 0;
    // The centre column is as far from the first as from the last or farther.
    columns_ = width > 0 ? width / 2 + 1 : 0;
    const size_t count = static_cast<size_t>(columns_) * rows;
    sine_.resize(count);
    cosine_.resize(count);
    for (int dy = 0; dy < rows; ++dy)
        for (int dx = 0; dx < columns_; ++dx) {
            const double distance = std::sqrt(static_cast<double>(int64_t{dx} * dx + int64_t{dy} * dy));
            const size_t i = static_cast<size_t>(dy) * columns_ + dx;
            sine_[i] = static_cast<float>(std::sin(distance));
            cosine_[i] = static_cast<float>(std::cos(distance));
        }
}

size_t CWaterLinkState::tableRow(int y) const
{
    return static_cast<size_t>(std::abs(height_ / 2 - y)) * columns_;
}

CWaterFilter::CWaterFilter(ScriptGraphicsWindow* owner)
    : CAnimatedFilter(owner)
{
    for (int i = 0; i < kPhases; ++i) {
        phaseSine_[static_cast<size_t>(i)] = static_cast<float>(std::sin(i));
        phaseCosine_[static_cast<size_t>(i)] = static_cast<float>(std::cos(i));
    }
    setOptions(new CWaterFilterOptions);
}

CFilterLink* CWaterFilter::createLink(CGraphicsObject* graphics, CMC_Object* script)
{
    auto* state = new CWaterLinkState;
    state->prepare(graphics);
    return new CFilterLink(graphics, script, state);
}

bool CWaterFilter::step(CFilterLink* link, CFilterOptions* options)
{
    CGraphicsObject* raster = link->getGraphics();
    auto& state = *static_cast<CWaterLinkState*>(link->getState());
    uint16_t* words = FilterPixels::wordsOf(raster);
    if (words == nullptr)
        return false;
    const int width = raster->Width();
    const int height = raster->Height();
    if (!state.fits(width, height))
        state.prepare(raster);
    const size_t phase = state.getTicks() % kPhases;
    const float phaseSine = phaseSine_[phase];
    const float phaseCosine = phaseCosine_[phase];
    const double factor = static_cast<CWaterFilterOptions*>(options)->getFactor();
    Ripples(words, raster->GetAlphaPtr(), state, width, height, phaseSine, phaseCosine, factor).run();
    raster->Invalidate();
    return false;
}
