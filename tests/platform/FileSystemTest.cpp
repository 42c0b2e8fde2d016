#include "platform/FileSystem.h"

#include "TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::string writeThrough(const std::string& path, const std::string& bytes, bool keep)
{
    std::unique_ptr<platform::FileStream> stream = platform::FileStream::open(path, "wb");
    if (!stream)
        return "not opened";
    std::fwrite(bytes.data(), 1, bytes.size(), stream->handle());
    if (keep)
        return stream->commit() ? "committed" : "failed";
    stream->discard();
    return "discarded";
}

} // namespace

TEST(FileSystem, AWriteReplacesTheFileOnlyWhenItIsComplete)
{
    TempFolder temp;
    const std::string path = temp.write("save.dat", "old contents");
    {
        std::unique_ptr<platform::FileStream> stream = platform::FileStream::open(path, "wb");
        ASSERT_TRUE(stream);
        std::fputs("half", stream->handle());
        std::fflush(stream->handle());
        EXPECT_EQ(temp.read("save.dat"), "old contents"); // still the old file while writing
        stream->discard();
    }
    EXPECT_EQ(temp.read("save.dat"), "old contents");
    EXPECT_EQ(writeThrough(path, "new", true), "committed");
    EXPECT_EQ(temp.read("save.dat"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);
}

TEST(FileSystem, AReplacedFileKeepsItsPermissions)
{
    TempFolder temp;
    const std::string path = temp.write("run.sh", "old");
    fs::permissions(path, fs::perms::owner_all | fs::perms::group_read);
    EXPECT_EQ(writeThrough(path, "new", true), "committed");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_all | fs::perms::group_read);
}

TEST(FileSystem, AWriteThroughALinkKeepsTheLink)
{
    TempFolder temp;
    const std::string target = temp.write("real.sav", "old");
    fs::create_symlink(target, temp.file("link.sav"));
    EXPECT_EQ(writeThrough(temp.file("link.sav"), "new", true), "committed");
    EXPECT_TRUE(fs::is_symlink(temp.file("link.sav")));
    EXPECT_EQ(temp.read("real.sav"), "new");
}

TEST(FileSystem, OnlyPlainFilesOpen)
{
    TempFolder temp;
    fs::create_directory(temp.path() / "folder");
    ASSERT_EQ(::mkfifo(temp.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(platform::FileStream::open(temp.file("folder"), "rb"));
    EXPECT_FALSE(platform::FileStream::open(temp.file("folder"), "wb"));
    EXPECT_FALSE(platform::FileStream::open(temp.file("pipe"), "rb"));
    EXPECT_FALSE(platform::FileStream::open(temp.file("missing"), "rb"));
    EXPECT_FALSE(platform::isReadableFile(temp.file("folder")));
    EXPECT_TRUE(platform::isReadableFile(temp.write("a", "")));
}

TEST(FileSystem, ListingGivesFilesAndFoldersWithSizes)
{
    TempFolder temp;
    fs::create_directory(temp.path() / "B");
    temp.write("a.txt", "12345");
    ASSERT_EQ(::mkfifo(temp.file("pipe").c_str(), 0600), 0);
    fs::create_symlink(temp.file("gone"), temp.file("broken"));
    const auto entries = platform::listFolder(temp.path().string());
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].name, "B");
    EXPECT_TRUE((*entries)[0].isFolder);
    EXPECT_EQ((*entries)[1].name, "a.txt");
    EXPECT_EQ((*entries)[1].size, 5u);
    EXPECT_FALSE(platform::listFolder(temp.file("a.txt")).has_value());
}

TEST(FileSystem, CopyReplacesTheTarget)
{
    TempFolder temp;
    const std::string from = temp.write("from", std::string(200000, 'x'));
    const std::string to = temp.write("to", "old");
    EXPECT_TRUE(platform::copyFile(from, to));
    EXPECT_EQ(temp.read("to"), std::string(200000, 'x'));
    EXPECT_FALSE(platform::copyFile(temp.file("missing"), to));
    EXPECT_EQ(temp.read("to"), std::string(200000, 'x'));
}

TEST(FileSystem, FilesWrittenTogetherReplaceTheirTargetsAllOrNone)
{
    TempFolder temp;
    temp.write("a", "old a");
    fs::create_directories(temp.path() / "sub");
    std::string cause;
    EXPECT_TRUE(platform::replaceFilesTogether({{temp.file("a"), "new a"}, {temp.file("sub/b"), "new b"}}, cause));
    EXPECT_EQ(temp.read("a"), "new a");
    EXPECT_EQ(temp.read("sub/b"), "new b");

    // A file whose folder is missing: no target changes and nothing is left behind; the cause
    // names the file and the folder.
    EXPECT_FALSE(platform::replaceFilesTogether(
        {{temp.file("a"), "newer a"}, {temp.file("sub/b"), "newer b"}, {temp.file("missing/c"), "c"}}, cause));
    EXPECT_EQ(cause, "cannot write \"" + temp.file("missing/c") + "\": there is no folder \"" + temp.file("missing") + "\"");
    EXPECT_EQ(temp.read("a"), "new a");
    EXPECT_EQ(temp.read("sub/b"), "new b");
    size_t entries = 0;
    for (const auto& entry : fs::recursive_directory_iterator(temp.path()))
        entries += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 2u);

    // A folder in the place of the last target: the targets before it stay as they were too.
    fs::create_directories(temp.path() / "folder");
    EXPECT_FALSE(platform::replaceFilesTogether({{temp.file("a"), "newer a"}, {temp.file("folder"), "f"}}, cause));
    EXPECT_EQ(cause, "cannot write \"" + temp.file("folder") + "\": Is a directory");
    EXPECT_EQ(temp.read("a"), "new a");
    EXPECT_TRUE(platform::replaceFilesTogether({}, cause));
}

// A path lies in a folder by its names, after links are followed as far as they exist; a
// sibling whose name begins with the folder's lies outside.
TEST(FileSystem, APathLiesWithinAFolderByItsRealNames)
{
    TempFolder temp;
    const fs::path app = temp.path() / "app";
    fs::create_directories(app / "Dane");
    fs::create_directories(temp.path() / "app2");
    fs::create_directory_symlink(temp.path() / "app2", app / "door");
    fs::create_directory_symlink(app / "Dane", temp.path() / "way-in");
    const struct {
        fs::path path;
        bool within;
    } cases[] = {
        {app, true},
        {app / "Dane" / "save.dat", true},
        {app / "new" / "folder" / "save.dat", true},
        {temp.path() / "way-in" / "save.dat", true},
        {app / "door" / "save.dat", false},
        {temp.path() / "app2" / "save.dat", false},
        {temp.path() / "save.dat", false},
        {"/", false},
    };
    for (const auto& [path, within] : cases)
        EXPECT_EQ(platform::liesWithin(path.string(), app.string()), within) << path;
    EXPECT_TRUE(platform::liesWithin((app / "Dane").string(), (app.string() + "/")));
    EXPECT_FALSE(platform::liesWithin("relative/save.dat", app.string()));
}
