#pragma once

#include "platform/Cursors.h"

#include <array>
#include <memory>

namespace platform {

class HeadlessCursorShape : public CursorShape {
public:
    explicit HeadlessCursorShape(SystemCursor kind) : kind_(kind) {}
    SystemCursor kind() const { return kind_; }

private:
    SystemCursor kind_;
};

// A pointer without a screen: it keeps its shape, visibility, place and confinement for tests
// to read; injected mouse events move it.
class HeadlessCursors : public Cursors {
public:
    HeadlessCursors();

    const CursorShape* systemCursor(SystemCursor kind) override;
    void set(const CursorShape* shape) override;
    // The shape last set; none at first.
    const HeadlessCursorShape* current() const { return current_; }

    Point position() const override { return position_; }
    void moveTo(Point client) override { position_ = client; }
    void clipTo(const std::optional<Rect>& client) override { clip_ = client; }
    const std::optional<Rect>& clip() const { return clip_; }

protected:
    void applyVisibility(bool) override {}

private:
    std::array<std::unique_ptr<HeadlessCursorShape>, 3> shapes_;
    const HeadlessCursorShape* current_ = nullptr;
    Point position_;
    std::optional<Rect> clip_;
};

} // namespace platform
