#include "foundation/CConfig.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <csignal>
#include <iterator>
#include <string>
#include <sys/resource.h>

namespace {

const char* const kWindowsIni = "; written by hand\r\n"
                                "[MAIN]\r\n"
                                "TITLE = Ostiv Media \r\n"
                                "Quoted=\"  padded  \"\r\n"
                                "Number=12abc\r\n"
                                "NoValue\r\n"
                                "\r\n"
                                "[Scene1]\r\n"
                                "Played=3\r\n";

} // namespace

TEST(CConfig, ReadsLikeWindowsProfileFiles)
{
    TempFolder folder;
    CConfig config(folder.write("app.ini", kWindowsIni).c_str());
    EXPECT_EQ(config.GetString("main", "title"), "Ostiv Media");
    EXPECT_EQ(config.GetString(" MAIN ", " TITLE "), "Ostiv Media") << "blanks around the names asked for are ignored";
    EXPECT_EQ(config.GetString("MAIN", "Quoted"), "  padded  ");
    EXPECT_EQ(config.GetInt("MAIN", "Number"), 12);
    EXPECT_EQ(config.GetInt("MAIN", "TITLE"), 0);
    EXPECT_EQ(config.GetString("MAIN", "NoValue"), "");
    EXPECT_EQ(config.GetInt("SCENE1", "PLAYED"), 3);
    EXPECT_EQ(config.GetString("MAIN", "Played"), "") << "keys belong to their own section";
    EXPECT_EQ(config.GetString("Nowhere", "TITLE"), "");
    EXPECT_EQ(CConfig(folder.file("missing.ini").c_str()).GetInt("MAIN", "TITLE"), 0);
}

TEST(CConfig, ValuesWrittenReadBackAsWritten)
{
    TempFolder folder;
    CConfig config(folder.file("new.ini").c_str());
    const char* const values[] = {"plain", "", "  leading and trailing  ", "\"quoted\"", "'single'",
                                  "a=b;c", "x\xB9\xEA", "semi ; colon"};
    int i = 0;
    for (const char* value : values) {
        CXString key;
        key.Format("K%d", i++);
        ASSERT_TRUE(config.PutString("Values", key, value));
        EXPECT_EQ(config.GetString("values", key), value);
    }
    ASSERT_TRUE(config.PutInt("Values", "Negative", -5));
    EXPECT_EQ(config.GetString("Values", "Negative"), "-5");
    EXPECT_EQ(config.GetInt("Values", "Negative"), -5);
}

TEST(CConfig, WriteKeepsTheRestOfTheFile)
{
    TempFolder folder;
    CConfig config(folder.write("app.ini", kWindowsIni).c_str());
    ASSERT_TRUE(config.PutString("scene1", "TIME", "42"));
    ASSERT_TRUE(config.PutString("Main ", " number", "7"));
    ASSERT_TRUE(config.PutString("PLAYER", "NAME", "Ola"));
    ASSERT_TRUE(config.PutString("MAIN", "NoValue", "now"));
    EXPECT_EQ(folder.read("app.ini"), "; written by hand\r\n"
                                      "[MAIN]\r\n"
                                      "TITLE = Ostiv Media \r\n"
                                      "Quoted=\"  padded  \"\r\n"
                                      "Number=7\r\n"
                                      "NoValue=now\r\n"
                                      "\r\n"
                                      "[Scene1]\r\n"
                                      "Played=3\r\n"
                                      "TIME=42\r\n"
                                      "\r\n"
                                      "[PLAYER]\r\n"
                                      "NAME=Ola\r\n");
}

TEST(CConfig, LongValuesAreCutAndLineBreaksCannotAddKeys)
{
    TempFolder folder;
    CConfig config(folder.file("long.ini").c_str());
    ASSERT_TRUE(config.PutString("S", "Long", CXString(std::string(12000, 'x').c_str())));
    EXPECT_EQ(config.GetString("S", "Long").GetLength(), 10239);
    ASSERT_TRUE(config.PutString("S", "Text", "first\r\nInjected=1"));
    EXPECT_EQ(config.GetString("S", "Text"), "first");
    EXPECT_EQ(config.GetString("S", "Injected"), "");
}

TEST(CConfig, FailedWriteReportsAndKeepsTheOldFile)
{
    TempFolder folder;
    // Tests run as root, where permissions stop nothing: a folder that is really a file
    // fails the way a read-only folder does, and a file-size limit fails the way a full
    // disk does, halfway through the write.
    std::string blocker = folder.write("blocker", "not a folder");
    EXPECT_FALSE(CConfig((blocker + "/app.ini").c_str()).PutString("MAIN", "X", "1"));

    CConfig config(folder.write("app.ini", kWindowsIni).c_str());
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit normal{};
    getrlimit(RLIMIT_FSIZE, &normal);
    rlimit tight{64, normal.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tight);
    bool written = config.PutString("MAIN", "TITLE", "lost");
    setrlimit(RLIMIT_FSIZE, &normal);
    EXPECT_FALSE(written);
    EXPECT_EQ(folder.read("app.ini"), kWindowsIni);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2) << "no partial file is left";
}
