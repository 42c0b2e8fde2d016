#include "platform/Backend.h"

#include "platform/HeadlessBackend.h"
#include "platform/SdlBackend.h"

namespace platform {

std::unique_ptr<Backend> createBackend(const BackendOptions& options)
{
    if (!options.noGraphics) {
        if (std::unique_ptr<SdlBackend> sdl = SdlBackend::create())
            return sdl;
    }
    return std::make_unique<HeadlessBackend>(options.steppedTime ? HeadlessBackend::Time::Manual
                                                                 : HeadlessBackend::Time::System);
}

} // namespace platform
