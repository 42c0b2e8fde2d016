#include "platform/SdlMessageBox.h"

#include "platform/Charset.h"

#include <SDL.h>

#include <cstdio>

namespace platform {

void SdlMessageBox::show(std::string_view cp1250Caption, std::string_view cp1250Text)
{
    const std::string caption = cp1250ToUtf8(cp1250Caption);
    const std::string text = cp1250ToUtf8(cp1250Text);
    if (SDL_ShowSimpleMessageBox(0, caption.c_str(), text.c_str(), display_.window()) != 0)
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

} // namespace platform
