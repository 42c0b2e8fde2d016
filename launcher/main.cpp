#include "launcher/Launcher.h"
#include "launcher/QuitSignals.h"

int main(int argc, char** argv)
{
    const QuitSignals signals;
    Launcher launcher(argc, argv);
    if (const std::optional<int> exitCode = launcher.start())
        return *exitCode;
    return launcher.run();
}
