#pragma once

#include "platform/Geometry.h"

#include <optional>

namespace platform {

// The system's own pointer shapes that the engine asks for by kind.
enum class SystemCursor { Arrow, Wait, Hand };

// A pointer shape of one back end; the back end that made it keeps it alive.
class CursorShape {
public:
    virtual ~CursorShape() = default;
};

// The mouse pointer: its shape, its visibility, its place and its confinement. Places are
// client coordinates of the logical screen. Main thread only.
class Cursors {
public:
    Cursors() = default;
    Cursors(const Cursors&) = delete;
    Cursors& operator=(const Cursors&) = delete;
    virtual ~Cursors() = default;

    // Null where the system offers no such shape.
    virtual const CursorShape* systemCursor(SystemCursor kind) = 0;
    // Shows the shape from now on; a null shape, or one of another back end, changes nothing.
    virtual void set(const CursorShape* shape) = 0;

    // The pointer is shown while a display count is 0 or more; the count starts at 0 and
    // show adds one, hide takes one away, so hides and shows must balance (as ShowCursor did
    // on Windows). Both give the new count.
    int show();
    int hide();
    bool isVisible() const { return displayCount_ >= 0; }

    virtual Point position() const = 0;
    virtual void moveTo(Point client) = 0;
    // Keeps the pointer inside the rectangle; none lets it go anywhere again.
    virtual void clipTo(const std::optional<Rect>& client) = 0;

protected:
    virtual void applyVisibility(bool visible) = 0;

private:
    int changeDisplayCount(int delta);

    int displayCount_ = 0;
};

} // namespace platform
