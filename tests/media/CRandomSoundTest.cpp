#include "foundation/CXRandom.h"
#include "media/CRandomSound.h"

#include "SoundTestKit.h"

#include <gtest/gtest.h>

TEST(CRandomSound, PlainNamesAreSoundEffectsAndFullPathsStayAsTheyAre)
{
    SoundWorld world;
    world.window()->SetSoundFXPath("\\fx");
    CRandomSound sounds(world.window(), "a.wav;b.wav;;C:\\x.wav;\\abs\\y.wav", false, false);
    ASSERT_EQ(sounds.getCount(), 4);
    EXPECT_EQ(sounds.getSound(0)->getFileName(), "\\fx\\a.wav");
    EXPECT_EQ(sounds.getSound(1)->getFileName(), "\\fx\\b.wav");
    EXPECT_EQ(sounds.getSound(2)->getFileName(), "C:\\x.wav");
    EXPECT_EQ(sounds.getSound(3)->getFileName(), "\\abs\\y.wav");
    EXPECT_EQ(sounds.getSound(4), nullptr);

    // An animation hands over its frame's list already in the folder: no name gets it twice.
    CRandomSound fromAnimation(world.window(), world.window()->GetSoundFXFullPath("a.wav;b.wav"), false, false);
    EXPECT_EQ(fromAnimation.getSound(0)->getFileName(), "\\fx\\a.wav");
    EXPECT_EQ(fromAnimation.getSound(1)->getFileName(), "\\fx\\b.wav");
}

TEST(CRandomSound, EachPlayDrawsASoundThatThenAnswersForAll)
{
    SoundWorld world;
    world.write("one.wav", rampWav(4410));
    world.write("two.wav", rampWav(4410));
    CRandomSound sounds(world.window(), "one.wav;two.wav", false, true);
    EXPECT_FALSE(sounds.IsPlaying());
    CXRandom::seed(42);
    const int drawn = CXRandom::draw() % 2;
    CXRandom::seed(42);
    sounds.Play();
    ASSERT_EQ(sounds.getLast(), sounds.getSound(drawn));
    EXPECT_TRUE(sounds.isPlaying());
    EXPECT_FALSE(sounds.getSound(1 - drawn)->IsPlaying());
    sounds.stop(true);
    EXPECT_FALSE(sounds.IsPlaying());

    CRandomSound none(world.window(), "", false, true);
    none.Play();
    none.Play(true);
    none.Stop();
    EXPECT_FALSE(none.IsPlaying());
    EXPECT_EQ(none.getLast(), nullptr);
}
