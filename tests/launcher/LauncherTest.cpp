#include "app/CWindow.h"
#include "foundation/CConfig.h"
#include "launcher/Launcher.h"
#include "platform/Backend.h"
#include "platform/HeadlessBackend.h"
#include "platform/PathResolver.h"

#include "CurrentFolderGuard.h"
#include "launcher/ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// The program's start-up driven in the test process on the headless display, from a folder
// that holds a copy of the sample application.

namespace {

namespace fs = std::filesystem;

// A 24-bit TGA picture of 2 x 3 pixels, rows top first.
std::string smallTga()
{
    std::string tga("\0\0\2\0\0\0\0\0\0\0\0\0\2\0\3\0\x18\x20", 18);
    return tga + std::string(2 * 3 * 3, '\x7F');
}

// The sample moved into the sub-folder "Game", below a folder whose "Kestrum.ini" is given.
void moveIntoGame(const SampleCopy& sample, const std::string& ini)
{
    fs::create_directory(sample.path() / "Game");
    fs::rename(sample.path() / "Dane", sample.path() / "Game" / "Dane");
    sample.write("Kestrum.ini", ini);
}

struct StartCase {
    const char* what;
    std::function<void(const SampleCopy&)> arrange;
    std::vector<std::string> options;
    // Start-up's exit code; none when the loop is to run.
    std::optional<int> stop;
    const char* title;
    int iconWidth;
    // The application's INI, where the scenes' visits are counted.
    const char* statistics;
};

const StartCase kStartCases[] = {
    {"no Kestrum.ini", [](const SampleCopy& sample) { fs::remove(sample.file("Kestrum.ini")); }, {}, std::nullopt,
     "OstivMedia", 48, "Kestrum.ini"},
    {"the sample's Kestrum.ini", nullptr, {}, std::nullopt, "Kestrum sample: a day in three scenes", 48, "Kestrum.ini"},
    {"TITLE, INI and ICON",
     [](const SampleCopy& sample) {
         sample.write("Kestrum.ini", "[MAIN]\r\nTITLE=Dawn to dusk\r\nINI=stats.ini\r\nICON=ICON.tga\r\n");
         sample.write("icon.TGA", smallTga());
     },
     {}, std::nullopt, "Dawn to dusk", 2, "stats.ini"},
    {"an ICON that does not read", [](const SampleCopy& sample) { sample.write("Kestrum.ini", "[MAIN]\nICON=none.tga\n"); },
     {}, std::nullopt, "OstivMedia", 48, "Kestrum.ini"},
    {"SUBDIR without \"path\"", [](const SampleCopy& sample) { moveIntoGame(sample, "[MAIN]\nSUBDIR=Game\n"); }, {},
     std::nullopt, "OstivMedia", 48, "Kestrum.ini"},
    {"SUBDIR beside \"path\"", [](const SampleCopy& sample) { moveIntoGame(sample, "[MAIN]\nSUBDIR=Nowhere\n"); },
     {"-path", "Game"}, std::nullopt, "OstivMedia", 48, "Kestrum.ini"},
    {"SUBDIR naming no folder", [](const SampleCopy& sample) { moveIntoGame(sample, "[MAIN]\nSUBDIR=Nowhere\n"); }, {},
     1, "OstivMedia", 48, nullptr},
};

class LauncherStart : public testing::Test {
protected:
    ~LauncherStart() override
    {
        CWindow::rootPath = savedRoot_;
        CWindow::exePath = savedExe_;
        CWindow::setCDPath(savedDisc_);
    }

    std::unique_ptr<Launcher> make(const SampleCopy& sample, const std::vector<std::string>& options)
    {
        platform::changeFolder(sample.path().string());
        std::vector<const char*> argv{"Kestrum", "-nogfx", "-frames", "1"};
        for (const std::string& option : options)
            argv.push_back(option.c_str());
        return std::make_unique<Launcher>(static_cast<int>(argv.size()), argv.data());
    }

private:
    CurrentFolderGuard guard_;
    CXString savedRoot_ = CWindow::rootPath;
    CXString savedExe_ = CWindow::exePath;
    CXString savedDisc_ = CWindow::getCDPath();
};

} // namespace

TEST_F(LauncherStart, ReadsKestrumIniForTheWindowAndTheApplication)
{
    for (const StartCase& start : kStartCases) {
        SCOPED_TRACE(start.what);
        SampleCopy sample;
        if (start.arrange)
            start.arrange(sample);
        std::unique_ptr<Launcher> launcher = make(sample, start.options);
        EXPECT_EQ(launcher->start(), start.stop);
        const platform::Display& display = launcher->backend()->display();
        EXPECT_EQ(display.title(), start.title);
        EXPECT_EQ(display.icon().width, start.iconWidth);
        // A program that cannot start never shows its window.
        EXPECT_EQ(display.isHidden(), start.stop.has_value());
        if (start.stop)
            continue;
        EXPECT_EQ(launcher->run(), Launcher::kExitOk);
        CConfig statistics(CXString(sample.file(start.statistics).c_str()));
        EXPECT_EQ(statistics.GetInt(CXString("TITLE"), CXString("Played")), 1);
    }
}

// Closed before its first frame wrote anything, the program still writes what start-up and the
// end gave its INI.
TEST_F(LauncherStart, ClosingTheWindowWritesWhatTheIniGathered)
{
    SampleCopy sample;
    platform::changeFolder(sample.path().string());
    const char* argv[] = {"Kestrum", "-nogfx"};
    Launcher launcher(2, argv);
    ASSERT_EQ(launcher.start(), std::nullopt);
    static_cast<platform::HeadlessBackend*>(launcher.backend())->events().inject(platform::Event::quit());
    EXPECT_EQ(launcher.run(), Launcher::kExitOk);
    CConfig ini(CXString(sample.file("Kestrum.ini").c_str()));
    EXPECT_EQ(ini.GetString(CXString("SAMPLE"), CXString("LOOPS")), "0");
    EXPECT_EQ(ini.GetInt(CXString("TITLE"), CXString("Played")), 1);
}
