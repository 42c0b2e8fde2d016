#include "foundation/CBigFile.h"
#include "foundation/CFile.h"
#include "foundation/CFolder.h"
#include "foundation/CXArray.h"
#include "platform/PathResolver.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

std::string u32(uint32_t v)
{
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

std::string text(const std::string& s)
{
    return u32(static_cast<uint32_t>(s.size())) + s;
}

const std::string kZero64(8, '\0');

// The archive that packs one file a.txt of 5 bytes from the folder "D".
std::string smallArchive()
{
    const std::string toc = text("data.bf") + text("\\") + u32(5) + kZero64 + kZero64 + u32(1) + u32(0) +
                            text("D") + u32(1) + u32(0) + text("a.txt") + u32(82) + kZero64 + u32(5);
    return toc + "hello";
}

class BigFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(platform::changeFolder(temp.path().string())); }
    void TearDown() override { CFile::closeBigFile(); }

    // Packs the folder "source" of the temporary folder into "data.bf".
    bool pack()
    {
        testing::internal::CaptureStdout();
        const bool made = CBigFile().Create("source", "data.bf", "data.bf");
        testing::internal::GetCapturedStdout();
        return made;
    }

    std::string contentsOf(CBigFile& archive, const CXString& path)
    {
        const int size = archive.GetSize(path);
        if (archive.Seek(path) < 0)
            return "(missing)";
        std::string bytes(static_cast<size_t>(size), '\0');
        archive.GetFile()->Read(bytes.data(), size);
        return bytes;
    }

    CurrentFolderGuard guard;
    TempFolder temp;
};

} // namespace

TEST_F(BigFileTest, TheTableOfContentsIsLaidOutByteForByte)
{
    fs::create_directory(temp.path() / "D");
    temp.write("D/a.txt", "hello");
    testing::internal::CaptureStdout();
    ASSERT_TRUE(CBigFile(true, "").Create("D", "data.bf", "data.bf"));
    const std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(temp.read("data.bf"), smallArchive());
    EXPECT_EQ(printed, "Big file name: data.bf.\nNumber of folders: 0.\nNumber of files: 1.\nTotal size: 5 bytes.\n"
                       "TOC size: 82 bytes.\nTOC saved.\n\r" +
                           std::string(48, ' ') + "\rFile 1 of 1 saved.");
}

TEST_F(BigFileTest, LookUpsIgnoreCaseAndFollowFolders)
{
    temp.write("data.bf", smallArchive());
    CBigFile archive("data.bf", false, "");
    ASSERT_EQ(archive.LastError(), 0);
    for (const char* name : {"a.txt", "A.TXT", "\\a.txt", "/A.txt"})
        EXPECT_EQ(archive.GetSize(name), 5) << name;
    EXPECT_EQ(archive.GetSize("b.txt"), 0);
    EXPECT_EQ(archive.GetSize("a.txt\\"), 0);
    EXPECT_EQ(archive.Tell(), 0);
    EXPECT_EQ(archive.Seek("missing"), -1);
    EXPECT_EQ(archive.Tell(), 0);
    EXPECT_EQ(archive.Seek("A.txt"), 82);
    EXPECT_EQ(archive.Tell(), 82);
    EXPECT_EQ(contentsOf(archive, "a.txt"), "hello");
    EXPECT_EQ(archive.GetCurrentDirectoryA(), "");
}

TEST_F(BigFileTest, AnArchiveMadeFromAFolderTreeGivesEveryFileBack)
{
    std::map<std::string, std::string> files = {
        {"Dane/scene.cnv", "OBJECT=X\r\n"},
        {"Dane/Scene1/BG.IMG", std::string(70000, '\x7F')},
        {"Dane/Scene1/deep/er/x.ann", "deep"},
        {"COMMON/\xC5\xBC\xC3\xB3\xC5\x82w.img", "turtle"},
        {"empty.txt", ""},
        {"root.ini", "[MAIN]"},
    };
    for (const auto& [name, bytes] : files) {
        fs::create_directories((temp.path() / "source" / name).parent_path());
        temp.write("source/" + name, bytes);
    }
    fs::create_directories(temp.path() / "source" / "emptyfolder");
    ASSERT_TRUE(pack());

    CBigFile archive("data.bf", false, "");
    ASSERT_EQ(archive.LastError(), 0);
    EXPECT_EQ(contentsOf(archive, "dane\\SCENE.CNV"), files["Dane/scene.cnv"]);
    EXPECT_EQ(contentsOf(archive, "Dane\\Scene1\\bg.img"), files["Dane/Scene1/BG.IMG"]);
    EXPECT_EQ(contentsOf(archive, "\\dane\\scene1\\deep\\ER\\x.ann"), "deep");
    EXPECT_EQ(contentsOf(archive, "Common\\\xAF\xD3\xA3W.IMG"), "turtle");
    EXPECT_EQ(contentsOf(archive, "empty.txt"), "");
    EXPECT_EQ(contentsOf(archive, "root.ini"), "[MAIN]");
    EXPECT_EQ(contentsOf(archive, "dane\\deep\\er\\x.ann"), "(missing)");
    EXPECT_TRUE(archive.FileExists("ROOT.INI"));
    EXPECT_TRUE(archive.FileExists("dane\\scene1\\bg.img"));
    EXPECT_FALSE(archive.FileExists("Dane"));

    _finddata_t record;
    EXPECT_EQ(archive.FindFirst("*.ini", &record), 1); // files first, then folders
    EXPECT_STREQ(record.name, "root.ini");
    EXPECT_EQ(archive.FindFirst("DANE", &record), 2 + 1);
    EXPECT_STREQ(record.name, "dane");
    EXPECT_EQ(archive.FindNext(0, &record), -1);
    EXPECT_EQ(archive.FindFirst("*.wav", &record), -1);
}

TEST_F(BigFileTest, APathNamesOnlyFilesInItsOwnFolder)
{
    // A file missing from the named folder used to be looked up in the folder above it, so
    // x\f found the f beside x.
    fs::create_directories(temp.path() / "source" / "x" / "y");
    temp.write("source/x/y/f", "inner");
    temp.write("source/f", "outer");
    ASSERT_TRUE(pack());
    CBigFile archive("data.bf", false, "");
    EXPECT_EQ(contentsOf(archive, "x\\y\\f"), "inner");
    EXPECT_EQ(archive.GetSize("x\\f"), 0);
    EXPECT_EQ(contentsOf(archive, "f"), "outer");
}

TEST_F(BigFileTest, TheOpenArchiveAnswersForTheDisk)
{
    fs::create_directories(temp.path() / "source");
    temp.write("source/b.WAV", "b");
    temp.write("source/c.wav", "c");
    temp.write("ondisk.txt", "disk");
    ASSERT_TRUE(pack());

    CFile::openBigFile("nothing.bf");
    EXPECT_EQ(CFile::getBigFileIfc(), nullptr);
    CFile::openBigFile("data.bf");
    ASSERT_NE(CFile::getBigFileIfc(), nullptr);
    EXPECT_EQ(CFile::getBigFileHandle(), CFile::getBigFileIfc()->GetFile());
    EXPECT_TRUE(CFile::fileExists("c.wav"));
    EXPECT_FALSE(CFile::fileExists("ondisk.txt"));
    EXPECT_EQ(CFile::getCurrentDirectory(), "\\");
    // Folders of the archive cannot be entered, and opening by name never reads the archive.
    EXPECT_EQ(CFile::chDir("nowhere"), 0);
    EXPECT_EQ(CFile::getCurrentDirectory(), "\\");
    EXPECT_TRUE(CFile::dirExists("nowhere"));
    EXPECT_EQ(CFile(nullptr, "c.wav", CFile::MODE_READ | CFile::MODE_BINARY).LastError(), CFile::ERROR_OPEN);
    EXPECT_EQ(CFile(nullptr, "ondisk.txt", CFile::MODE_READ | CFile::MODE_BINARY).LastError(), 0);

    _finddata_t record;
    EXPECT_EQ(CFile::findFirst("*.wav", &record), 0);
    EXPECT_STREQ(record.name, "b.wav");
    EXPECT_EQ(CFile::findNext(0, &record), -1);
    CFolder folder(nullptr);
    CXArray* names = folder.list("*.*");
    ASSERT_EQ(names->getCount(), 1);
    EXPECT_EQ(*names->stringAt(0), "b.wav");
    CFolder::releaseFilesList(names);

    CFile* own = CFile::getBigFileHandle();
    CFile::getBigFileIfc()->Seek("c.wav");
    EXPECT_EQ(CFile::fTell(own), CFile::getBigFileIfc()->Tell());
    EXPECT_EQ(CFile::fSeek(own, 0, SEEK_SET), 0);
    EXPECT_EQ(CFile::fTell(own), 0);
    CFile::closeBigFile();
    EXPECT_TRUE(CFile::fileExists("ondisk.txt"));
}

TEST_F(BigFileTest, DamagedArchivesDoNotOpen)
{
    const std::string good = smallArchive();
    const std::string head = text("data.bf") + text("\\") + u32(5) + kZero64 + kZero64 + u32(1) + u32(0);
    std::string nested;
    for (int i = 0; i < 300; ++i)
        nested += text("f") + u32(0) + u32(1);
    nested += text("f") + u32(0) + u32(0);
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"cut in the root record", good.substr(0, 20)},
        {"cut in a file record", good.substr(0, 70)},
        {"huge name length", "\xFF\xFF\xFF\x7F" + good.substr(4)},
        {"name length past the end", u32(1000) + good.substr(4)},
        {"negative file count", head + text("D") + u32(-1) + u32(0)},
        {"file count beyond the data", head + text("D") + u32(100000000) + u32(0)},
        {"folder count beyond the data", head + text("D") + u32(0) + u32(0x7FFFFFFF)},
        {"data past the end", head + text("D") + u32(1) + u32(0) + text("a.txt") + u32(82) + kZero64 + u32(6) + "hello"},
        {"negative offset", head + text("D") + u32(1) + u32(0) + text("a.txt") + u32(-1) + kZero64 + u32(1) + "hello"},
        {"negative size", head + text("D") + u32(1) + u32(0) + text("a.txt") + u32(82) + kZero64 + u32(-5) + "hello"},
        {"folders nested too deep", head + nested},
    };
    for (const Case& c : cases) {
        temp.write("bad.bf", c.bytes);
        CBigFile archive("bad.bf", false, "");
        EXPECT_EQ(archive.LastError(), CBigFile::ERROR_OPEN) << c.what;
        EXPECT_EQ(archive.GetFile(), nullptr) << c.what;
        EXPECT_EQ(archive.GetSize("a.txt"), 0) << c.what;
        EXPECT_EQ(archive.Seek("a.txt"), -1) << c.what;
        CFile::openBigFile("bad.bf");
        EXPECT_EQ(CFile::getBigFileIfc(), nullptr) << c.what;
    }
    EXPECT_EQ(CBigFile("missing.bf", false, "").LastError(), CBigFile::ERROR_OPEN);
}

TEST_F(BigFileTest, AFailedCreateLeavesTheOldArchiveAsItWas)
{
    temp.write("data.bf", "the old archive");
    EXPECT_FALSE(CBigFile().Create("nosuchfolder", "data.bf", "data.bf"));
    EXPECT_EQ(temp.read("data.bf"), "the old archive");

    // More data than 32-bit offsets can address.
    fs::create_directories(temp.path() / "source");
    temp.write("source/small.txt", "x");
    fs::resize_file(temp.write("source/huge.bin", ""), 3ull << 30);
    EXPECT_FALSE(pack());
    EXPECT_EQ(temp.read("data.bf"), "the old archive");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 2);

    fs::remove(temp.path() / "source" / "huge.bin");
    ASSERT_TRUE(pack());
    CBigFile archive("data.bf", false, "");
    EXPECT_EQ(archive.GetSize("small.txt"), 1);
}
