#include "graphics/CImage.h"
#include "media/CResourcesManager.h"
#include "script_graphics/CMC_Image.h"

#include "PictureScene.h"

#include <gtest/gtest.h>

using ScreenUnit = PictureScene;

// The screen unit plays at random only while a scene binds it, allowing every play, and the
// scene's shared resources go when it is unbound.
TEST_F(ScreenUnit, RandomPlayAndSharedResourcesLastWhileTheUnitIsBound)
{
    CUnit6* unit = CMC_Scene::getDefUnit();
    define("OBJECT=A\nA:TYPE=IMAGE\nA:FILENAME=stone.img\n");
    CImage* shared = object<CMC_Image>("A")->getImage();
    ASSERT_NE(unit->getRandomPlayable(), nullptr);
    EXPECT_TRUE(unit->onRandomPlay(shared, 1));
    EXPECT_FALSE(unit->onRandomFinished(shared, 1));
    unit->addRandomPlayable(shared, 60.0, 0, "");
    EXPECT_EQ(unit->getRandomPlayable()->getEntries().size(), 1u);
    unit->removeRandomPlayable(shared);
    EXPECT_TRUE(unit->getRandomPlayable()->getEntries().empty());

    unit->done(scene.get(), nullptr);
    EXPECT_EQ(unit->getRandomPlayable(), nullptr);
    EXPECT_FALSE(unit->getResourcesManager()->contains(shared));
    EXPECT_EQ(object<CMC_Image>("A")->getImage(), nullptr);
    unit->initialize(scene.get(), nullptr);
    EXPECT_TRUE(unit->getRandomPlayable()->getEntries().empty());
}
