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
    // Once asked, the signal's own ending is back: a second one ends a program whose frame loop
    // no longer answers, stuck where it cannot read the flag.
    action.sa_flags = SA_RESETHAND;
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
