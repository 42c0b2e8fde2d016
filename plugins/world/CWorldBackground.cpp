#include "CWorldBackground.h"

namespace {

// How far the wanted scroll must move to stay within low to high.
float correction(float wanted, float low, float high)
{
    if (wanted < low)
        return low - wanted;
    if (wanted > high)
        return high - wanted;
    return 0;
}

} // namespace

void CWorldBackground::update(float referenceX, float referenceY)
{
    float screenX = referenceX + SCREEN_WIDTH / 2;
    float screenY = SCREEN_HEIGHT / 2 - referenceY;
    const bool horizontal = (moveFlags_ & MOVE_HORIZONTAL) != 0;
    const bool vertical = (moveFlags_ & MOVE_VERTICAL) != 0;
    const float wantX = horizontal ? screenX - centreX_ : 0;
    const float wantY = vertical ? screenY - centreY_ : 0;
    const float correctionX = correction(wantX, minX_, maxX_ - SCREEN_WIDTH);
    const float correctionY = correction(wantY, minY_, maxY_ - SCREEN_HEIGHT);
    scrollX_ = wantX + correctionX;
    scrollY_ = wantY + correctionY;
    if (horizontal)
        screenX = centreX_ - correctionX;
    if (vertical)
        screenY = centreY_ - correctionY;
    offsetX_ = screenX - referenceX;
    offsetY_ = referenceY + screenY;
}

void CWorldBackground::setSize(float minX, float maxX, float minY, float maxY)
{
    minX_ = minX;
    maxX_ = maxX;
    minY_ = minY;
    maxY_ = maxY;
}
