#include "script/CMC_Dummy_Runner.h"

#include "app/CApplication.h"
#include "foundation/CPublicTrash.h"
#include "script/CMC_BasicCondition.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_ObjectFactory.h"

#include "Interpreter.h"

namespace {

class Statements : public Interpreter {
protected:
    Statements()
    {
        probe("P");
        integer("A", 5);
        integer("B", 7);
        string("S", "abc");
    }
};

} // namespace

TEST_F(Statements, TheRunnerKnowsItsEighteenNamesAndNoCommonMethods)
{
    CMC_Runner* runner = CMC_RunnerFactory::getRunner(0);
    ASSERT_NE(runner, nullptr);
    const char* names[] = {"IF",     "WHILE", "RETURN",     "BREAK",  "CONV",
                           "MSGBOX", "BOOL",  "DOUBLE",     "INT",    "STRING",
                           "LOOP",   "VALUE", "RUNONTIMER", "CREATE", "GETAPPLICATIONNAME",
                           "GETCURRENTSCENE", "ONEBREAK", "CONTINUE"};
    for (int id = 1; id <= 18; ++id)
        EXPECT_EQ(runner->resolveMethod(CXString(names[id - 1])), id) << names[id - 1];
    EXPECT_EQ(runner->resolveMethod(CXString("SEND")), -1);
    EXPECT_EQ(runner->resolveMethod(CXString("if")), -1);
    EXPECT_EQ(runner->run(96, nullptr, scene, nullptr), nullptr);
    EXPECT_EQ(runner->run(19, nullptr, scene, nullptr), nullptr);

    EXPECT_FALSE(run("@SEND(x);@MSGBOX(hello);@NOSUCH(1);P^CALL(after);"));
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(after)"});
}

TEST_F(Statements, IfWithFourOrFiveArgumentsComparesTheFirstAndThird)
{
    struct Case {
        const char* code;
        const char* expected;
    };
    const Case cases[] = {
        {"@IF(A,\"<\",B,{P^CALL(then);},{P^CALL(else);});", "P.CALL(then)"},
        {"@IF(A,\">\",B,{P^CALL(then);},{P^CALL(else);});", "P.CALL(else)"},
        {"@IF(A,\"_\",5,{P^CALL(then);});", "P.CALL(then)"},
        {"@IF(A,\"!_\",5,{P^CALL(then);},{P^CALL(else);});", "P.CALL(else)"},
        {"@IF(A,\"<>\",6,{P^CALL(then);});", "P.CALL(then)"},
        {"@IF(A,\"<_\",5,{P^CALL(then);});", "P.CALL(then)"},
        {"@IF(A,\">_\",6,{P^CALL(then);},{P^CALL(else);});", "P.CALL(else)"},
        {"@IF(S,\"_\",\"ABC\",{P^CALL(then);});", "P.CALL(then)"},
        {"@IF(\"S\",\"_\",\"abc\",{P^CALL(then);});", "P.CALL(then)"},
        {"@IF(A,\"nonsense\",5,{P^CALL(then);});", "P.CALL(then)"},
        {"@IF(P,\"?\",\"10060\",{P^CALL(then);});", "P.CALL(then)"},
        {"@IF(\"A\",\"?\",\"INTEGER\",{P^CALL(then);});", "P.CALL(then)"},
        {"@IF(\"A\",\"?\",\"integer\",{P^CALL(then);},{P^CALL(else);});", "P.CALL(else)"},
    };
    for (const Case& c : cases) {
        run(c.code);
        EXPECT_EQ(takeLog(), std::vector<std::string>{c.expected}) << c.code;
    }
    // A false condition without an else-code runs nothing.
    run("@IF(A,\">\",B,{P^CALL(then);});");
    EXPECT_TRUE(takeLog().empty());
}

// An INTEGER argument is compared as the number it is; the same numbers written as texts go
// the way of texts, and both agree.
TEST_F(Statements, IntegerOperandsAgreeWithTheirTexts)
{
    const int values[] = {-2147483647 - 1, -7, -1, 0, 1, 7, 2147483647};
    const char* symbols[] = {"_", "!_", "<>", "<", "<_", ">", ">_", "x"};
    CMC_Integer* left = integer("L", 0);
    CMC_Integer* right = integer("R", 0);
    string("LT", "");
    string("RT", "");
    CMC_Behaviour* byValue = behaviour("BYVALUE", "@IF(L,$1,R,{P^CALL(yes);},{P^CALL(no);});");
    CMC_Behaviour* byText = behaviour("BYTEXT", "@IF(LT,$1,RT,{P^CALL(yes);},{P^CALL(no);});");
    for (int a : values) {
        for (int b : values) {
            left->setValue(a);
            right->setValue(b);
            static_cast<CMC_String*>(scene->getObject("LT"))->setValue(CXString::toString(a));
            static_cast<CMC_String*>(scene->getObject("RT"))->setValue(CXString::toString(b));
            for (const char* symbol : symbols) {
                const Params params{(std::string("\"") + symbol + "\"").c_str()};
                byValue->run(nullptr, params.get(), false);
                byText->run(nullptr, params.get(), false);
                const auto results = takeLog();
                ASSERT_EQ(results.size(), 2u);
                EXPECT_EQ(results[0], results[1]) << a << symbol << b;
            }
        }
    }
}

TEST_F(Statements, OneTextConditionsAndTheirConnectives)
{
    struct Case {
        const char* condition;
        bool expected;
    };
    const Case cases[] = {
        {"A<B", true},          {"A>B", false},         {"A'5", true},         {"A!'5", false},
        {"A<'5", true},         {"A>'6", false},        {"'", true},           {"A<>B", false},
        {"A'5&&B'7", true},     {"A'5&&B'8", false},    {"A'6||B'7", true},    {"A'6||B'8", false},
        {"A'5&&B'7&&S'ABC", true}, {"A", true},         {"NOSUCH", false},
    };
    for (const Case& c : cases) {
        const std::string code = std::string("@IF(\"") + c.condition + "\",{P^CALL(then);},{P^CALL(else);});";
        run(code.c_str());
        EXPECT_EQ(takeLog(), std::vector<std::string>{c.expected ? "P.CALL(then)" : "P.CALL(else)"}) << c.condition;
    }

    // Evaluation stops as soon as the outcome is known: P^GIVE logs each piece it runs.
    run("@IF(\"P^GIVE(1)'2&&P^GIVE(2)'2\",{},{});");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.GIVE(1)"});
    run("@IF(\"P^GIVE(1)'1||P^GIVE(2)'2\",{},{});");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.GIVE(1)"});
    run("@IF(\"P^GIVE(1)'1&&P^GIVE(2)'2\",{},{});");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.GIVE(1)", "P.GIVE(2)"}));
    // Both connectives: cut at "&&", and the first true piece decides.
    run("@IF(\"A'5&&B'8||B'7\",{P^CALL(then);},{P^CALL(else);});");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(then)"});
}

TEST_F(Statements, IfRunsANamedBehaviourWithoutItsConditionAndLeavesIt)
{
    CMC_Behaviour* named = behaviour("DOIT", "P^CALL(named);");
    run("@IF(A,\"_\",5,DOIT);");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(named)"});
    EXPECT_EQ(scene->getObject("DOIT"), named);
    // Text that names nothing, or an object of another type, is code.
    run("@IF(A,\"_\",5,\"{P^CALL(text);}\");");
    probe("P^CALL(named);");
    run("@IF(A,\"_\",5,\"P^CALL(named);\");");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(text)", "P.CALL(named)"}));
    // Too few arguments: nothing.
    EXPECT_FALSE(run("@IF(A,{P^CALL(x);});@IF();"));
    EXPECT_TRUE(takeLog().empty());
}

TEST_F(Statements, BreakTravelsOutOfIfAndLoopButNotOutOfWhile)
{
    // BREAK in an IF in a LOOP ends the IF, the loop and the behaviour.
    EXPECT_TRUE(run("@LOOP({P^CALL(_I_);@IF(_I_,\"_\",1,{@BREAK();});},0,5,1);P^CALL(after);"));
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(0)", "P.CALL(1)"}));

    // ONEBREAK and CONTINUE end one pass.
    for (const char* stop : {"@ONEBREAK();", "@CONTINUE();"}) {
        const std::string code = std::string("@LOOP({P^CALL(_I_);") + stop + "P^CALL(never);},0,3,1);P^CALL(after);";
        EXPECT_FALSE(run(code.c_str())) << stop;
        EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(0)", "P.CALL(1)", "P.CALL(2)", "P.CALL(after)"})) << stop;
    }

    // BREAK in a WHILE body ends one pass; the loop goes on while the condition holds.
    CMC_Integer* counter = integer("N", 0);
    EXPECT_FALSE(run("@WHILE(\"N\",\"<\",3,{N^INC();P^CALL(N);@BREAK();P^CALL(never);});P^CALL(after);"));
    EXPECT_EQ(counter->getValue(), 3);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(1)", "P.CALL(2)", "P.CALL(3)", "P.CALL(after)"}));
}

TEST_F(Statements, WhileTakesItsTextsOnceAndEvaluatesThemAtEveryPass)
{
    // An INTEGER argument reads as its number once: changing the variable does not end the loop,
    // while the name in the other text is looked up at every pass.
    CMC_Integer* counter = integer("N", 0);
    CMC_Integer* limit = integer("M", 3);
    run("@WHILE(N,\"<\",\"M\",{M^DEC();N^SET(100);});");
    EXPECT_EQ(limit->getValue(), 0);
    // A name in the text is looked up at every pass.
    counter->setValue(0);
    run("@WHILE(\"N\",\"<\",\"B\",{N^INC();});");
    EXPECT_EQ(counter->getValue(), 7);
    // Text code is compiled once and runs at every pass.
    counter->setValue(0);
    run("@WHILE(\"N\",\"<\",3,\"{N^INC();P^CALL(N);}\");");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(1)", "P.CALL(2)", "P.CALL(3)"}));
}

TEST_F(Statements, LoopCountsInItsCounter)
{
    struct Case {
        const char* arguments;
        const char* passes;
    };
    const Case cases[] = {
        {"0,3,1", "0,1,2"}, {"10,-3,-1", "10,9,8"}, {"0,0,1", ""}, {"0,10,4", "0,4,8"}, {"5,-2,-1", "5,4"},
    };
    for (const Case& c : cases) {
        const std::string code = std::string("@LOOP({P^CALL(_I_);},") + c.arguments + ");";
        run(code.c_str());
        std::string passes;
        for (const std::string& entry : takeLog())
            passes += (passes.empty() ? "" : ",") + entry.substr(7, entry.size() - 8);
        EXPECT_EQ(passes, c.passes) << c.arguments;
    }
    EXPECT_EQ(scene->getObject("_I_"), nullptr);

    // The end is computed without overflow: exactly count passes, the counter wrapping as
    // INTEGER does.
    run("@LOOP({P^CALL(_I_);},2147483646,3,1);");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(2147483646)", "P.CALL(2147483647)", "P.CALL(-2147483648)"}));
    // A step that never reaches the end runs until BREAK.
    integer("N", 0);
    run("@LOOP({N^INC();@IF(N,\"_\",50,{@BREAK();});},0,10,0);");
    EXPECT_EQ(text("N"), "50");
    // Too few arguments: nothing.
    run("@LOOP({P^CALL(x);},0,3);");
    EXPECT_TRUE(takeLog().empty());
}

TEST_F(Statements, NestedLoopsRestoreTheOuterCounter)
{
    run("@LOOP({@LOOP({P^CALL(_I_);},10,2,1);P^CALL(_I_);},0,2,1);");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(10)", "P.CALL(11)", "P.CALL(0)", "P.CALL(10)", "P.CALL(11)",
                                                   "P.CALL(1)"}));
    EXPECT_EQ(scene->getObject("_I_"), nullptr);

    // An outer counter found in a parent container goes back to that container.
    CMC_ObjectsContainer* episode = world.container("EPISODE1", CMC_Object::TYPE_EPISODE);
    scene->setParent(episode);
    CMC_Integer* outer = integer("_I_", 42, episode);
    run("@LOOP({P^CALL(_I_);},0,1,1);P^CALL(_I_);");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(0)", "P.CALL(42)"}));
    EXPECT_EQ(episode->getObject("_I_"), outer);
    EXPECT_EQ(scene->getObject("_I_"), outer);
    scene->setParent(nullptr);
}

namespace {

// A condition that holds at every other test, beginning with the first.
class EveryOtherTime : public CMC_BasicCondition {
public:
    EveryOtherTime(CMC_ObjectsContainer* container, CMElement* element)
        : CMC_BasicCondition(container, element, TYPE_CONDITION)
    {
    }
    bool valid(bool) override { return tests_++ % 2 == 0; }

private:
    int tests_ = 0;
};

} // namespace

TEST_F(Statements, LoopTestsTheBodyConditionAtEveryPassAndIfAndWhileDoNot)
{
    auto conditionElement = makeElement("HALF", {{"TYPE", "CONDITION"}});
    scene->addObject(new EveryOtherTime(scene, conditionElement.get()));
    auto bodyElement = makeElement("BODY", {{"TYPE", "BEHAVIOUR"}, {"CODE", "P^CALL(_I_);"}, {"CONDITION", "HALF"}});
    auto* body = new CMC_Behaviour(scene, bodyElement.get());
    scene->addObject(body);
    body->resolveCondition();
    body->init();
    run("@LOOP(BODY,0,4,1);");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(0)", "P.CALL(2)"}));
    integer("N", 0);
    run("@IF(1,\"_\",1,BODY);@WHILE(\"N\",\"<\",2,{N^INC();@IF(1,\"_\",1,BODY);});");
    EXPECT_EQ(takeLog().size(), 3u);
}

TEST_F(Statements, ConvValueAndNames)
{
    run("P^CALL(@CONV(A,\"STRING\"),@CONV(\"12\",\"INTEGER\"),@CONV(1,\"BOOL\"),@CONV(A,\"DOUBLE\"));");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(5,12,TRUE,5.00000)"});
    CMC_Runner* runner = CMC_RunnerFactory::getRunner(0);
    CXVector args;
    args.add(scene->getObject("A"));
    args.add(new CMC_String(CXString("t"), CXString("string")));
    EXPECT_EQ(runner->run(CMC_Dummy_Runner::MTH_CONV, nullptr, scene, &args), nullptr);
    delete args.at(1);

    // VALUE gives the object itself, which stays as it was.
    run("P^CALL(@VALUE(\"A\"));P^GIVE(@VALUE(\"NOSUCH\"));");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(5)", "P.GIVE(-)"}));
    EXPECT_EQ(text("A"), "5");

    // The scene of the container, and the application once it is registered.
    CMC_ObjectsContainer* episode = world.container("EPISODE1", CMC_Object::TYPE_EPISODE);
    scene->setScene(episode);
    run("P^CALL(@GETCURRENTSCENE(),@GETAPPLICATIONNAME());");
    world.application->setMCApplicationIfc(episode);
    run("P^CALL(@GETAPPLICATIONNAME());");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(EPISODE1,-)", "P.CALL(EPISODE1)"}));
    world.application->setMCApplicationIfc(nullptr);
    scene->setScene(nullptr);
}

namespace {

CMC_Runner* createdRunner = nullptr;

CMC_Object* makeTestAnimo(CMC_ObjectsContainer* container)
{
    return new Probe("", container, createdRunner);
}

} // namespace

// A statement bound to the object that CREATE replaces calls the new one.
TEST_F(Statements, CreateReplacesAnObjectAndBoundStatementsFollow)
{
    createdRunner = &probeRunner;
    CMC_ObjectFactory::EmptyConstructor previous = CMC_ObjectFactory::attachEmpty("ANIMO", makeTestAnimo);
    probe("HERO");
    CMC_Behaviour* show = behaviour("SHOW", "HERO^CLONE();P^CALL(HERO^GETCLONESNO());");
    show->run(nullptr, nullptr, false);
    show->run(nullptr, nullptr, false);
    run("@CREATE(\"ANIMO\",\"HERO\");@CREATE(\"animo\",\"X\");@CREATE(\"TEXT\",\"Y\");@CREATE(\"ANIMO\");");
    EXPECT_EQ(scene->getObject("X"), nullptr);
    EXPECT_EQ(scene->getObject("Y"), nullptr);
    // The replaced object is deleted between frames, and the statement never touches it again.
    world.window->getPublicTrashInterface()->onTimer(CPublicTrash::kTimerId);
    show->run(nullptr, nullptr, false);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(1)", "P.CALL(2)", "P.CALL(1)"}));
    CMC_ObjectFactory::attachEmpty("ANIMO", previous);
}

TEST_F(Statements, DeclaredVariablesLiveUntilTheirCodeEnds)
{
    // Each declaration gives a pooled value of its type; the variable is there for the rest of
    // the run only, an IF branch being a run of its own.
    EXPECT_FALSE(run("P^GIVE(@INT(X,5));P^CALL(X);X^INC();P^CALL(X);"
                     "@IF(A,\"_\",5,{@STRING(Y,12);P^CALL(Y);Y^ADD(!);P^CALL(Y);});P^CALL(Y);"
                     "P^GIVE(@BOOL(F,TRUE));P^GIVE(@DOUBLE(D,2));"));
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.GIVE(5)", "P.CALL(5)", "P.CALL(6)", "P.CALL(12)", "P.CALL(12!)",
                                                   "P.CALL(Y)", "P.GIVE(TRUE)", "P.GIVE(2.00000)"}));
    for (const char* name : {"X", "Y", "F", "D"})
        EXPECT_EQ(scene->getObject(name), nullptr) << name;

    // A LOOP pass declares anew; a name in reach anywhere is not declared again and keeps its
    // value, whatever its type.
    run("@LOOP({@INT(N,_I_);N^ADD(10);P^CALL(N);},0,2,1);P^GIVE(@INT(A,9));P^GIVE(@STRING(P,x));P^CALL(A);");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(10)", "P.CALL(11)", "P.GIVE(-)", "P.GIVE(-)", "P.CALL(5)"}));
    CMC_ObjectsContainer* episode = world.container("EPISODE1", CMC_Object::TYPE_EPISODE);
    integer("SHARED", 1, episode);
    scene->setParent(episode);
    run("P^GIVE(@INT(SHARED,2));P^CALL(SHARED);");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.GIVE(-)", "P.CALL(1)"}));
    scene->setParent(nullptr);

    // A statement run without a behaviour holding it declares nothing.
    CMC_Object* result = CMC_Behaviour::runLine(scene, nullptr, CXString("@INT(Z,1)"), nullptr);
    EXPECT_EQ(result, nullptr);
    EXPECT_EQ(scene->getObject("Z"), nullptr);
}

TEST_F(Statements, ReturnReplacesTheScenesValueAndTheCodeGoesOn)
{
    scene->setScene(scene);
    behaviour("SEVEN", "@RETURN(7);P^CALL(after);");
    behaviour("TWICE", "@RETURN(\"one\");@RETURN([A*2]);");
    run("P^GIVE(SEVEN^RUN());P^GIVE(__RETURN__);P^GIVE(TWICE^RUN());");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(after)", "P.GIVE(7)", "P.GIVE(7)", "P.GIVE(10)"}));
    EXPECT_EQ(scene->getObject("__RETURN__")->getType(), CMC_Object::TYPE_INTEGER);

    // A statement that named the old value finds the new one; the old one is deleted at the
    // end of the frame.
    CMC_Behaviour* reader = behaviour("READER", "P^CALL(__RETURN__);");
    run("@RETURN(TRUE);");
    reader->run(nullptr, nullptr, false);
    CMC_Behaviour::flushTrash();
    reader->run(nullptr, nullptr, false);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(TRUE)", "P.CALL(TRUE)"}));
    EXPECT_EQ(scene->getObject("__RETURN__")->getType(), CMC_Object::TYPE_BOOL);

    // An object that is no value is returned as the text of its name.
    run("P^GIVE(@RETURN(P));");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.GIVE(P)"});
    EXPECT_EQ(scene->getObject("__RETURN__")->getType(), CMC_Object::TYPE_STRING);
    scene->setScene(nullptr);
}
