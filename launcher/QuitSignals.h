#pragma once

#include <csignal>

// SIGINT and SIGTERM ask the program to end, as closing its window does: while an object of
// this class lives, the first of each signal only sets a flag that the frame loop reads; a
// second ends the program at once.
class QuitSignals {
public:
    QuitSignals();
    ~QuitSignals();
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    static bool requested();

private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};
