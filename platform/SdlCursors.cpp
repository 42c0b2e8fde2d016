#include "platform/SdlCursors.h"

#include <SDL.h>

namespace platform {
namespace {

SDL_SystemCursor sdlCursorOf(SystemCursor kind)
{
    switch (kind) {
    case SystemCursor::Wait:
        return SDL_SYSTEM_CURSOR_WAIT;
    case SystemCursor::Hand:
        return SDL_SYSTEM_CURSOR_HAND;
    case SystemCursor::Arrow:
        break;
    }
    return SDL_SYSTEM_CURSOR_ARROW;
}

} // namespace

SdlCursorShape::~SdlCursorShape()
{
    SDL_FreeCursor(cursor_);
}

SdlCursors::SdlCursors(const SdlDisplay& display)
    : display_(display)
{
}

const CursorShape* SdlCursors::systemCursor(SystemCursor kind)
{
    std::unique_ptr<SdlCursorShape>& shape = systemShapes_.at(static_cast<size_t>(kind));
    if (!shape) {
        SDL_Cursor* cursor = SDL_CreateSystemCursor(sdlCursorOf(kind));
        if (cursor == nullptr)
            return nullptr;
        shape = std::make_unique<SdlCursorShape>(cursor);
    }
    return shape.get();
}

void SdlCursors::set(const CursorShape* shape)
{
    if (const auto* own = dynamic_cast<const SdlCursorShape*>(shape))
        SDL_SetCursor(own->cursor());
}

Point SdlCursors::position() const
{
    Point window;
    SDL_GetMouseState(&window.x, &window.y);
    return display_.letterbox().toLogical(window);
}

void SdlCursors::moveTo(Point client)
{
    if (display_.window() == nullptr)
        return;
    const Point window = display_.letterbox().toOutput(client);
    SDL_WarpMouseInWindow(display_.window(), window.x, window.y);
}

void SdlCursors::clipTo(const std::optional<Rect>& client)
{
    if (display_.window() == nullptr)
        return;
    if (!client) {
        SDL_SetWindowMouseRect(display_.window(), nullptr);
        return;
    }
    const Rect window = display_.letterbox().toOutput(*client);
    const SDL_Rect area{window.left, window.top, window.width(), window.height()};
    SDL_SetWindowMouseRect(display_.window(), &area);
}

void SdlCursors::applyVisibility(bool visible)
{
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

} // namespace platform
