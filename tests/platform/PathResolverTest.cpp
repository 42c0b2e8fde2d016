#include "platform/FileSystem.h"
#include "platform/PathResolver.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

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
