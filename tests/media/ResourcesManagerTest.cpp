#include "foundation/CFileResolver.h"
#include "media/CPlayable.h"
#include "media/CResourcesManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A playable that writes to a shared log when it is hidden and when it is deleted.
class LoggedPlayable : public CPlayable {
public:
    LoggedPlayable(const char* fileName, std::vector<std::string>& log)
        : CPlayable(nullptr)
        , log_(log)
    {
        setFilename(fileName);
    }
    ~LoggedPlayable() override { log_.push_back("delete " + std::string(getFileName().c_str())); }
    void play() override {}
    void stop(bool) override {}
    void pause() override {}
    void resume() override {}
    void seek(int) override {}
    void hide() override
    {
        log_.push_back("hide " + std::string(getFileName().c_str()));
        CPlayable::hide();
    }

private:
    std::vector<std::string>& log_;
};

// A file-backed resource that does not play.
class PlainResource : public CFileResolver {
public:
    explicit PlainResource(const char* fileName) { setFilename(fileName); }
};

} // namespace

TEST(CFileResolver, KeepsNameAndFlagsAndCopiesThem)
{
    PlainResource resource("Intro.ANN");
    EXPECT_FALSE(resource.isLoaded());
    EXPECT_FALSE(resource.releaseAfterUse());
    resource.toRelease(true);
    PlainResource copy = resource;
    EXPECT_STREQ(copy.getFileName().c_str(), "Intro.ANN");
    EXPECT_TRUE(copy.releaseAfterUse());
}

TEST(CResourcesManager, CountsUsesAndDeletesAtTheLastReturn)
{
    std::vector<std::string> log;
    CResourcesManager manager(nullptr);
    auto* intro = new LoggedPlayable("Intro.ANN", log);
    manager.add(intro);
    EXPECT_EQ(manager.get("intro.ann"), intro);
    EXPECT_EQ(manager.get("missing.ann"), nullptr);
    EXPECT_FALSE(manager.remove(intro));
    EXPECT_TRUE(manager.contains(intro));
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(manager.remove(intro));
    EXPECT_EQ(log, (std::vector<std::string>{ "hide Intro.ANN", "delete Intro.ANN" }));
    EXPECT_FALSE(manager.contains(intro));

    PlainResource stranger("Intro.ANN");
    EXPECT_FALSE(manager.remove(&stranger));
    EXPECT_EQ(manager.get("Intro.ANN"), nullptr);
}

TEST(CResourcesManager, AsksNestedManagersAfterItsOwnList)
{
    std::vector<std::string> log;
    CResourcesManager first(nullptr);
    CResourcesManager second(nullptr);
    CResourcesManager scene(nullptr);
    scene.add(&first);
    scene.add(&second);
    auto* own = new LoggedPlayable("Walk.ANN", log);
    auto* shadowed = new LoggedPlayable("WALK.ann", log);
    auto* shared = new LoggedPlayable("Music.WAV", log);
    scene.add(own);
    first.add(shadowed);
    second.add(shared);

    EXPECT_EQ(scene.get("walk.ann"), own);
    EXPECT_EQ(scene.get("music.wav"), shared);
    EXPECT_FALSE(scene.contains(shared));
    EXPECT_FALSE(scene.remove(shared));
    // The use was counted by the manager that holds it.
    EXPECT_FALSE(second.remove(shared));
    EXPECT_TRUE(second.remove(shared));
}

TEST(CResourcesManager, InsertAtPlacesTheEntryWithinTheList)
{
    std::vector<std::string> log;
    CResourcesManager manager(nullptr);
    auto* later = new LoggedPlayable("a.ann", log);
    auto* earlier = new LoggedPlayable("A.ANN", log);
    auto* farOut = new LoggedPlayable("far.ann", log);
    manager.add(later);
    manager.insertAt(earlier, 0);
    manager.insertAt(farOut, 99);
    manager.add(static_cast<CFileResolver*>(nullptr));
    EXPECT_EQ(manager.get("a.ann"), earlier);
    EXPECT_TRUE(manager.contains(farOut));
    manager.flush();
    EXPECT_EQ(log, (std::vector<std::string>{ "hide A.ANN", "delete A.ANN", "hide a.ann", "delete a.ann",
                                              "hide far.ann", "delete far.ann" }));
}

// flush deleted the resources without hiding them first.
TEST(CResourcesManager, FlushEmptiesNestedManagersHidesAndDeletesAndForgetsThem)
{
    std::vector<std::string> log;
    CResourcesManager general(nullptr);
    CResourcesManager scene(nullptr);
    scene.add(&general);
    general.add(new LoggedPlayable("Back.IMG", log));
    scene.add(new LoggedPlayable("Door.ANN", log));
    scene.add(new PlainResource("Plain.DAT"));
    scene.get("door.ann");

    scene.flush();
    EXPECT_EQ(log, (std::vector<std::string>{ "hide Back.IMG", "delete Back.IMG", "hide Door.ANN", "delete Door.ANN" }));
    EXPECT_EQ(general.get("back.img"), nullptr);
    general.add(new LoggedPlayable("Again.ANN", log));
    EXPECT_EQ(scene.get("again.ann"), nullptr);
}

// A manager nested in itself, directly or through another, made get and flush recurse forever.
TEST(CResourcesManager, RefusesNestingThatWouldCloseACycle)
{
    CResourcesManager application(nullptr);
    CResourcesManager scene(nullptr);
    application.add(&application);
    scene.add(&application);
    application.add(&scene);
    EXPECT_EQ(application.get("nothing"), nullptr);
    EXPECT_EQ(scene.get("nothing"), nullptr);
    scene.flush();
}

TEST(CResourcesManager, DestructorDeletesWhatIsLeft)
{
    std::vector<std::string> log;
    {
        CResourcesManager manager(nullptr);
        manager.add(new LoggedPlayable("Left.ANN", log));
        manager.get("left.ann");
    }
    EXPECT_EQ(log, (std::vector<std::string>{ "hide Left.ANN", "delete Left.ANN" }));
}
