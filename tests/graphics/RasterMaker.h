#pragma once

#include "graphics/CGraphicsObject.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

// Rasters made from pixel words and alpha bytes, and read back, for the graphics tests.
inline std::unique_ptr<CGraphicsObject> makeRaster(int width, int height, int bpp, const std::vector<uint16_t>& pixels,
                                                   const std::vector<uint8_t>& alpha = {})
{
    auto raster = std::make_unique<CGraphicsObject>(nullptr, CXSize(width, height), bpp);
    if (!pixels.empty())
        std::memcpy(raster->GetDataPtr(), pixels.data(), pixels.size() * 2);
    if (!alpha.empty()) {
        char* plane = new char[alpha.size()];
        std::memcpy(plane, alpha.data(), alpha.size());
        raster->AlphaChannel(plane);
    }
    return raster;
}

inline std::unique_ptr<CGraphicsObject> makeFilled(int width, int height, int bpp, uint16_t word)
{
    return makeRaster(width, height, bpp, std::vector<uint16_t>(static_cast<size_t>(width) * height, word));
}

inline std::vector<uint16_t> wordsOf(CGraphicsObject& raster)
{
    std::vector<uint16_t> words(static_cast<size_t>(raster.Width()) * raster.Height());
    std::memcpy(words.data(), raster.GetDataPtr(), words.size() * 2);
    return words;
}

inline std::vector<uint8_t> alphaOf(CGraphicsObject& raster)
{
    const uint8_t* alpha = raster.GetAlphaPtr();
    return alpha == nullptr ? std::vector<uint8_t>{}
                            : std::vector<uint8_t>(alpha, alpha + static_cast<size_t>(raster.Width()) * raster.Height());
}

// The classic linear congruential generator, for repeatable test data.
class TestNoise {
public:
    explicit TestNoise(uint32_t seed)
        : state_(seed)
    {
    }
    uint32_t next()
    {
        state_ = state_ * 214013u + 2531011u;
        return state_ >> 16 & 0x7FFF;
    }

private:
    uint32_t state_;
};
