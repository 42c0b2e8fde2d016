#include "script_graphics/CMC_VirtualGraphicsObject.h"

#include "foundation/CFile.h"
#include "graphics/CImage.h"
#include "graphics/CVirtualGraphicsObject.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_Image.h"

#include "PictureScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A VIRTUALGRAPHICSOBJECT V on the screen at priority 9, the ANIMO HERO ("hero.ann", 8 × 6
// images, opaque but for the last column) and the IMAGE S ("stone.img", 20 × 10).
class VirtualScene : public PictureScene {
protected:
    VirtualScene()
    {
        define("OBJECT=V\nV:TYPE=VIRTUALGRAPHICSOBJECT\nV:TOCANVAS=TRUE\nV:VISIBLE=TRUE\nV:PRIORITY=9\nV:SOURCE=S\n"
               "V:MASK=HERO\nV:ASBUTTON=TRUE\n"
               "OBJECT=HERO\nHERO:TYPE=ANIMO\nHERO:FILENAME=hero.ann\nHERO:TOCANVAS=TRUE\n"
               "OBJECT=S\nS:TYPE=IMAGE\nS:FILENAME=stone.img\n");
    }

    CMC_VirtualGraphicsObject* v() { return object<CMC_VirtualGraphicsObject>("V"); }
    CVirtualGraphicsObject* picture() { return v()->getVirtualGraphicsObject(); }
    bool monitored(CGraphicsObject* graphics)
    {
        const std::vector<CGraphicsObject*>& list = scene->getMonitored();
        return std::find(list.begin(), list.end(), graphics) != list.end();
    }
};

} // namespace

// SOURCE, MASK and ASBUTTON are kept, not applied; the methods choose source and mask. An
// ANIMO lends the frame it shows at that moment.
TEST_F(VirtualScene, MethodsChooseSourceAndMaskAndTheDefinitionOnlyRecords)
{
    EXPECT_EQ(v()->getSourceName(), "S");
    EXPECT_EQ(v()->getMaskName(), "HERO");
    EXPECT_TRUE(v()->isButton());
    EXPECT_EQ(picture()->getSource(), nullptr);
    EXPECT_EQ(screen()->GetPriority(picture()), 9);
    EXPECT_EQ(ask("V^GETWIDTH()"), "0");

    run("V^SETSOURCE(\"S\");V^SETMASK(\"HERO\");V^SETSOURCE(\"NOSUCH\");V^SETMASK(\"NOSUCH\");");
    EXPECT_EQ(picture()->getSource(), object<CMC_Image>("S")->getImage());
    ASSERT_NE(picture()->getMask(), nullptr);
    run("HERO^PLAY(\"Walk\");");
    frame(100);
    EXPECT_EQ(ask("V^GETWIDTH()"), "8");
    EXPECT_EQ(ask("V^GETHEIGHT()"), "6");
    // The mask is still the first frame's, transparent in its last column.
    run("V^SETPOSITION(100,100);");
    for (auto [call, answer] : {std::pair{"V^ISINSIDE(107,101,TRUE)", "FALSE"}, {"V^ISINSIDE(106,101,TRUE)", "TRUE"},
                                {"V^ISINSIDE(107,101,FALSE)", "TRUE"}, {"V^ISINSIDE(108,101,FALSE)", "FALSE"},
                                {"V^GETPOSITIONX()", "100"}, {"V^ISNEAR(100,100,104,106,50)", "TRUE"},
                                {"V^ISNEAR(100,100,104,106,51)", "FALSE"}, {"V^ISVISIBLE()", "TRUE"}})
        EXPECT_EQ(ask(call), answer) << call;
    run("V^SETCLIPPING(1,1,3,3);");
    EXPECT_EQ(picture()->GetClippingRect(), CXRect(1, 1, 3, 3));
    run("V^SETCLIPPING(\"NOSUCH\");");
    EXPECT_EQ(picture()->GetClippingRect(), CXRect(0, 0, 0, 0));
    run("V^SETPRIORITY(2);V^SETASBUTTON(FALSE,FALSE);");
    EXPECT_EQ(screen()->GetPriority(picture()), 2);
    EXPECT_EQ(v()->getPriority(), 9);
    EXPECT_TRUE(v()->isButton());
    EXPECT_FALSE(v()->hasButtonCursor());
}

// The copy is a picture of its own on the same source and mask; CREATEOBJECT makes an empty
// picture shown at priority 0.
TEST_F(VirtualScene, ClonesAndCreatedObjectsAreVirtualPicturesToo)
{
    run("V^SETSOURCE(\"S\");V^SETMASK(\"S\");V^CLONE();");
    auto* copy = object<CMC_VirtualGraphicsObject>("V_1");
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy->getVirtualGraphicsObject(), picture());
    EXPECT_EQ(copy->getVirtualGraphicsObject()->getSource(), picture()->getSource());
    EXPECT_EQ(copy->getVirtualGraphicsObject()->getMask(), picture()->getMask());
    EXPECT_EQ(screen()->GetPriority(copy->getVirtualGraphicsObject()), 9);

    scene->createObject("VGO", "MADE");
    auto* made = object<CMC_VirtualGraphicsObject>("MADE");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(screen()->GetPriority(made->getVirtualGraphicsObject()), 0);
    EXPECT_TRUE(made->getVirtualGraphicsObject()->isVisible());
    EXPECT_EQ(scene->getGraphicsObjectName(made->getVirtualGraphicsObject()), "MADE");
}

// Watching collisions ends with REMOVEMONITORCOLLISION and with the object.
TEST_F(VirtualScene, CollisionWatchingEndsWithTheRequestOrTheObject)
{
    run("V^MONITORCOLLISION(TRUE);");
    EXPECT_TRUE(monitored(picture()));
    EXPECT_TRUE(picture()->getMonitorCollisionsFlag());
    run("V^REMOVEMONITORCOLLISION();");
    EXPECT_FALSE(monitored(picture()));
    EXPECT_FALSE(picture()->getMonitorCollisionsFlag());

    define("OBJECT=W\nW:TYPE=VIRTUALGRAPHICSOBJECT\nW:MONITORCOLLISIONALPHA=TRUE\n");
    auto* w = object<CMC_VirtualGraphicsObject>("W");
    CGraphicsObject* watched = w->getVirtualGraphicsObject();
    EXPECT_TRUE(monitored(watched));
    EXPECT_FALSE(watched->isVisible());
    scene->removeObject(w);
    delete w;
    EXPECT_FALSE(monitored(watched));
}

// A compiled scene reads a VIRTUALGRAPHICSOBJECT's record as an empty one off the screen and
// goes on to the records after it; the writer leaves the type out.
TEST_F(VirtualScene, CompiledScenesReadTheRecordButDoNotWriteIt)
{
    define("OBJECT=N\nN:TYPE=INTEGER\nN:VALUE=7\n");
    {
        CFile file(nullptr, "scene.bin", CFile::MODE_BINARY);
        CXArchive archive(&file, true);
        archive << CXString() << CXString() << CXString() << int32_t{2} << int32_t{CMC_VirtualGraphicsObject::kType};
        v()->serialize(&archive);
        archive << int32_t{CMC_Object::TYPE_INTEGER};
        scene->getObject("N")->serialize(&archive);
    }
    CMC_Scene read(window(), CMC_Object::TYPE_SCENE);
    {
        CFile file(nullptr, "scene.bin", CFile::MODE_BINARY | CFile::MODE_READ);
        CXArchive archive(&file, false);
        read.readCompiled(&archive);
        EXPECT_FALSE(archive.failed());
    }
    auto* empty = dynamic_cast<CMC_VirtualGraphicsObject*>(read.getObject("V"));
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->getVirtualGraphicsObject()->getSource(), nullptr);
    EXPECT_EQ(screen()->GetPriority(empty->getVirtualGraphicsObject()), -1);
    ASSERT_NE(read.getObject("N"), nullptr);
    EXPECT_EQ(read.getObject("N")->toString(), "7");
    read.unload();

    testing::internal::CaptureStderr();
    {
        CFile file(nullptr, "again.bin", CFile::MODE_BINARY);
        CXArchive archive(&file, true);
        EXPECT_FALSE(scene->writeCompiled(&archive));
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Object V of SCENE1 not stored"), std::string::npos) << said;
}
