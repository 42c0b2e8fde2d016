#pragma once

#include "platform/RgbImage.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace platform {

// Takes the next piece of an encoded file; false stops the encoding.
using ByteSink = std::function<bool(const uint8_t* bytes, size_t count)>;

// Encodes the picture as a PNG file (8-bit RGB, not interlaced) that gives its resolution,
// so that it prints at its own size, and hands the file to `sink` piece by piece. False when
// the picture has no pixels or the sink stops.
bool writePng(const RgbImage& image, int dotsPerInch, const ByteSink& sink);

} // namespace platform
