#include "foundation/CConfig.h"

#include "launcher/ProgramRun.h"
#include "launcher/SamplePictures.h"

#include "FileWrites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <thread>

// The program Kestrum as a user starts it, on a copy of the sample application: the title,
// the name scene, then the tour, where DAWN and NOON each move on after 1.5 s and DUSK stays.

namespace {

namespace fs = std::filesystem;

const char* const kScenes[] = {"TITLE", "NAME", "DAWN", "NOON", "DUSK"};

// The scenes' visits counted in the sample's INI.
std::vector<int> visits(const SampleCopy& sample)
{
    std::vector<int> played;
    const std::string ini = sample.file("Kestrum.ini");
    for (const char* scene : kScenes)
        played.push_back(CConfig(CXString(ini.c_str())).GetInt(CXString(scene), CXString("Played")));
    return played;
}

// RIGHT twice: from the title to the name scene at frame 10, into the tour at frame 20.
const char kIntoTheTour[] = "10 key down RIGHT\n11 key up RIGHT\n20 key down RIGHT\n21 key up RIGHT\n";

struct HeadlessRun {
    const char* frames;
    const char* background;
    std::vector<int> played;
    // Where the scene's animation shows over its background.
    std::optional<ScreenBox> animated;
};

// Headless, a frame moves the clock on by 10 ms: DAWN begins at frame 20, NOON 1.5 s later
// near frame 170, DUSK near frame 320.
const HeadlessRun kHeadlessRuns[] = {
    {"100", "Dawn", {1, 1, 1, 0, 0}, kDawnSunrays},
    {"250", "Noon", {1, 1, 1, 1, 0}, std::nullopt},
    {"400", "Dusk", {1, 1, 1, 1, 1}, std::nullopt},
};

// Every definition file of the copy without the objects of those types.
void removeObjects(const SampleCopy& sample, const std::vector<std::string>& types)
{
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(sample.path() / "Dane")) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".def" && extension != ".cnv")
            continue;
        const std::string file = fs::relative(entry.path(), sample.path()).string();
        std::vector<std::string> lines;
        std::set<std::string> removed;
        std::istringstream text(sample.read(file));
        for (std::string line; std::getline(text, line);) {
            lines.push_back(line);
            for (const std::string& type : types) {
                const size_t mark = line.find(":TYPE=" + type + "\r");
                if (mark != std::string::npos)
                    removed.insert(line.substr(0, mark));
            }
        }
        std::string kept;
        for (const std::string& line : lines) {
            const std::string name = line.rfind("OBJECT=", 0) == 0 ? line.substr(7, line.size() - 8)
                                                                    : line.substr(0, line.find(':'));
            if (!removed.contains(name))
                kept += line + "\n";
        }
        sample.write(file, kept);
    }
}

} // namespace

TEST(KestrumProgram, TheArrowKeysLeadIntoTheTourWhoseScenesShowTheirBackgrounds)
{
    for (const HeadlessRun& run : kHeadlessRuns) {
        SCOPED_TRACE(run.background);
        SampleCopy sample;
        sample.write("input.txt", kIntoTheTour);
        ProgramRun program(sample.path(), {"-nogfx", "-input", "input.txt", "-frames", run.frames, "-screenshot", "last.png"});
        EXPECT_EQ(program.exitCode(), 0) << program.errors();
        EXPECT_EQ(program.errors(), "");
        EXPECT_TRUE(showsBackgroundOf(sample.file("last.png"), run.background, run.animated));
        if (run.animated) {
            EXPECT_FALSE(showsBackgroundOf(sample.file("last.png"), run.background));
        }
        EXPECT_EQ(visits(sample), run.played);
    }
}

// The sample's INI takes its statistics, its values kept with TOINI and the player's name: the
// changes of a frame reach it in one replacement at the frame's end, and those of the end in
// one more.
TEST(KestrumProgram, TheSamplesIniIsReplacedOnceAFrameAtMostAndOnceAtTheEnd)
{
    const struct {
        const char* frames;
        int mostWrites;
    } runs[] = {
        // The values kept with TOINI, set at start-up; the statistics of the end.
        {"1", 2},
        // Besides, the four scene changes of the tour.
        {"400", 6},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.frames);
        SampleCopy sample;
        sample.write("input.txt", kIntoTheTour);
        FileWrites writes(sample.path(), "Kestrum.ini");
        ProgramRun program(sample.path(), {"-nogfx", "-input", "input.txt", "-frames", run.frames});
        ASSERT_EQ(program.exitCode(), 0) << program.errors();
        EXPECT_LE(writes.take(), run.mostWrites);
        EXPECT_EQ(CConfig(CXString(sample.file("Kestrum.ini").c_str())).GetString("SAMPLE", "LOOPS"), "0");
    }
}

// The compiled files of an application whose scene ROOM has no folder: every line names the
// file as the disk does, and why it was not written.
TEST(KestrumProgram, StoringWith2binNamesTheFilesThatCannotBeWrittenAndWhy)
{
    const ApplicationFolder game({{"application.def", "OBJECT=APP\nAPP:TYPE=APPLICATION\nAPP:EPISODES=EP\n"
                                                      "OBJECT=EP\nEP:TYPE=EPISODE\nEP:PATH=ep\nEP:SCENES=ROOM\n"
                                                      "OBJECT=ROOM\nROOM:TYPE=SCENE\nROOM:PATH=ep\\room\n"},
                                  {"ep/EP.cnv", ""}});
    const std::string data = (fs::canonical(game.path()) / "Dane").string();
    ProgramRun store(game.path(), {"-nogfx", "-2bin"});
    EXPECT_EQ(store.exitCode(), 1);
    EXPECT_EQ(store.errors(), "Node ROOM not stored: cannot write \"" + data + "/ep/room/ROOM.bin\": there is no folder \"" +
                                  data + "/ep/room\"\n"
                                  "The compiled application was not stored: cannot write \"" + data +
                                  "/application.bin\": a part of it was not stored; no file was changed\n");

    fs::create_directory(game.path() / "Dane" / "ep" / "room");
    fs::create_directory(game.path() / "Dane" / "application.bin");
    ProgramRun storeOnAFolder(game.path(), {"-nogfx", "-2bin"});
    EXPECT_EQ(storeOnAFolder.exitCode(), 1);
    EXPECT_EQ(storeOnAFolder.errors(), "The compiled application could not be written: cannot write \"" + data +
                                           "/application.bin\": Is a directory; no file was changed\n");
    EXPECT_FALSE(fs::exists(game.path() / "Dane" / "ep" / "room" / "ROOM.bin"));
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
    {"an application folder without \"Dane\"", [](const SampleCopy& sample) { fs::remove_all(sample.path() / "Dane"); },
     {"-nogfx"}, 1, "No application: there is no folder \"Dane\"\n"},
    {"a damaged application.bin", [](const SampleCopy& sample) { sample.write("Dane/application.bin", "\x05\0\0\0SAM"); },
     {"-nogfx"}, 1, "No application: application.bin is damaged"},
    {"a display mode that no display has", nullptr, {"-nogfx", "-res", "-800", "600"}, 1,
     "Kestrum: the display cannot be opened"},
    {"a compiled file that cannot be written",
     [](const SampleCopy& sample) {
         removeObjects(sample, {"FONT", "TEXT"});
         fs::create_directory(sample.path() / "Dane" / "application.bin");
     },
     {"-nogfx", "-2bin"}, 1, "The compiled application could not be written"},
    {"frames that are no number", nullptr, {"-nogfx", "-frames", "many"}, 2,
     "Kestrum: \"frames\" needs a whole number above 0, not \"many\"\n"},
    {"no frames", nullptr, {"-nogfx", "-frames", "0"}, 2,
     "Kestrum: \"frames\" needs a whole number above 0, not \"0\"\n"},
    {"a screenshot without a file", nullptr, {"-nogfx", "-screenshot"}, 2,
     "Kestrum: \"screenshot\" needs the name of a file\n"},
    {"a screenshot into a missing folder", nullptr, {"-nogfx", "-frames", "1", "-screenshot", "Missing/last.png"}, 1,
     "Kestrum: no screenshot: cannot write"},
    {"an input file that is missing", nullptr, {"-nogfx", "-input", "none.txt"}, 2,
     "Kestrum: \"input\" cannot read \"none.txt\"\n"},
    {"an input line that does not parse", [](const SampleCopy& sample) { sample.write("in.txt", "5 key down A\n6 jump\n"); },
     {"-nogfx", "-input", "in.txt"}, 2, "Kestrum: \"input\" line 2: no event \"jump\": key, move, press or release\n"},
    {"an input line without its frame", [](const SampleCopy& sample) { sample.write("in.txt", "move 1 2\r\n"); },
     {"-nogfx", "-input", "in.txt"}, 2,
     "Kestrum: \"input\" line 1: a line starts with its frame, a whole number above 0\n"},
    {"an unknown key", [](const SampleCopy& sample) { sample.write("in.txt", "# keys\n\n3 key down ENTR\n"); },
     {"-nogfx", "-input", "in.txt"}, 2, "Kestrum: \"input\" line 3: unknown key \"ENTR\"\n"},
    {"an unknown button", [](const SampleCopy& sample) { sample.write("in.txt", "3 press left\n"); },
     {"-nogfx", "-input", "in.txt"}, 2, "Kestrum: \"input\" line 1: unknown button \"left\"\n"},
    {"a move without its place", [](const SampleCopy& sample) { sample.write("in.txt", "3 move 10\n"); },
     {"-nogfx", "-input", "in.txt"}, 2, "Kestrum: \"input\" line 1: \"move\" is followed by x and y\n"},
    {"an input line with more after its event", [](const SampleCopy& sample) { sample.write("in.txt", "3 key up A B\n"); },
     {"-nogfx", "-input", "in.txt"}, 2, "Kestrum: \"input\" line 1: \"B\" is too much\n"},
    {"input that goes back in frames", [](const SampleCopy& sample) { sample.write("in.txt", "30 move 1 2\n20 press LEFT\n"); },
     {"-nogfx", "-input", "in.txt"}, 2, "Kestrum: \"input\" line 2: frame 20 comes after frame 30\n"},
    {"shots that are no frames", nullptr, {"-nogfx", "-shots", "5,,6"}, 2,
     "Kestrum: \"shots\" needs frames, whole numbers above 0 separated by commas, not \"5,,6\"\n"},
    {"a shot that cannot be written", [](const SampleCopy& sample) { fs::create_directory(sample.path() / "shot-3.png"); },
     {"-nogfx", "-frames", "10", "-shots", "3,4"}, 1, "Kestrum: no shot: cannot write"},
    {"frame times without a file", nullptr, {"-nogfx", "-frametimes"}, 2,
     "Kestrum: \"frametimes\" needs the name of a file\n"},
    {"a sound file without its name", nullptr, {"-nogfx", "-audio"}, 2,
     "Kestrum: \"audio\" needs the name of a file\n"},
    {"a sound file into a missing folder", nullptr, {"-nogfx", "-frames", "5", "-audio", "Missing/run.wav"}, 1,
     "Kestrum: not written: cannot write"},
};

// The names in the sample's folder.
std::set<std::string> entries(const SampleCopy& sample)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(sample.path()))
        names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(KestrumProgram, RefusesToStartOrEndsWithOneLineNamingTheCause)
{
    for (const Refusal& refusal : kRefusals) {
        SCOPED_TRACE(refusal.what);
        SampleCopy sample;
        if (refusal.damage != nullptr)
            refusal.damage(sample);
        const std::set<std::string> before = entries(sample);
        ProgramRun program(sample.path(), refusal.options);
        EXPECT_EQ(program.exitCode(), refusal.exitCode);
        const std::string errors = program.errors();
        EXPECT_EQ(errors.rfind(refusal.message, 0), 0u) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        // Nothing was left behind, and no part of a file.
        EXPECT_EQ(entries(sample), before);
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
        EXPECT_EQ(visits(sample), std::vector<int>({1, 0, 0, 0, 0}));
    }
}

// The frames' writes are on the disk while the program runs, the end's once it ended in order.
TEST(KestrumProgram, TheIniHoldsWhatTheFramesWroteAndOnSigintOrSigtermWhatTheEndWrote)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        SampleCopy sample;
        auto loops = [&sample] { return CConfig(CXString(sample.file("Kestrum.ini").c_str())).GetString("SAMPLE", "LOOPS"); };
        ProgramRun program(sample.path(), {"-nogfx"});
        ASSERT_TRUE(program.waitUntilCatching(signal));
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (loops() != "0" && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(loops(), "0");
        EXPECT_EQ(visits(sample), std::vector<int>({0, 0, 0, 0, 0}));
        program.signal(signal);
        EXPECT_EQ(program.exitCode(), 0) << program.errors();
        EXPECT_EQ(visits(sample), std::vector<int>({1, 0, 0, 0, 0}));
    }
}

// A second signal may end the program while a frame replaces its INI: the INI is then the one
// before or the one after, whole, never a part of one.
TEST(KestrumProgram, ASecondSignalLeavesTheIniWhole)
{
    const std::string big = "[BIG]\r\nV=" + std::string(2 << 20, 'x') + "\r\n";
    for (const int signal : {SIGINT, SIGTERM, SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const ApplicationFolder counting(
            {{"application.def", "OBJECT=APP\nAPP:TYPE=APPLICATION\n"},
             {"APP.cnv", "OBJECT=N\nN:TYPE=INTEGER\nN:VALUE=0\nN:TOINI=TRUE\n"
                         "OBJECT=__INIT__\n__INIT__:TYPE=BEHAVIOUR\n__INIT__:CODE={@RUNONTIMER(1,0,{N^INC();});}\n"}});
        const std::string file = (counting.path() / "Kestrum.ini").string();
        std::ofstream(file, std::ios::binary) << big;
        ProgramRun program(counting.path(), {"-nogfx"});
        ASSERT_TRUE(program.waitUntilCatching(signal));
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (CConfig(CXString(file.c_str())).GetInt("APP", "N") < 3 && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        program.signal(signal);
        EXPECT_TRUE(program.waitUntilDelivered(signal));
        program.signal(signal);
        EXPECT_TRUE(program.waitForEnd(10));
        std::ifstream in(file, std::ios::binary);
        const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(written.substr(0, big.size()), big);
        const std::string rest = written.substr(std::min(big.size(), written.size()));
        EXPECT_TRUE(rest.rfind("\r\n[APP]\r\nN=", 0) == 0 && rest.size() > 13 && rest.ends_with("\r\n")) << rest;
        EXPECT_GE(CConfig(CXString(file.c_str())).GetInt("APP", "N"), 3);
    }
}

// A program stuck in its load never comes round to ending in order.
TEST(KestrumProgram, ASecondSigintOrSigtermEndsItAtOnce)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        const ApplicationFolder stuck({{"application.def", "OBJECT=APP\nAPP:TYPE=APPLICATION\n"},
                                       {"APP.cnv", "OBJECT=APP\nAPP:ONINIT={SYSTEM^DELAY(60000);}\n"}});
        ProgramRun program(stuck.path(), {"-nogfx"});
        ASSERT_TRUE(program.waitUntilCatching(signal));
        program.signal(signal);
        EXPECT_TRUE(program.waitUntilDelivered(signal));
        program.signal(signal);
        EXPECT_TRUE(program.waitForEnd(10));
        program.signal(SIGKILL);
        EXPECT_NE(program.exitCode(), 0);
    }
}

// What waits in the deferred-delete bin at the end is deleted: the sanitizer build finds no
// leak. The timer run ends, the clones and the loaded file go, within the first frames; the
// bin's own timer would come only after 10 s.
TEST(KestrumProgram, EndsWithoutLeavingTheDeferredDeletionsUndone)
{
    const ApplicationFolder game(
        {{"application.def", "OBJECT=APP\nAPP:TYPE=APPLICATION\nAPP:EPISODES=EP\n"
                             "OBJECT=EP\nEP:TYPE=EPISODE\nEP:PATH=ep\nEP:SCENES=ROOM\n"
                             "OBJECT=ROOM\nROOM:TYPE=SCENE\nROOM:PATH=ep\\room\n"},
         {"ep/room/ROOM.cnv", "OBJECT=A\nA:TYPE=INTEGER\nA:VALUE=0\n"
                              "OBJECT=__INIT__\n__INIT__:TYPE=BEHAVIOUR\n__INIT__:CODE={@RUNONTIMER(10,2,{A^INC();});"
                              "A^CLONE(3);ROOM^REMOVECLONES(\"A\",1,2);"
                              "CNVLOADER^LOAD(\"extra.cnv\");CNVLOADER^RELEASE(\"extra.cnv\");}\n"},
         {"ep/room/extra.cnv", "OBJECT=B\nB:TYPE=INTEGER\n"}});
    ProgramRun program(game.path(), {"-nogfx", "-frames", "20"});
    EXPECT_EQ(program.exitCode(), 0) << program.errors();
    EXPECT_EQ(program.errors(), "");
}

TEST(KestrumProgram, ListsTheScenesMenuOnStandardErrorWithDebug)
{
    SampleCopy sample;
    ProgramRun program(sample.path(), {"-nogfx", "-frames", "1", "-debug"});
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_NE(program.errors().find("Scenes menu \"SAMPLE\"\n  TITLE 0\n  NAME 1\n  DAWN 2\n  NOON 3\n  DUSK 4\n"), std::string::npos)
        << program.errors();
}

// Run by CTest under xvfb-run: the program's SDL2 window, read back at the end, shows what the
// headless run shows of the title.
TEST(LauncherOnX11, DISABLED_RunsTheSampleInAWindowAndReadsItsLastFrameBack)
{
    SampleCopy sample;
    ProgramRun headless(sample.path(), {"-nogfx", "-frames", "50", "-screenshot", "headless.png"});
    ASSERT_EQ(headless.exitCode(), 0) << headless.errors();
    useSdlOnXvfb();
    ProgramRun program(sample.path(), {"-window", "-frames", "100", "-screenshot", "window.png"});
    EXPECT_EQ(program.exitCode(), 0) << program.errors();
    EXPECT_TRUE(sameAt565(sample.file("window.png"), sample.file("headless.png")));
}

TEST(LauncherOnX11, DISABLED_RefusesScriptedInputAndSoundWhereADisplayOpens)
{
    useSdlOnXvfb();
    for (const char* option : {"-input", "-audio"}) {
        SCOPED_TRACE(option);
        SampleCopy sample;
        sample.write("in.txt", "1 move 1 1\n");
        ProgramRun program(sample.path(), {"-window", option, "in.txt", "-frames", "10"});
        EXPECT_EQ(program.exitCode(), 2);
        const std::string errors = program.errors();
        EXPECT_EQ(errors.rfind("Kestrum: \"input\" and \"audio\" need the headless back end (\"nogfx\")\n", 0), 0u)
            << errors;
    }
}

// Run by CTest under xvfb-run, with ALSA asked for a card that is not there: the program runs
// silent and says so in one line of its own, the cause only with "debug"; switched off, sound
// is not missed.
TEST(LauncherOnX11, DISABLED_WithoutASoundDeviceItRunsSilentAndSaysSoInOneLine)
{
    useSdlOnXvfb();
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    setenv("AUDIODEV", "hw:57", 1);
    const std::string silent = "Kestrum: no sound device opens; running silent\n";
    const struct {
        std::vector<std::string> options;
        bool said;
        bool cause;
    } runs[] = {
        {{"-window", "-frames", "20"}, true, false},
        {{"-window", "-frames", "20", "-debug"}, true, true},
        {{"-window", "-frames", "20", "-nosound"}, false, false},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.options.back());
        SampleCopy sample;
        ProgramRun program(sample.path(), run.options);
        EXPECT_EQ(program.exitCode(), 0);
        const std::string errors = program.errors();
        EXPECT_EQ(errors.find(silent) != std::string::npos, run.said) << errors;
        EXPECT_EQ(errors.find("SDL audio: ") != std::string::npos, run.cause) << errors;
        if (!run.cause) {
            EXPECT_EQ(errors.find("ALSA lib"), std::string::npos) << errors;
            EXPECT_EQ(errors.rfind(run.said ? silent : "", 0), 0u) << errors;
        }
    }
    unsetenv("AUDIODEV");
}

// Run by CTest under xvfb-run: over the still title, with nothing that wants frames but the
// screen unit's timer of a second, the window runs next to no frames; its frame times file has
// a line per frame.
TEST(LauncherOnX11, DISABLED_AStillSceneSleepsBetweenTheFramesThatHaveWork)
{
    useSdlOnXvfb();
    SampleCopy sample;
    ProgramRun program(sample.path(), {"-window", "-frametimes", "times.txt"});
    ASSERT_TRUE(program.waitUntilCatching(SIGTERM));
    std::this_thread::sleep_for(std::chrono::seconds(2));
    program.signal(SIGTERM);
    EXPECT_EQ(program.exitCode(), 0) << program.errors();
    const std::string times = sample.read("times.txt");
    EXPECT_LT(std::count(times.begin(), times.end(), '\n'), 30) << "frames every 10 ms would give some 200";
}
