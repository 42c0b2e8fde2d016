#include "foundation/CConfig.h"

#include "launcher/ProgramRun.h"
#include "launcher/SamplePictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>

// The program Kestrum as a user starts it, on a copy of the sample application: DAWN and NOON
// each move on after 1.5 s, DUSK stays.

namespace {

namespace fs = std::filesystem;

const char* const kScenes[] = {"DAWN", "NOON", "DUSK"};

// The scenes' visits counted in the sample's INI.
std::vector<int> visits(const SampleCopy& sample)
{
    std::vector<int> played;
    const std::string ini = sample.file("Kestrum.ini");
    for (const char* scene : kScenes)
        played.push_back(CConfig(CXString(ini.c_str())).GetInt(CXString(scene), CXString("Played")));
    return played;
}

struct HeadlessRun {
    const char* frames;
    const char* background;
    std::vector<int> played;
};

// Headless, a frame moves the clock on by 10 ms: frame 100 is at 1 s, frame 225 at 2.25 s.
const HeadlessRun kHeadlessRuns[] = {
    {"100", "Dawn", {1, 0, 0}},
    {"225", "Noon", {1, 1, 0}},
    {"400", "Dusk", {1, 1, 1}},
};

} // namespace

TEST(KestrumProgram, RunsTheSampleHeadlessForItsFramesAndWritesTheLastOneAsPng)
{
    for (const HeadlessRun& run : kHeadlessRuns) {
        SCOPED_TRACE(run.background);
        SampleCopy sample;
        ProgramRun program(sample.path(), {"-nogfx", "-frames", run.frames, "-screenshot", "last.png"});
        EXPECT_EQ(program.exitCode(), 0) << program.errors();
        EXPECT_EQ(program.errors(), "");
        EXPECT_TRUE(showsBackgroundOf(sample.file("last.png"), run.background));
        EXPECT_EQ(visits(sample), run.played);
    }
}

TEST(KestrumProgram, StoredWith2binTheSampleRunsTheSameFromItsCompiledFiles)
{
    SampleCopy sample;
    ProgramRun fromText(sample.path(), {"-nogfx", "-frames", "400", "-screenshot", "text.png"});
    ASSERT_EQ(fromText.exitCode(), 0) << fromText.errors();

    ProgramRun store(sample.path(), {"-nogfx", "-2bin"});
    ASSERT_EQ(store.exitCode(), 0) << store.errors();
    ASSERT_TRUE(fs::exists(sample.file("Dane/application.bin")));
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(sample.path() / "Dane")) {
        const std::string extension = entry.path().extension().string();
        if (extension == ".def" || extension == ".cnv")
            fs::remove(entry.path());
    }

    ProgramRun compiled(sample.path(), {"-nogfx", "-frames", "400", "-screenshot", "compiled.png"});
    ASSERT_EQ(compiled.exitCode(), 0) << compiled.errors();
    EXPECT_EQ(sample.read("compiled.png"), sample.read("text.png"));
    EXPECT_TRUE(showsBackgroundOf(sample.file("compiled.png"), "Dusk"));
    EXPECT_EQ(visits(sample), std::vector<int>({2, 2, 2}));
}

namespace {

struct Refusal {
    const char* what;
    // Run in the sample's copy after it; empty when the sample stays as it is.
    void (*damage)(const SampleCopy&);
    std::vector<std::string> options;
    int exitCode;
    const char* message;
};

const Refusal kRefusals[] = {
    {"no application folder", nullptr, {"-nogfx", "-path", "Elsewhere"}, 1,
     "No application: there is no folder \"Elsewhere\"\n"},
    {"an empty data folder",
     [](const SampleCopy& sample) {
         fs::remove_all(sample.path() / "Dane");
         fs::create_directory(sample.path() / "Dane");
     },
     {"-nogfx"}, 1, "No application: application.def cannot be read or has no APPLICATION\n"},
    {"a damaged application.bin", [](const SampleCopy& sample) { sample.write("Dane/application.bin", "\x05\0\0\0SAM"); },
     {"-nogfx"}, 1, "No application: application.bin is damaged"},
    {"a display mode that no display has", nullptr, {"-nogfx", "-res", "-800", "600"}, 1,
     "Kestrum: the display cannot be opened"},
    {"a compiled file that cannot be written",
     [](const SampleCopy& sample) { fs::create_directory(sample.path() / "Dane" / "application.bin"); },
     {"-nogfx", "-2bin"}, 1, "The compiled application could not be written"},
    {"frames that are no number", nullptr, {"-nogfx", "-frames", "many"}, 2,
     "Kestrum: \"frames\" needs a whole number above 0, not \"many\"\n"},
    {"no frames", nullptr, {"-nogfx", "-frames", "0"}, 2,
     "Kestrum: \"frames\" needs a whole number above 0, not \"0\"\n"},
    {"a screenshot without a file", nullptr, {"-nogfx", "-screenshot"}, 2,
     "Kestrum: \"screenshot\" needs the name of a file\n"},
    {"a screenshot into a missing folder", nullptr, {"-nogfx", "-frames", "1", "-screenshot", "Missing/last.png"}, 1,
     "Kestrum: no screenshot: cannot write"},
};

} // namespace

TEST(KestrumProgram, RefusesToStartOrEndsWithOneLineNamingTheCause)
{
    for (const Refusal& refusal : kRefusals) {
        SCOPED_TRACE(refusal.what);
        SampleCopy sample;
        if (refusal.damage != nullptr)
            refusal.damage(sample);
        ProgramRun program(sample.path(), refusal.options);
        EXPECT_EQ(program.exitCode(), refusal.exitCode);
        const std::string errors = program.errors();
        EXPECT_EQ(errors.rfind(refusal.message, 0), 0u) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_FALSE(fs::exists(sample.file("Missing")));
    }
}

TEST(KestrumProgram, EndsInOrderOnSigintAndSigterm)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        SampleCopy sample;
        ProgramRun program(sample.path(), {"-nogfx"});
        ASSERT_TRUE(program.waitUntilCatching(signal));
        program.signal(signal);
        EXPECT_EQ(program.exitCode(), 0) << program.errors();
        // The application ended: its scene's visit is counted.
        EXPECT_EQ(visits(sample), std::vector<int>({1, 0, 0}));
    }
}

TEST(KestrumProgram, ListsTheScenesMenuOnStandardErrorWithDebug)
{
    SampleCopy sample;
    ProgramRun program(sample.path(), {"-nogfx", "-frames", "1", "-debug"});
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_NE(program.errors().find("Scenes menu \"SAMPLE\"\n  DAWN 0\n  NOON 1\n  DUSK 2\n"), std::string::npos)
        << program.errors();
}

// Run by CTest under xvfb-run: the program's SDL2 window, read back at the end.
TEST(LauncherOnX11, DISABLED_RunsTheSampleInAWindowAndReadsItsLastFrameBack)
{
    // SDL's own software renderer: the virtual X server has no graphics card to draw with.
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 1);
    SampleCopy sample;
    ProgramRun program(sample.path(), {"-window", "-frames", "400", "-screenshot", "window.png"});
    EXPECT_EQ(program.exitCode(), 0) << program.errors();
    // Real time runs at least 10 ms a frame: frame 400 comes after DUSK began at 3 s.
    EXPECT_TRUE(showsBackgroundOf(sample.file("window.png"), "Dusk"));
}
