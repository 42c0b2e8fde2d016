#include "text/CButton.h"
#include "text/CButtonHotSpot.h"
#include "text/CMC_Button.h"
#include "text/CMC_Dialog.h"
#include "text/CUnit6.h"
#include "text/CXDialog.h"

#include "ControlScene.h"

#include <gtest/gtest.h>

namespace {

// The DIALOG DLG over the background BG (100 x 80 at (300, 300)), with the picture G and the
// BUTTON DB of the picture DS among its members; BG2 is a background at (500, 300).
class DialogScene : public ControlScene {
protected:
    DialogScene()
    {
        picture("bg.img", 300, 300, 100, 80);
        picture("g.img", 310, 340, 10, 10);
        picture("ds.img", 320, 350, 20, 10);
        picture("bg2.img", 500, 300, 100, 80);
        define(image("BG", "bg.img", 2) + image("BG2", "bg2.img", 2) + image("G", "g.img", 5) + image("DS", "ds.img", 4) +
               properties("DB", "BUTTON", {"GFXSTANDARD=DS", "ENABLE=TRUE"}) + properties("F", "FONT", {}) +
               properties("DLG", "DIALOG", {}));
        run("DLG^SETBACKGROUND(\"BG\");DLG^ADD(\"G\");DLG^ADD(\"G\");DLG^ADD(\"DB\");DLG^ADD(\"F\");DLG^ADD(\"NONE\");");
        frame();
    }

    CXDialog* dialog() { return object<CMC_Dialog>("DLG")->getDialog(); }
};

} // namespace

// Members stand once above the background, which stands above the scene; dragging the title
// bar moves them all, and the title bar's hit area follows.
TEST_F(DialogScene, TheTitleBarDragsTheBackgroundAndItsMembers)
{
    EXPECT_EQ(screen()->GetPriority(imageOf("BG")), CXDialog::kBackgroundPriority);
    EXPECT_EQ(screen()->GetPriority(imageOf("G")), 100006);
    EXPECT_EQ(screen()->GetPriority(imageOf("DS")), 100005);
    EXPECT_EQ(dialog()->getGraphics().size(), 1u);
    EXPECT_EQ(dialog()->getButtons().size(), 1u);
    EXPECT_EQ(dialog()->getTitleButton()->getActiveRect(), CXRect(300, 300, 400, 330));

    pointTo(310, 305);
    press(310, 305);
    EXPECT_EQ(screen()->GetPriority(imageOf("BG")), CUnit6::kDraggedPriority);
    pointTo(315, 315);
    pointTo(320, 325);
    release(320, 325);
    EXPECT_FALSE(CMC_Scene::getDefUnit()->isDragging());
    EXPECT_EQ(screen()->GetPriority(imageOf("BG")), CXDialog::kBackgroundPriority);
    EXPECT_EQ(imageOf("BG")->getPosition(), CXPoint(310, 320));
    EXPECT_EQ(imageOf("G")->getPosition(), CXPoint(320, 360));
    EXPECT_EQ(imageOf("DS")->getPosition(), CXPoint(330, 370));
    EXPECT_EQ(dialog()->getTitleButton()->getActiveRect(), CXRect(310, 320, 410, 350));
    EXPECT_TRUE(object<CMC_Button>("DB")->getButton()->getHotSpot()->TestHit(CXPoint(335, 375)));

    // A second background's title bar replaces the first one.
    run("DLG^SETBACKGROUND(\"BG2\");");
    for (const CXPoint at : {CXPoint(320, 330), CXPoint(510, 305)}) {
        pointTo(at.x, at.y);
        press(at.x, at.y);
        EXPECT_EQ(CMC_Scene::getDefUnit()->isDragging(), at.x == 510);
        release(at.x, at.y);
    }
}

// Hiding hides the background with the members; showing shows the members only.
TEST_F(DialogScene, HidingTakesTheBackgroundShowingDoesNot)
{
    run("DLG^HIDE();");
    EXPECT_EQ(shown({"BG", "G", "DS"}), "");
    EXPECT_FALSE(object<CMC_Button>("DB")->getButton()->IsEnabled());
    run("DLG^SHOW();");
    EXPECT_EQ(shown({"BG", "G", "DS"}), "G DS");
    EXPECT_TRUE(object<CMC_Button>("DB")->getButton()->IsEnabled());
}
