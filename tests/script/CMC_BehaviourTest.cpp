#include "script/CMC_Behaviour.h"

#include "foundation/CFile_Memory.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"

#include "Interpreter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

TEST(Behaviour, CodeLosesItsBlanksAndOuterBraces)
{
    const std::pair<const char*, const char*> codes[] = {
        {"  { A^B(); }  ", "A^B();"}, {"{{A^B();}}", "{A^B();}"}, {"A^B();}", "A^B();"},
        {"{ A^B();", "A^B();"},       {"   ", ""},                 {"", ""},
        {"{}", ""},                   {"\tA^B();\t", "\tA^B();\t"},
    };
    for (const auto& [written, kept] : codes)
        EXPECT_EQ(CMC_Behaviour(nullptr, CXString("B"), CXString(written)).getCode(), kept) << written;

    CMC_Behaviour doubled(nullptr, CXString("B"), CXString("{{A^B();}}"));
    doubled.init();
    EXPECT_EQ(doubled.getCode(), "A^B();");
}

TEST(Behaviour, DefinitionsGiveCodeAndConditionAndNothingRunsYet)
{
    auto element = makeElement("OPEN", {{"TYPE", "BEHAVIOUR"}, {"CODE", "{ DOOR^SHOW(); }"}, {"CONDITION", "READY"}});
    CMC_Behaviour behaviour(nullptr, element.get());
    EXPECT_EQ(behaviour.getName(), "OPEN");
    EXPECT_EQ(behaviour.getType(), 13);
    EXPECT_EQ(behaviour.getCode(), "DOOR^SHOW();");
    EXPECT_EQ(behaviour.getCodition(), "READY");
    EXPECT_TRUE(behaviour.isEnabled());
    EXPECT_EQ(behaviour.getBreakpoint(), -1);
    EXPECT_FALSE(behaviour.run(&behaviour, nullptr, true));
    behaviour.resolveCondition();
    EXPECT_EQ(behaviour.getConditionInterface(), nullptr);
}

namespace {

class Behaviours : public Interpreter {
protected:
    Behaviours() { probe("P"); }
};

} // namespace

TEST_F(Behaviours, ARunStopsAtTheFirstStopResultAndReportsOnlyBreak)
{
    struct Case {
        const char* code;
        bool broke;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"P^CALL(1);@BREAK();P^CALL(2);", true, {"P.CALL(1)"}},
        {"P^CALL(1);@ONEBREAK();P^CALL(2);", false, {"P.CALL(1)"}},
        {"P^CALL(1);@CONTINUE();P^CALL(2);", false, {"P.CALL(1)"}},
        {"P^CALL(1);P^CALL(2);", false, {"P.CALL(1)", "P.CALL(2)"}},
        {"", false, {}},
        {"   ", false, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(run(c.code), c.broke) << c.code;
        EXPECT_EQ(takeLog(), c.calls) << c.code;
    }
    CMC_Behaviour* off = behaviour("OFF", "P^CALL(off);@BREAK();");
    off->enable(false);
    EXPECT_FALSE(off->run(nullptr, nullptr, false));
    off->enable(true);
    EXPECT_TRUE(off->run(nullptr, nullptr, false));
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(off)"});
    // Without init nothing is compiled.
    CMC_Behaviour raw(scene, CXString("RAW"), CXString("P^CALL(raw);"));
    EXPECT_FALSE(raw.run(nullptr, nullptr, false));
    EXPECT_EQ(raw.getLines(), nullptr);
}

TEST_F(Behaviours, TemporaryObjectsEndWithTheRun)
{
    CMC_Behaviour* code = behaviour("CODE", "P^CALL(LOCAL);");
    CMC_Integer* local = integer("LOCAL", 3);
    local->setAsTemporary();
    code->addTempObject(local);
    code->run(nullptr, nullptr, false);
    EXPECT_EQ(scene->getObject("LOCAL"), nullptr);
    code->run(nullptr, nullptr, false);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(3)", "P.CALL(LOCAL)"}));
}

TEST_F(Behaviours, DoneDropsTheCompiledCodeAndItsBlocks)
{
    const int objects = scene->getObjectsNo();
    CMC_Behaviour* code = behaviour("CODE", "@IF(1,\"_\",1,{P^CALL(1);});");
    ASSERT_EQ(scene->getObjectsNo(), objects + 2);
    code->done(false);
    EXPECT_EQ(code->getLines(), nullptr);
    EXPECT_EQ(scene->getObjectsNo(), objects + 1);
    // A final done leaves the blocks to the container, which deletes them when it unloads.
    code->init();
    code->done(true);
    EXPECT_EQ(scene->getObjectsNo(), objects + 2);
    EXPECT_FALSE(code->run(nullptr, nullptr, false));

    // Blocks of nested statements and expressions are left to an unloading container too, so
    // that nothing is deleted twice.
    behaviour("NESTED", "P^CALL(P^GIVE({P^CALL(1);}),[P^GIVE({P^CALL(2);})+1]);");
    scene->unload();
    EXPECT_EQ(scene->getObjectsNo(), 0);
}

// The statements of a running behaviour outlive a recompilation until the run ends.
TEST_F(Behaviours, CodeMayRecompileItsBehaviourWhileItRuns)
{
    CMC_Behaviour* code = behaviour("CODE", "P^CALL(1);P^SEND(GO);P^CALL(2);@IF(1,\"_\",1,{P^CALL(inner);});");
    RecordingBehaviour* reinit = world.behaviour(scene, "REINIT");
    reinit->action = [code] { code->init(); };
    scene->getObject("P")->addBehaviour(CXString("ONSIGNAL^GO"), reinit, nullptr, scene, false);
    const int objects = scene->getObjectsNo();
    code->run(nullptr, nullptr, false);
    code->run(nullptr, nullptr, false);
    EXPECT_EQ(scene->getObjectsNo(), objects);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(1)", "P.CALL(2)", "P.CALL(inner)", "P.CALL(1)", "P.CALL(2)",
                                                   "P.CALL(inner)"}));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"REINIT()", "REINIT()"}));
}

TEST_F(Behaviours, TheTrashListDeletesAtTheEndOfTheFrame)
{
    CMC_Behaviour::initTrash();
    auto* first = new CMC_Integer(1);
    CMC_Behaviour::addToTrash(first);
    CMC_Behaviour::addToTrash(first);
    CMC_Behaviour::addToTrash(new CMC_Integer(2));
    CMC_Behaviour::flushTrash();
    CMC_Behaviour::flushTrash();
    CMC_Behaviour::addToTrash(new CMC_Integer(3));
    CMC_Behaviour::doneTrash();
    CMC_Behaviour::flushTrash();
}

// A definition file's values, and a behaviour bound to ONINIT with arguments: a loop, a test,
// an expression and blocks that use the arguments.
TEST_F(Behaviours, ADefinitionRunsItsBehavioursWhenItsObjectsStart)
{
    const std::string definition =
        "OBJECT=TOTAL\n"
        "TOTAL:TYPE=INTEGER\n"
        "TOTAL:VALUE=100\n"
        "TOTAL:ONINIT=FILL(3,\"ab\")\n"
        "OBJECT=WORD\n"
        "WORD:TYPE=STRING\n"
        "WORD:VALUE=>\n"
        "OBJECT=FILL\n"
        "FILL:TYPE=BEHAVIOUR\n"
        "FILL:CODE={ TOTAL^SET(0); @LOOP({ @IF(_I_,\"<\",$1,{ TOTAL^ADD([_I_*2+1]); WORD^ADD($2); }); }, 0, 5, 1); "
        "WORD^ADD([\"<\"+TOTAL]); }\n";
    load(definition);
    CMC_VariableFactory::clearPool();
    CMC_Behaviour::flushTrash();
    EXPECT_EQ(text("TOTAL"), "9");
    EXPECT_EQ(text("WORD"), ">ababab<9");
}

// The record is the object's: name and bindings. The code and the condition's name ride in
// it as one more binding under "{CODE}", which no signal has; a record without it (as older
// files have them) gives a behaviour without code.
TEST(Behaviour, TheRecordKeepsTheCodeAndConditionAsABindingOfItsOwn)
{
    auto i32 = [](int32_t value) { return std::string(reinterpret_cast<const char*>(&value), 4); };
    auto text = [&i32](const std::string& value) { return i32(static_cast<int32_t>(value.size())) + value; };
    auto element = makeElement("OPEN", {{"TYPE", "BEHAVIOUR"}, {"CODE", "{DOOR^SHOW();}"}, {"CONDITION", "READY"}});
    CMC_Behaviour behaviour(nullptr, element.get());
    CFile_Memory memory;
    CXArchive written(&memory, true);
    behaviour.serialize(&written);
    const std::string record = text("OPEN") + i32(1) + text("{CODE}") + text("DOOR^SHOW();") + i32(1) + text("READY");
    EXPECT_EQ(memory.contents(), record);
    EXPECT_EQ(behaviour.getBehaviour(CXString("{CODE}")), nullptr);

    for (const auto& [bytes, code] : {std::pair<std::string, const char*>{record, "DOOR^SHOW();"},
                                      {text("OPEN") + i32(0), ""}}) {
        CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
        CXArchive archive(&file, false);
        CMC_Behaviour read(nullptr);
        read.serialize(&archive);
        EXPECT_FALSE(archive.failed());
        EXPECT_EQ(read.getName(), "OPEN");
        EXPECT_EQ(read.getCode(), code);
        EXPECT_EQ(read.getCodition(), *code != '\0' ? "READY" : "");
        EXPECT_EQ(read.getBehaviour(CXString("{CODE}")), nullptr);
    }
}
