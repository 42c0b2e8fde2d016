#include "app/CWindow.h"
#include "foundation/CFile.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CPath.h"
#include "platform/PathResolver.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace fs = std::filesystem;

namespace {

// Keeps the window's class-wide paths for one test and puts them back afterwards.
class SavedRoots {
public:
    SavedRoots() = default;
    SavedRoots(const CXString& local, const CXString& disc)
    {
        CWindow::rootPath = local;
        CWindow::setCDPath(disc);
    }
    ~SavedRoots()
    {
        CWindow::rootPath = local_;
        CWindow::exePath = exe_;
        CWindow::setCDPath(disc_);
    }
    SavedRoots(const SavedRoots&) = delete;
    SavedRoots& operator=(const SavedRoots&) = delete;

private:
    CXString local_ = CWindow::rootPath;
    CXString exe_ = CWindow::exePath;
    CXString disc_ = CWindow::getCDPath();
};

std::string contents(CFile& file)
{
    std::string bytes(static_cast<size_t>(file.Length()), '\0');
    file.Read(bytes.data(), file.Length());
    return bytes;
}

} // namespace

TEST(DataPaths, TreeMappingCutsAtTheDataFolders)
{
    SavedRoots roots("D:\\Inst\\", "F:\\Disc\\");
    struct Case {
        const char* path;
        const char* local;
    };
    const Case cases[] = {
        {"E:\\Game\\Dane\\x.cnv", "D:\\Inst\\Dane\\x.cnv"},
        {"E:\\Game\\COMMON\\a.ann", "D:\\Inst\\COMMON\\a.ann"},
        {"E:\\Game\\wavs\\s.wav", "D:\\Inst\\WAVS\\S.WAV"},
        {"E:\\Game\\other\\y", "E:\\Game\\other\\y"},
        {"E:\\Daneel\\x", "D:\\Inst\\Daneel\\x"},
        {"E:\\COMMON\\Dane\\x", "D:\\Inst\\Dane\\x"},
        {"E:\\dane\\x", "E:\\dane\\x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CFile::getLocalPath(c.path), c.local) << c.path;
    EXPECT_EQ(CFile::getCDPath("E:\\Game\\Dane\\x.cnv"), "F:\\Disc\\Dane\\x.cnv");
    EXPECT_FALSE(CFile::isHdd(""));
    EXPECT_TRUE(CFile::isHdd("\\home\\game"));
}

TEST(DataPaths, NameMarkersAndJoins)
{
    SavedRoots roots("D:\\Inst\\", "E:\\");
    EXPECT_EQ(CPath::resolveFileName(nullptr, "$Dane\\a.img"), "E:\\Dane\\a.img");
    EXPECT_EQ(CPath::resolveFileName(nullptr, "&x"), "E:\\x");
    EXPECT_EQ(CPath::resolveFileNameEx(nullptr, "$Dane\\a.img"), "D:\\Inst\\Dane\\a.img");
    EXPECT_EQ(CPath::resolveFileName(nullptr, "plain\\name"), "plain\\name");

    const CXString current = CFile::getCurrentDirectory();
    EXPECT_EQ(CPath::resolveFileName(nullptr, "COMMON?anim.ann"), current + "\\COMMON\\anim.ann");
    EXPECT_EQ(CPath::resolveFileName(nullptr, "anim.ann?"), current + "\\anim.ann");

    EXPECT_EQ(CPath::getFullPath("C:\\A", "b"), "C:\\A\\b");
    EXPECT_EQ(CPath::getFullPath("C:\\A\\", "b"), "C:\\A\\b");
    EXPECT_EQ(CPath::getFullPath("", "b"), "b");
    EXPECT_EQ(CPath::getFullPath("", "", "b"), "\\b");
    EXPECT_EQ(CPath::getFullPath("C:\\Game\\", "COMMON", "a.ann"), "C:\\Game\\\\COMMON\\a.ann");

    CPath here(nullptr);
    EXPECT_EQ(here.getCurrentPath(), current);
    EXPECT_EQ(here.GetFullPath(""), current);
    EXPECT_EQ(here.GetFullPath("Kestrum.ini"), current + "Kestrum.ini");
    EXPECT_FALSE(here.isCD());

    struct Case {
        const char* name;
        const char* renamed;
    };
    for (const Case& c : {Case{"pic.img", "pic.bmp"}, Case{"a.b.c", "a.bmp"}, Case{"noext", "bmp"}})
        EXPECT_EQ(CPath(nullptr, c.name).SetExtension("bmp"), c.renamed);
}

TEST(DataPaths, TheSystemLanguageComesFromTheLocale)
{
    const char* saved = std::getenv("LC_ALL");
    const std::string previous = saved != nullptr ? saved : "";
    ::setenv("LC_ALL", "hu_HU.UTF-8", 1);
    CLanguageOSVer hungarian;
    ::setenv("LC_ALL", "en_GB.UTF-8", 1);
    CLanguageOSVer english;
    if (saved != nullptr)
        ::setenv("LC_ALL", previous.c_str(), 1);
    else
        ::unsetenv("LC_ALL");

    EXPECT_EQ(hungarian.getLang(), 6);
    EXPECT_EQ(hungarian.getLanguageFolder(), "HUN");
    EXPECT_EQ(english.getLang(), CLanguageOSVer::NO_LANGUAGE);
    EXPECT_EQ(english.getLanguageFolder(), "");

    // Codes are compared exactly: the lower-case form does not switch.
    english.setLanguageFolder("040e");
    EXPECT_EQ(english.getLang(), CLanguageOSVer::NO_LANGUAGE);
    english.setLanguageFolder("0415");
    EXPECT_EQ(english.getLang(), 1);
    EXPECT_EQ(english.getLanguageFolder(), "POL");
    english.setLanguageFolder("9999");
    EXPECT_EQ(english.getLanguageFolder(), "POL");
    english.setLanguageFolder("");
    EXPECT_EQ(english.getLang(), 1);
}

// The data tree of an installed application: the local tree (the folder the program started
// in) holds what was copied to the hard disk, the data-disc tree (the application folder)
// everything else. Names on disk are lower case or mixed case, one is Polish.
class DataTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(temp.path() / "game" / "dane" / "scene1" / "POL");
        fs::create_directories(temp.path() / "disc" / "DANE" / "Scene1" / "pol");
        fs::create_directories(temp.path() / "disc" / "common");
        temp.write("game/dane/scene1/bg.img", "local bg");
        temp.write("game/dane/scene1/POL/bg.img", "polish bg");
        temp.write("game/dane/scene1/talk.wav", "local talk");
        temp.write("disc/DANE/Scene1/INTRO.ANN", "disc intro");
        temp.write("disc/DANE/Scene1/pol/talk.wav", "disc polish talk");
        temp.write("disc/DANE/Scene1/outro.ann", "disc outro");
        temp.write("disc/DANE/Scene1/pol/outro.ann", "disc polish outro");
        temp.write("disc/common/\xC5\xBC\xC3\xB3\xC5\x82w.img", "turtle"); // "żółw.img"

        ASSERT_TRUE(platform::changeFolder(temp.file("game")));
        language.setLanguageFolder("0415");
        window = std::make_unique<CWindow>(&language, "");
        CWindow::setCDPath(CXString(platform::toWindowsName(temp.file("disc")).c_str()) + "\\");
        ASSERT_TRUE(platform::changeFolder("Dane\\Scene1"));
    }

    std::string read(const CXString& name)
    {
        CFile file(window.get(), name, CFile::MODE_READ | CFile::MODE_BINARY);
        return file.LastError() == 0 ? contents(file) : "(error " + std::to_string(file.LastError()) + ")";
    }

    CurrentFolderGuard guard;
    SavedRoots roots;
    TempFolder temp;
    CLanguageOSVer language;
    std::unique_ptr<CWindow> window;
};

TEST_F(DataTreeTest, WindowsNamesFindTheirFiles)
{
    EXPECT_EQ(read("BG.IMG"), "polish bg");       // the language variant first
    EXPECT_EQ(read("Talk.Wav"), "local talk");    // no variant here: the plain file, before the disc's variant
    EXPECT_EQ(read("intro.ann"), "disc intro");   // not installed: the data-disc tree
    EXPECT_EQ(read("outro.ann"), "disc polish outro");
    EXPECT_EQ(read("..\\..\\COMMON\\\xBF\xF3\xB3w.IMG"), "turtle");
    EXPECT_EQ(read("$Common\\\xAF\xD3\xA3W.img"), "turtle");
    EXPECT_EQ(read("missing.img"), "(error 2000)");

    CLanguageOSVer none;
    none.setLanguageFolder("");
    CWindow plainWindow(&none, "");
    CFile plain(&plainWindow, "bg.img", CFile::MODE_READ | CFile::MODE_BINARY);
    EXPECT_EQ(contents(plain), "local bg");
}

TEST_F(DataTreeTest, TheLanguageVariantOfAPathIsTakenWhenItExists)
{
    const CXString scene = CXString(platform::currentFolderName().c_str()) + "\\";
    EXPECT_EQ(language.getLocalFileName(scene + "bg.img"), scene + "POL\\bg.img");
    EXPECT_EQ(language.getLocalFileName(scene + "talk.wav"), scene + "talk.wav");
    EXPECT_EQ(language.getLocalFileName("a.img"), "POL\\a.img");
}

TEST_F(DataTreeTest, GetPathNamesWhereAFileWouldBeRead)
{
    const CXString scene = CXString(platform::currentFolderName().c_str()) + "\\";
    EXPECT_EQ(CFile::getPath(window.get(), "bg.img"), CWindow::rootPath + "Dane\\Scene1\\POL\\bg.img");
    EXPECT_EQ(CFile::getPath(window.get(), "talk.wav"), CWindow::rootPath + "Dane\\Scene1\\talk.wav");
    EXPECT_EQ(CFile::getPath(window.get(), "nothing"), "");
    EXPECT_EQ(CFile::getPath(nullptr, "talk.wav"), CWindow::rootPath + "Dane\\Scene1\\talk.wav");
}

TEST_F(DataTreeTest, FromTheDataDiscTheTwoRulesPreferDifferentTrees)
{
    // With a language, opening on a fixed disk (every folder is one here) tries the current
    // folder's tree and then the data-disc tree, never the local tree; getPath tries the
    // local tree first.
    ASSERT_TRUE(platform::changeFolder((CWindow::getCDPath() + "Dane\\Scene1").c_str()));
    EXPECT_EQ(read("talk.wav"), "disc polish talk");
    EXPECT_EQ(CFile::getPath(window.get(), "talk.wav"), CWindow::rootPath + "Dane\\Scene1\\talk.wav");
    EXPECT_EQ(CFile::getPath(window.get(), "intro.ann"), CWindow::getCDPath() + "Dane\\Scene1\\intro.ann");
}

TEST_F(DataTreeTest, WritesGoToTheFirstPathThatOpens)
{
    {
        CFile out(window.get(), "new.sav", CFile::MODE_BINARY);
        ASSERT_EQ(out.LastError(), 0);
        out.putLine("saved");
    }
    EXPECT_EQ(temp.read("game/dane/scene1/new.sav"), "saved");
    {
        CFile out(window.get(), "bg.img", CFile::MODE_BINARY);
        out.putLine("replaced");
    }
    EXPECT_EQ(temp.read("game/dane/scene1/POL/bg.img"), "replaced");
}
