#include "platform/SdlBackend.h"

#include "platform/DebugOutput.h"

#include <SDL.h>

#include <string>

namespace platform {

SdlBackend::VideoSubsystem::VideoSubsystem()
    : started_(SDL_InitSubSystem(SDL_INIT_VIDEO) == 0)
{
    if (!started_) {
        debugOutput((std::string("SDL video: ") + SDL_GetError() + "\n").c_str());
        return;
    }
    // Characters come from the keyboard device's own tables, not from the system's text input.
    SDL_StopTextInput();
}

SdlBackend::VideoSubsystem::~VideoSubsystem()
{
    if (started_)
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::unique_ptr<SdlBackend> SdlBackend::create()
{
    std::unique_ptr<SdlBackend> backend(new SdlBackend());
    if (!backend->video_.started())
        return nullptr;
    return backend;
}

} // namespace platform
