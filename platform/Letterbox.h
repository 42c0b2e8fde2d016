#pragma once

#include "platform/Geometry.h"

namespace platform {

// Where the logical screen lands in a window of another size: scaled as large as it fits with
// its proportions kept, centred, bars filling the rest. Turns points between the window's
// pixels and the logical screen's, both ways.
class Letterbox {
public:
    Letterbox(int logicalWidth, int logicalHeight, int outputWidth, int outputHeight);

    // The logical screen's place in the output; empty when the output has no area.
    const Rect& viewport() const { return viewport_; }

    // A point outside the viewport gives a point outside the logical screen, as a pointer
    // outside a window's client area has client coordinates beyond its edges.
    Point toLogical(Point output) const;
    Point toOutput(Point logical) const;
    // The rectangle's edges, so that the output rectangle covers what the logical one covers.
    Rect toOutput(const Rect& logical) const;

private:
    int logicalWidth_;
    int logicalHeight_;
    Rect viewport_;
};

} // namespace platform
