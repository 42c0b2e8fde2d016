#include "foundation/CXVector.h"
#include "graphics/CImage.h"
#include "media/CResourcesManager.h"
#include "script/CMC_Binding.h"
#include "script/CMC_Groupped.h"
#include "script_graphics/CMC_Animo.h"
#include "script_graphics/CMC_Image.h"

#include "PictureScene.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

using CompiledPictures = PictureScene;

const char kPictures[] =
    "OBJECT=STARTED\nSTARTED:TYPE=BEHAVIOUR\nSTARTED:CODE={}\n"
    "OBJECT=HERO\nHERO:TYPE=ANIMO\nHERO:FILENAME=hero.ann\nHERO:TOCANVAS=TRUE\nHERO:VISIBLE=TRUE\n"
    "HERO:PRIORITY=10\nHERO:ASBUTTON=TRUE\nHERO:MONITORCOLLISION=TRUE\nHERO:ONSTARTED=STARTED\n"
    "OBJECT=A\nA:TYPE=IMAGE\nA:FILENAME=stone.img\nA:TOCANVAS=TRUE\nA:VISIBLE=TRUE\nA:PRIORITY=5\n"
    "OBJECT=B\nB:TYPE=IMAGE\nB:FILENAME=STONE.IMG\nB:TOCANVAS=TRUE\nB:VISIBLE=TRUE\nB:PRIORITY=5\n"
    "OBJECT=G\nG:TYPE=GROUP\nG:ONINIT=STARTED\n";

// The behaviour of the signal's only binding; none.
CMC_Object* boundTo(CMC_Object* object, const char* signal)
{
    CXVector* list = object->getBehaviour(CXString(signal));
    return list != nullptr && list->getCount() == 1 ? static_cast<CMC_Binding*>(list->at(0))->getBehaviour() : nullptr;
}

} // namespace

// A scene's compiled file brings ANIMO, IMAGE and GROUP back through the readers their types
// attach: the ANIMO byte for byte, monitored and playing for the scene, the two IMAGEs of one
// file on one picture until both are gone, the GROUP bound but without its members.
TEST_F(CompiledPictures, ComeBackFromASceneFile)
{
    define(kPictures);
    run("G^ADD(\"HERO\",\"A\");");
    const std::string hero = record(object<CMC_Animo>("HERO"));
    {
        CFile file(nullptr, "scene.bin", CFile::MODE_BINARY);
        CXArchive archive(&file, true);
        EXPECT_TRUE(scene->writeCompiled(&archive));
    }
    scene->unload();

    CMC_Scene read(window(), CMC_Object::TYPE_SCENE);
    {
        CFile file(nullptr, "scene.bin", CFile::MODE_BINARY | CFile::MODE_READ);
        CXArchive archive(&file, false);
        read.readCompiled(&archive);
        EXPECT_FALSE(archive.failed());
    }
    read.onInit();
    CMC_Object* started = read.getObject("STARTED");

    auto* animo = dynamic_cast<CMC_Animo*>(read.getObject("HERO"));
    ASSERT_NE(animo, nullptr);
    ASSERT_NE(animo->getAnimo(), nullptr);
    EXPECT_EQ(record(animo), hero);
    EXPECT_EQ(boundTo(animo, "ONSTARTED"), started);
    EXPECT_EQ(screen()->GetPriority(animo->getAnimo()), 10);
    EXPECT_EQ(read.getMonitored(), std::vector<CGraphicsObject*>{animo->getAnimo()});

    auto* a = dynamic_cast<CMC_Image*>(read.getObject("A"));
    auto* b = dynamic_cast<CMC_Image*>(read.getObject("B"));
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    CImage* picture = a->getImage();
    EXPECT_EQ(b->getImage(), picture);
    EXPECT_EQ(picture->GetPixelWord(CXPoint(3, 3)), 0x7777);
    EXPECT_EQ(screen()->GetPriority(picture), 5);

    auto* group = dynamic_cast<CMC_Groupped*>(read.getObject("G"));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->getCount(), 0);
    EXPECT_EQ(boundTo(group, "ONINIT"), started);
    ScriptCode(&read).run("HERO^PLAY(\"Walk\");");
    read.getPlayingAnimo(group);
    EXPECT_EQ(group->toString(), "HERO");

    CResourcesManager* resources = CMC_Scene::getDefUnit()->getResourcesManager();
    a->done(false);
    EXPECT_TRUE(resources->contains(picture));
    b->done(false);
    EXPECT_FALSE(resources->contains(picture));
    read.unload(nullptr);
    EXPECT_TRUE(read.getMonitored().empty());
}

// A picture loads at once without PRELOAD, and so does its copy read from a compiled scene,
// hidden or not; one told PRELOAD=FALSE waits in both.
TEST_F(CompiledPictures, ReadBackPicturesLoadAsTheirDefinitionsSay)
{
    std::filesystem::copy_file(headless.folder().file("stone.img"), headless.folder().file("pebble.img"));
    define("OBJECT=HIDDEN\nHIDDEN:TYPE=IMAGE\nHIDDEN:FILENAME=stone.img\nHIDDEN:TOCANVAS=TRUE\n"
           "OBJECT=WAITING\nWAITING:TYPE=IMAGE\nWAITING:FILENAME=pebble.img\nWAITING:PRELOAD=FALSE\n"
           "OBJECT=STILL\nSTILL:TYPE=ANIMO\nSTILL:FILENAME=hero.ann\n");
    // The record of the object, which is gone then with its picture.
    auto recordAndForget = [this](CMC_Object* defined) {
        const std::string bytes = record(defined);
        scene->removeObject(defined);
        defined->done(false);
        delete defined;
        return bytes;
    };
    for (const auto& [name, loaded] : {std::pair{"HIDDEN", true}, {"WAITING", false}}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(object<CMC_Image>(name)->getImage()->isLoaded(), loaded);
        EXPECT_EQ(readRecord<CMC_Image>(recordAndForget(object<CMC_Image>(name)))->getImage()->isLoaded(), loaded);
    }
    EXPECT_TRUE(object<CMC_Animo>("STILL")->getAnimo()->isLoaded());
    EXPECT_TRUE(readRecord<CMC_Animo>(recordAndForget(object<CMC_Animo>("STILL")))->getAnimo()->isLoaded());
}
