#include "app/CMC_Scene.h"

#include "foundation/CConfig.h"
#include "foundation/CVersion.h"
#include "foundation/CXVector.h"
#include "graphics/CCollisionInspector.h"
#include "graphics/CCollisionObserver.h"
#include "graphics/CGraphicsObject.h"
#include "graphics/CRefreshScreen.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Runner.h"
#include "media/CMC_Mouse.h"
#include "media/CMusic.h"
#include "script/CMC_SignalList.h"
#include "text/CUnit6.h"

#include "app/SceneWorld.h"
#include "media/SoundTestKit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An object of a type that finishes before the others of its container.
class FinishesFirst : public CMC_Object {
public:
    explicit FinishesFirst(CMC_ObjectsContainer* container)
        : CMC_Object(CXString("FIRST"), 7777)
    {
        setScene(container);
    }
    bool doneFirst() override { return true; }
    const CMC_SignalList* getBehavioursList() override
    {
        static const CMC_SignalList signals{"ONINIT", "ONDONE"};
        return &signals;
    }
};

// Asks its parent for another scene when it starts.
class Requester : public CMC_Object {
public:
    Requester(CMC_Scene* parent, const char* wanted)
        : CMC_Object(CXString("REQUESTER"), 7778)
        , parent_(parent)
        , wanted_(wanted)
    {
    }
    void init() override { parent_->_goto(CXString(wanted_)); }

private:
    CMC_Scene* parent_;
    const char* wanted_;
};

// A parent holding scenes A (folder "Dane\A") and B (PATH "b", folder "Dane\B"), whose
// handlers write into the parent's LOG.
class SceneLifeCycle : public ::testing::Test {
protected:
    SceneLifeCycle()
    {
        // Handlers of "ONDONE" live in the parent: a scene's own behaviours are finished
        // with its other objects.
        world.build(top, "OBJECT=LOG\nLOG:TYPE=STRING\n"
                         "OBJECT=__INIT__\n__INIT__:TYPE=BEHAVIOUR\n__INIT__:CODE={LOG^ADD(\"INIT;\");}\n"
                         "OBJECT=XDONE\nXDONE:TYPE=BEHAVIOUR\nXDONE:CODE={LOG^ADD(\"X.done;\");}\n"
                         "OBJECT=YDONE\nYDONE:TYPE=BEHAVIOUR\nYDONE:CODE={LOG^ADD(\"Y.done;\");}\n"
                         "OBJECT=FDONE\nFDONE:TYPE=BEHAVIOUR\nFDONE:CODE={LOG^ADD(\"F.done;\");}\n"
                         "OBJECT=TOP\nTOP:ONINIT={LOG^ADD(\"TOP.init;\");}\nTOP:ONDONE={LOG^ADD(\"TOP.done;\");}\n");
        world.write("Dane/A/A.cnv", "OBJECT=A\nA:ONINIT={LOG^ADD(\"A.init;\");}\nA:ONDONE={LOG^ADD(\"A.done;\");}\n"
                                    "OBJECT=X\nX:TYPE=INTEGER\nX:ONINIT={LOG^ADD(\"X.init;\");}\nX:ONDONE=XDONE\n");
        world.write("Dane/B/B.cnv", "OBJECT=K\nK:TYPE=CLASS\nK:DEF=KEEPER\n"
                                    "OBJECT=Y\nY:TYPE=INTEGER\nY:ONDONE=YDONE\n");
        world.write("disc/COMMON/CLASSES/KEEPER",
                    "OBJECT=DESTRUCTOR\nDESTRUCTOR:TYPE=BEHAVIOUR\nDESTRUCTOR:CODE={LOG^ADD(\"K.gone;\");}\n");
    }

    // The log, emptied.
    std::string log()
    {
        const std::string text = world.text(top, "LOG");
        static_cast<CMC_String*>(top->getVariable("LOG"))->setValue(CXString());
        return text;
    }

    SceneWorld world;
    ParentNode* top = world.parent("TOP");
    CMC_Scene* a = world.scene("A", "A", top);
    CMC_Scene* b = world.scene("B", "b", top);
};

} // namespace

TEST_F(SceneLifeCycle, ScenesEnterAndLeaveInTheSettledOrderAndSwitchAtTheFramesEnd)
{
    // A first entry: every object held (the scene, its parent, then its own), "__INIT__" of
    // the parent, the scene's "ONINIT" again.
    top->_goto(a, nullptr);
    EXPECT_EQ(log(), "A.init;TOP.init;X.init;INIT;A.init;");
    EXPECT_EQ(world.text(a, "X"), "0");
    EXPECT_EQ(top->getCurrentScene(), a);

    // Two requests in a frame: only the last is carried out, once, when the frame ends. The
    // scene's unload finishes its parent, never the scene itself.
    top->_goto(CXString("A"));
    top->_goto(CXString("B"));
    EXPECT_EQ(log(), "");
    top->domodal();
    EXPECT_EQ(log(), "TOP.done;X.done;TOP.init;INIT;");
    EXPECT_EQ(top->getCurrentScene(), b);
    EXPECT_EQ(top->getHistory(), (std::vector<CMC_Scene*>{a, b}));
    EXPECT_EQ(a->getObjectsNo(), 0);

    // An unknown name cancels the request before it.
    top->_goto(CXString("A"));
    top->_goto(CXString("NOSUCH"));
    top->domodal();
    EXPECT_EQ(top->getCurrentScene(), b);
    EXPECT_EQ(top->getHistory().size(), 2u);

    // Leaving B finishes the script classes first, then the types that finish first, then the
    // rest in order; entering A again raises only its objects' and its own "ONINIT".
    CXVector name;
    CMC_String instance{CXString(), CXString("KI")};
    name.add(&instance);
    CMC_RunnerFactory::getRunner(CMC_Object::TYPE_CLASS)->run(CXString("NEW"), b->getObject("K"), b, &name);
    auto* first = new FinishesFirst(b);
    first->addBehaviour(CXString("ONDONE"), static_cast<CMC_Behaviour*>(top->getObject("FDONE")), nullptr, b, true);
    b->addObject(first);
    top->_goto(CXString("A"));
    top->domodal();
    EXPECT_EQ(log(), "K.gone;F.done;TOP.done;Y.done;X.init;INIT;A.init;");
    EXPECT_EQ(top->getHistory(), (std::vector<CMC_Scene*>{a, b, a}));
}

TEST_F(SceneLifeCycle, ASwitchAskedForWhileSwitchingIsDropped)
{
    auto* requester = new Requester(top, "A");
    requester->setScene(b);
    b->addObject(requester);
    top->_goto(CXString("B"));
    top->domodal();
    EXPECT_EQ(top->getCurrentScene(), b);
    EXPECT_EQ(top->getPendingScene(), nullptr);
    top->domodal();
    EXPECT_EQ(top->getCurrentScene(), b);
}

TEST_F(SceneLifeCycle, ParentsPointAtTheRunningSceneWhileItLives)
{
    top->_goto(a, nullptr);
    EXPECT_EQ(top->getScene(), a);
    world.write("Dane/L/L.cnv", "");
    CMElement definition{CXString("L")};
    definition.addProperty("PATH", "L");
    auto* linked = new CMC_Scene(&world.window(), top, &definition, CMC_Object::TYPE_SCENE);
    linked->initialize(a);
    EXPECT_EQ(top->getScene(), linked);
    delete linked;
    EXPECT_EQ(top->getScene(), top);
}

TEST_F(SceneLifeCycle, AScenesFolderIsFoundWhateverItsCaseAndOnTheDataDiscWhenTheLocalTreeLacksIt)
{
    world.write("disc/Dane/C/C.cnv", "OBJECT=Z\nZ:TYPE=INTEGER\nZ:VALUE=4\n");
    CMC_Scene* c = world.scene("C", "C", top);
    top->_goto(b, nullptr);
    EXPECT_EQ(world.text(b, "Y"), "0");
    top->_goto(c, b);
    EXPECT_EQ(world.text(c, "Z"), "4");
    EXPECT_EQ(top->getScene(CXString("C")), c);
    EXPECT_EQ(top->find(CXString("c")), nullptr);
    EXPECT_EQ(top->getSubId(c), 2);
}

TEST_F(SceneLifeCycle, ASignalWithoutHandlerRunsItsNamedBehaviourAndRestartAsksForTheFirstScene)
{
    world.build(top, "OBJECT=__ONSIGNAL__\n__ONSIGNAL__:TYPE=BEHAVIOUR\n__ONSIGNAL__:CODE={LOG^ADD(\"fallback;\");}\n"
                     "OBJECT=TOP\nTOP:ONRESTART={LOG^ADD(\"restart;\");}\n");
    log();
    EXPECT_TRUE(a->onSignal(CXString("ONSIGNAL")));
    EXPECT_FALSE(a->onSignal(CXString("ONUPGRADED")));
    EXPECT_EQ(log(), "fallback;");
    world.build(a, "OBJECT=A\nA:ONSIGNAL={LOG^ADD(\"bound;\");}\n");
    log();
    EXPECT_TRUE(a->onSignal(CXString("ONSIGNAL")));
    EXPECT_EQ(log(), "bound;");

    top->_goto(b, nullptr);
    log();
    top->restart();
    EXPECT_EQ(log(), "restart;");
    EXPECT_EQ(top->getPendingScene(), a);
    top->domodal();
    EXPECT_EQ(top->getCurrentScene(), a);
}

TEST(SceneNodes, KeepTheirDefinitionsPropertiesAndTheNamelessOnesNone)
{
    SceneWorld world;
    CMC_Scene* defined = world.scene("S", {{"DESCRIPTION", "a test"}, {"PATH", "Part\\S"}, {"BACKGROUND", "bg.img"},
                                           {"DEAMON", "TRUE"}, {"VERSION", "1.2.3"}, {"DLLS", "World"}});
    EXPECT_EQ(defined->getDesc(), "a test");
    EXPECT_EQ(defined->getPath(), "Part\\S");
    EXPECT_EQ(defined->getBackground(), "bg.img");
    EXPECT_TRUE(defined->isDeamon());
    EXPECT_EQ(defined->getVersion()->getMinor(), 2);
    EXPECT_EQ(defined->getDataFolder(), CWindow::rootPath + "Dane\\Part\\S");
    EXPECT_FALSE(defined->isBinary());
    EXPECT_EQ(defined->getObject(0), defined);

    auto* nameless = world.own(new CMC_Scene(&world.window(), CMC_Object::TYPE_SCENE));
    EXPECT_TRUE(nameless->isBinary());
    EXPECT_EQ(nameless->getName(), "");
    EXPECT_EQ(nameless->getVersion(), nullptr);
    EXPECT_EQ(nameless->getDataFolder(), CWindow::rootPath + "Dane");
    EXPECT_EQ(CMC_Scene::getDefUnit()->getUnitName(), "Default");
}

// --- music and statistics ---

namespace {

class SceneServices : public ::testing::Test {
protected:
    SceneServices()
    {
        const std::string tune = wav::riff(
            wav::fmt(1, 1, 22050, 16) + wav::chunk("data", wav::samples16(std::vector<int16_t>(22050, 7))));
        world.write("theme.wav", tune);
        world.write("other.wav", tune);
    }

    // One frame of the program; the scene's music starts at the first redraw.
    void frame() { world.window().domodal(); }
    std::string music() { return world.window().getMusicInterface()->getFileName().Right(CWindow::rootPath.GetLength()).c_str(); }
    void enter(CMC_Scene* scene)
    {
        top->_goto(scene->getName());
        top->domodal();
    }

    SceneWorld world;
    ParentNode* top = world.parent("TOP", "other.wav");
    CMC_Scene* a = world.scene("A", "A", top, "theme.wav");
    CMC_Scene* b = world.scene("B", "B", top, "theme.wav");
    CMC_Scene* c = world.scene("C", "C", top, "");
};

} // namespace

TEST_F(SceneServices, TheSameMusicPlaysOnAcrossASwitchAndAnotherStartsAtTheFirstRedraw)
{
    enter(a);
    EXPECT_FALSE(world.window().isMusicPlaying());
    frame();
    ASSERT_TRUE(world.window().isMusicPlaying());
    EXPECT_EQ(music(), "theme.wav");
    // A level of the stream's own shows whether the stream is started again.
    world.window().setMusicVolume(-500);

    enter(b);
    EXPECT_FALSE(b->shouldMusicBeStarted());
    frame();
    EXPECT_TRUE(world.window().isMusicPlaying());
    EXPECT_EQ(world.window().getMusicVolume(), -500);

    // A scene without music of its own plays its parent's.
    EXPECT_EQ(c->getMusicFilename(), "other.wav");
    enter(c);
    EXPECT_FALSE(world.window().isMusicPlaying());
    frame();
    EXPECT_TRUE(world.window().isMusicPlaying());
    EXPECT_EQ(music(), "other.wav");
    EXPECT_EQ(world.window().getMusicVolume(), 0);

    // Another name becomes the scene's music and starts at once.
    c->startMusic("theme.wav", false);
    EXPECT_EQ(c->getMusicFilename(), "theme.wav");
    EXPECT_EQ(music(), "theme.wav");

    // Stopping lets the next start play the scene's music again.
    c->stopMusic();
    EXPECT_FALSE(world.window().isMusicPlaying());
    EXPECT_TRUE(c->shouldMusicBeStarted());
    c->startMusic(nullptr, false);
    EXPECT_TRUE(world.window().isMusicPlaying());
}

TEST_F(SceneServices, EveryVisitAddsToPlayedAndItsWholeSecondsToTime)
{
    CConfig* ini = world.application->GetConfigInterface();
    ini->PutInt(CXString("A"), CXString("Time"), 10);
    ini->PutInt(CXString("A"), CXString("Played"), 2);
    // The first visit begins at the program's first tick.
    const std::pair<uint32_t, uint32_t> visits[] = {{0, 1500}, {2500, 3200}, {3999, 7000}};
    for (const auto& [from, to] : visits) {
        world.clock().set(from);
        enter(a);
        world.clock().set(to);
        enter(b);
    }
    EXPECT_EQ(ini->GetInt(CXString("A"), CXString("Played")), 5);
    EXPECT_EQ(ini->GetInt(CXString("A"), CXString("Time")), 10 + 1 + 1 + 4);

    // A node never entered still has its keys written when it ends.
    world.forget(top);
    EXPECT_EQ(ini->GetInt(CXString("C"), CXString("Played")), 0);
    EXPECT_TRUE(ini->GetString(CXString("C"), CXString("Time")).IsString());
    EXPECT_EQ(ini->GetInt(CXString("B"), CXString("Played")), 3);
}

namespace {

struct Watcher : CCollisionObserver {
    void onCollision(CGraphicsObject*, CGraphicsObject*) override {}
    void onCollisionFinished(CGraphicsObject*, CGraphicsObject*) override {}
};

} // namespace

TEST_F(SceneServices, MonitoredPicturesLeaveTheCollisionInspectorWhenTheSceneIsLeft)
{
    CCollisionInspector* inspector = world.window().getCollisionInspectorInterface();
    CGraphicsObject first(&world.window(), CXSize(4, 4), 16);
    CGraphicsObject second(&world.window(), CXSize(4, 4), 16);
    Watcher watcher;
    enter(a);
    a->monitorCollisions(&first, false, &watcher);
    a->monitorCollisions(&first, true, &watcher);
    EXPECT_TRUE(first.getMonitorCollisionsFlag());
    ASSERT_NE(inspector->find(&first), nullptr);
    EXPECT_FALSE(inspector->find(&first)->hasAlphaTest());
    EXPECT_TRUE(inspector->hasNotifier(&watcher));
    EXPECT_EQ(a->getMonitored(), std::vector<CGraphicsObject*>{&first});

    a->removeMonitorCollisions(&first, &watcher);
    EXPECT_FALSE(inspector->find(&first)->isActive());
    EXPECT_FALSE(inspector->hasNotifier(&watcher));
    EXPECT_TRUE(a->getMonitored().empty());

    a->monitorCollisions(&second, true, &watcher);
    enter(b);
    EXPECT_TRUE(a->getMonitored().empty());
    EXPECT_FALSE(inspector->find(&second)->isActive());
}

TEST_F(SceneServices, TheUnitTakesTheRunningScenesNameAndBackgroundAndLetsGoWhenItIsLeft)
{
    CUnit6* unit = CMC_Scene::getDefUnit();
    CRefreshScreen* screen = world.window().GetRefreshScreenInterface();
    enter(a);
    EXPECT_EQ(unit->getUnitName(), "A");
    EXPECT_TRUE(unit->isActive());
    EXPECT_NE(screen->getBackgroundIfc(), nullptr);
    frame();
    EXPECT_TRUE(unit->wasInitiallyUpdated());
    top->unload(nullptr);
    EXPECT_EQ(unit->getUnitName(), "Default");
    EXPECT_FALSE(unit->isActive());
    EXPECT_FALSE(unit->wasInitiallyUpdated());
    EXPECT_EQ(screen->getBackgroundIfc(), nullptr);
    unit->done(nullptr, nullptr);

    // The unit no longer listens: events reach nothing that is gone.
    enter(b);
    CMC_Scene::doneDefUnit();
    world.headless.backend().events().inject(platform::Event::mouseMove({10, 10}));
    world.headless.turn();
}

TEST_F(SceneServices, LeavingASceneLetsTheMouseOutOfItsClipRectangle)
{
    enter(a);
    world.build(a, "OBJECT=MOUSE\nMOUSE:TYPE=MOUSE\n");
    static_cast<CMC_Mouse*>(a->getObject("MOUSE"))->setClipRect(10, 10, 110, 200);
    ASSERT_NE(CMC_Mouse::getClipRect(), CXRect());
    enter(b);
    EXPECT_EQ(CMC_Mouse::getClipRect(), CXRect());
    EXPECT_EQ(world.headless.backend().cursors().clip(), std::nullopt);
}

TEST(SceneTree, AChildIsAdoptedOnceAndANodeNeverAdoptsItself)
{
    SceneWorld world;
    ParentNode* top = world.parent("TOP");
    CMC_Scene* child = world.scene("C", "c", top);
    top->hold(child);
    top->hold(top);
    ASSERT_EQ(top->getSubScenes()->getCount(), 1);
    EXPECT_EQ(top->getSubScenes()->at(0), child);
    EXPECT_EQ(top->getParent(), nullptr);
}
