#pragma once

#include "platform/Cursors.h"
#include "platform/SdlDisplay.h"

#include <array>
#include <memory>

struct SDL_Cursor;

namespace platform {

class SdlCursorShape : public CursorShape {
public:
    explicit SdlCursorShape(SDL_Cursor* cursor) : cursor_(cursor) {}
    ~SdlCursorShape() override;
    SdlCursorShape(const SdlCursorShape&) = delete;
    SdlCursorShape& operator=(const SdlCursorShape&) = delete;
    SDL_Cursor* cursor() const { return cursor_; }

private:
    SDL_Cursor* cursor_;
};

// The pointer over the SDL window; places are turned between client coordinates of the
// logical screen and the window's own through the display's letterbox.
class SdlCursors : public Cursors {
public:
    explicit SdlCursors(const SdlDisplay& display);

    const CursorShape* systemCursor(SystemCursor kind) override;
    void set(const CursorShape* shape) override;

    Point position() const override;
    void moveTo(Point client) override;
    void clipTo(const std::optional<Rect>& client) override;

protected:
    void applyVisibility(bool visible) override;

private:
    const SdlDisplay& display_;
    std::array<std::unique_ptr<SdlCursorShape>, 3> systemShapes_;
};

} // namespace platform
