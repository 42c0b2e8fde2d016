#pragma once

#include <cstdint>
#include <memory>
#include <vector>

class CGraphicsObject;

// A picture at the engine's 16 bits made from its 5-6-5 pixels, rows top first, and, where it
// has one, its alpha plane of one byte a pixel. The sample's drawing tools hand their pictures to
// the engine's writers through it.
std::unique_ptr<CGraphicsObject> pictureOfPixels(int width, int height, const std::vector<uint16_t>& colour,
                                                 const std::vector<uint8_t>& alpha = {});
