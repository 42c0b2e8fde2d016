#include "foundation/CFile.h"
#include "foundation/CFolder.h"
#include "foundation/CXArray.h"
#include "platform/PathResolver.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class FolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(temp.path() / "Data" / "A.x" / "A.+menu");
        fs::create_directories(temp.path() / "Data" / "B.xyz");
        fs::create_directories(temp.path() / "Data" / "C.+");
        temp.write("Data/readme.txt", "12345");
        temp.write("Data/A.txt", "");
        temp.write("Data/B.txt", "");
        temp.write("Data/A.x/a.txt", "");
        ASSERT_TRUE(platform::changeFolder(temp.path().string()));
        start = CFile::getCurrentDirectory();
    }

    std::vector<std::string> names(CXArray* list)
    {
        std::vector<std::string> out;
        for (int i = 0; i < list->getCount(); ++i)
            out.push_back(list->stringAt(i)->c_str());
        CFolder::releaseFilesList(list);
        return out;
    }

    CurrentFolderGuard guard;
    TempFolder temp;
    CXString start;
};

} // namespace

TEST_F(FolderTest, ListingIncludesTheDotEntries)
{
    CFolder folder(nullptr, "data");
    EXPECT_EQ(folder.getPath(), start + "data\\");
    EXPECT_EQ(CFile::getCurrentDirectory(), start + "data\\");
    EXPECT_EQ(names(folder.list("*.*")), (std::vector<std::string>{".", "..", "A.txt", "A.x", "B.txt", "B.xyz", "C.+", "readme.txt"}));
    EXPECT_EQ(names(folder.list("r*.txt")), std::vector<std::string>{"readme.txt"});
    CXArray* none = folder.list("*.none");
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->getCount(), 0);
    CFolder::releaseFilesList(none);
    CFolder::releaseFilesList(nullptr);
    folder.back();
    EXPECT_EQ(CFile::getCurrentDirectory(), start);
}

TEST_F(FolderTest, TheCurrentFolderText)
{
    CFolder absolute(nullptr, CXString(platform::currentFolderName().c_str()) + "\\Data");
    EXPECT_EQ(absolute.getPath(), start + "Data");
    CFolder missing(nullptr, "nowhere");
    EXPECT_EQ(missing.getPath(), start + "Data\\");
    absolute.back();
    EXPECT_EQ(CFolder(nullptr).getPath(), platform::currentFolderName().c_str());
}

TEST_F(FolderTest, SearchesForFoldersAndFiles)
{
    CFolder folder(nullptr, "Data");
    EXPECT_EQ(folder.GetFolderName("*.*"), ".");
    EXPECT_EQ(folder.GetNextFileName(), "..");
    EXPECT_EQ(folder.GetFolderName("*.txt"), "");
    // A folder search skips the files before the first folder; later entries are of any kind.
    EXPECT_EQ(folder.GetFolderName("*x*"), "A.x");
    EXPECT_EQ(folder.GetNextFileName(), "B.txt");
    EXPECT_EQ(folder.GetFileName("r*"), "readme.txt");
    EXPECT_EQ(folder.GetNextFileName(), "");
    EXPECT_TRUE(folder.IsDirectory("b.XYZ"));
    EXPECT_FALSE(folder.IsDirectory("readme.txt"));
    EXPECT_FALSE(folder.IsDirectory("nothing"));
    EXPECT_EQ(folder.GetSize("README.TXT"), 5);
    EXPECT_EQ(folder.GetSize("nothing"), 0);
}

TEST_F(FolderTest, LetteredFoldersAreWalkedByIndex)
{
    CFolder folder(nullptr, "Data");
    folder.GoStart();
    EXPECT_EQ(folder.GoTo(0), "x");
    EXPECT_EQ(folder.GoTo(0), "menu");
    EXPECT_TRUE(CFile::fileExists("..\\a.txt"));
    EXPECT_EQ(folder.GoUp(), "x");
    EXPECT_TRUE(CFile::fileExists("a.txt"));
    EXPECT_EQ(folder.GoUp(), "");
    EXPECT_EQ(folder.GoTo(1), "x");
    EXPECT_EQ(folder.GoUp(), "");
    EXPECT_EQ(folder.GoTo(2), "");
    EXPECT_EQ(CFile::getCurrentDirectory(), start + "Data\\C.+\\");
    EXPECT_EQ(folder.GoUp(), "");
    // No folder for the letter, or an index outside A to Z: nothing changes.
    EXPECT_EQ(folder.GoTo(3), "");
    EXPECT_EQ(folder.GoTo(26), "");
    EXPECT_EQ(folder.GoTo(-1), "");
    EXPECT_EQ(CFile::getCurrentDirectory(), start + "Data\\");
}
