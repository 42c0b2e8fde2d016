#include "platform/AlsaMessages.h"

#include "platform/DebugOutput.h"

#include <alsa/asoundlib.h>

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

namespace platform {
namespace {

void forwardMessage(const char*, int, const char* function, int error, const char* format, ...)
{
    if (!isDebugOutputEnabled())
        return;
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    std::string line = std::string("ALSA lib ") + (function != nullptr ? function : "") + ": " + text;
    if (error != 0)
        line += std::string(": ") + snd_strerror(error);
    debugOutput((line + "\n").c_str());
}

} // namespace

void routeAlsaMessages()
{
    static std::once_flag routed;
    std::call_once(routed, [] { snd_lib_error_set_handler(forwardMessage); });
}

} // namespace platform
