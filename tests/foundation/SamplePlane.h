#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A 16-bit 5-6-5 plane that looks like a scene picture: a sky whose rows each hold one colour
// (long runs), a ground with a colour gradient across it (no runs) and a patch of noise.
// Tests and the codec benchmark pack and unpack it.
inline std::vector<char> samplePlane(int width = 800, int height = 600)
{
    std::vector<char> plane(static_cast<std::size_t>(width) * height * 2);
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint16_t pixel;
            if (y < height / 2) {
                pixel = static_cast<uint16_t>((y * 31 / height) << 11 | 0x1F);
            } else if (x < width / 2) {
                pixel = static_cast<uint16_t>((x * 63 / width) << 5 | (y % 32));
            } else {
                noise = noise * 214013u + 2531011u;
                pixel = static_cast<uint16_t>(noise >> 16);
            }
            const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 2;
            plane[at] = static_cast<char>(pixel & 0xFF);
            plane[at + 1] = static_cast<char>(pixel >> 8);
        }
    }
    return plane;
}
