#include "script/CMElementsLoader.h"

#include "app/CWindow.h"
#include "foundation/CCommandLine6.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CTextCoder.h"
#include "foundation/CTextFileReader.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The elements as one text: NAME{PROPERTY=VALUE;...}[CHILD,...] for each element in order.
std::string dump(const CMElements* elements)
{
    if (elements == nullptr)
        return "null";
    std::string text;
    for (int i = 0; i < elements->getCount(); ++i) {
        CMElement* element = elements->getAt(i);
        text += std::string(element->getName().c_str()) + "{";
        CMProperties* properties = element->getProperties();
        for (int p = 0; p < properties->getCount(); ++p)
            text += std::string(p ? ";" : "") + properties->getAt(p)->getName().c_str() + "=" +
                    properties->getAt(p)->getValue().c_str();
        text += "}";
        CMElements* children = element->getChildren();
        for (int c = 0; c < children->getCount(); ++c)
            text += std::string(c ? "," : "[") + children->getAt(c)->getName().c_str();
        text += children->getCount() ? "]" : "";
        text += " ";
    }
    return text;
}

std::string loadText(const std::string& text)
{
    auto* reader = new CTextFileReader(nullptr, text.c_str(), static_cast<int>(text.size()));
    std::unique_ptr<CMElements> elements(CMElementsLoader::load(nullptr, reader));
    return dump(elements.get());
}

std::string withCrLf(const std::string& text)
{
    std::string crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return crlf;
}

CCommandLine6 options(const char* option)
{
    const char* argv[] = {"Kestrum", option};
    return CCommandLine6(2, argv);
}

// Written the way a Windows editor leaves it: CR LF, tabs, continued lines, comments.
const char* const kWindowsDefinition =
    "# scene definitions\r\n"
    "OBJECT=BACKGROUND\r\n"
    "BACKGROUND:TYPE=IMAGE\r\n"
    "BACKGROUND:FILENAME=\tpictures\\back.img\r\n"
    "\r\n"
    "OBJECT=HERO\r\n"
    "HERO:TYPE\t=\tANIMO\r\n"
    "HERO:PRIORITY=10\r\n"
    "HERO:ONCLICK={/\r\n"
    "\tHERO^PLAY(\"WALK\");/\r\n"
    "\tBACKGROUND^SHOW();/\r\n"
    "}\r\n"
    "HERO:TEXT=Dzie\xF1 dobry /\r\n"
    "/  \r\n"
    "   wszystkim\r\n"
    "HERO:ADD=BACKGROUND\r\n"
    "DEF:POINT(X = 1 | Y = 2)\r\n"
    "IMPORT=INTRO\r\n"
    "!\r\n"
    "OBJECT=NEVER\r\n";

const char* const kWindowsElements =
    "BACKGROUND{TYPE=IMAGE;FILENAME=pictures\\back.img}[HERO] "
    "HERO{TYPE=ANIMO;PRIORITY=10;ONCLICK={HERO^PLAY(\"WALK\");BACKGROUND^SHOW();};TEXT=Dzie\xF1 dobry    wszystkim} "
    "POINT{X=1;Y=2} INTRO{TYPE=SEQUENCE} ";

} // namespace

TEST(CMElementsLoader, StatementForms)
{
    struct Case {
        const char* text;
        const char* elements;
    };
    const Case cases[] = {
        {"OBJECT=A\nA:TYPE=ANIMO\nA:FILENAME=x.ann\n", "A{TYPE=ANIMO;FILENAME=x.ann} "},
        {"OBJECT=A\nA:TYPE=ANIMO\nA:TYPE=IMAGE", "A{TYPE=ANIMO;TYPE=IMAGE} "},
        {"A:TYPE=ANIMO\nOBJECT=A\n", "A{} "},
        {"OBJECT=A\nOBJECT=A\n", "A{} "},
        {"OBJECT=A\nA:TEXT=abc/\n  def\n", "A{TEXT=abc  def} "},
        {"OBJECT=A\nA:CODE={/\nB^SHOW();/\n}\n", "A{CODE={B^SHOW();}} "},
        {"#OBJECT=A\nOBJECT=B\n!\nOBJECT=C\n", "B{} "},
        {"OBJECT=A\nA:CODE={B^SHOW();}\nA:V=x=1:z\n", "A{CODE={B^SHOW();};V=x 1 z} "},
        {"OBJECT=A\nB:ADD=A\nOBJECT=B\nB:ADD=A\nOBJECT=C\nA:APPLY=C\nA:APPLY=D\n", "A{}[B,C] B{} C{} "},
        {"IMPORT=S\nIMPORT=S\n", "S{TYPE=SEQUENCE} "},
        // A name defined already drops the rest of an OBJECT line, not of an IMPORT line.
        {"OBJECT=A\nOBJECT=A=OBJECT=B\nIMPORT=S\nIMPORT=S=OBJECT=C\n", "A{} S{TYPE=SEQUENCE} C{} "},
        {"DEF:POINT(X = 1 | Y = 2)\n", "POINT{X=1;Y=2} "},
        {"OBJECT=A=OBJECT=B\n", "A{} B{} "},
        // DEF as a later statement names its element from the line's fifth character.
        {"OBJECT=A=DEF:B(X=1)\n", "A{} CT=A=DEF:B{X=1} "},
        {"OBJECT = A\n", ""},
        {"\tOBJECT\t=\tA\nA:\tTYPE=ANI\tMO\nA:FLAG\nA:FLAG\nA:FLAG=\n", "A{TYPE=ANIMO;FLAG=} "},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(loadText(c.text), c.elements);
        EXPECT_EQ(loadText(withCrLf(c.text)), c.elements);
    }
}

TEST(CMElementsLoader, BadLinesAreSkipped)
{
    EXPECT_EQ(loadText("OBJECT\n"
                       "IMPORT\n"
                       "DEF\n"
                       "DEF:BROKEN\n"
                       "DEF:OPEN(A=1|B=2\n"
                       "DEF:CLOSE)A=1(\n"
                       "  :::=== \n"
                       "OBJECT=A\n"
                       "A\n"
                       "A:NOEQUALS\n"
                       "NOSUCH:X=1\n"
                       "A:ADD=NOSUCH\n"
                       "A:ADD\n"
                       "DEF:ODD(=1| |K|V = 2)\n"),
              "A{NOEQUALS=} ODD{=1;K=;V=2} ");
}

TEST(CMElementsLoader, PropertiesFile)
{
    std::string text = "VERSION=1.2\r\nA=B=C\r\nNOEQUALS\r\n\r\nFILES=3";
    CTextFileReader reader(nullptr, text.c_str(), static_cast<int>(text.size()));
    std::unique_ptr<CMProperties> properties(CMElementsLoader::loadPropertiesFile(&reader));
    std::vector<std::string> pairs;
    for (int i = 0; i < properties->getCount(); ++i)
        pairs.push_back(std::string(properties->getAt(i)->getName().c_str()) + "=" + properties->getAt(i)->getValue().c_str());
    EXPECT_EQ(pairs, (std::vector<std::string>{"VERSION=1.2", "A=B", "NOEQUALS=", "=", "FILES=3"}));
}

TEST(CMElementsLoader, WindowsFileAndItsCodedCopyLoadAlike)
{
    TempFolder folder;
    std::string name = folder.write("scene.cnv", kWindowsDefinition);
    CCommandLine6 code = options("-code");
    std::unique_ptr<CMElements> plain(CMElementsLoader::load(nullptr, name.c_str(), &code));
    EXPECT_EQ(dump(plain.get()), kWindowsElements);

    ASSERT_EQ(folder.read("scene.cnv.coded").rfind("{<C:6>}\n", 0), 0u);
    std::unique_ptr<CMElements> coded(CMElementsLoader::load(nullptr, (name + ".coded").c_str(), nullptr));
    EXPECT_EQ(dump(coded.get()), kWindowsElements);

    CCommandLine6 decode = options("-decode");
    std::unique_ptr<CMElements> again(CMElementsLoader::load(nullptr, (name + ".coded").c_str(), &decode));
    std::unique_ptr<CMElements> decoded(CMElementsLoader::load(nullptr, (name + ".coded.decoded").c_str(), nullptr));
    EXPECT_EQ(dump(decoded.get()), kWindowsElements);
}

TEST(CMElementsLoader, TheWindowsCommandLineAsksForTheCopies)
{
    TempFolder folder;
    std::string name = folder.write("scene.cnv", kWindowsDefinition);
    std::unique_ptr<CMElements> withoutWindow(CMElementsLoader::load(nullptr, name.c_str()));
    EXPECT_EQ(dump(withoutWindow.get()), kWindowsElements);
    EXPECT_FALSE(std::filesystem::exists(folder.file("scene.cnv.coded")));

    CLanguageOSVer language;
    CCommandLine6 code = options("-code");
    CWindow window(&language, "", &code);
    std::unique_ptr<CMElements> elements(CMElementsLoader::load(&window, name.c_str()));
    EXPECT_EQ(dump(elements.get()), kWindowsElements);
    EXPECT_TRUE(std::filesystem::exists(folder.file("scene.cnv.coded")));
}

TEST(CMElementsLoader, MissingFileGivesNullAndNoCopies)
{
    TempFolder folder;
    CCommandLine6 code = options("-code");
    EXPECT_EQ(CMElementsLoader::load(nullptr, folder.file("none.cnv").c_str(), &code), nullptr);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
    EXPECT_FALSE(CMElementsLoader::save(folder.file("x.cnv").c_str(), nullptr));
}
