#include "platform/Cursors.h"

namespace platform {

int Cursors::show()
{
    return changeDisplayCount(1);
}

int Cursors::hide()
{
    return changeDisplayCount(-1);
}

int Cursors::changeDisplayCount(int delta)
{
    const bool wasVisible = isVisible();
    displayCount_ += delta;
    if (isVisible() != wasVisible)
        applyVisibility(isVisible());
    return displayCount_;
}

} // namespace platform
