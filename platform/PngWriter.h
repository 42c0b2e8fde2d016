#pragma once

#include "platform/RgbImage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {

// Takes the next piece of an encoded file; false stops the encoding.
using ByteSink = std::function<bool(const uint8_t* bytes, size_t count)>;

// Encodes the picture as a PNG file (8-bit RGB, not interlaced) that gives its resolution,
// so that it prints at its own size, and hands the file to `sink` piece by piece. False when
// the picture has no pixels or the sink stops.
bool writePng(const RgbImage& image, int dotsPerInch, const ByteSink& sink);

// Writes the picture as the PNG file at the disk path. The file appears under its name only
// once it is complete; false, with the cause and nothing left behind, when it cannot be written.
bool writePngFile(const std::string& path, const RgbImage& image, int dotsPerInch, std::string& cause);

} // namespace platform
