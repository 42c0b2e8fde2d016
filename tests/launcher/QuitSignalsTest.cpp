#include "launcher/QuitSignals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

// In a child process that never reads the flag, as a program stuck inside a library: the first
// signal only asks, the second of the same kind ends it.
TEST(QuitSignals, TheFirstSignalAsksAndASecondEndsAProgramThatDoesNotAnswer)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const pid_t child = fork();
        if (child == 0) {
            const QuitSignals signals;
            std::raise(signal);
            if (!QuitSignals::requested())
                std::_Exit(1);
            std::raise(signal);
            std::_Exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    }
}

// A frame loop may sleep until its next work is due: the listener, which wakes it, hears of
// the first signal at once, on a thread of its own, and of the first only.
TEST(QuitSignals, TheListenerHearsOfTheFirstSignal)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const pid_t child = fork();
        if (child == 0) {
            std::atomic<int> heard{0};
            const QuitSignals signals;
            QuitSignals::setListener([&heard] { ++heard; });
            std::raise(signal);
            const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (heard == 0 && std::chrono::steady_clock::now() < giveUp)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            QuitSignals::setListener({});
            std::_Exit(heard == 1 ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
}
