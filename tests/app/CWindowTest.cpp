#include "app/CWindow.h"
#include "foundation/CFile.h"
#include "foundation/CLanguageOSVer.h"
#include "media/CKeyboard.h"
#include "platform/PathResolver.h"

#include "CurrentFolderGuard.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

TEST(CWindow, KeepsTheDataRootsAndTheLanguage)
{
    CurrentFolderGuard guard;
    TempFolder temp;
    ASSERT_TRUE(platform::changeFolder(temp.path().string()));
    const CXString savedRoot = CWindow::rootPath;
    const CXString savedExe = CWindow::exePath;
    const CXString savedDisc = CWindow::getCDPath();

    CLanguageOSVer language;
    {
        CWindow window(&language, "\\opt\\kestrum\\");
        EXPECT_EQ(CWindow::rootPath, CXString(platform::toWindowsName(temp.path().string()).c_str()) + "\\");
        EXPECT_EQ(CWindow::exePath, "\\opt\\kestrum\\");
        EXPECT_EQ(window.getLangIfc(), &language);
        EXPECT_NE(window.getKeyboardInterface(), nullptr);
        CWindow::setCDPath("\\media\\disc\\");
        EXPECT_EQ(CWindow::getCDPath(), "\\media\\disc\\");
    }

    CWindow::rootPath = savedRoot;
    CWindow::exePath = savedExe;
    CWindow::setCDPath(savedDisc);
}
