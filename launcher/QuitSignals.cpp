#include "launcher/QuitSignals.h"

#include <atomic>

namespace {

std::atomic<bool> quitRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set inside a signal handler");

extern "C" void requestQuit(int)
{
    quitRequested.store(true);
}

} // namespace

QuitSignals::QuitSignals()
{
    quitRequested.store(false);
    struct sigaction action {};
    action.sa_handler = requestQuit;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInterrupt_);
    sigaction(SIGTERM, &action, &previousTerminate_);
}

QuitSignals::~QuitSignals()
{
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTerminate_, nullptr);
}

bool QuitSignals::requested()
{
    return quitRequested.load();
}
