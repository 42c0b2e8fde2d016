#include "script_graphics/FilterPixels.h"

#include "foundation/DoubleToInt.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/PlaneDisplacement.h"
#include "script_graphics/ScriptGraphicsWindow.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace FilterPixels {

// Where a row's sources all lie inside, it is made up of the rows each distance takes, each
// masked to the pixels of its code; the pixels near the planes' ends are taken one by one.
DisplacedPlanes displaceByCodes(const uint16_t* words, const unsigned char* alpha, int width, int height,
                                const std::vector<int32_t>& distances, const std::function<CodedRow(int)>& codesOf)
{
    const int64_t count = int64_t{width} * height;
    if (count > INT32_MAX)
        return {};
    DisplacedPlanes displaced{CPlane::allocate(static_cast<size_t>(count) * 2),
                              alpha != nullptr ? CPlane::allocate(static_cast<size_t>(count)) : CPlane()};
    auto* target = reinterpret_cast<uint16_t*>(displaced.colour.get());
    unsigned char* targetAlpha = displaced.alpha.bytes();
    const int kinds = static_cast<int>(distances.size());
    const auto [lowest, highest] = std::minmax_element(distances.begin(), distances.end());
    std::vector<int64_t> offsets(distances.size());
    std::vector<int32_t> rowDistances(static_cast<size_t>(width));
    std::vector<int32_t> sources(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y) {
        const CodedRow codes = codesOf(y);
        const int64_t start = int64_t{y} * width;
        // The pixels from..to take every source from inside; those on either side, one by one.
        const auto from = static_cast<int>(std::clamp<int64_t>(-start - *lowest, 0, width));
        const auto to = static_cast<int>(std::clamp<int64_t>(count - start - *highest, from, width));
        if (from > 0 || to < width) {
            for (int x = 0; x < width; ++x)
                rowDistances[static_cast<size_t>(x)] = distances[codes.words[x]];
            PlaneDisplacement::displaceRow(words, alpha, target, targetAlpha, start, from, rowDistances.data(), false, count,
                                           sources.data());
            PlaneDisplacement::displaceRow(words, alpha, target, targetAlpha, start + to, width - to, rowDistances.data() + to,
                                           false, count, sources.data());
        }
        if (from == to)
            continue;
        for (size_t k = 0; k < distances.size(); ++k)
            offsets[k] = start + from + distances[k];
        takeCodedWords(words, offsets.data(), codes.words + from, kinds, to - from, target + start + from);
        if (alpha != nullptr)
            takeCodedBytes(alpha, offsets.data(), codes.bytes + from, kinds, to - from, targetAlpha + start + from);
    }
    return displaced;
}

Layout layoutOf(ScriptGraphicsWindow* window)
{
    if (window != nullptr && window->GetBpp() == 16)
        return {true, 11, 0xF800, 0x3F, 0x07E0, 0x07C0};
    return {false, 10, 0x7C00, 0x1F, 0x03E0, 0x03C0};
}

void unpackForUse(CGraphicsObject* raster)
{
    if (raster->GetCompression() == COMPRESSION_RLE)
        raster->unpack();
}

uint16_t* wordsOf(CGraphicsObject* raster)
{
    unpackForUse(raster);
    if (raster->GetPixelSize() != 2 || raster->isPacked() || raster->Width() <= 0 || raster->Height() <= 0)
        return nullptr;
    return reinterpret_cast<uint16_t*>(raster->GetDataPtr());
}

void wave(CGraphicsObject* raster, int dx, int amplitude, double density, int phase)
{
    unpackForUse(raster);
    const int width = raster->Width();
    const int height = raster->Height();
    if (raster->isPacked() || !raster->getColourPlane() || width <= 0 || height <= 0)
        return;
    const int64_t count = int64_t{width} * height;
    std::vector<int32_t> columns(static_cast<size_t>(width));
    for (int x = 0; x < width; ++x)
        columns[static_cast<size_t>(x)] = PlaneDisplacement::heldDistance(
            int64_t{truncateToInt(amplitude * std::sin(x * density + phase))} * width + dx, count);
    std::vector<int32_t> distances = columns;
    std::sort(distances.begin(), distances.end());
    distances.erase(std::unique(distances.begin(), distances.end()), distances.end());
    const auto displacedPlanes = [&]() {
        // Columns that move by more distances than codes tell apart are gathered pixel by pixel.
        if (raster->GetPixelSize() != 2 || distances.size() > kMostCodedDistances) {
            const auto distancesOf = [&columns](int, int32_t* to) { std::copy(columns.begin(), columns.end(), to); };
            return displacePlanes(raster->GetDataPtr(), raster->GetPixelSize(), raster->GetAlphaPtr(), width, height,
                                  distances.front(), distances.back(), distancesOf);
        }
        std::vector<uint16_t> wordCodes(static_cast<size_t>(width));
        std::vector<uint8_t> byteCodes(static_cast<size_t>(width));
        for (int x = 0; x < width; ++x) {
            const auto kind = std::lower_bound(distances.begin(), distances.end(), columns[static_cast<size_t>(x)]);
            wordCodes[static_cast<size_t>(x)] = static_cast<uint16_t>(kind - distances.begin());
            byteCodes[static_cast<size_t>(x)] = static_cast<uint8_t>(kind - distances.begin());
        }
        return displaceByCodes(reinterpret_cast<const uint16_t*>(raster->GetDataPtr()), raster->GetAlphaPtr(), width,
                               height, distances, [&](int) { return CodedRow{wordCodes.data(), byteCodes.data()}; });
    };
    DisplacedPlanes displaced = displacedPlanes();
    if (displaced.colour)
        raster->setPlanes(std::move(displaced.colour), std::move(displaced.alpha), width, height);
}

} // namespace FilterPixels
