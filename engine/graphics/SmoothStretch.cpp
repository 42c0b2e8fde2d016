#include "graphics/SmoothStretch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kWeightBits = 14;
constexpr int32_t kWeightOne = 1 << kWeightBits;

// The source pixels that make one target pixel along one axis, and their weights, which
// add up to exactly kWeightOne.
struct Taps {
    int first = 0;
    std::vector<int32_t> weights;
};

std::vector<Taps> tapsFor(int sourceSize, int targetSize)
{
    const double scale = static_cast<double>(sourceSize) / targetSize;
    const double width = std::max(scale, 1.0);
    std::vector<Taps> all(targetSize);
    std::vector<double> raw;
    for (int i = 0; i < targetSize; ++i) {
        const double centre = (i + 0.5) * scale;
        const int first = std::max(static_cast<int>(centre - width + 0.5), 0);
        const int last = std::min(static_cast<int>(centre + width + 0.5), sourceSize);
        raw.clear();
        double total = 0;
        for (int s = first; s < last; ++s) {
            const double weight = std::max(0.0, 1.0 - std::abs((s + 0.5 - centre) / width));
            raw.push_back(weight);
            total += weight;
        }
        Taps& taps = all[i];
        taps.first = first;
        int32_t sum = 0;
        for (double weight : raw) {
            taps.weights.push_back(static_cast<int32_t>(std::lround(weight / total * kWeightOne)));
            sum += taps.weights.back();
        }
        // Rounding leaves the sum a little off; the heaviest tap takes the difference, so a
        // flat colour stays exactly itself.
        *std::max_element(taps.weights.begin(), taps.weights.end()) += kWeightOne - sum;
    }
    return all;
}

uint8_t weighed(int32_t sum)
{
    return static_cast<uint8_t>(std::clamp((sum + kWeightOne / 2) >> kWeightBits, 0, 255));
}

} // namespace

void stretchSmoothly(const platform::RgbImage& source, platform::RgbImage& target, const CXRect& place)
{
    const int width = place.Width();
    const int height = place.Height();
    if (source.width <= 0 || source.height <= 0 || width <= 0 || height <= 0)
        return;
    const std::vector<Taps> across = tapsFor(source.width, width);
    const std::vector<Taps> down = tapsFor(source.height, height);

    // Across first, into rows of the target's width; then down, into the target.
    platform::RgbImage rows(width, source.height, 0);
    for (int y = 0; y < source.height; ++y) {
        const uint8_t* in = source.row(y);
        uint8_t* out = rows.row(y);
        for (int x = 0; x < width; ++x) {
            const Taps& taps = across[x];
            int32_t sum[3] = {};
            const uint8_t* pixel = in + static_cast<size_t>(taps.first) * 3;
            for (int32_t weight : taps.weights) {
                for (int c = 0; c < 3; ++c)
                    sum[c] += pixel[c] * weight;
                pixel += 3;
            }
            for (int c = 0; c < 3; ++c)
                *out++ = weighed(sum[c]);
        }
    }
    const size_t rowBytes = static_cast<size_t>(width) * 3;
    std::vector<int32_t> sum(rowBytes);
    for (int y = 0; y < height; ++y) {
        const Taps& taps = down[y];
        std::fill(sum.begin(), sum.end(), 0);
        for (size_t t = 0; t < taps.weights.size(); ++t) {
            const uint8_t* in = rows.row(taps.first + static_cast<int>(t));
            const int32_t weight = taps.weights[t];
            for (size_t i = 0; i < rowBytes; ++i)
                sum[i] += in[i] * weight;
        }
        uint8_t* out = target.row(place.top + y) + static_cast<size_t>(place.left) * 3;
        for (size_t i = 0; i < rowBytes; ++i)
            out[i] = weighed(sum[i]);
    }
}
