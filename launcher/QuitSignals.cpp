#include "launcher/QuitSignals.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace {

std::atomic<bool> quitRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the flag is set inside a signal handler");
// Where the handler writes a request; -1 while no relay reads them.
std::atomic<int> requestWriter{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the descriptor is read inside a signal handler");

std::mutex listenerMutex;
std::function<void()> listener;

// The first signal asks for the orderly end and passes the request on to the relay, since a
// handler may do next to nothing itself; a second one ends the program at once, as the signal
// does by default, for a program that no longer comes round to its frame loop (one stuck in a
// load, say).
extern "C" void requestQuit(int number)
{
    if (!quitRequested.exchange(true)) {
        const int savedErrno = errno;
        const int writer = requestWriter.load();
        [[maybe_unused]] const ssize_t written = writer >= 0 ? ::write(writer, "q", 1) : 0;
        errno = savedErrno;
        return;
    }
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
    if (::pipe2(requestPipe_, O_CLOEXEC) == 0) {
        requestWriter.store(requestPipe_[1]);
        relay_ = std::thread(&QuitSignals::relayRequests, this);
    }
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
    requestWriter.store(-1);
    if (!relay_.joinable())
        return;
    // The closed pipe ends the relay.
    ::close(requestPipe_[1]);
    relay_.join();
    ::close(requestPipe_[0]);
}

bool QuitSignals::requested()
{
    return quitRequested.load();
}

void QuitSignals::setListener(std::function<void()> newListener)
{
    const std::lock_guard<std::mutex> lock(listenerMutex);
    listener = std::move(newListener);
}

void QuitSignals::relayRequests()
{
    char request = 0;
    for (;;) {
        const ssize_t count = ::read(requestPipe_[0], &request, 1);
        if (count == 0 || (count < 0 && errno != EINTR))
            return;
        if (count < 0)
            continue;
        const std::lock_guard<std::mutex> lock(listenerMutex);
        if (listener)
            listener();
    }
}
