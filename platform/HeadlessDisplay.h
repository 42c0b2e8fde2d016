#pragma once

#include "platform/Display.h"

#include <vector>

namespace platform {

// A display without a screen: what would be shown stays in screen(), and each presentation's
// rectangles are kept for tests to read.
class HeadlessDisplay : public Display {
public:
    ~HeadlessDisplay() override;

    // Modes at this depth are refused from now on, as by a display that lacks it.
    void refuseDepth(int bitsPerPixel) { refusedDepth_ = bitsPerPixel; }
    void setClientOrigin(Point origin) { origin_ = origin; }
    Point clientOrigin() const override { return origin_; }

    // How many presentations there were, and the changed rectangles of the last one.
    int presentCount() const { return presentCount_; }
    const std::vector<Rect>& lastPresented() const { return lastPresented_; }

protected:
    DisplayResult openDevice(const DisplayMode& mode) override;
    void closeDevice() override {}
    void showChanged(std::span<const Rect> changed) override;

private:
    int refusedDepth_ = 0;
    Point origin_;
    int presentCount_ = 0;
    std::vector<Rect> lastPresented_;
};

} // namespace platform
