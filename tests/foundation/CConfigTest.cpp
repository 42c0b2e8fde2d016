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

namespace {

// Changes that meet in one file: a key written twice in another spelling, a new key in an
// existing section, a new section, a value with a line break, a value that needs quotes.
const struct {
    const char* section;
    const char* key;
    const char* value;
} kChanges[] = {
    {"scene1", "TIME", "42"},  {"Main ", " number", "7"}, {"PLAYER", "NAME", "Ola"},
    {"MAIN", "NoValue", "now"}, {"Scene1", "time", "43"}, {"PLAYER", "Line", "first\r\nInjected=1"},
    {"player", "Padded", " x "},
};

// The changes written one by one into a copy of the file: what the gathered writes must give.
std::string writtenOneByOne(const TempFolder& folder)
{
    CConfig config(folder.write("one-by-one.ini", kWindowsIni).c_str());
    for (const auto& change : kChanges)
        EXPECT_TRUE(config.PutString(change.section, change.key, change.value));
    return folder.read("one-by-one.ini");
}

} // namespace

TEST(CConfig, GatheredWritesReachTheFileTogetherAndReadBackBeforeThey)
{
    TempFolder folder;
    const std::string expected = writtenOneByOne(folder);
    CConfig config(folder.write("app.ini", kWindowsIni).c_str());
    config.gatherWrites();
    for (const auto& change : kChanges)
        ASSERT_TRUE(config.PutString(change.section, change.key, change.value));
    EXPECT_EQ(folder.read("app.ini"), kWindowsIni) << "nothing is written before Flush";
    EXPECT_EQ(config.GetInt("SCENE1", "Time"), 43);
    EXPECT_EQ(config.GetString("Player", "line"), "first");
    EXPECT_EQ(config.GetString("player", "Injected"), "");
    EXPECT_EQ(config.GetString("PLAYER", "Padded"), " x ");
    EXPECT_EQ(config.GetString("MAIN", "TITLE"), "Ostiv Media") << "values nobody changed read as before";

    EXPECT_TRUE(config.Flush());
    EXPECT_EQ(folder.read("app.ini"), expected);
    EXPECT_EQ(config.GetInt("scene1", "time"), 43);

    // The next changes start from the file as it is now, whoever changed it meanwhile.
    folder.write("app.ini", expected + "[Other]\r\nKept=1\r\n");
    ASSERT_TRUE(config.PutInt("Scene1", "Played", 4));
    EXPECT_EQ(config.GetInt("Other", "Kept"), 1);
    EXPECT_TRUE(config.Flush());
    EXPECT_EQ(config.GetInt("Other", "Kept"), 1);
    EXPECT_EQ(CConfig(folder.file("app.ini").c_str()).GetInt("SCENE1", "PLAYED"), 4);
}

TEST(CConfig, WhatIsGatheredAtTheEndIsWrittenThen)
{
    TempFolder folder;
    {
        CConfig config(folder.file("new.ini").c_str());
        config.gatherWrites();
        ASSERT_TRUE(config.PutInt("Scene1", "Played", 1));
        EXPECT_FALSE(std::filesystem::exists(folder.file("new.ini")));
    }
    EXPECT_EQ(folder.read("new.ini"), "[Scene1]\r\nPlayed=1\r\n");
}

TEST(CConfig, GatheredWritesThatFailStayForTheNextWrite)
{
    TempFolder folder;
    CConfig config(folder.write("app.ini", kWindowsIni).c_str());
    config.gatherWrites();
    ASSERT_TRUE(config.PutString("MAIN", "TITLE", "kept"));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit normal{};
    getrlimit(RLIMIT_FSIZE, &normal);
    rlimit tight{64, normal.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tight);
    const bool written = config.Flush();
    setrlimit(RLIMIT_FSIZE, &normal);
    EXPECT_FALSE(written);
    EXPECT_EQ(folder.read("app.ini"), kWindowsIni);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << "no partial file is left";
    EXPECT_EQ(config.GetString("MAIN", "TITLE"), "kept");

    ASSERT_TRUE(config.PutString("MAIN", "Number", "8"));
    EXPECT_TRUE(config.Flush());
    CConfig file(folder.file("app.ini").c_str());
    EXPECT_EQ(file.GetString("MAIN", "TITLE"), "kept");
    EXPECT_EQ(file.GetInt("MAIN", "Number"), 8);

    // A file that is there but cannot be read is not replaced by the few keys gathered.
    CConfig unreadable(folder.path().string().c_str());
    unreadable.gatherWrites();
    EXPECT_FALSE(unreadable.PutString("MAIN", "X", "1"));
}
