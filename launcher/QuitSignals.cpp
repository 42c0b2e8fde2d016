#include "launcher/QuitSignals.h"

#include <atomic>

namespace {

std::atomic<bool> quitRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set inside a signal handler");

// The first signal asks for the orderly end; a second one ends the program at once, as the
// signal does by default, for a program that no longer comes round to its frame loop (one
// stuck in a load, say).
extern "C" void requestQuit(int number)
{
    if (!quitRequested.exchange(true))
        return;
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    sigaction(number, &byDefault, nullptr);
    raise(number);
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
