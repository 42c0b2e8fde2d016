#include "foundation/CTextCoder.h"
#include "foundation/CTextFileReader.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<std::string> readAll(CTextCoder& coder)
{
    std::vector<std::string> lines;
    while (!coder._eof() && lines.size() < 1000)
        lines.push_back(coder.getLine().c_str());
    return lines;
}

// The text must outlive the coder: the reader does not copy it.
CTextCoder* coderOver(const char* text)
{
    auto* reader = new CTextFileReader(nullptr, text, static_cast<int>(std::strlen(text)));
    return new CTextCoder(nullptr, reader, true);
}

} // namespace

TEST(CTextFileReader, LinesOfCrLfAndLfTextAlike)
{
    for (std::string text : {"a\nb\r\nc", "a\r\nb\nc\r\n"}) {
        CTextFileReader reader(nullptr, text.c_str(), static_cast<int>(text.size()));
        std::vector<std::string> lines;
        while (!reader.eof())
            lines.push_back(reader.getLine().c_str());
        EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c"}));
        reader.reset();
        EXPECT_EQ(reader.getLine(), "a");
    }
    std::string withZero("ab\0cd\nef", 8);
    CTextFileReader reader(nullptr, withZero.data(), static_cast<int>(withZero.size()));
    EXPECT_EQ(reader.getLine(), "ab");
    EXPECT_EQ(reader.getLine(), "ef");
    EXPECT_TRUE(reader.eof());
    EXPECT_EQ(CTextFileReader(nullptr, nullptr, 0).getLine(), "");
}

TEST(CTextFileReader, MissingFileHasTheOpenError)
{
    TempFolder folder;
    CTextFileReader reader(nullptr, folder.file("none.txt").c_str());
    EXPECT_EQ(reader.LastError(), 2000);
    EXPECT_TRUE(reader.eof());
    EXPECT_EQ(reader.getLine(), "");
}

TEST(CTextCoder, PlainFileIsReadAsItIs)
{
    std::unique_ptr<CTextCoder> coder(coderOver("OBJECT=X\r\n\tA:B=c \n"));
    EXPECT_FALSE(coder->isCoded());
    EXPECT_EQ(readAll(*coder), (std::vector<std::string>{"OBJECT=X\n", "\tA:B=c \n"}));
}

TEST(CTextCoder, CodeAndReadBackInCycles)
{
    TempFolder folder;
    std::string plain;
    std::vector<std::string> expected;
    for (int i = 1; i <= 13; ++i) {
        plain += "  line\t" + std::to_string(i) + " <E> \xB9\xEA  \r\n";
        expected.push_back("  line" + std::to_string(i) + " <E> \xB9\xEA\n");
    }
    expected.push_back("\n");
    folder.write("plain.def", plain);
    CTextCoder::code(nullptr, folder.file("plain.def").c_str(), folder.file("coded.def").c_str(), 6);

    std::string coded = folder.read("coded.def");
    EXPECT_EQ(coded.rfind("{<C:6>}\n", 0), 0u);
    EXPECT_EQ(std::count(coded.begin(), coded.end(), '\n'), 4) << "a header and lines of 6, 6 and 1";
    EXPECT_EQ(coded.find(" "), std::string::npos);
    EXPECT_EQ(coded.find("line"), std::string::npos) << "the text does not show plainly";

    CTextCoder reader(nullptr, folder.file("coded.def").c_str(), false);
    EXPECT_TRUE(reader.isCoded());
    EXPECT_EQ(readAll(reader), expected);
}

TEST(CTextCoder, CodedFormEdgeCases)
{
    struct Case {
        const char* text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"{<C:2>}\n<E>", {"\n", "\n"}},                    // an empty coded line
        {"{<C:3>}\nno markers here\nmore", {"no markers here\n"}},
        {"{<C:3>}\n", {"\n"}},
        // A lone letter and surplus markers are harmless; "KK" is the byte 0 plus the first key.
        {"{<C:1>}\nKK<E>junk<E>\nQ<E>", {"\x94\n", "\n", "\n"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::unique_ptr<CTextCoder> coder(coderOver(c.text));
        EXPECT_TRUE(coder->isCoded());
        EXPECT_EQ(coder->LastError(), 0);
        EXPECT_EQ(readAll(*coder), c.lines);
    }
}

TEST(CTextCoder, HeaderWithoutAPositiveCycleIsUnreadable)
{
    for (const char* header : {"{<C:0>}\nKK<E>\n", "{<D:-3>}\n", "{<C:x>}\n", "{<C:\n"}) {
        SCOPED_TRACE(header);
        std::unique_ptr<CTextCoder> coder(coderOver(header));
        EXPECT_EQ(coder->LastError(), CTextCoder::ERROR_BAD_HEADER);
        EXPECT_TRUE(coder->_eof());
        EXPECT_EQ(coder->getLine(), "\n");
    }
}

TEST(CTextCoder, DecodeHeaderWritesAPlainCopyOnce)
{
    TempFolder folder;
    folder.write("plain.def", "OBJECT=A\nA:TYPE=ANIMO\n");
    CTextCoder::code(nullptr, folder.file("plain.def").c_str(), folder.file("d.def").c_str(), 6);
    std::string coded = folder.read("d.def");
    folder.write("d.def", "{<D:" + coded.substr(4));

    CTextCoder::decode(nullptr, folder.file("d.def").c_str(), folder.file("by-hand.def").c_str());
    EXPECT_EQ(folder.read("by-hand.def"), "OBJECT=A\nA:TYPE=ANIMO\n\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("d.def.decoded"))) << "decode itself writes no further copy";

    CTextCoder opened(nullptr, folder.file("d.def").c_str(), false);
    EXPECT_EQ(folder.read("d.def.decoded"), "OBJECT=A\nA:TYPE=ANIMO\n\n");
    EXPECT_EQ(readAll(opened), (std::vector<std::string>{"OBJECT=A\n", "A:TYPE=ANIMO\n", "\n"}));
}

TEST(CTextCoder, WrongFormsWriteNothing)
{
    TempFolder folder;
    folder.write("plain.def", "OBJECT=A\n");
    CTextCoder::code(nullptr, folder.file("plain.def").c_str(), folder.file("coded.def").c_str(), 3);
    CTextCoder::code(nullptr, folder.file("coded.def").c_str(), folder.file("twice.def").c_str(), 3);
    CTextCoder::decode(nullptr, folder.file("plain.def").c_str(), folder.file("plain.decoded").c_str());
    CTextCoder::code(nullptr, folder.file("plain.def").c_str(), folder.file("nocycle.def").c_str(), 0);
    CTextCoder::code(nullptr, folder.file("none.def").c_str(), folder.file("none.coded").c_str(), 3);
    for (const char* name : {"twice.def", "plain.decoded", "nocycle.def", "none.coded"})
        EXPECT_FALSE(std::filesystem::exists(folder.file(name))) << name;
}
