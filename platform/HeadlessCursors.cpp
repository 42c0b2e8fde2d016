#include "platform/HeadlessCursors.h"

namespace platform {

HeadlessCursors::HeadlessCursors()
{
    for (size_t i = 0; i < shapes_.size(); ++i)
        shapes_[i] = std::make_unique<HeadlessCursorShape>(static_cast<SystemCursor>(i));
}

const CursorShape* HeadlessCursors::systemCursor(SystemCursor kind)
{
    return shapes_.at(static_cast<size_t>(kind)).get();
}

void HeadlessCursors::set(const CursorShape* shape)
{
    if (const auto* own = dynamic_cast<const HeadlessCursorShape*>(shape))
        current_ = own;
}

} // namespace platform
