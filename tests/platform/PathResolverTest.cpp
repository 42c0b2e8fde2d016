#include "platform/FileSystem.h"
#include "platform/FolderListingCache.h"
#include "platform/PathResolver.h"
#include "platform/ProfileFile.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

class PathResolverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(temp.path() / "dane" / "scene1");
        temp.write("dane/scene1/bg.img", "image");
        ASSERT_TRUE(platform::changeFolder(root()));
    }

    std::string root() const { return temp.path().string(); }

    CurrentFolderGuard guard;
    TempFolder temp;
};

TEST_F(PathResolverTest, WindowsNamesFindTheirFilesIgnoringCase)
{
    const std::string bg = root() + "/dane/scene1/bg.img";
    EXPECT_EQ(platform::resolvePath("Dane\\Scene1\\BG.IMG"), bg);
    EXPECT_EQ(platform::resolvePath("dane/scene1/bg.img"), bg);
    EXPECT_EQ(platform::resolvePath(".\\DANE\\\\scene1\\..\\Scene1\\bg.img"), bg);
    EXPECT_EQ(platform::resolvePath(platform::toWindowsName(root()) + "\\DANE\\SCENE1\\Bg.Img"), bg);
    EXPECT_EQ(platform::resolvePath("C:" + platform::toWindowsName(root()) + "\\dane"), root() + "/dane");
}

TEST_F(PathResolverTest, AnExactNameWinsOverOneThatDiffersInCase)
{
    temp.write("dane/A.txt", "upper");
    temp.write("dane/a.txt", "lower");
    EXPECT_EQ(platform::resolvePath("dane\\A.txt"), root() + "/dane/A.txt");
    EXPECT_EQ(platform::resolvePath("dane\\a.txt"), root() + "/dane/a.txt");
}

TEST_F(PathResolverTest, MissingNamesAreKeptForCreation)
{
    EXPECT_EQ(platform::resolvePath("DANE\\new\\Save.dat"), root() + "/dane/new/Save.dat");
    EXPECT_EQ(platform::resolvePath("\\"), "/");
    EXPECT_EQ(platform::resolvePath("\\..\\.."), "/");
}

TEST_F(PathResolverTest, Windows1250NamesMatchUtf8NamesOnDisk)
{
    temp.write("dane/\xC5\xBC\xC3\xB3\xC5\x82w.txt", "x"); // "żółw.txt" in UTF-8
    EXPECT_EQ(platform::resolvePath("Dane\\\xAF\xD3\xA3W.TXT"), root() + "/dane/\xC5\xBC\xC3\xB3\xC5\x82w.txt");
    EXPECT_EQ(platform::resolvePath("dane\\\xBF\xF3\xB3w.txt"), root() + "/dane/\xC5\xBC\xC3\xB3\xC5\x82w.txt");
}

TEST_F(PathResolverTest, NamesOutsideTheCodePageKeepTheirBytesBothWays)
{
    const std::string cyrillic = "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD"; // "Иван"
    fs::create_directories(temp.path() / cyrillic);
    const std::string windowsName = platform::toWindowsName(root() + "/" + cyrillic);
    EXPECT_EQ(windowsName.substr(windowsName.size() - cyrillic.size()), cyrillic);
    EXPECT_EQ(platform::resolvePath(windowsName + "\\x"), root() + "/" + cyrillic + "/x");
    EXPECT_EQ(platform::toWindowsName(root() + "/dane/\xC5\xBC.txt").substr(windowsName.size() - cyrillic.size()),
              "dane\\\xBF.txt");
}

TEST_F(PathResolverTest, TheCurrentFolderChangesOnlyIntoFolders)
{
    EXPECT_TRUE(platform::changeFolder("DANE\\SCENE1"));
    EXPECT_EQ(platform::currentFolder(), root() + "/dane/scene1");
    EXPECT_EQ(platform::resolvePath("BG.img"), root() + "/dane/scene1/bg.img");
    EXPECT_FALSE(platform::changeFolder("bg.img"));
    EXPECT_FALSE(platform::changeFolder("nowhere"));
    EXPECT_EQ(platform::currentFolder(), root() + "/dane/scene1");
    EXPECT_TRUE(platform::changeFolder(".."));
    EXPECT_EQ(platform::currentFolder(), root() + "/dane");
}

TEST_F(PathResolverTest, TheCurrentFolderKeepsTheSpellingItWasEnteredWith)
{
    // Data paths are cut at "Dane" written the engine's way, also when the disk says "dane".
    EXPECT_TRUE(platform::changeFolder("Dane\\.\\Scene1\\"));
    EXPECT_EQ(platform::currentFolderName(), platform::toWindowsName(root()) + "\\Dane\\Scene1");
    EXPECT_TRUE(platform::changeFolder("C:\\"));
    EXPECT_EQ(platform::currentFolderName(), "\\");
    EXPECT_EQ(platform::currentFolder(), "/");
}

TEST_F(PathResolverTest, NamesThatDifferOnlyInCaseResolveToTheFirstInByteOrderEveryTime)
{
    temp.write("dane/foo.TXT", "");
    temp.write("dane/Foo.txt", "");
    temp.write("dane/FOO.txt", "");
    for (int look = 0; look < 3; ++look)
        EXPECT_EQ(platform::resolvePath("DANE\\fOO.txt"), root() + "/dane/FOO.txt") << look;
}

namespace {

// A change made to a folder by another program, and what wrong-case names resolve to after it.
struct ChangeBehindTheResolver {
    const char* what;
    std::function<void(const fs::path& folder)> change;
    std::vector<std::pair<std::string, std::string>> lookedUpAndFound;
};

} // namespace

TEST_F(PathResolverTest, ChangesMadeBehindTheResolverAreSeenRightAfter)
{
    const ChangeBehindTheResolver changes[] = {
        {"created", [](const fs::path& f) { ::close(::creat((f / "NewFile.txt").c_str(), 0644)); },
         {{"CASE\\NEWFILE.TXT", "case/NewFile.txt"}, {"CASE\\BG.IMG", "case/bg.img"}}},
        {"renamed", [](const fs::path& f) { ::rename((f / "bg.img").c_str(), (f / "Renamed.IMG").c_str()); },
         {{"CASE\\BG.IMG", "case/BG.IMG"}, {"CASE\\renamed.img", "case/Renamed.IMG"}}},
        {"deleted", [](const fs::path& f) { ::unlink((f / "bg.img").c_str()); }, {{"CASE\\Bg.Img", "case/Bg.Img"}}},
        {"twin added", [](const fs::path& f) { ::close(::creat((f / "BG.img").c_str(), 0644)); },
         {{"CASE\\Bg.Img", "case/BG.img"}}},
        {"folder made", [](const fs::path& f) { ::mkdir((f / "Sub").c_str(), 0755); },
         {{"CASE\\SUB\\X.TXT", "case/Sub/X.TXT"}}},
        {"folder removed", [](const fs::path& f) { fs::remove_all(f); },
         {{"case\\BG.IMG", "case/BG.IMG"}, {"CASE\\BG.IMG", "CASE/BG.IMG"}}},
    };
    // Folders that changed a moment ago and folders untouched for long are both watched.
    for (const bool old : {false, true}) {
        for (const ChangeBehindTheResolver& change : changes) {
            const fs::path folder = temp.path() / "case";
            fs::create_directories(folder);
            temp.write("case/bg.img", "");
            if (old)
                temp.makeOld("case");
            ASSERT_EQ(platform::resolvePath("CASE\\BG.IMG"), root() + "/case/bg.img");
            change.change(folder);
            for (const auto& [lookedUp, found] : change.lookedUpAndFound)
                EXPECT_EQ(platform::resolvePath(lookedUp), root() + "/" + found)
                    << change.what << (old ? " in an old folder" : "");
            fs::remove_all(folder);
        }
    }
}

TEST_F(PathResolverTest, FilesTheEngineWritesAreSeenAtOnce)
{
    // Even where the folder's time could not tell: the engine's own writes drop the listing.
    const std::string folder = root() + "/dane/scene1";
    struct Write {
        const char* what;
        std::function<bool()> write;
        const char* lookedUp;
        const char* found;
    };
    const Write writes[] = {
        {"file", [&] { return platform::FileStream::open(folder + "/Save.Dat", "wb")->commit(); },
         "DANE\\SCENE1\\SAVE.DAT", "Save.Dat"},
        {"discarded file", [&] { platform::FileStream::open(folder + "/Lost.Dat", "wb")->discard(); return true; },
         "DANE\\SCENE1\\LOST.DAT", "LOST.DAT"},
        {"copy", [&] { return platform::copyFile(folder + "/Save.Dat", folder + "/Copy.Dat"); },
         "dane\\scene1\\COPY.DAT", "Copy.Dat"},
        {"profile", [&] { return platform::writeProfileString(folder + "/Game.Ini", "Main", "Level", "2"); },
         "dane\\scene1\\GAME.INI", "Game.Ini"},
        {"appended file", [&] { return platform::FileStream::open(folder + "/Log.Txt", "a")->commit(); },
         "dane\\scene1\\log.txt", "Log.Txt"},
    };
    for (const Write& write : writes) {
        temp.makeOld("dane/scene1");
        ASSERT_EQ(platform::resolvePath("DANE\\SCENE1\\BG.IMG"), folder + "/bg.img");
        ASSERT_TRUE(platform::FolderListingCache::shared().holds(folder));
        ASSERT_TRUE(write.write()) << write.what;
        EXPECT_FALSE(platform::FolderListingCache::shared().holds(folder)) << write.what;
        EXPECT_EQ(platform::resolvePath(write.lookedUp), folder + "/" + write.found) << write.what;
    }
}

TEST_F(PathResolverTest, AFolderThatCannotBeReadAnyMoreFindsNothing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    const fs::path folder = temp.path() / "dane" / "scene1";
    ASSERT_EQ(platform::resolvePath("DANE\\SCENE1\\BG.IMG"), root() + "/dane/scene1/bg.img");
    fs::permissions(folder, fs::perms::none);
    EXPECT_EQ(platform::resolvePath("DANE\\SCENE1\\BG.IMG"), root() + "/dane/scene1/BG.IMG");
    fs::permissions(folder, fs::perms::owner_all);
}
