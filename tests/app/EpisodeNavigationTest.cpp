#include "app/CMC_Episode.h"

#include "app/GameTree.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Requests made in the running scene, with "|" for the end of a frame, and where they lead:
// the scene running and E1's history.
struct Navigation {
    const char* name;
    std::vector<std::string> steps;
    const char* running;
    std::vector<std::string> history;
};

const Navigation kNavigations[] = {
    {"next over frames ends at the last", {"NEXT", "|", "NEXT", "|", "NEXT", "|"}, "C", {"A", "B", "C"}},
    {"next thrice in a frame goes one on", {"NEXT", "NEXT", "NEXT", "|"}, "B", {"A", "B"}},
    {"prev from the last", {"NEXT", "|", "NEXT", "|", "PREV", "|"}, "B", {"A", "B", "C", "B"}},
    {"prev at the first", {"PREV", "|"}, "A", {"A"}},
    {"back twice", {"NEXT", "|", "BACK", "|", "BACK", "|"}, "A", {"A", "A"}},
    {"back with one entry", {"BACK", "|"}, "A", {"A"}},
    {"next then prev at the second", {"NEXT", "|", "NEXT", "PREV", "|"}, "A", {"A", "B", "A"}},
    {"next then prev at the first", {"NEXT", "PREV", "|"}, "B", {"A", "B"}},
    {"goto", {"GOTO(\"C\")", "|"}, "C", {"A", "C"}},
    {"goto an unknown name cancels", {"NEXT", "GOTO(\"X\")", "|"}, "A", {"A"}},
};

std::vector<std::string> namesOf(const std::vector<CMC_Scene*>& scenes)
{
    std::vector<std::string> names;
    for (CMC_Scene* scene : scenes)
        names.emplace_back(scene->getName().c_str());
    return names;
}

} // namespace

TEST(EpisodeNavigation, RequestsSwitchAtTheFramesEndWithoutWrappingAround)
{
    for (const Navigation& navigation : kNavigations) {
        SCOPED_TRACE(navigation.name);
        ApplicationWorld world;
        writeGameTree(world);
        ASSERT_NE(world.start(), nullptr);
        CMC_Episode* e1 = world.episode("E1");
        for (const std::string& step : navigation.steps) {
            if (step == "|")
                world.frame(0);
            else
                world.run(e1->getCurrentScene(), "E1^" + (step.find('(') == std::string::npos ? step + "()" : step));
        }
        EXPECT_EQ(world.running(), navigation.running);
        EXPECT_EQ(namesOf(e1->getHistory()), navigation.history);
    }
}

// Every switch between E1's scenes goes through E1's own unload, so its "ONDONE" comes each
// time; on a scene's first entry its parent is among its objects and is finished with them
// too. Entering a scene again runs only its own "ONINIT".
TEST(EpisodeNavigation, EverySwitchRaisesTheEpisodesOnDoneAndBackEntersTheSceneAgain)
{
    ApplicationWorld world;
    writeGameTree(world);
    ASSERT_NE(world.start(), nullptr);
    world.log();
    CMC_Episode* e1 = world.episode("E1");
    world.run(e1, "E1^NEXT()");
    world.frame(0);
    EXPECT_EQ(world.log(), (std::vector<std::string>{"E1.done", "E1.done", "B.init", "E1.init", "B.init"}));
    world.run(e1, "E1^BACK()");
    world.frame(0);
    EXPECT_EQ(world.log(), (std::vector<std::string>{"E1.done", "E1.done", "A.init"}));
    world.run(e1, "E1^BACK()");
    world.frame(0);
    EXPECT_EQ(world.log(), (std::vector<std::string>{"E1.done", "A.init"}));
    EXPECT_EQ(world.run(e1, "E1^GETLATESTSCENE()"), "A");
    EXPECT_EQ(world.run(e1, "E1^GETCURRENTSCENE()"), "A");
}
