#include "foundation/CConfig.h"

#include "launcher/EveryTypeApplication.h"
#include "launcher/ProgramRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// An application run from its compiled files (stored with "2bin", its definitions removed)
// behaves as it does from its definitions: the same scripted run gives the same shots, the same
// sound and the same INI, byte for byte.

namespace {

namespace fs = std::filesystem;

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path& file, const std::string& bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

struct Script {
    std::string input;
    const char* frames;
    std::string shots;
};

// The files of one headless scripted run in the application's folder, by name; the shots and the
// sound are taken away afterwards, and the INI is put back as it was before.
std::map<std::string, std::string> scriptedRun(const fs::path& folder, const Script& script, std::string* errors)
{
    const fs::path ini = folder / "Kestrum.ini";
    const std::string iniBefore = readBytes(ini);
    ProgramRun program(folder, {"-nogfx", "-input", script.input, "-frames", script.frames, "-shots", script.shots,
                                "-audio", "run.wav"});
    EXPECT_EQ(program.exitCode(), 0) << program.errors();
    *errors = program.errors();
    std::map<std::string, std::string> files;
    std::istringstream frames(script.shots);
    std::vector<std::string> names{"run.wav"};
    for (std::string frame; std::getline(frames, frame, ',');)
        names.push_back("shot-" + frame + ".png");
    for (const std::string& name : names) {
        files[name] = readBytes(folder / name);
        fs::remove(folder / name);
    }
    files["Kestrum.ini"] = readBytes(ini);
    writeBytes(ini, iniBefore);
    return files;
}

std::vector<fs::path> filesOf(const fs::path& folder, const std::vector<std::string>& extensions)
{
    std::vector<fs::path> found;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder / "Dane"))
        for (const std::string& extension : extensions)
            if (entry.path().extension() == extension)
                found.push_back(entry.path());
    return found;
}

// The run from the definitions; then "2bin", the definitions removed, the folder moved, and
// the run from the compiled files, which must give the same files.
std::map<std::string, std::string> expectTheSameRunFromCompiledFiles(const fs::path& folder, const Script& script)
{
    std::string errors;
    const std::map<std::string, std::string> fromText = scriptedRun(folder, script, &errors);
    EXPECT_EQ(errors, "");

    const std::string ini = readBytes(folder / "Kestrum.ini");
    ProgramRun store(folder, {"-nogfx", "-2bin"});
    EXPECT_EQ(store.exitCode(), 0) << store.errors();
    EXPECT_EQ(store.errors(), "");
    EXPECT_TRUE(readBytes(folder / "Kestrum.ini") == ini) << "storing changed the INI";
    EXPECT_TRUE(fs::exists(folder / "Dane" / "application.bin"));
    for (const fs::path& definition : filesOf(folder, {".def", ".cnv"}))
        fs::remove(definition);

    // Shipped: the compiled application runs wherever it is put.
    const fs::path shipped = folder.string() + "-shipped";
    fs::rename(folder, shipped);
    const std::map<std::string, std::string> fromCompiled = scriptedRun(shipped, script, &errors);
    fs::rename(shipped, folder);
    EXPECT_EQ(errors, "");
    for (const auto& [name, bytes] : fromText) {
        EXPECT_FALSE(bytes.empty()) << name;
        EXPECT_TRUE(fromCompiled.at(name) == bytes) << name << " differs from the definitions' run";
    }
    return fromText;
}

std::string iniText(const std::string& ini, const char* section, const char* key)
{
    TempFolder folder;
    folder.write("run.ini", ini);
    return CConfig(CXString(folder.file("run.ini").c_str())).GetString(CXString(section), CXString(key)).c_str();
}

const Script kEveryTypeScript{EveryTypeApplication::kScript, EveryTypeApplication::kFrames,
                              EveryTypeApplication::kShots};

} // namespace

TEST(CompiledRun, AnApplicationOfEveryTypeRunsFromItsCompiledFilesAsFromItsDefinitions)
{
    EveryTypeApplication application;
    const std::map<std::string, std::string> run = expectTheSameRunFromCompiledFiles(application.path(), kEveryTypeScript);
    // What the scene saw. Its "ONINIT" runs twice, as the scene's first object and as the
    // scene starts: the values, the expression's product once its operands are compiled, the
    // array's change, the queue's size; then the behaviour that its condition lets run, the
    // sequence's end, the button's action, the animation's end, the application's key A, the
    // limited timer, the scene's key B, the right click, the timer's second and last tick, and
    // the second scene's start twice. Never the disabled timer, nor the one without ELAPSE.
    EXPECT_EQ(iniText(run.at("Kestrum.ini"), "EVERY", "LOG"),
              "72.50000TRUEhello2.50000c1" "14072.50000TRUEhello2.50000c2" "sqpfAtBrt" "22");
}

TEST(CompiledRun, TheSampleRunsItsScriptFromItsCompiledFilesAsFromItsDefinitions)
{
    SampleCopy sample;
    const Script script{KESTRUM_SAMPLE_SCRIPT, "1000", "30,41,110,145,165,350,500,630,642"};
    expectTheSameRunFromCompiledFiles(sample.path(), script);
}

// What the compiled form cannot keep refuses the whole storing: each object named, and no
// compiled file nor the INI written or changed.
TEST(CompiledRun, StoringAnApplicationWithWhatItCannotKeepNamesItAndChangesNoFile)
{
    EveryTypeApplication application;
    ProgramRun first(application.path(), {"-nogfx", "-2bin"});
    ASSERT_EQ(first.exitCode(), 0) << first.errors();
    std::map<fs::path, std::string> stored;
    for (const fs::path& file : filesOf(application.path(), {".bin"}))
        stored[file] = readBytes(file);
    // The application's, the episode's and the two scenes'.
    ASSERT_EQ(stored.size(), 5u);

    const std::string scene = "Dane/Play/First/First.cnv";
    application.write(scene, application.read(scene) + "OBJECT=KIND\nKIND:TYPE=CLASS\n"
                                                       "OBJECT=TABLE\nTABLE:TYPE=MULTIARRAY\nTABLE:DIMENSIONS=2\n"
                                                       "OBJECT=POINT\nPOINT:TYPE=STRUCT\nPOINT:FIELDS=X<INTEGER>\n"
                                                       "OBJECT=BASE\nBASE:TYPE=DATABASE\n"
                                                       "OBJECT=SHADOW\nSHADOW:TYPE=VIRTUALGRAPHICSOBJECT\n"
                                                       "OBJECT=FILM\nFILM:TYPE=MOVIE\n");
    application.write("Dane/Every.cnv", application.read("Dane/Every.cnv") + "OBJECT=LOG\nLOG:VALUE=changed\n");
    const std::string ini = application.read("Kestrum.ini");
    ProgramRun refused(application.path(), {"-nogfx", "-forceCNV", "-2bin"});
    EXPECT_EQ(refused.exitCode(), 1);
    const std::string errors = refused.errors();
    EXPECT_NE(errors.find("Object KIND of FIRST not stored: type CLASS cannot be read back\n"), std::string::npos)
        << errors;
    EXPECT_NE(errors.find("Object TABLE of FIRST not stored: type MULTIARRAY cannot be read back\n"),
              std::string::npos)
        << errors;
    for (const char* name : {"POINT", "BASE", "SHADOW", "FILM"})
        EXPECT_NE(errors.find("Object " + std::string(name) + " of FIRST not stored: type "), std::string::npos) << errors;
    for (const auto& [file, bytes] : stored)
        EXPECT_TRUE(readBytes(file) == bytes) << file;
    EXPECT_EQ(filesOf(application.path(), {".bin"}).size(), stored.size());
    EXPECT_EQ(application.read("Kestrum.ini"), ini);
}
