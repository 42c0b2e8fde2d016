#include "launcher/QuitSignals.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
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
