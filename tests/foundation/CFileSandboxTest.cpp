#include "foundation/CFileSandbox.h"

#include "app/CCompiledFiles.h"
#include "app/CWindow.h"
#include "foundation/CConfig.h"
#include "foundation/CFile.h"
#include "foundation/CXArchive.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <utility>
#include <vector>

namespace {

// The application's folder set as the data-disc root, which the application sets to its own
// folder, and the folder the program started in elsewhere.
class FileSandbox : public testing::Test {
protected:
    FileSandbox()
    {
        CWindow::setCDPath(application.path().string().c_str());
        CWindow::rootPath = elsewhere.path().string().c_str();
    }
    ~FileSandbox() override
    {
        CWindow::setCDPath(savedCDPath_);
        CWindow::rootPath = savedRoot_;
    }

    bool admitsInside() const { return CFileSandbox::admits(application.file("save.dat")); }
    bool admitsOutside() const { return CFileSandbox::admits(elsewhere.file("save.dat")); }

    TempFolder application;
    TempFolder elsewhere;

private:
    CXString savedCDPath_ = CWindow::getCDPath();
    CXString savedRoot_ = CWindow::rootPath;
};

} // namespace

// Confinement holds on its own thread while its scope lives, through scopes that do not
// confine; other threads and the time after it go unconfined.
TEST_F(FileSandbox, ConfinementHoldsOnItsThreadWhileItsScopeLives)
{
    EXPECT_TRUE(admitsOutside());
    {
        const CFileSandbox::Scope confined(true);
        EXPECT_TRUE(admitsInside());
        EXPECT_FALSE(admitsOutside());
        {
            const CFileSandbox::Scope plain(false);
            EXPECT_FALSE(admitsOutside());
        }
        EXPECT_FALSE(admitsOutside());
        bool otherThread = false;
        std::thread([&] { otherThread = admitsOutside(); }).join();
        EXPECT_TRUE(otherThread);
    }
    EXPECT_TRUE(admitsOutside());
}

// Without a data-disc root the folder the program started in is the application's.
TEST_F(FileSandbox, TheStartFolderServesWhileNoDataRootIsSet)
{
    CWindow::setCDPath(CXString());
    const CFileSandbox::Scope confined(true);
    EXPECT_FALSE(admitsInside());
    EXPECT_TRUE(admitsOutside());
}

// Every way the engine reaches a file stops at the application's folder while code is
// confined: the same access works inside it.
TEST_F(FileSandbox, EveryFileAccessStopsAtTheFolder)
{
    using Access = std::function<bool(const TempFolder&)>;
    const auto name = [](const TempFolder& folder, const char* file) { return CXString(folder.file(file).c_str()); };
    const std::vector<std::pair<const char*, Access>> accesses = {
        {"writing a file",
         [&](const TempFolder& f) { return CFile(nullptr, name(f, "new.dat"), CFile::MODE_BINARY).LastError() == 0; }},
        {"writing a compiled file",
         [&](const TempFolder& f) {
             std::string cause;
             return CCompiledFiles::write(name(f, "new.bin"), [](CXArchive& archive) { archive << int32_t{1}; }, cause);
         }},
        {"finding a file", [&](const TempFolder& f) { return CFile::fileExists(name(f, "there.ini")); }},
        {"finding a folder", [](const TempFolder& f) { return CFile::dirExists(f.path().string().c_str()); }},
        {"locating a file", [&](const TempFolder& f) { return CFile::getPath(nullptr, name(f, "there.ini")).IsString(); }},
        {"listing a folder",
         [&](const TempFolder& f) {
             _finddata_t record;
             return CFile::findFirst(name(f, "*.ini"), &record) != -1;
         }},
    };
    for (const TempFolder* folder : {&application, &elsewhere})
        folder->write("there.ini", "[A]\nB=1\n");
    const CFileSandbox::Scope confined(true);
    for (const auto& [what, access] : accesses) {
        EXPECT_TRUE(access(application)) << what;
        EXPECT_FALSE(access(elsewhere)) << what;
    }
}

// The application's INI is named by the program's settings, not by the code, and may lie in the
// start folder beside a "-path" application: confined code keeps reading and writing its values.
TEST_F(FileSandbox, TheApplicationsIniStaysWithinReach)
{
    elsewhere.write("Kestrum.ini", "[A]\nB=1\n");
    CConfig ini(elsewhere.file("Kestrum.ini").c_str());
    const CFileSandbox::Scope confined(true);
    EXPECT_EQ(ini.GetInt("A", "B"), 1);
    EXPECT_TRUE(ini.PutInt("A", "B", 2));
    EXPECT_EQ(ini.GetInt("A", "B"), 2);
}
