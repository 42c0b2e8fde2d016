#include "app/CWindow.h"
#include "foundation/CFile.h"
#include "foundation/CLanguageOSVer.h"
#include "foundation/CPublicTrash.h"
#include "media/CKeyboard.h"
#include "platform/Clock.h"
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

namespace {

// Counts its own deletions so that tests see what the bin deleted.
class Tracked : public CXObject {
public:
    explicit Tracked(int* deletions) : deletions_(deletions) {}
    ~Tracked() override { ++*deletions_; }
    int* deletions() const { return deletions_; }

private:
    int* deletions_;
};

class CountingWindow : public CWindow {
public:
    using CWindow::CWindow;
    int OnTimer(int id) override
    {
        lastId = id;
        ++calls;
        return CWindow::OnTimer(id);
    }
    int lastId = -1;
    int calls = 0;
};

} // namespace

TEST(CWindow, TheBinDeletesOnlyMarkedObjectsAtItsTimerAndWhenTheWindowCloses)
{
    CurrentFolderGuard guard;
    platform::ManualClock clock(5000);
    platform::setClock(&clock);
    CLanguageOSVer language;
    int deletions = 0;
    auto* kept = new Tracked(&deletions);
    {
        CWindow window(&language, "");
        CPublicTrash* bin = window.getPublicTrashInterface();
        auto* first = new Tracked(&deletions);
        auto* second = new Tracked(&deletions);
        first->setToDelete();
        second->setToDelete();
        bin->add(first);
        bin->add(kept);
        bin->add(second);

        clock.advance(CPublicTrash::kPeriodMs - 1);
        window.GetTimerInterface()->domodal();
        EXPECT_EQ(deletions, 0);

        clock.advance(1);
        window.GetTimerInterface()->domodal();
        EXPECT_EQ(deletions, 2);
        ASSERT_EQ(bin->getCount(), 1);
        EXPECT_EQ(bin->at(0), kept);

        auto* late = new Tracked(&deletions);
        late->setToDelete();
        bin->add(late);
    }
    // Closing the window deletes what is marked in the bin and leaves the rest to its holder.
    EXPECT_EQ(deletions, 3);
    delete kept;
    platform::setClock(nullptr);
}

TEST(CWindow, ATimerWithoutAUnitCallsTheWindow)
{
    CurrentFolderGuard guard;
    platform::ManualClock clock(0);
    platform::setClock(&clock);
    CLanguageOSVer language;
    {
        CountingWindow window(&language, "");
        window.SetTimer(7, 100, nullptr, true);
        clock.advance(100);
        window.GetTimerInterface()->domodal();
        EXPECT_EQ(window.calls, 1);
        EXPECT_EQ(window.lastId, 7);

        window.KillTimer(7);
        clock.advance(100);
        window.GetTimerInterface()->domodal();
        EXPECT_EQ(window.calls, 1);
    }
    platform::setClock(nullptr);
}

TEST(CWindow, AnObjectDeletedByTheBinMayHandItMore)
{
    CurrentFolderGuard guard;
    platform::ManualClock clock(0);
    platform::setClock(&clock);
    CLanguageOSVer language;
    int deletions = 0;
    {
        CWindow window(&language, "");
        CPublicTrash* bin = window.getPublicTrashInterface();
        class Handing : public Tracked {
        public:
            Handing(int* deletions, CPublicTrash* bin) : Tracked(deletions), bin_(bin) {}
            ~Handing() override
            {
                auto* next = new Tracked(deletions());
                next->setToDelete();
                bin_->add(next);
            }

        private:
            CPublicTrash* bin_;
        };
        auto* first = new Handing(&deletions, bin);
        first->setToDelete();
        bin->add(first);

        clock.advance(CPublicTrash::kPeriodMs);
        window.GetTimerInterface()->domodal();
        EXPECT_EQ(deletions, 1);
        EXPECT_EQ(bin->getCount(), 1);
        clock.advance(CPublicTrash::kPeriodMs);
        window.GetTimerInterface()->domodal();
        EXPECT_EQ(deletions, 2);
        EXPECT_EQ(bin->getCount(), 0);
    }
    platform::setClock(nullptr);
}
