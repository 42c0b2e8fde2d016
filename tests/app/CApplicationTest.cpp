#include "app/CApplication.h"

#include "app/CWindow.h"
#include "foundation/CCommandLine6.h"
#include "foundation/CConfig.h"
#include "foundation/CLanguageOSVer.h"
#include "platform/PathResolver.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class Application : public ::testing::Test {
protected:
    Application() { platform::changeFolder(temp.path().string()); }
    ~Application() override
    {
        CWindow::rootPath = savedRoot_;
        CWindow::exePath = savedExe_;
    }

    CurrentFolderGuard guard;
    TempFolder temp;
    CLanguageOSVer language;

private:
    CXString savedRoot_ = CWindow::rootPath;
    CXString savedExe_ = CWindow::exePath;
};

} // namespace

TEST_F(Application, RegistersWithTheWindowAndOpensItsIniInTheLocalRoot)
{
    const char* arguments[] = {"Kestrum", "-window"};
    CCommandLine6 commandLine(2, arguments);
    CWindow window(&language, CXString("\\opt\\kestrum\\"), &commandLine);
    {
        CApplication application(&window, CXString("game.ini"), CXString(), &commandLine);
        EXPECT_EQ(window.GetApplicationInterface(), &application);
        EXPECT_EQ(application.getCommandLine(), &commandLine);
        ASSERT_NE(application.GetConfigInterface(), nullptr);
        EXPECT_EQ(application.GetConfigInterface()->getFileName(), CWindow::rootPath + "game.ini");
        EXPECT_TRUE(application.GetConfigInterface()->PutString(CXString("S"), CXString("K"), CXString("v")));
    }
    EXPECT_EQ(window.GetApplicationInterface(), nullptr);
    EXPECT_EQ(temp.read("game.ini"), "[S]\r\nK=v\r\n");

    CApplication withoutIni(&window, CXString(), CXString(), nullptr);
    EXPECT_EQ(withoutIni.GetConfigInterface(), nullptr);
}

// Where the INI gathers its writes, the frame's end writes those of the frame, and the
// application's end those that came after.
TEST_F(Application, GatheredIniWritesLandAtTheFramesEndAndAtTheApplicationsEnd)
{
    CWindow window(&language, CXString("\\opt\\kestrum\\"));
    {
        CApplication application(&window, CXString("game.ini"), CXString(), nullptr);
        CConfig* ini = application.GetConfigInterface();
        ini->gatherWrites();
        ini->PutInt(CXString("S"), CXString("A"), 1);
        ini->PutInt(CXString("S"), CXString("A"), 2);
        EXPECT_EQ(ini->GetInt(CXString("S"), CXString("A")), 2);
        EXPECT_FALSE(std::filesystem::exists(temp.file("game.ini")));
        window.domodal();
        EXPECT_EQ(temp.read("game.ini"), "[S]\r\nA=2\r\n");
        ini->PutInt(CXString("S"), CXString("B"), 3);
    }
    EXPECT_EQ(temp.read("game.ini"), "[S]\r\nA=2\r\nB=3\r\n");
}
