#include "platform/DebugOutput.h"

#include <atomic>
#include <cstdio>

namespace platform {
namespace {
std::atomic<bool> enabled{false};
}

void setDebugOutputEnabled(bool on)
{
    enabled = on;
}

bool isDebugOutputEnabled()
{
    return enabled;
}

void debugOutput(const char* text)
{
    if (!enabled || text == nullptr)
        return;
    std::fputs(text, stderr);
    std::fflush(stderr);
}

} // namespace platform
