#include "foundation/CConfig.h"
#include "foundation/CFile.h"
#include "foundation/CFile_Stream.h"
#include "platform/PathResolver.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// A temporary folder that is the current folder while the test runs.
class FileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(platform::changeFolder(temp.path().string())); }

    CurrentFolderGuard guard;
    TempFolder temp;
};

} // namespace

TEST(CFileMode, ModeBitsGiveTheRuntimeModeText)
{
    struct Case {
        int mode;
        const char* text;
    };
    const Case cases[] = {{17, "rb"}, {16, "wb"}, {25, "rt"}, {9, "rt"}, {5, "r+"}, {4, "w+"}, {0, "w"}, {22, "w+b"}};
    for (const Case& c : cases)
        EXPECT_EQ(CFile::modeText(c.mode), c.text) << c.mode;
}

TEST_F(FileTest, ReadingWritingAndPositions)
{
    {
        CFile out(nullptr, "data.bin", CFile::MODE_BINARY);
        ASSERT_EQ(out.LastError(), 0);
        std::string bytes(100, 'x');
        EXPECT_EQ(out.Write(bytes.data(), 100), 1);
        EXPECT_EQ(out.Write(bytes.data(), 0), 0);
        out.putLine("abc");
    }
    EXPECT_EQ(fs::file_size(temp.file("data.bin")), 103u);

    CFile in(nullptr, "DATA.BIN", CFile::MODE_READ | CFile::MODE_BINARY);
    ASSERT_EQ(in.LastError(), 0);
    EXPECT_EQ(in.Seek(10, SEEK_SET), 0);
    EXPECT_EQ(in.Length(), 103);
    EXPECT_EQ(in.Tell(), 10);
    EXPECT_EQ(in.Seek(-30, SEEK_END), 0);
    char buffer[100];
    EXPECT_EQ(in.Read(buffer, 100), 30);
    EXPECT_TRUE(in.eof());
    EXPECT_NE(in.Seek(-200, SEEK_SET), 0);
    EXPECT_EQ(in.Close(), 0);
    EXPECT_EQ(in.Close(), 0);
    EXPECT_EQ(in.Length(), -1);
    EXPECT_EQ(in.Tell(), 0);
    EXPECT_EQ(in.GetHandle(), nullptr);
}

TEST_F(FileTest, AFileThatCannotOpenReportsError2000)
{
    CFile missing(nullptr, "missing.txt", CFile::MODE_READ);
    EXPECT_EQ(missing.LastError(), CFile::ERROR_OPEN);
    EXPECT_EQ(missing.GetHandle(), nullptr);
    EXPECT_EQ(missing.Read(nullptr, 10), 0);
    EXPECT_TRUE(missing.eof());
    EXPECT_EQ(missing.getLine(), "");

    fs::create_directory(temp.path() / "folder");
    EXPECT_EQ(CFile(nullptr, "folder", CFile::MODE_READ).LastError(), CFile::ERROR_OPEN);
    EXPECT_EQ(CFile(nullptr, "nofolder\\new.txt", 0).LastError(), CFile::ERROR_OPEN);
}

TEST_F(FileTest, LinesComeInPiecesAndTextModeDropsTheCarriageReturn)
{
    temp.write("lines.txt", "one\r\ntwo\n" + std::string(10300, 'x') + "\nlast");
    CFile binary(nullptr, "lines.txt", CFile::MODE_READ | CFile::MODE_BINARY);
    EXPECT_EQ(binary.getLine(), "one\r\n");
    CFile text(nullptr, "lines.txt", CFile::MODE_READ | CFile::MODE_TEXT);
    EXPECT_EQ(text.getLine(), "one\n");
    EXPECT_EQ(text.getLine(), "two\n");
    EXPECT_EQ(text.getLine().GetLength(), 10239);
    EXPECT_EQ(text.getLine(), (std::string(61, 'x') + "\n").c_str());
    EXPECT_EQ(text.getLine(), "last");
    EXPECT_EQ(text.getLine(), "");
    EXPECT_TRUE(text.eof());

    // A CR LF split by the buffer's end still reads as one line end.
    temp.write("split.txt", "ab\r\ncd");
    CFile split(nullptr, "split.txt", CFile::MODE_READ);
    char buffer[4];
    split.GetLine(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "ab\n");
    split.GetLine(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "cd");
    split.GetLine(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "");
}

TEST_F(FileTest, AFileWrittenFromTheStartReplacesTheOldOneOnlyWhenComplete)
{
    temp.write("save.dat", "good");
    {
        CFile out(nullptr, "save.dat", CFile::MODE_BINARY);
        out.putLine("half");
        out.discard();
    }
    EXPECT_EQ(temp.read("save.dat"), "good");
    {
        CFile out(nullptr, "SAVE.DAT", CFile::MODE_BINARY);
        out.putLine("better");
        EXPECT_EQ(temp.read("save.dat"), "good");
    }
    EXPECT_EQ(temp.read("save.dat"), "better");
}

TEST_F(FileTest, FilesTheEngineWritesAreFoundRightAfterInAnyCase)
{
    fs::create_directories(temp.path() / "Dane");
    temp.write("Dane/x.txt", "x");
    temp.makeOld("Dane");
    ASSERT_TRUE(CFile::fileExists("DANE\\X.TXT"));
    {
        CFile save(nullptr, "dane\\Save.Dat", CFile::MODE_BINARY);
        save.putLine("saved");
    }
    EXPECT_EQ(CFile(nullptr, "DANE\\SAVE.DAT", CFile::MODE_READ).getLine(), "saved");
    ASSERT_TRUE(CConfig("dane\\Game.Ini").PutString("Main", "Level", "2"));
    EXPECT_EQ(CConfig("DANE\\GAME.INI").GetString("main", "level"), "2");
    EXPECT_EQ(temp.read("Dane/Game.Ini"), "[Main]\r\nLevel=2\r\n");
}

TEST(CFileStream, ReadsAndSeeksWithinItsBlock)
{
    const char data[] = "0123456789";
    CFile_Stream stream(data, 10);
    EXPECT_EQ(stream.Seek(4, SEEK_SET), 4);
    char buffer[10];
    EXPECT_EQ(stream.Read(buffer, 10), 6);
    EXPECT_EQ(std::string(buffer, 6), "456789");
    EXPECT_TRUE(stream.eof());
    EXPECT_EQ(stream.Seek(3, SEEK_END), 10);
    EXPECT_EQ(stream.Read(buffer, 10), 0);
    EXPECT_EQ(stream.Length(), 10);
    EXPECT_EQ(stream.GetHandle(), nullptr);
    EXPECT_EQ(stream.getLine(), "");
    EXPECT_EQ(stream.Write(buffer, 3), 0);
}

TEST(CFileStream, ASeekNeverLeavesTheBlock)
{
    // A relative seek before the start used to let the next read copy from before the data.
    const char data[] = "0123456789";
    CFile_Stream stream(data + 2, 6);
    EXPECT_EQ(stream.Seek(-5, SEEK_CUR), 0);
    char buffer[3] = {};
    EXPECT_EQ(stream.Read(buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 3), "234");
    EXPECT_EQ(stream.Seek(100, SEEK_CUR), 6);
    EXPECT_EQ(stream.Seek(-100, SEEK_SET), 0);
}

TEST_F(FileTest, FolderSearchesFindEntriesLikeWindows)
{
    fs::create_directories(temp.path() / "Dane" / "sub");
    temp.write("Dane/b.IMG", "12345");
    temp.write("Dane/A.img", "1");
    temp.write("Dane/c.ann", "");

    _finddata_t record;
    int handle = CFile::findFirst("DANE\\*.img", &record);
    ASSERT_NE(handle, -1);
    EXPECT_STREQ(record.name, "A.img");
    EXPECT_EQ(CFile::findNext(handle, &record), 0);
    EXPECT_STREQ(record.name, "b.IMG");
    EXPECT_EQ(record.size, 5u);
    EXPECT_EQ(record.attrib, 0u);
    EXPECT_EQ(CFile::findNext(handle, &record), -1);
    EXPECT_EQ(CFile::findNext(handle, &record), -1);

    ASSERT_EQ(CFile::chDir("dane"), 0);
    std::vector<std::string> names;
    handle = CFile::findFirst("*.*", &record);
    do
        names.push_back(record.name);
    while (CFile::findNext(handle, &record) == 0);
    EXPECT_EQ(names, (std::vector<std::string>{".", "..", "A.img", "b.IMG", "c.ann", "sub"}));

    record.attrib = _A_SUBDIR;
    handle = CFile::findFirst("*b*", &record); // b.IMG comes first but is no folder
    EXPECT_STREQ(record.name, "sub");
    EXPECT_EQ(record.attrib, _A_SUBDIR);
    record.attrib = _A_SUBDIR;
    EXPECT_EQ(CFile::findFirst("*.img", &record), -1);
    EXPECT_EQ(CFile::findFirst("nothing*", &record), -1);
    EXPECT_EQ(CFile::findFirst("nofolder\\*.*", &record), -1);
}

TEST_F(FileTest, ExistenceAndFolderChanges)
{
    fs::create_directories(temp.path() / "Dane");
    temp.write("Dane/x.txt", "x");
    EXPECT_TRUE(CFile::fileExists("dane\\X.TXT"));
    EXPECT_FALSE(CFile::fileExists("dane"));
    EXPECT_FALSE(CFile::fileExists("dane\\y.txt"));
    EXPECT_TRUE(CFile::dirExists("DANE"));
    EXPECT_FALSE(CFile::dirExists("dane\\x.txt"));
    const CXString before = CFile::getCurrentDirectory();
    EXPECT_EQ(before, CXString(platform::currentFolderName().c_str()) + "\\");
    EXPECT_EQ(CFile::chDir("nowhere"), -1);
    EXPECT_EQ(CFile::getCurrentDirectory(), before);
    EXPECT_EQ(CFile::chDir("Dane"), 0);
    EXPECT_EQ(CFile::getCurrentDirectory(), before + "Dane\\");

    char small[6];
    CFile::getCurrentDirectory(sizeof small, small);
    EXPECT_EQ(std::string(small), before.Left(5).c_str());
}
