#pragma once

#include <cstdint>
#include <optional>
#include <png.h>
#include <string>
#include <vector>

// A PNG file decoded by libpng into 8-bit red, green and blue, rows top first.
struct DecodedPng {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    const uint8_t* at(int x, int y) const { return rgb.data() + (static_cast<size_t>(y) * width + x) * 3; }
};

inline std::optional<DecodedPng> decodePng(png_image& image, bool begun)
{
    if (!begun)
        return std::nullopt;
    image.format = PNG_FORMAT_RGB;
    DecodedPng decoded{static_cast<int>(image.width), static_cast<int>(image.height),
                       std::vector<uint8_t>(PNG_IMAGE_SIZE(image))};
    if (!png_image_finish_read(&image, nullptr, decoded.rgb.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    return decoded;
}

inline std::optional<DecodedPng> readPngFile(const std::string& path)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    return decodePng(image, png_image_begin_read_from_file(&image, path.c_str()) != 0);
}

inline std::optional<DecodedPng> readPngBytes(const std::vector<uint8_t>& bytes)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    return decodePng(image, png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) != 0);
}
