#pragma once

#include "foundation/CXRect.h"
#include "platform/RgbImage.h"

// Draws the whole source into the rectangle `place` of the target, scaled smoothly: every
// target pixel is a weighted mean of the source pixels under it (a tent filter that widens
// with the reduction), so enlarged pictures come out without blocks and reduced ones without
// lost detail. Flat areas keep their exact colour. `place` must lie within the target.
void stretchSmoothly(const platform::RgbImage& source, platform::RgbImage& target, const CXRect& place);
