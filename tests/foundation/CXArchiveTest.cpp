#include "foundation/CFile.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "foundation/CXRect.h"
#include "platform/PathResolver.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <climits>
#include <gtest/gtest.h>
#include <memory>

namespace {

class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(platform::changeFolder(temp.path().string())); }

    // The bytes that `write` stores.
    template <typename Writer>
    std::string stored(Writer write)
    {
        {
            CFile file(nullptr, "archive.bin", CFile::MODE_BINARY);
            CXArchive archive(&file, true);
            write(archive);
            EXPECT_FALSE(archive.failed());
        }
        return temp.read("archive.bin");
    }

    CurrentFolderGuard guard;
    TempFolder temp;
};

// A reading archive over bytes in memory.
struct Reader {
    explicit Reader(const std::string& bytes)
        : data(bytes)
        , file(data.data(), static_cast<int>(data.size()))
        , archive(&file, false)
    {
    }
    std::string data;
    CFile_Stream file;
    CXArchive archive;
};

} // namespace

TEST_F(ArchiveTest, PrimitivesAreStoredByteForByte)
{
    using namespace std::string_literals;
    EXPECT_EQ(stored([](CXArchive& a) { a << int32_t{0x01020304}; }), "\x04\x03\x02\x01"s);
    EXPECT_EQ(stored([](CXArchive& a) { a << uint32_t{0xFFFFFFFE}; }), "\xFE\xFF\xFF\xFF"s);
    EXPECT_EQ(stored([](CXArchive& a) { a << int64_t{-2}; }), "\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s);
    EXPECT_EQ(stored([](CXArchive& a) { a << true << false; }), "\x01\x00"s);
    EXPECT_EQ(stored([](CXArchive& a) { a << 2.9999; }), "\xB7\x0B\x00\x00"s);
    EXPECT_EQ(stored([](CXArchive& a) { a << -2.9999; }), "\x49\xF4\xFF\xFF"s);
    EXPECT_EQ(stored([](CXArchive& a) { a << CXString(); }), "\x00\x00\x00\x00"s);
    EXPECT_EQ(stored([](CXArchive& a) { a << CXString("ab") << "c"; }), "\x02\x00\x00\x00" "ab" "\x01\x00\x00\x00" "c"s);
    EXPECT_EQ(stored([](CXArchive& a) { a << CXRect(1, 2, 3, 4); }),
              "\x01\x00\x00\x00\x02\x00\x00\x00\x03\x00\x00\x00\x04\x00\x00\x00"s);
    EXPECT_EQ(stored([](CXArchive& a) { a.FWrite("one two"); }), "one two");
    EXPECT_EQ(stored([](CXArchive& a) { a.writeShortString(CXString("abc")); }), "\x03" "abc"s);
    EXPECT_EQ(stored([](CXArchive& a) { a.writeShortString(CXString(std::string(300, 'x').c_str())); }),
              "\x2C" + std::string(44, 'x'));
}

TEST_F(ArchiveTest, OutOfRangeDoublesSaturate)
{
    // Only the low 32 bits of the thousandfold value used to be kept, so 3000000 came back
    // as a negative number.
    using namespace std::string_literals;
    EXPECT_EQ(stored([](CXArchive& a) { a << 3000000.0; }), "\xFF\xFF\xFF\x7F"s);
    EXPECT_EQ(stored([](CXArchive& a) { a << -3000000.0; }), "\x00\x00\x00\x80"s);
}

TEST_F(ArchiveTest, ShortStringsOfMoreThan127BytesAreCutSoTheReaderStaysInStep)
{
    // A count byte of 128 to 255 reads as negative: the text's bytes were left unread and
    // every later value was read from inside them.
    const std::string bytes = stored([](CXArchive& a) {
        a.writeShortString(CXString(std::string(200, 'y').c_str()));
        a << int32_t{7};
    });
    Reader reader(bytes);
    CXString text;
    int32_t after = 0;
    reader.archive.readShortString(&text);
    reader.archive >> &after;
    EXPECT_EQ(text.GetLength(), 127);
    EXPECT_EQ(after, 7);
    EXPECT_FALSE(reader.archive.failed());
}

TEST_F(ArchiveTest, ValuesReadBackEqual)
{
    const std::string bytes = stored([](CXArchive& a) {
        a << int32_t{-5} << uint32_t{4000000000u} << int64_t{1} << 1.2345 << -0.0015 << true << CXString("Za\xBF\xF3\xB3\xE6")
          << "text" << CXRect(-1, 2, 30, 40);
        a.writeShortString(CXString("short"));
        a.FWrite("word  next");
        a.CopyFileA(CXString("source.txt"));
    });
    EXPECT_EQ(bytes.substr(bytes.size() - 10), "word  next");

    temp.write("source.txt", "copied");
    const std::string withCopy = stored([](CXArchive& a) { a.CopyFileA(CXString("source.txt")); });
    EXPECT_EQ(withCopy, "copied");

    Reader reader(bytes);
    int32_t i = 0;
    uint32_t u = 0;
    int64_t l = 0;
    double d = 0;
    double small = 0;
    bool b = false;
    CXString s;
    char* text = nullptr;
    CXRect r;
    CXString shortText;
    CXString word;
    CXString next;
    reader.archive >> &i >> &u >> &l >> &d >> &small >> &b >> &s >> &text >> &r;
    reader.archive.readShortString(&shortText);
    reader.archive.FRead(word).FRead(next);
    EXPECT_EQ(i, -5);
    EXPECT_EQ(u, 4000000000u);
    EXPECT_EQ(l, 1);
    EXPECT_DOUBLE_EQ(d, 1.234);
    EXPECT_DOUBLE_EQ(small, -0.001);
    EXPECT_TRUE(b);
    EXPECT_EQ(s, "Za\xBF\xF3\xB3\xE6");
    EXPECT_STREQ(text, "text");
    delete[] text;
    EXPECT_EQ(r, CXRect(-1, 2, 30, 40));
    EXPECT_EQ(shortText, "short");
    EXPECT_EQ(word, "word");
    EXPECT_EQ(next, "next");
    EXPECT_FALSE(reader.archive.failed());
}

TEST(ArchiveReading, SingleBytesAndWords)
{
    Reader reader(std::string(" \nx") + std::string(1100, 'w') + " tail");
    char c = 0;
    unsigned char u = 0;
    reader.archive >> &c >> &u;
    EXPECT_EQ(c, ' ');
    EXPECT_EQ(u, '\n');
    CXString word;
    reader.archive.FRead(word);
    EXPECT_EQ(word.GetLength(), 1023);
    reader.archive.FRead(word);
    EXPECT_EQ(word, std::string(78, 'w').c_str());
    reader.archive.FRead(word);
    EXPECT_EQ(word, "tail");
    EXPECT_FALSE(reader.archive.failed());
    reader.archive.FRead(word);
    EXPECT_EQ(word, "");
    EXPECT_TRUE(reader.archive.failed());
}

TEST(ArchiveReading, DamagedLengthsFailWithoutReadingPastTheData)
{
    using namespace std::string_literals;
    {
        // A negative length reads as "" and consumes only the length.
        Reader reader("\xFF\xFF\xFF\xFF\x05\x00\x00\x00"s);
        CXString text("old");
        int32_t next = 0;
        reader.archive >> &text >> &next;
        EXPECT_EQ(text, "");
        EXPECT_EQ(next, 5);
        EXPECT_FALSE(reader.archive.failed());
    }
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"length beyond the data", "\x10\x00\x00\x00" "abc"s},
        {"huge length", "\xFF\xFF\xFF\x7F" "abc"s},
        {"cut length", "\x03\x00"s},
    };
    for (const Case& c : cases) {
        Reader forString(c.bytes);
        CXString text("old");
        int32_t after = 99;
        forString.archive >> &text >> &after;
        EXPECT_EQ(text, "") << c.what;
        EXPECT_EQ(after, 99) << c.what;
        EXPECT_TRUE(forString.archive.failed()) << c.what;

        Reader forBuffer(c.bytes);
        char* buffer = nullptr;
        forBuffer.archive >> &buffer;
        ASSERT_NE(buffer, nullptr) << c.what;
        EXPECT_STREQ(buffer, "") << c.what;
        delete[] buffer;
        EXPECT_TRUE(forBuffer.archive.failed()) << c.what;
    }
    {
        // A C-string length that is negative as a signed number.
        Reader reader("\xFE\xFF\xFF\xFF" "abc"s);
        char* buffer = nullptr;
        reader.archive >> &buffer;
        EXPECT_STREQ(buffer, "");
        delete[] buffer;
        EXPECT_TRUE(reader.archive.failed());
    }
    {
        Reader reader("\x05"s "ab");
        CXString text;
        reader.archive.readShortString(&text);
        EXPECT_EQ(text, "");
        EXPECT_TRUE(reader.archive.failed());
    }
}

TEST(ArchiveReading, AShortReadKeepsTheRestOfTheTarget)
{
    using namespace std::string_literals;
    Reader reader("\x11\x22"s);
    int32_t value = 0x7F7F7F7F;
    reader.archive >> &value;
    EXPECT_EQ(value, 0x7F7F2211);
    EXPECT_TRUE(reader.archive.failed());
    double d = 5;
    reader.archive >> &d;
    EXPECT_EQ(d, 5);
}
