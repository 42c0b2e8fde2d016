#include "media/CMC_Mouse.h"

#include "app/CWindow.h"
#include "platform/Backend.h"

#include <optional>

CXRect CMC_Mouse::clipRect_;

namespace {

platform::Backend* backendOfTheWindow()
{
    CWindow* window = CWindow::getInstance();
    return window != nullptr ? window->getBackend() : nullptr;
}

} // namespace

void CMC_Mouse::restore()
{
    platform::Backend* backend = backendOfTheWindow();
    if (backend == nullptr)
        return;
    if (clipRect_.Width() == 0 || clipRect_.Height() == 0) {
        backend->cursors().clipTo(std::nullopt);
        return;
    }
    const platform::Point origin = backend->display().clientOrigin();
    backend->cursors().clipTo(platform::Rect{clipRect_.left - origin.x, clipRect_.top - origin.y,
                                             clipRect_.right - origin.x, clipRect_.bottom - origin.y});
}

void CMC_Mouse::reset(bool forget)
{
    if (forget)
        clipRect_ = CXRect();
    if (platform::Backend* backend = backendOfTheWindow())
        backend->cursors().clipTo(std::nullopt);
}
