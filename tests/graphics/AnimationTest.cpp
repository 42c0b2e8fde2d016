#include "graphics/CAnimo.h"
#include "graphics/CAnimo6.h"
#include "graphics/CColor.h"
#include "graphics/CFrame.h"
#include "graphics/CRefreshScreen.h"
#include "platform/SoundDevice.h"
#include "platform/WavWriter.h"
#include "script/CMElement.h"

#include "AnimationWorld.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// An animation at 25 frames per second that logs what it tells, in a world stepped 40 ms a frame.
class Playing : public ::testing::Test {
protected:
    Playing()
        : animation(world.window())
    {
        animation.SetFPS(25);
        animation.addNotifier(&log);
    }

    void frames(int count)
    {
        for (int i = 0; i < count; ++i)
            world.frame(40);
    }

    AnimationWorld world;
    CAnimo animation;
    PlayLog log;
};

// Where nothing is drawn, the screen shows its background.
constexpr uint16_t kBlue = 0x001F;

// The screen's pixels of row y, from x 0 to 15, as the display shows them.
std::vector<uint16_t> shownRow(ScreenWorld& world, int y)
{
    std::vector<uint16_t> row;
    for (int x = 0; x < 16; ++x)
        row.push_back(world.pixel(x, y));
    return row;
}

// Pixels 0 to 15 of a row of background with word from x = left up to right (excluded).
std::vector<uint16_t> rowWith(int left, int right, uint16_t word)
{
    std::vector<uint16_t> row(16, kBlue);
    std::fill(row.begin() + left, row.begin() + right, word);
    return row;
}

} // namespace

TEST_F(Playing, EventsRunOutLoopBounceOrPlayOnAsTheirFieldsSay)
{
    const struct {
        const char* title;
        std::vector<_annEventInfo3> events;
        uint32_t flags;
        int frames;
        const char* log;
        bool playingAfter;
    } cases[] = {
        {"without loop it stops on its last image", {eventOf("a", {0, 1, 2})}, 0, 4, "0 S 1 2 F", false},
        {"with 0x800000 it plays on into the next event and holds its last image",
         {eventOf("a", {0, 1}), eventOf("b", {2, 3})}, CAnimo::ANIMO_PLAY_ON, 5, "0 S 1 2 3 3 3", true},
        {"a loop with count 3 runs three times; what follows it shows stopped",
         {eventOf("a", {0, 1, 2, 3, 4}, 1, 3, 3)}, 0, 12, "0 S 1 2 3 1 2 3 1 2 3 F 4", false},
        {"a loop with count 0 is endless", {eventOf("a", {0, 1, 2, 3}, 1, 3)}, 0, 8, "0 S 1 2 3 1 2 3 1 2", true},
        {"bounce turns at both ends of the loop",
         {eventOf("a", {0, 1, 2, 3, 4}, 1, 3, 0, CAnimo::EVENT_BOUNCE)}, 0, 9, "0 S 1 2 3 2 1 2 3 2 1", true},
        {"indices and loops beyond the event are never followed", {eventOf("a", {0, 7, 1}, 0, 9)}, 0, 5, "0 S 1 0 1",
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        animation.Flush();
        fill(animation, 5, c.events);
        animation.setAnimoFlags(c.flags);
        animation.Play("A", 0, 0);
        frames(c.frames);
        EXPECT_EQ(log.take(), c.log);
        EXPECT_EQ(animation.IsPlaying(), c.playingAfter);
        animation.Stop();
    }
}

TEST_F(Playing, ALoopWaitsForItsFrameSoundBeforeTheEventEnds)
{
    fill(animation, 4, {eventOf("a", {0, 1, 2, 3}, 1, 2, 0, CAnimo::EVENT_LOOP_WHILE_SOUND)});
    auto* sound = new TestSound(world.window());
    animation.UpdateSoundFX(0, 1, sound);
    animation.Play("a", 0, 0);
    frames(4);
    EXPECT_EQ(sound->plays, 2);
    sound->playing = false;
    frames(2);
    EXPECT_EQ(log.take(), "0 S 1 2 1 2 F 3");
    EXPECT_FALSE(animation.IsPlaying());
}

TEST_F(Playing, APlayStartsTheSoundThenShowsThenReportsTheStart)
{
    struct LoggedSound : TestSound {
        LoggedSound(CWindow* window, PlayLog* log)
            : TestSound(window)
            , log(log)
        {
        }
        void Play() override
        {
            TestSound::Play();
            log->add("P");
        }
        PlayLog* log;
    };
    fill(animation, 2, {eventOf("a", {0, 1}), eventOf("empty", {})});
    auto* sound = new LoggedSound(world.window(), &log);
    animation.UpdateSoundFX(0, 0, sound);

    // Frame sounds play only while playing.
    animation.SetEventFrame(0, 0);
    EXPECT_EQ(log.take(), "0");
    animation.Play("empty", 0, 0);
    animation.Play("unknown", 0, 0);
    EXPECT_EQ(log.take(), "");
    EXPECT_FALSE(animation.IsPlaying());
    animation.Play("a", 0, 0);
    EXPECT_EQ(log.take(), "P 0 S");
}

TEST_F(Playing, StoppingHidesKeepsOrStopsTheSoundAsTheFlagsSay)
{
    const struct {
        uint32_t eventFlags;
        uint32_t animoFlags;
        bool visibleAfter;
        bool soundAfter;
    } cases[] = {
        {0, 0, true, false},
        {CAnimo::EVENT_HIDE_ON_STOP, 0, false, false},
        {CAnimo::EVENT_KEEP_SOUND, 0, true, true},
        {0, CAnimo::ANIMO_KEEP_SOUND, true, true},
    };
    for (const auto& c : cases) {
        animation.Flush();
        fill(animation, 2, {eventOf("a", {0, 1}, 0, 0, 0, c.eventFlags)});
        animation.setAnimoFlags(c.animoFlags);
        auto* sound = new TestSound(world.window());
        animation.UpdateSoundFX(0, 1, sound);
        animation.Play("a", 0, 0);
        frames(2);
        EXPECT_FALSE(animation.IsPlaying());
        EXPECT_EQ(animation.isVisible(), c.visibleAfter);
        EXPECT_EQ(sound->playing, c.soundAfter);
        animation.show();
    }
}

TEST_F(Playing, AStreamedFrameSoundIsHeardOnlyWhileTheWindowsSoundIsOn)
{
    std::string cause;
    ASSERT_TRUE(platform::writeWavFile(world.folder().file("tone.wav"), std::vector<int16_t>(4410, 1000), 44100, 1, cause));
    fill(animation, 1, {eventOf("a", {0})});
    animation.GetFrameInfo(0, 0)->sound = "tone.wav";
    animation.setAnimoFlags(CAnimo::ANIMO_STREAM_SOUNDS);
    platform::SoundDevice* device = CSound4::getDirectSound();
    ASSERT_NE(device, nullptr);
    for (const bool soundOn : {true, false}) {
        world.window()->SoundOn(soundOn);
        animation.Play("a", 0, 0);
        const std::vector<float> mix = device->render(441);
        EXPECT_EQ(std::any_of(mix.begin(), mix.end(), [](float sample) { return sample != 0.0f; }), soundOn) << soundOn;
    }
}

TEST_F(Playing, AnEventThatMayNotBeInterruptedIgnoresOtherPlays)
{
    for (const bool byAnimation : {false, true}) {
        animation.Flush();
        fill(animation, 3, {eventOf("a", {0, 1}, 0, 1, 0, byAnimation ? 0 : CAnimo::EVENT_NO_INTERRUPT), eventOf("b", {2})});
        animation.setAnimoFlags(byAnimation ? CAnimo::ANIMO_NO_INTERRUPT : 0);
        animation.Play("a", 0, 0);
        animation.Play("b", 0, 0);
        EXPECT_EQ(animation.getCurrentEventName(), "a");
        animation.Stop();
        animation.Play("b", 0, 0);
        EXPECT_EQ(animation.getCurrentEventName(), "b");
        animation.Stop();
    }
}

TEST_F(Playing, PauseHoldsAndResumeGoesOnWithoutNotifications)
{
    fill(animation, 3, {eventOf("a", {0, 1, 2})});
    animation.Play("a", 0, 0);
    log.take();
    world.manager()->pause();
    EXPECT_EQ(animation.GetStatus(), ASTATUS_PAUSED);
    EXPECT_TRUE(animation.isPaused());
    frames(3);
    world.manager()->resume();
    EXPECT_TRUE(animation.IsPlaying());
    frames(1);
    EXPECT_EQ(log.take(), "1");

    // Continuing plays on at the event's own rate.
    animation.Stop();
    animation.GetEventInfo(0)->fps = 0;
    animation.Continue();
    EXPECT_TRUE(animation.IsPlaying());
    EXPECT_EQ(animation.GetFPS(), CAnimo::kDefaultFps);
    EXPECT_EQ(log.take(), "2");
}

TEST_F(Playing, PlacesFollowTheImageTheGlobalPositionAndTheDisplacement)
{
    fill(animation, 2, {eventOf("a", {0, 1})});
    animation.GetFrameInfo(0, 1)->dx = 4;
    animation.GetFrameInfo(0, 1)->dy = -1;
    EXPECT_EQ(animation.GetBoundingBox(), CXRect());
    EXPECT_EQ(animation.GetPosition(), CXPoint());
    animation.SetPosition(10, 20);
    animation.setAnchor(1, 1);
    animation.setPosition(100, 200);
    EXPECT_EQ(animation.getPosition(), CXPoint(99, 199));
    animation.SetEventFrame(0, 1);
    EXPECT_EQ(animation.GetPosition(), CXPoint(113, 218));
    EXPECT_EQ(animation.GetBoundingBox(), CXRect(113, 218, 115, 220));
    EXPECT_EQ(animation.getCurrFramePosition(), CXPoint(10, 20));
    animation.SetClippingRect(CXRect(1, 0, 2, 1));
    EXPECT_EQ(animation.GetBoundingBox(), CXRect(114, 218, 115, 219));
    // The hit test is the image's own, where the image lies.
    EXPECT_TRUE(animation.isInside(10, 20, true));
    EXPECT_FALSE(animation.isInside(113, 218, false));
}

TEST_F(Playing, ReversingAddsTheReversedEventOnce)
{
    fill(animation, 3, {eventOf("walk", {0, 1, 2}, 0, 2, 4)});
    for (int p = 0; p < 3; ++p) {
        animation.GetFrameInfo(0, p)->name = CXString(std::string(1, static_cast<char>('a' + p)).c_str());
        animation.GetFrameInfo(0, p)->dx = static_cast<int16_t>(p);
    }
    animation.SetEventFrame(0, 0);
    animation.playReverse("WALK", 0);
    ASSERT_EQ(animation.GetNOE(), 2);
    const _annEventInfo3* reversed = animation.GetEventInfo(1);
    EXPECT_EQ(reversed->getName(), "WALK_reverse");
    EXPECT_EQ(reversed->frames, std::vector<uint16_t>({2, 1, 0}));
    EXPECT_EQ(std::tie(reversed->loopEnd, reversed->loopCount), std::make_tuple(uint16_t{2}, uint16_t{4}));
    EXPECT_EQ(animation.getFrameName(1, 0), "c");
    EXPECT_EQ(animation.GetFrameInfo(1, 2)->dx, 0);
    EXPECT_TRUE(animation.IsPlaying());
    EXPECT_EQ(animation.Current(), 2);

    // The second time it is found; -1 starts where the current position points backwards.
    animation.Stop();
    animation.SetEventFrame(0, 1);
    animation.playReverse("walk", -1);
    EXPECT_EQ(animation.GetNOE(), 2);
    EXPECT_EQ(animation.GetCurrentEvent(), 1);
    EXPECT_EQ(animation.GetCurrentFrameInSequence(), 2);
    EXPECT_EQ(animation.Current(), 0);
    animation.Stop();
    animation.playReverse("nothing", 0);
    EXPECT_EQ(animation.GetNOE(), 2);
}

TEST_F(Playing, OpacityComesFromTheAnimationThenThePositionThenTheEvent)
{
    const struct {
        int own;
        int position;
        int event;
        int shown;
    } cases[] = {{255, 100, 200, 100}, {255, 255, 200, 200}, {50, 100, 200, 50}, {255, 255, 255, 255}};
    for (const auto& c : cases) {
        animation.Flush();
        _annEventInfo3 event = eventOf("a", {0});
        event.opacity = static_cast<uint8_t>(c.event);
        fill(animation, 1, {event});
        animation.GetFrameInfo(0, 0)->opacity = static_cast<uint8_t>(c.position);
        animation.SetOpacity(static_cast<unsigned char>(c.own));
        animation.SetEventFrame(0, 0);
        EXPECT_EQ(animation.GetOpacity(), c.shown);
    }
}

TEST_F(Playing, EventsAndPositionsAreFoundByName)
{
    fill(animation, 3, {eventOf("Walk", {0, 1, 2}), eventOf("empty", {}), eventOf("Run", {2})});
    animation.GetFrameInfo(0, 1)->name = "Step";
    EXPECT_EQ(animation.resolveEventName("RUN"), 2);
    EXPECT_EQ(animation.resolveEventName("fly"), -1);
    EXPECT_EQ(animation.getFrameNo("fly"), 0);
    EXPECT_EQ(animation.GetNOFInEvent("walk"), 3);
    EXPECT_EQ(animation.GetFrameNo(0, "Step"), 1);
    EXPECT_EQ(animation.GetFrameNo(0, "step"), -1);
    EXPECT_EQ(animation.getFrame("STEP"), animation.GetFrame(1));
    EXPECT_EQ(animation.SetEventFrame(0, "sTEP"), 1);
    EXPECT_EQ(animation.Current(), 1);
    EXPECT_EQ(animation.SetEventFrame(0, "jump"), -1);
    EXPECT_EQ(animation.GetName(0, 2, "Default"), "Frame 2");
    EXPECT_EQ(animation.GetName(0, 2, "none"), "none");
    EXPECT_EQ(animation.GetFrameNo(0, -3), 2);
    EXPECT_EQ(animation.GetFrameNo(0, -1), 1);
    EXPECT_EQ(animation.GetEventName(9), "");
    animation.SetEventFrame("run", 0);
    EXPECT_EQ(animation.getCurrentEventName(), "Run");
    EXPECT_EQ(animation.getFirstEvent(), 0);
}

TEST_F(Playing, BadEventPositionAndImageArgumentsChangeNothing)
{
    fill(animation, 2, {eventOf("a", {0, 1})});
    animation.SetEventFrame(0, 1);
    CXPoint loop;
    for (const int bad : {-7, -2, 2, 99, 70000}) {
        SCOPED_TRACE(bad);
        animation.SetEventFrame(bad, 0);
        animation.SetEventFrame(0, bad);
        animation.SetFrame(bad);
        animation.Set(bad, true);
        animation.Play(bad, 0, 0);
        animation.RemoveFrame(bad, 0);
        animation.RemoveFrame(0, bad);
        animation.RemoveAllFrames(bad);
        animation.ExchangeFrames(0, 0, bad);
        animation.ExchangeFrames(bad, 0, 1);
        animation.UpdateSoundFX(bad, 0, new TestSound(world.window()));
        animation.UpdateSoundFX(0, bad, new TestSound(world.window()));
        animation.ClearWAVEntry(bad, bad);
        animation.RemoveEvent(bad);
        EXPECT_FALSE(animation.RemoveFrame(bad));
        EXPECT_EQ(animation.GetEventInfo(bad), nullptr);
        EXPECT_EQ(animation.GetFrameInfo(0, bad), nullptr);
        EXPECT_EQ(animation.GetFrame(bad), nullptr);
        EXPECT_EQ(animation.GetEventFrame(bad, 0), nullptr);
        EXPECT_EQ(animation.GetLoop(bad, loop), 0);
        EXPECT_EQ(animation.GetNOFInEvent(bad), 0);
    }
    EXPECT_EQ(log.take(), "1");
    EXPECT_EQ(animation.GetNOE(), 1);
    EXPECT_EQ(animation.GetEventInfo(0)->frames, std::vector<uint16_t>({0, 1}));
    EXPECT_EQ(animation.Current(), 1);
}

TEST_F(Playing, ImagesAndPositionsAreEdited)
{
    fill(animation, 3, {eventOf("a", {0, 2, 2})});
    EXPECT_FALSE(animation.RemoveFrame(2));
    EXPECT_TRUE(animation.RemoveFrame(1));
    EXPECT_EQ(animation.GetNOF(), 2);
    EXPECT_EQ(animation.GetEventInfo(0)->frames, std::vector<uint16_t>({0, 1, 1}));
    animation.GetFrameInfo(0, 0)->name = "first";
    animation.ExchangeFrames(0, 0, 2);
    EXPECT_EQ(animation.GetEventInfo(0)->frames, std::vector<uint16_t>({1, 1, 0}));
    EXPECT_EQ(animation.getFrameName(0, 2), "first");
    animation.RemoveFrame(0, 1);
    EXPECT_EQ(animation.GetEventInfo(0)->frames, std::vector<uint16_t>({1, 0}));
    EXPECT_EQ(animation.getFrameName(0, 1), "first");
    animation.RemoveAllFrames(0);
    EXPECT_EQ(animation.GetNOFInEvent(0), 0);
    EXPECT_EQ(animation.GetFrameInfo(0, 0), nullptr);
    animation.RemoveEvent(0);
    EXPECT_EQ(animation.GetNOE(), 0);
}

TEST(AnimationOnScreen, PresentedFramesMoveByTheirDisplacementAndRepaintOldAndNewBoxes)
{
    ScreenWorld world;
    CColor blue(0, 0, 248);
    world.window()->SetBackground(&blue);
    CAnimo6 animation(world.window());
    animation.SetFPS(25);
    animation.AddFrame(makeFilled(4, 2, 16, 0x1111).get());
    animation.AddFrame(makeFilled(4, 2, 16, 0x2222).get());
    animation.SetPosition(1, 1);
    const _annEventInfo3 walk = eventOf("walk", {0, 1});
    animation.AddEvent(&walk);
    animation.GetFrameInfo(0, 1)->dx = 5;
    world.screen()->put(&animation, 0);
    animation.Play("walk", 0, 0);
    world.frame(0);
    EXPECT_EQ(shownRow(world, 1), rowWith(1, 5, 0x1111));
    EXPECT_EQ(shownRow(world, 2), rowWith(1, 5, 0x1111));
    EXPECT_TRUE(world.dirty().empty());

    // The step repaints the old box and the new one, five pixels to the right.
    world.frame(40);
    EXPECT_EQ(world.dirty(), (std::vector<CXRect>{{1, 1, 5, 3}, {6, 1, 10, 3}}));
    world.frame(0);
    EXPECT_EQ(world.display().lastPresented(), (std::vector<platform::Rect>{{1, 1, 5, 3}, {6, 1, 10, 3}}));
    EXPECT_EQ(shownRow(world, 1), rowWith(6, 10, 0x2222));
    EXPECT_EQ(shownRow(world, 2), rowWith(6, 10, 0x2222));
    // The displacement belongs to the position: it does not add up.
    EXPECT_EQ(animation.GetFrame(1)->GetFramePosition(), CXPoint(1, 1));

    // Moving the animation repaints both places as one box; it is drawn at its position plus the
    // global position.
    animation.Move(0, 2);
    EXPECT_EQ(world.dirty(), (std::vector<CXRect>{{6, 1, 10, 5}}));
    world.frame(0);
    EXPECT_EQ(shownRow(world, 1), std::vector<uint16_t>(16, kBlue));
    EXPECT_EQ(shownRow(world, 3), rowWith(6, 10, 0x2222));
    EXPECT_EQ(shownRow(world, 4), rowWith(6, 10, 0x2222));
    EXPECT_EQ(world.pixel(6, 5), kBlue);

    // An image shown outside the events keeps the position's displacement.
    animation.SetFrame(0);
    EXPECT_EQ(animation.Current(), 0);
    EXPECT_EQ(world.dirty(), (std::vector<CXRect>{{6, 3, 10, 5}}));
    world.frame(0);
    EXPECT_EQ(shownRow(world, 3), rowWith(6, 10, 0x1111));
}

TEST(AnimationOnScreen, KeptOnTopMarksItsOwnEntryOnTheScreen)
{
    ScreenWorld world;
    CAnimo listed(world.window());
    CAnimo unlisted(world.window());
    world.screen()->put(&listed, 3);
    unlisted.SetCanvas(world.screen());
    listed.alwaysOnTop();
    unlisted.alwaysOnTop();
    EXPECT_EQ(world.screen()->GetFlags(&listed), 1);
    EXPECT_EQ(world.screen()->GetFlags(&unlisted), 0);
    EXPECT_EQ(world.screen()->getIndex(&unlisted), -1);
    // The mark belongs to the entry: a new priority makes a new entry, without it.
    world.screen()->SetPriority(&listed, 5);
    EXPECT_EQ(world.screen()->GetFlags(&listed), 0);
    unlisted.SetCanvas(nullptr);
}

TEST_F(Playing, ACopyKeepsTheImagesItSharesAfterTheSourceIsGone)
{
    auto source = std::make_unique<CAnimo>(world.window());
    fill(*source, 2, {eventOf("a", {0, 1})});
    source->SetEventFrame(0, 1);
    CAnimo copy(*source);
    EXPECT_EQ(copy.GetFrame(0), source->GetFrame(0));
    EXPECT_EQ(copy.Current(), 1);
    EXPECT_FALSE(copy.IsPlaying());
    copy.GetEventInfo(0)->frames[0] = 1;
    EXPECT_EQ(source->GetEventInfo(0)->frames[0], 0);

    source->Flush();
    source.reset();
    EXPECT_EQ(wordsOf(*copy.GetFrame(0))[0], 0);
    EXPECT_EQ(wordsOf(*copy.GetFrame(1))[3], 103);
    copy.SetFPS(25);
    copy.Play("a", 0, 0);
    frames(1);
    EXPECT_EQ(copy.Current(), 1);
}

TEST(CAnimo6, DefinitionsChooseLoadingVisibilityAndRelease)
{
    AnimationWorld world;
    {
        CAnimo saved(world.window());
        fill(saved, 3, {eventOf("walk", {0, 1, 2})});
        ASSERT_EQ(saved.Save(world.path("walk.ann"), COMPRESSION_RLE), 0);
    }
    CMElement late("late");
    late.addProperty("FILENAME", "walk.ann");
    late.addProperty("PRELOAD", "FALSE");
    CAnimo6 lazy(world.window(), &late);
    EXPECT_EQ(lazy.GetNOF(), 0);
    EXPECT_FALSE(lazy.isVisible());
    lazy.show();
    EXPECT_EQ(lazy.GetNOF(), 3);
    EXPECT_TRUE(lazy.isVisible());
    lazy.hide();
    EXPECT_EQ(lazy.GetNOF(), 3);

    CMElement released("released");
    released.addProperty("FILENAME", "walk.ann");
    released.addProperty("VISIBLE", "TRUE");
    released.addProperty("RELEASEAFTERUSE", "TRUE");
    CAnimo6 loaded(world.window(), &released);
    EXPECT_EQ(loaded.GetNOF(), 3);
    EXPECT_TRUE(loaded.isVisible());
    loaded.hide();
    EXPECT_EQ(loaded.GetNOF(), 0);
    EXPECT_FALSE(loaded.isLoaded());
    loaded.show();
    EXPECT_EQ(loaded.GetNOF(), 3);
}

TEST(CAnimo6, DrawsAtItsGlobalPositionAndAppliesToEveryImage)
{
    AnimationWorld world;
    CAnimo6 animation(world.window());
    animation.AddFrame(makeFilled(10, 1, 16, 1).get());
    animation.AddFrame(makeFilled(40, 2, 16, 2).get());
    animation.AddFrame(makeFilled(25, 3, 16, 3).get());
    const _annEventInfo3 walk = eventOf("walk", {0, 1, 2});
    animation.AddEvent(&walk);
    EXPECT_EQ(animation.GetMaxWidth(), 40);
    EXPECT_EQ(animation.GetMaxHeight(), 3);
    EXPECT_EQ(animation.getGfxType(), 2);

    animation.Play("Walk", 0, 0);
    EXPECT_TRUE(animation.isPlaying("walk"));
    EXPECT_FALSE(animation.isPlaying("Walk"));
    animation.Stop();
    EXPECT_FALSE(animation.isPlaying("walk"));

    animation.SetGlobalPosition(3, 2);
    CGraphicsObject back(nullptr, CXSize(16, 4), 16);
    CColor black(0, 0, 0);
    back.Fill(&black);
    animation.redraw(&back);
    EXPECT_EQ(back.GetPixel(2, 2).GetInBPP(16), 0);
    EXPECT_EQ(back.GetPixel(3, 2).GetInBPP(16), 1);
    EXPECT_EQ(animation.getRect(), CXRect(3, 2, 13, 3));
    EXPECT_EQ(animation.ClientCoords(CXPoint(5, 2)), CXPoint(2, 0));

    auto* sound = new TestSound(world.window());
    animation.UpdateSoundFX(0, 2, sound);
    animation.setVolume(-500);
    EXPECT_EQ(sound->volumeGiven, -500);

    animation.FlipH();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(animation.GetFrame(i)->isFlippedH()) << i;
}

TEST(CFrame, MovingShiftsBothPositionsAndPlacingClearsTheOffset)
{
    CFrame frame(nullptr);
    frame.SetPosition(1, 1);
    frame.Move(3, -2);
    EXPECT_EQ(frame.GetFramePosition(), CXPoint(4, -1));
    EXPECT_EQ(frame.getPosition(), CXPoint(4, -1));
    EXPECT_EQ(frame.getPosOffset(), CXPoint(3, -2));
    frame.SetPosOffset(5, 5);
    frame.SetPosition(10, 20);
    EXPECT_EQ(frame.getPosOffset(), CXPoint());
    EXPECT_EQ(frame.GetPosition(), CXPoint(10, 20));
}

TEST_F(Playing, AHandlerOfTheEndThatPlaysAgainIsLeftAlone)
{
    fill(animation, 5, {eventOf("a", {0, 1, 2, 3, 4}, 1, 3, 1), eventOf("b", {4, 3, 2, 1, 0})});
    struct PlaysB : CPlayableObserver {
        bool onPlayableFinished(CPlayable* playable) override
        {
            dynamic_cast<CAnimo*>(playable)->Play("b", 0, 0);
            return false;
        }
    } playsB;
    animation.addNotifier(&playsB);
    animation.Play("a", 0, 0);
    frames(4);
    EXPECT_EQ(animation.getCurrentEventName(), "b");
    EXPECT_EQ(animation.GetCurrentFrameInSequence(), 0);
    EXPECT_EQ(animation.Current(), 4);
    animation.removeNotifier(&playsB);
}

TEST_F(Playing, WorkOnEveryImageReachesTheImageDrawnLast)
{
    CAnimo6 script(world.window());
    script.AddFrame(makeRaster(2, 1, 16, {0x1111, 0x2222}).get());
    script.GetFrame(0)->Compress(COMPRESSION_RLE);
    const _annEventInfo3 still = eventOf("still", {0});
    script.AddEvent(&still);
    script.SetEventFrame(0, 0);
    auto back = makeFilled(4, 2, 16, 0);
    script.redraw(back.get());
    script.FlipV();
    script.GetFrame(0)->bringBackCompressed();
    CGraphicsObject copy(nullptr);
    copy.Copy(script.GetFrame(0));
    EXPECT_EQ(wordsOf(copy), std::vector<uint16_t>({0x2222, 0x1111}));
}
