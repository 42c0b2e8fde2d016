#include "text/CButton.h"
#include "text/CEditBox6.h"
#include "text/CMC_Button.h"
#include "text/CMC_Dialog.h"
#include "text/CMC_EditBox.h"
#include "text/CText6.h"
#include "text/CXDialog.h"

#include "ControlScene.h"
#include "RecordBytes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The common part of the record of an object without bindings.
std::string head(const std::string& name)
{
    return text(name) + i32(0);
}

} // namespace

// BUTTON, EDITBOX and DIALOG store what their records lay out and are built again from them;
// a BUTTON whose RECT names a picture stores that picture's priority. An EDITBOX's PRIORITY
// rides in its object's record as the note "{PRIORITY}"; a record without it gives 0.
TEST_F(ControlScene, RecordsHoldTheirFieldsAndBuildTheObjectsAgain)
{
    picture("s.img", 10, 20, 30, 40);
    define(image("S", "s.img", 6) + properties("F", "FONT", {}) +
           properties("B", "BUTTON", {"ACCENT=S", "GFXSTANDARD=S", "SNDSTANDARD=X", "DRAG=S", "RECT=S", "DRAGGABLE=TRUE",
                                      "PRIORITY=9"}) +
           properties("E", "EDITBOX", {"RECT=1,2,3,4", "TEXT=hi", "FONT=F", "CURSOR=S", "PRIORITY=8"}) +
           properties("D", "DIALOG", {}));
    const std::string button = head("B") + text("S") + text("S") + text("") + text("") + text("X") + text("") + text("") +
                               text("S") + text("S") + std::string{'\0', '\1'} + i32(6);
    const std::string editBoxFields = text("F") + i32(1) + i32(2) + i32(3) + i32(4) + text("hi") + text("S");
    const std::string editBox = text("E") + i32(1) + text("{PRIORITY}") + text("8") + i32(1) + text("") + editBoxFields;
    const std::string dialog = head("D");
    EXPECT_EQ(record(object<CMC_Button>("B")), button);
    EXPECT_EQ(record(object<CMC_EditBox>("E")), editBox);
    EXPECT_EQ(record(object<CMC_Dialog>("D")), dialog);

    auto* buttonCopy = readRecord<CMC_Button>(button);
    EXPECT_EQ(record(buttonCopy), button);
    ASSERT_NE(buttonCopy->getButton(), nullptr);
    EXPECT_EQ(buttonCopy->getButton()->GetStandard(), imageOf("S"));
    EXPECT_EQ(buttonCopy->getButton()->getActiveRect(), CXRect(10, 20, 40, 60));
    EXPECT_FALSE(buttonCopy->getButton()->IsEnabled());
    EXPECT_TRUE(buttonCopy->getButton()->IsDraggingEnabled());
    auto* editBoxCopy = readRecord<CMC_EditBox>(editBox);
    EXPECT_EQ(record(editBoxCopy), editBox);
    EXPECT_EQ(editBoxCopy->getEditBox()->getCursor(), imageOf("S"));
    EXPECT_EQ(screen()->GetPriority(editBoxCopy->getEditBox()->getDisplay()), 8);
    auto* olderEditBox = readRecord<CMC_EditBox>(head("OLD") + editBoxFields);
    EXPECT_EQ(screen()->GetPriority(olderEditBox->getEditBox()->getDisplay()), 0);
    EXPECT_EQ(record(readRecord<CMC_Dialog>(dialog)), dialog);

    // A DIALOG without a container has no panel, and its methods do nothing, until it gets one.
    auto* loose = new CMC_Dialog(nullptr);
    loose->setName("LOOSE");
    EXPECT_EQ(loose->getDialog(), nullptr);
    scene->addObject(loose);
    run("LOOSE^ADD(\"S\");LOOSE^SHOW();");
    loose->setScene(scene.get());
    ASSERT_NE(loose->getDialog(), nullptr);
    run("LOOSE^ADD(\"S\");");
    EXPECT_EQ(loose->getDialog()->getGraphics().size(), 1u);
}
