#include "app/CMC_Scene.h"
#include "graphics/AnimationObject.h"
#include "graphics/CAnimo6.h"
#include "graphics/CAnimoSequencePlayable.h"
#include "graphics/CImage.h"
#include "graphics/CMElementCreator.h"
#include "graphics/CMultimediaSequenceCreator.h"
#include "graphics/CSequencedPlayable.h"
#include "graphics/CSpeakingAnimation.h"
#include "media/CMC_Sound.h"
#include "media/CResourcesManager.h"
#include "script/CMElement.h"
#include "script_graphics/CMC_Animo.h"

#include "AnimationWorld.h"
#include "PictureFixtures.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// A node of the scene tree whose running sub-node the test chooses.
class RunningNode : public CMC_Scene {
public:
    RunningNode(CWindow* window, CMElement* element, int type)
        : CMC_Scene(window, nullptr, element, type)
    {
    }
    void enter(CMC_Scene* node) { current_ = node; }
};

// The window on the screen with its application running a scene: application, episode, scene.
// The scene holds the ANIMO object "HERO" and the SOUND object "VOICE".
class SequenceWorld : public ::testing::Test {
protected:
    SequenceWorld()
    {
        world.application()->setMCApplicationIfc(&application);
        application.enter(&episode);
        episode.enter(&scene);
        CAnimo6 source(world.window());
        fill(source, 2, {eventOf("STAND", {0}), eventOf("TALK", {1}), eventOf("WALK", {0, 1})});
        source.Save(CXString(world.folder().file("x.ann").c_str()), COMPRESSION_NONE);
        fill(heroAnimation, 1, {eventOf("IDLE", {0}), eventOf("WALK", {0})});
        auto* hero = new CMC_Animo(&scene, &heroAnimation);
        hero->setName("HERO");
        scene.addObject(hero);
        auto* voice = new CMC_Sound(&scene);
        voice->setName("VOICE");
        scene.addObject(voice);
    }
    ~SequenceWorld() override
    {
        resources.flush();
        scene.unload();
        world.application()->setMCApplicationIfc(nullptr);
        CMC_Scene::doneDefUnit();
    }

    CXString write(const std::string& name, const std::string& text)
    {
        return CXString(world.folder().write(name, text).c_str());
    }

    ScreenWorld world;
    CMElement applicationElement{"APP"};
    CMElement episodeElement{"EPISODE1"};
    CMElement sceneElement{"SCENE1"};
    RunningNode application{world.window(), &applicationElement, CMC_Object::TYPE_APPLICATION};
    RunningNode episode{world.window(), &episodeElement, CMC_Object::TYPE_EPISODE};
    RunningNode scene{world.window(), &sceneElement, CMC_Object::TYPE_SCENE};
    CAnimo6 heroAnimation{world.window()};
    CResourcesManager resources{world.window()};
    CPlayableObserver observer;
};

// The tree under a playable: names, and the children of sequences in brackets.
std::string shape(CPlayable* playable)
{
    std::string text = playable->getName().c_str();
    auto* sequence = dynamic_cast<CSequencedPlayable*>(playable);
    if (sequence == nullptr || sequence->getChildCount() == 0)
        return text;
    text += "(";
    for (int i = 0; i < sequence->getChildCount(); ++i)
        text += (i > 0 ? " " : "") + shape(sequence->getChild(i));
    return text + ")";
}

std::string crlf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

} // namespace

TEST_F(SequenceWorld, AFileInAScenePlaysItsAnimationsSoundsAndSequencesAsOneTree)
{
    const CXString file = write("intro.seq", crlf({
        "# the opening",
        "NAME intro",
        "NAME walk",
        "walk FILENAME=x.ann",
        "walk EVENT=TALK",
        "walk:TYPE=SIMPLE",
        "walk EVENT=WALK",
        "walk HIDE",
        "NAME again",
        "again FILENAME x.ann",
        "again EVENT 7",
        "again TYPE SIMPLE",
        "NAME hero",
        "hero FILENAME HERO",
        "hero EVENT WALK",
        "hero TYPE SIMPLE",
        "NAME sound",
        "sound FILENAME s.wav",
        "sound TYPE SIMPLE",
        "sound WAIT FALSE",
        "NAME talk",
        "talk TYPE SPEAKING",
        "talk ANIMOFN x.ann",
        "talk WAVFN sound",
        "talk PREFIX TOM",
        "talk STARTING TRUE",
        "talk ENDING yes",
        "NAME intro",
        "intro TYPE SEQUENCE",
        "intro MODE PARAMETER",
        "intro MODE random",
        "intro SEQEVENT GO 12",
        "NAME part",
        "part TYPE SEQUENCE",
        "part WAIT FALSE",
        "part SHOW",
        "walk ADD part",
        "again ADD part",
        "sound ADD part",
        "part ADD intro",
        "hero ADD intro",
        "talk ADD intro",
        "sound ADD intro",
        "walk ADD intro",
        "intro ADD part",
        "part ADD part",
        "ghost ADD intro",
        "NAME loose",
        "loose TYPE SEQUENCE",
        "walk ADD",
        "intro ADD loose",
    }));
    CPlayable* root = CMultimediaSequenceCreator::load(world.window(), file, &resources, &observer);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(shape(root), "intro(part(walk again sound) hero talk sound walk)");
    EXPECT_EQ(root->getFileName(), file);

    auto* intro = dynamic_cast<CSequencedPlayable*>(root);
    ASSERT_NE(intro, nullptr);
    auto* part = dynamic_cast<CSequencedPlayable*>(intro->getChild(0));
    auto* walk = dynamic_cast<CAnimoSequencePlayable*>(part->getChild(0));
    auto* again = dynamic_cast<CAnimoSequencePlayable*>(part->getChild(1));
    CPlayable* sound = part->getChild(2);
    auto* hero = dynamic_cast<CAnimoSequencePlayable*>(intro->getChild(1));
    auto* talk = dynamic_cast<CSpeakingAnimation*>(intro->getChild(2));
    ASSERT_TRUE(part && walk && again && hero && talk);

    struct Row {
        CPlayable* playable;
        int type;
        int mode;
        bool wait;
        int parents;
    };
    const Row rows[] = {
        {intro, CSequencedPlayable::kType, CPlayable::MODE_PARAMETER, true, 0},
        {part, CSequencedPlayable::kType, CPlayable::MODE_SEQUENCE, false, 1},
        {walk, CAnimoSequencePlayable::kType, CPlayable::MODE_SEQUENCE, true, 2},
        {again, CAnimoSequencePlayable::kType, CPlayable::MODE_SEQUENCE, true, 1},
        {sound, CSound4::kType, CPlayable::MODE_SEQUENCE, false, 2},
        {hero, CAnimoSequencePlayable::kType, CPlayable::MODE_SEQUENCE, true, 1},
        {talk, CSpeakingAnimation::kType, CPlayable::MODE_SEQUENCE, true, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.playable->getName().c_str());
        EXPECT_EQ(row.playable->getType(), row.type);
        EXPECT_EQ(row.playable->getMode(), row.mode);
        EXPECT_EQ(row.playable->getWaitMode(), row.wait);
        EXPECT_EQ(row.playable->getParentsNo(), row.parents);
    }
    EXPECT_EQ(intro->getParameter("go"), "12");

    // "x.ann" gets its animation once: the entries share it through the manager, and it stands
    // on the screen at 1000. The event was read when the entry was made.
    CAnimo* animation = walk->getAnimation();
    ASSERT_NE(animation, nullptr);
    EXPECT_EQ(animation->GetNOE(), 3);
    EXPECT_EQ(again->getAnimation(), animation);
    EXPECT_EQ(talk->getAnimation(), animation);
    EXPECT_EQ(world.screen()->GetPriority(animation), 1000);
    EXPECT_EQ(walk->getEventNo(), 1);
    EXPECT_EQ(again->getEventNo(), 7);
    EXPECT_FALSE(walk->isVisible());
    EXPECT_TRUE(part->isVisible());

    // An entry naming the scene's ANIMO plays its animation, and the object knows the leaf.
    EXPECT_EQ(hero->getAnimation(), &heroAnimation);
    EXPECT_EQ(hero->getEventNo(), 1);
    EXPECT_EQ(hero->getAnimoObject(), dynamic_cast<AnimationObject*>(scene.getObject("HERO")));

    // The speaking animation: another entry's sound, its prefix and flags.
    EXPECT_EQ(talk->getSound(), sound);
    EXPECT_EQ(sound->getFileName(), "s.wav");
    EXPECT_EQ(talk->getPrefix(), "TOM");
    EXPECT_TRUE(talk->isStarting());
    EXPECT_FALSE(talk->isEnding());

    delete root;
}

TEST_F(SequenceWorld, DefinitionElementsGiveTheSameShape)
{
    CMElements elements(true);
    const auto element = [&](const char* name, const char* type, const char* fileName) {
        auto* made = new CMElement(name);
        made->addProperty("TYPE", type);
        if (fileName != nullptr)
            made->addProperty("FILENAME", fileName);
        elements.add(made);
        return made;
    };
    CMElement* intro = element("intro", "SEQUENCE", nullptr);
    CMElement* part = element("part", "SEQUENCE", nullptr);
    CMElement* walk = element("walk", "ANIMO", "x.ann");
    CMElement* again = element("again", "ANIMO", "x.ann");
    CMElement* hero = element("hero", "ANIMO", "x.ann");
    element("nothing", "IMAGE", "x.img");
    part->addChild(walk);
    part->addChild(again);
    part->addChild(intro);
    intro->addChild(part);
    intro->addChild(hero);
    intro->addChild(elements.get("nothing"));
    walk->addChild(hero);

    CPlayable* root = CMultimediaSequenceCreator::create(world.window(), &elements, "intro");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(shape(root), "intro(part(walk again) hero)");
    auto* sequence = dynamic_cast<CSequencedPlayable*>(root);
    EXPECT_EQ(sequence->getChild(1)->getType(), CAnimo::kType);
    EXPECT_EQ(sequence->getChild(1)->getParentsNo(), 1);
    EXPECT_EQ(dynamic_cast<CAnimo*>(sequence->getChild(1))->GetNOE(), 3);
    EXPECT_EQ(CMultimediaSequenceCreator::create(world.window(), &elements, "none"), nullptr);
    EXPECT_EQ(CMultimediaSequenceCreator::create(world.window(), &elements, "nothing"), nullptr);
    // A sequence leaves its animations alone: here they are the test's.
    auto* inner = dynamic_cast<CSequencedPlayable*>(sequence->getChild(0));
    const std::vector<CPlayable*> animations{inner->getChild(0), inner->getChild(1), sequence->getChild(1)};
    delete root;
    for (CPlayable* kept : animations)
        delete kept;
}

TEST_F(SequenceWorld, NamesOfTheWrongKindAndMissingFilesGiveNothing)
{
    EXPECT_EQ(CMultimediaSequenceCreator::load(world.window(), "missing.seq", &resources, &observer), nullptr);
    EXPECT_EQ(CMultimediaSequenceCreator::load(world.window(), write("nameless.seq", "NAME other\nother TYPE SEQUENCE\n"),
                                               &resources, &observer),
              nullptr);

    // A sound listed under the animation's name is no animation; a SOUND object is no ANIMO;
    // an ANIMO object is no SOUND; a lower-case type makes nothing.
    auto* listed = new CSound4(world.window(), "y.ann", true, false);
    resources.add(listed);
    const CXString file = write("kinds.seq", crlf({
        "NAME kinds",
        "kinds TYPE SEQUENCE",
        "NAME y",
        "y FILENAME y.ann",
        "y TYPE SIMPLE",
        "NAME voice",
        "voice FILENAME VOICE",
        "voice TYPE SIMPLE",
        "NAME lower",
        "lower TYPE sequence",
        "NAME talk",
        "talk TYPE SPEAKING",
        "talk WAVFN HERO",
        "NAME quiet",
        "quiet TYPE SPEAKING",
        "quiet WAVFN VOICE",
        "y ADD kinds",
        "voice ADD kinds",
        "lower ADD kinds",
        "talk ADD kinds",
        "quiet ADD kinds",
    }));
    CPlayable* root = CMultimediaSequenceCreator::load(world.window(), file, &resources, &observer);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(shape(root), "kinds(y talk quiet)");
    auto* kinds = dynamic_cast<CSequencedPlayable*>(root);
    auto* y = dynamic_cast<CAnimoSequencePlayable*>(kinds->getChild(0));
    ASSERT_NE(y, nullptr);
    ASSERT_NE(y->getAnimation(), nullptr);
    EXPECT_EQ(y->getAnimation()->getType(), CAnimo::kType);
    EXPECT_EQ(world.screen()->GetPriority(y->getAnimation()), 1000);
    auto* talk = dynamic_cast<CSpeakingAnimation*>(kinds->getChild(1));
    ASSERT_NE(talk->getSound(), nullptr);
    EXPECT_EQ(talk->getSound()->getFileName(), "HERO");
    // The SOUND object has no sound yet: the speaking animation takes none.
    EXPECT_EQ(dynamic_cast<CSpeakingAnimation*>(kinds->getChild(2))->getSound(), nullptr);
    // The speaking animation takes sounds only.
    talk->apply(y);
    EXPECT_EQ(talk->getSound()->getFileName(), "HERO");
    delete root;
}

TEST_F(SequenceWorld, SpeakingAnimationsGiveBackOnlyWhatTheyTook)
{
    auto* shared = new CSound4(world.window(), "v.wav", true, false);
    resources.add(shared);
    {
        CSpeakingAnimation talk(world.window(), &resources);
        // Given by someone else, then taken from the manager: only the second is given back.
        talk.apply(static_cast<CPlayable*>(shared));
        talk.apply(CXString("v.wav"));
        EXPECT_EQ(talk.getSound(), shared);
        talk.setAnimation("x.ann");
        EXPECT_EQ(world.screen()->GetPriority(talk.getAnimation()), 1000);
        CSpeakingAnimation pixel(world.window(), &resources);
        pixel.setAnimation("pixel.ann");
        ASSERT_NE(pixel.getAnimation(), nullptr);
        EXPECT_EQ(world.screen()->GetPriority(pixel.getAnimation()), -1);
    }
    EXPECT_TRUE(resources.contains(shared));

    // The ANIMO object goes first: the speaking animation and a leaf forget it.
    auto* speaking = new CSpeakingAnimation(world.window(), &resources);
    speaking->setAnimation("HERO");
    EXPECT_EQ(speaking->getAnimation(), &heroAnimation);
    auto* leaf = new CAnimoSequencePlayable(world.window(), dynamic_cast<CMC_Animo*>(scene.getObject("HERO")));
    dynamic_cast<CMC_Animo*>(scene.getObject("HERO"))->addSeq(leaf);
    scene.unload();
    EXPECT_EQ(speaking->getAnimation(), nullptr);
    EXPECT_EQ(leaf->getAnimoObject(), nullptr);
    delete speaking;
    delete leaf;
}

TEST(SequenceParameters, SelectorsCountDigitsThenCapitalsThenFromSmallA)
{
    const struct {
        int n;
        const char* selector;
    } rows[] = {{0, "1"}, {8, "9"}, {9, "A"}, {33, "Y"}, {34, "a"}, {59, "z"}, {290, "a"}, {-1, ""}};
    for (const auto& row : rows)
        EXPECT_EQ(CMultimediaSequenceCreator::getParameter(row.n), row.selector) << row.n;
}

TEST(ElementCreator, TypesAreExactAndPicturesNeedAFile)
{
    ScreenWorld world;
    writePicture(world.folder(), "a.img", 2, 2, 0xF800);
    const auto element = [](const char* type, const char* fileName, const char* visible) {
        auto made = std::make_unique<CMElement>("thing");
        made->addProperty("TYPE", type);
        if (fileName != nullptr)
            made->addProperty("FILENAME", fileName);
        if (visible != nullptr)
            made->addProperty("VISIBLE", visible);
        return made;
    };

    auto image = element("IMAGE", "a.img", nullptr);
    std::unique_ptr<CXObject> picture(CMElementCreator::createObject(world.window(), image.get()));
    auto* loaded = dynamic_cast<CImage*>(picture.get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->Width(), 2);
    EXPECT_FALSE(loaded->CGraphicsObject::isVisible());
    EXPECT_EQ(CMElementCreator::createPlayable(world.window(), image.get()), nullptr);

    std::unique_ptr<CPlayable> animation(CMElementCreator::createPlayable(world.window(), element("ANIMO", "x.ann", "TRUE").get()));
    ASSERT_NE(animation, nullptr);
    EXPECT_TRUE(animation->isVisible());
    std::unique_ptr<CPlayable> sequence(CMElementCreator::createPlayable(world.window(), element("SEQUENCE", nullptr, nullptr).get()));
    EXPECT_EQ(sequence->getType(), CSequencedPlayable::kType);

    for (const auto& bad : {element("animo", "x.ann", nullptr), element("ANIMO", "", nullptr), element("IMAGE", nullptr, nullptr),
                            element("TEXT", "a.img", nullptr)}) {
        EXPECT_EQ(CMElementCreator::createPlayable(world.window(), bad.get()), nullptr);
        EXPECT_EQ(CMElementCreator::createObject(world.window(), bad.get()), nullptr);
    }
}
