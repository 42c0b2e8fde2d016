#include "app/CMC_SceneUpdate.h"
#include "media/CMC_NetServer.h"
#include "media/CNetFileMessages.h"
#include "media/CNetworkClient.h"

#include "app/ApplicationWorld.h"
#include "media/NetworkTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

// The application APP ("Game") with the episode E1 and its scenes A (version 1.9) and B
// (version 2.0). A logs its "ONUPGRADED" into the application's LOG.
void writeUpdatableGame(ApplicationWorld& world)
{
    world.write("Dane/application.def",
                "OBJECT=A\nA:TYPE=SCENE\nA:PATH=Epizod1\\ScenaA\nA:VERSION=1.9\n"
                "OBJECT=B\nB:TYPE=SCENE\nB:PATH=Epizod1\\ScenaB\nB:VERSION=2.0\n"
                "OBJECT=E1\nE1:TYPE=EPISODE\nE1:SCENES=A, B\nE1:PATH=Epizod1\n"
                "OBJECT=APP\nAPP:TYPE=APPLICATION\nAPP:EPISODES=E1\nAPP:DESCRIPTION=Game\n");
    world.write("Dane/APP.cnv", "OBJECT=LOG\nLOG:TYPE=ARRAY\n");
    world.write("Dane/Epizod1/E1.cnv", "OBJECT=E1\n");
    world.write("Dane/Epizod1/ScenaA/A.cnv", "OBJECT=A\nA:ONUPGRADED={LOG^ADD(\"upgraded\");}\n");
    world.write("Dane/Epizod1/ScenaB/B.cnv", "OBJECT=B\n");
}

std::string index(const std::string& version, const std::string& files, size_t packedSize)
{
    return "DESCRIPTION=New\nVERSION=" + version + "\nFILES=" + files + "\nPACKED_SIZE=" +
           std::to_string(packedSize) + "\nDATA_SIZE=1\n";
}

std::string bytes(size_t count)
{
    std::string made(count, '\0');
    for (size_t i = 0; i < count; ++i)
        made[i] = static_cast<char>(i * 7 + i / 251);
    return made;
}

// A file that arrived whole on the updater's side.
std::unique_ptr<CFileReceiver_Entry> arrived(const std::string& name, const std::string& content)
{
    auto entry = std::make_unique<CFileReceiver_Entry>(nullptr, 1, "Game", "A", name.c_str());
    const int size = static_cast<int>(content.size());
    CNetFileResponseMessage response(nullptr, 1, 1, size, size);
    entry->received(&response);
    constexpr int kPiece = 1 << 20;
    for (int offset = 0; offset < size; offset += kPiece) {
        CNetFileDataMessage piece(nullptr, 1, 1, 0, offset, std::min(kPiece, size - offset), content.data() + offset);
        entry->received(&piece);
    }
    return entry;
}

class SceneUpdate : public testing::Test {
protected:
    static void SetUpTestSuite() { platform::setLoopbackTestNetwork(true); }

    SceneUpdate() { writeUpdatableGame(world); }

    std::string run(const std::string& line) { return world.run(world.application(), line); }
    CMC_Scene* scene(const char* name) { return world.application()->getScene(CXString(name)); }

    ApplicationWorld world;
};

} // namespace

// What the index announces decides whether an update is available: a newer version with all
// five keys (the name in any case, never stored); nothing for an equal version or a missing key.
// A node read from a compiled file has no version: any index is newer. Updaters that are gone
// hear nothing more from their peer.
TEST_F(SceneUpdate, TheIndexAnnouncesANewerVersionWithAllItsKeys)
{
    ASSERT_NE(world.start(), nullptr);
    CNetworkClient idle(nullptr, false, false);
    CMC_Scene compiled(&world.window(), CMC_Object::TYPE_SCENE);
    struct Case {
        CMC_Scene* scene;
        const char* name;
        std::string text;
        bool available;
    };
    const Case cases[] = {
        {scene("A"), "index.net", index("1.10", "a.cnv", 1), true},
        {scene("A"), "INDEX.NET", index("1.10", "a.cnv", 1), true},
        {scene("A"), "index.net", index("1.9", "a.cnv", 1), false},
        {scene("A"), "index.net", "VERSION=3\nFILES=a.cnv\nPACKED_SIZE=1\nDATA_SIZE=1\n", false},
        {&compiled, "index.net", index("0.0.1", "a.cnv", 1), true},
    };
    for (const Case& c : cases) {
        CMC_SceneUpdate update(&idle, c.scene);
        EXPECT_TRUE(update.onFileReceived(arrived(c.name, c.text).get()));
        EXPECT_EQ(update.isUpdateAvailable(), c.available) << c.text;
        EXPECT_FALSE(world.exists("Dane/Epizod1/ScenaA/" + std::string(c.name))) << c.name;
    }
    idle.notify([](CNetListener* listener) { listener->onConnectionClosed(); });
}

// Progress counts in 64 bits: 22 MiB of 44 announced is half, not a wrapped number. With
// PACKED_SIZE 0 the first file completes the update.
TEST_F(SceneUpdate, ProgressAndCompletionFollowTheBytesWritten)
{
    ASSERT_NE(world.start(), nullptr);
    CNetworkClient idle(nullptr, false, false);
    world.log();

    CMC_SceneUpdate large(&idle, scene("A"));
    const size_t half = 22u << 20;
    large.onFileReceived(arrived("index.net", index("2", "big.dat", 2 * half)).get());
    large.onFileReceived(arrived("big.dat", bytes(half)).get());
    EXPECT_EQ(large.getProgress(), 50);
    EXPECT_EQ(world.log(), std::vector<std::string>{});

    CMC_SceneUpdate empty(&idle, scene("A"));
    empty.onFileReceived(arrived("index.net", index("2", "a.txt", 0)).get());
    empty.onFileReceived(arrived("a.txt", "x").get());
    EXPECT_EQ(empty.getProgress(), 0);
    EXPECT_EQ(world.log(), std::vector<std::string>{"upgraded"});
    EXPECT_EQ(world.read("Dane/Epizod1/ScenaA/a.txt"), "x");
}

// A program started with "update" asks its server for every scene's index; a NETSERVER
// sharing the folder answers. UPGRADE then fetches the listed files one chunk per frame into
// the scene's folder, the progress climbs to 100 and the scene hears "ONUPGRADED". Names that
// would leave the scene's folder are never asked for.
TEST_F(SceneUpdate, AScenesFilesComeFromASharingServer)
{
    const std::string script = "OBJECT=A\nA:ONUPGRADED={LOG^ADD(\"upgraded\");}\n#2\n";
    const std::string part = bytes(20000);
    const std::string data = bytes(45000);
    world.write("Shared/Game/A/index.net", index("1.10", "A.cnv, ..\\evil.txt /etc/passwd part.bin data.bin",
                                                 script.size() + part.size() + data.size()));
    world.write("Shared/Game/A/A.cnv", script);
    world.write("Shared/Game/A/part.bin", part);
    world.write("Shared/Game/A/data.bin", data);
    world.write("Shared/Game/B/index.net", index("2.0", "B.cnv", 1));
    world.write("Shared/Game/evil.txt", "outside");

    CMC_ObjectsContainer host(&world.window(), nullptr, CXString("HOST"), CMC_Object::TYPE_SCENE);
    auto sharing = std::make_unique<CMC_NetServer>(&host);
    ASSERT_TRUE(sharing->start());
    ASSERT_NE(world.start({"-update", "localhost", "-share", "Shared"}), nullptr);
    const auto frames = [this] { world.frame(); };

    ASSERT_TRUE(eventually([&] { return run("APP^NEEDSUPGRADE(\"A\")") == "TRUE"; }, frames));
    ASSERT_TRUE(eventually([&] { return scene("B")->getUpdateIfc()->getDescription() == "New"; }, frames));
    EXPECT_EQ(run("APP^NEEDSUPGRADE(\"B\")"), "FALSE");
    EXPECT_EQ(run("APP^NEEDSUPGRADE()"), "FALSE");
    EXPECT_EQ(run("APP^GETUPGRADEPROGRESS(\"A\")"), "0");
    world.log();

    run("APP^UPGRADE(\"A\")");
    std::vector<std::string> progress;
    ASSERT_TRUE(eventually(
        [&] {
            const std::string now = run("APP^GETUPGRADEPROGRESS(\"A\")");
            if (progress.empty() || progress.back() != now)
                progress.push_back(now);
            return now == "100";
        },
        frames));
    EXPECT_EQ(progress.front(), "0");
    EXPECT_GT(progress.size(), 2u);
    EXPECT_EQ(world.log(), std::vector<std::string>{"upgraded"});
    EXPECT_EQ(run("APP^NEEDSUPGRADE(\"A\")"), "FALSE");
    EXPECT_EQ(world.read("Dane/Epizod1/ScenaA/A.cnv"), script);
    EXPECT_EQ(world.read("Dane/Epizod1/ScenaA/part.bin"), part);
    EXPECT_EQ(world.read("Dane/Epizod1/ScenaA/data.bin"), data);
    EXPECT_FALSE(world.exists("Dane/Epizod1/ScenaA/index.net"));
    EXPECT_FALSE(world.exists("Dane/Epizod1/evil.txt"));

    sharing.reset();
}
