#include "platform/HeadlessDisplay.h"

namespace platform {

HeadlessDisplay::~HeadlessDisplay()
{
    close();
}

DisplayResult HeadlessDisplay::openDevice(const DisplayMode& mode)
{
    return mode.bitsPerPixel == refusedDepth_ ? DisplayResult::DepthRefused : DisplayResult::Ok;
}

void HeadlessDisplay::showChanged(std::span<const Rect> changed)
{
    ++presentCount_;
    lastPresented_.assign(changed.begin(), changed.end());
}

} // namespace platform
