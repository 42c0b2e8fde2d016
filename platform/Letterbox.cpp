#include "platform/Letterbox.h"

#include <cstdint>

namespace platform {
namespace {

// Scales v by numerator / denominator, rounding towards minus infinity, so that points left
// of or above the viewport map to negative coordinates without a step at zero.
int scaleFloor(int v, int numerator, int denominator)
{
    const int64_t product = static_cast<int64_t>(v) * numerator;
    int64_t quotient = product / denominator;
    if (product % denominator != 0 && product < 0)
        --quotient;
    return static_cast<int>(quotient);
}

} // namespace

Letterbox::Letterbox(int logicalWidth, int logicalHeight, int outputWidth, int outputHeight)
    : logicalWidth_(logicalWidth)
    , logicalHeight_(logicalHeight)
{
    if (logicalWidth <= 0 || logicalHeight <= 0 || outputWidth <= 0 || outputHeight <= 0)
        return;
    int width = outputWidth;
    int height = scaleFloor(outputWidth, logicalHeight, logicalWidth);
    if (height > outputHeight) {
        height = outputHeight;
        width = scaleFloor(outputHeight, logicalWidth, logicalHeight);
    }
    const int left = (outputWidth - width) / 2;
    const int top = (outputHeight - height) / 2;
    viewport_ = {left, top, left + width, top + height};
}

Point Letterbox::toLogical(Point output) const
{
    if (viewport_.isEmpty())
        return output;
    return {scaleFloor(output.x - viewport_.left, logicalWidth_, viewport_.width()),
            scaleFloor(output.y - viewport_.top, logicalHeight_, viewport_.height())};
}

Point Letterbox::toOutput(Point logical) const
{
    if (viewport_.isEmpty())
        return logical;
    // The output pixel under the centre of the logical one, so that toLogical leads back to it.
    return {viewport_.left + scaleFloor(2 * logical.x + 1, viewport_.width(), 2 * logicalWidth_),
            viewport_.top + scaleFloor(2 * logical.y + 1, viewport_.height(), 2 * logicalHeight_)};
}

Rect Letterbox::toOutput(const Rect& logical) const
{
    if (viewport_.isEmpty())
        return logical;
    return {viewport_.left + scaleFloor(logical.left, viewport_.width(), logicalWidth_),
            viewport_.top + scaleFloor(logical.top, viewport_.height(), logicalHeight_),
            viewport_.left + scaleFloor(logical.right, viewport_.width(), logicalWidth_),
            viewport_.top + scaleFloor(logical.bottom, viewport_.height(), logicalHeight_)};
}

} // namespace platform
