#include "platform/FileSystem.h"
#include "platform/FolderListingCache.h"
#include "platform/PathResolver.h"

#include "TempFolder.h"

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

TEST(FolderListingCache, KeepsItsLimitOfNamesByDroppingTheFoldersUsedLongestAgo)
{
    TempFolder temp;
    auto folderOf = [&](const std::string& name, int files) {
        fs::create_directory(temp.path() / name);
        for (int i = 0; i < files; ++i)
            temp.write(name + "/f" + std::to_string(i) + ".txt", "");
        temp.makeOld(name);
        return temp.file(name);
    };
    const std::string a = folderOf("a", 3), b = folderOf("b", 2), c = folderOf("c", 3), big = folderOf("big", 7);
    platform::FolderListingCache cache(6);
    EXPECT_EQ(cache.find(a, "F0.TXT"), "f0.txt");
    EXPECT_EQ(cache.find(b, "F1.TXT"), "f1.txt");
    EXPECT_EQ(cache.find(a, "F2.TXT"), "f2.txt");
    EXPECT_EQ(cache.nameCount(), 5u);
    EXPECT_EQ(cache.find(c, "F2.TXT"), "f2.txt");
    EXPECT_TRUE(cache.holds(a));
    EXPECT_FALSE(cache.holds(b));
    EXPECT_TRUE(cache.holds(c));
    EXPECT_EQ(cache.nameCount(), 6u);
    // A folder larger than the whole limit is still answered, just not kept.
    EXPECT_EQ(cache.find(big, "f6.TXT"), "f6.txt");
    EXPECT_FALSE(cache.holds(big));
    EXPECT_EQ(cache.find(big, "f7.txt"), std::nullopt);
    EXPECT_EQ(cache.find(temp.file("missing"), "f0.txt"), std::nullopt);
}

TEST(FolderListingCache, AFolderChangedAMomentAgoIsReadAfreshUntilItSettles)
{
    // Within one step of the folder's clock a further change would leave its time as it is.
    TempFolder temp;
    temp.write("Fresh.txt", "");
    const std::string folder = temp.path().string();
    platform::FolderListingCache cache(100);
    EXPECT_EQ(cache.find(folder, "FRESH.TXT"), "Fresh.txt");
    EXPECT_FALSE(cache.holds(folder));
    // Some file systems keep whole seconds, FAT even two.
    fs::last_write_time(folder, std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now()));
    EXPECT_EQ(cache.find(folder, "fresh.txt"), "Fresh.txt");
    EXPECT_FALSE(cache.holds(folder));
    temp.makeOld(".");
    EXPECT_EQ(cache.find(folder, "FRESH.txt"), "Fresh.txt");
    EXPECT_TRUE(cache.holds(folder));
}

TEST(FolderListingCache, ThreadsResolvingWhileFilesAreCreatedStayCorrect)
{
    TempFolder temp;
    fs::create_directory(temp.path() / "live");
    fs::create_directory(temp.path() / "still");
    temp.write("still/Stale.Img", "");
    temp.makeOld("still");
    const std::string folder = temp.file("live");
    const std::string windowsRoot = platform::toWindowsName(temp.path().string());
    constexpr int kFiles = 200;
    auto diskName = [](int i) { return "Plik" + std::to_string(i) + ".Dat"; };
    auto wrongCase = [&](int i) { return windowsRoot + "\\LIVE\\PLIK" + std::to_string(i) + ".DAT"; };
    std::atomic<int> created{0};
    std::atomic<int> wrongAnswers{0};

    // Each new file is followed by an old date on the folder, so listings are kept and
    // replaced while the others read them.
    std::thread writer([&] {
        for (int i = 0; i < kFiles; ++i) {
            const std::string path = folder + "/" + diskName(i);
            if (i % 2 == 0)
                platform::FileStream::open(path, "wb")->commit();
            else
                ::close(::creat(path.c_str(), 0644));
            temp.makeOld("live");
            created.store(i + 1);
        }
    });
    auto resolver = [&](int offset) {
        for (int n = 0; n < kFiles;) {
            n = created.load();
            const int newest = n - 1 - offset;
            if (newest >= 0 && platform::resolvePath(wrongCase(newest)) != folder + "/" + diskName(newest))
                ++wrongAnswers;
            if (platform::resolvePath(wrongCase(kFiles + n)) != folder + "/PLIK" + std::to_string(kFiles + n) + ".DAT")
                ++wrongAnswers;
            if (platform::resolvePath(windowsRoot + "\\STILL\\STALE.IMG") != temp.file("still/Stale.Img"))
                ++wrongAnswers;
        }
    };
    std::thread first(resolver, 0);
    std::thread second(resolver, 1);
    writer.join();
    first.join();
    second.join();
    EXPECT_EQ(wrongAnswers.load(), 0);
    for (int i = 0; i < kFiles; ++i)
        EXPECT_EQ(platform::resolvePath(wrongCase(i)), folder + "/" + diskName(i));
}
