#pragma once

#include <csignal>
#include <functional>
#include <thread>

// SIGINT and SIGTERM ask the program to end, as closing its window does: while an object of
// this class lives, the first of them only sets a flag that the frame loop reads and tells the
// listener; a second one ends the program at once.
class QuitSignals {
public:
    QuitSignals();
    ~QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    static bool requested();
    // Told on a thread of its own, right after the first signal, so that it may wake a frame
    // loop that sleeps until its next work is due. Replaces the listener set before; an empty
    // function sets none. While a call is in progress, setting another waits for it to end.
    static void setListener(std::function<void()> listener);

private:
    // Tells the listener of each request that the handler passes on, until the pipe closes.
    void relayRequests();

    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
    // The handler writes a byte for each request; relayRequests reads them.
    int requestPipe_[2] = {-1, -1};
    std::thread relay_;
};
