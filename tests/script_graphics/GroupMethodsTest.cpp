#include "graphics/CAnimationManager.h"
#include "script/CMC_Groupped.h"
#include "script_graphics/CMC_Animo.h"

#include "PictureScene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using GroupScene = PictureScene;

const char kMembers[] = "OBJECT=A\nA:TYPE=INTEGER\nA:VALUE=1\nOBJECT=B\nB:TYPE=INTEGER\nB:VALUE=2\n"
                        "OBJECT=C\nC:TYPE=INTEGER\nC:VALUE=3\nOBJECT=G\nG:TYPE=GROUP\nOBJECT=H\nH:TYPE=GROUP\n";

} // namespace

TEST_F(GroupScene, MethodsFillWalkAndCloneTheGroup)
{
    define(kMembers);
    struct Row {
        const char* code;
        const char* call;
        const char* answer;
    };
    const Row rows[] = {
        {"G^ADD(\"A\",\"NOSUCH\",\"B\",\"C\",\"A\");", "G^GETSIZE()", "3"},
        {"", "G^NEXT()", "A"},
        {"", "G^NEXT(2)", "C"},
        {"", "G^GETNAMEATMARKER()", "C"},
        {"G^RESETMARKER();", "G^PREV()", "B"},
        {"G^SETMARKERPOS(10);", "G^GETMARKERPOS()", "2"},
        {"G^REMOVE(\"C\");", "G^GETMARKERPOS()", "2"},
        {"", "G^GETNAMEATMARKER()", ""},
        {"G^REMOVEALL();", "G^NEXT()", ""},
        {"", "G^GETNAME()", "G"},
        // Clones by name and index: the clone count when no last index is given.
        {"A^CLONE(3);G^ADDCLONES(\"A\");", "G^GETSIZE()", "3"},
        {"", "G^NEXT()", "A_1"},
        {"G^ADDCLONES(\"A\",0,1);G^ADDCLONES(\"A\",3,1);G^ADDCLONES(\"X\",1,3);", "G^GETSIZE()", "5"},
        {"G^SETMARKERPOS(3);", "G^GETNAMEATMARKER()", "A"},
        {"G^CLONE();", "G_1^GETSIZE()", "5"},
        {"", "G_1^GETMARKERPOS()", "-1"},
        {"", "G_1^GETCLONEINDEX()", "1"},
    };
    for (const Row& row : rows) {
        run(row.code);
        EXPECT_EQ(ask(row.call), row.answer) << row.code << " " << row.call;
    }
}

// Names the group lacks go to every member through its type's runner; a group that holds
// itself, directly or through another, passes a call on once.
TEST_F(GroupScene, UnknownMethodsGoToEveryMemberOnce)
{
    define(kMembers);
    run("G^ADD(\"A\",\"B\",\"G\",\"H\");H^ADD(\"G\",\"C\");G^INC();");
    EXPECT_EQ(ask("A"), "2");
    EXPECT_EQ(ask("B"), "3");
    EXPECT_EQ(ask("C"), "4");
    EXPECT_EQ(ask("G^NOSUCH()"), "");
}

// The animation manager resumes the paused animations of a group's ANIMO members only; the
// scene lists the ANIMO objects whose animations play.
TEST_F(GroupScene, AGroupChoosesTheAnimationsToResumeAndListsThePlayingOnes)
{
    std::filesystem::copy_file(headless.folder().file("hero.ann"), headless.folder().file("other.ann"));
    define(std::string(kMembers) + "OBJECT=HERO\nHERO:TYPE=ANIMO\nHERO:FILENAME=hero.ann\n"
           + "OBJECT=OTHER\nOTHER:TYPE=ANIMO\nOTHER:FILENAME=other.ann\n");
    run("HERO^PLAY(\"Walk\");OTHER^PLAY(\"Walk\");G^ADD(\"A\",\"HERO\");G^PAUSE();OTHER^PAUSE();");
    auto* hero = object<CMC_Animo>("HERO")->getAnimo();
    auto* other = object<CMC_Animo>("OTHER")->getAnimo();
    ASSERT_TRUE(hero->isPaused());
    ASSERT_TRUE(other->isPaused());
    application.getAnimoManagerIfc()->resume(object<CMC_Groupped>("G"));
    EXPECT_TRUE(hero->IsPlaying());
    EXPECT_TRUE(other->isPaused());

    auto* playing = object<CMC_Groupped>("H");
    playing->add(object<CMC_Object>("A"));
    scene->getPlayingAnimo(playing);
    EXPECT_EQ(playing->toString(), "HERO");
    application.getAnimoManagerIfc()->resume(nullptr);
    EXPECT_TRUE(other->IsPlaying());
}

// Only the object's own record is stored: a group read back has its name and bindings but no
// members.
TEST_F(GroupScene, ARecordKeepsNoMembers)
{
    loggers({"READY"});
    define(std::string(kMembers) + "G:ONINIT=READY\n");
    run("G^ADD(\"A\",\"B\");");
    const std::string bytes = record(object<CMC_Groupped>("G"));
    EXPECT_EQ(bytes, std::string("\x01\0\0\0G\x01\0\0\0\x06\0\0\0ONINIT\x05\0\0\0READY\0\0\0\0", 32));
    auto* read = readRecord<CMC_Groupped>(bytes);
    EXPECT_EQ(read->getName(), "G");
    EXPECT_EQ(read->getCount(), 0);
    takeLog();
    read->init();
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"READY"}));
}
