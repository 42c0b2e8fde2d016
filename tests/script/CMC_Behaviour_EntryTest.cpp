#include "script/CMC_Behaviour_Entry.h"

#include "script/CMC_Expression.h"

#include "Interpreter.h"

namespace {

class Statement : public Interpreter {
protected:
    Statement()
    {
        probe("P");
        integer("A", 5);
        string("NAME", "P");
    }

    // A statement of its own, parsed for a behaviour of the scene.
    std::unique_ptr<CMC_Behaviour_Entry> parse(const char* line)
    {
        return std::make_unique<CMC_Behaviour_Entry>(owner, CXString(line));
    }

    CMC_Behaviour* owner = behaviour("OWNER", "");
};

std::vector<std::string> linesOf(CMC_Behaviour* behaviour)
{
    std::vector<std::string> lines;
    for (CMC_Behaviour_Entry** line = behaviour->getLines(); line != nullptr && *line != nullptr; ++line)
        lines.emplace_back((*line)->getLine().c_str());
    return lines;
}

} // namespace

TEST_F(Statement, CodeIsCutAtSemicolonsOutsideRoundBracketsAndLosesItsBlanks)
{
    EXPECT_EQ(linesOf(behaviour("B1", "A^B(1);C^D(2)")), std::vector<std::string>{"A^B(1)"});
    EXPECT_EQ(linesOf(behaviour("B2", " A ^ B ( \"x y\" ) ; ; C^D(f(1;2));")),
              (std::vector<std::string>{"A^B(\"xy\")", "C^D(f(1;2))"}));
    EXPECT_EQ(behaviour("B3", "")->getLines(), nullptr);
    EXPECT_EQ(linesOf(behaviour("B4", "no statement here")), std::vector<std::string>{});

    run("P^CALL(\"a b\",  c );");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(ab,c)"});
}

TEST_F(Statement, ArgumentsAreCutAtCommasOutsideRoundBrackets)
{
    struct Case {
        const char* line;
        int arguments;
    };
    const Case cases[] = {
        {"X^F(@IF(a,b,c),2)", 2}, {"X^F(a,,b)", 2}, {"X^F(a,)", 1},     {"X^F()", 0},
        {"X^F", 0},               {"X^F(\"a,b\")", 2}, {"X^F([A,B],{c,d})", 4}, {"@IF(a,(b,c))", 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parse(c.line)->getArgumentCount(), c.arguments) << c.line;
}

TEST_F(Statement, FormsAndWhatParsingBinds)
{
    auto call = parse("P^CALL(1);");
    EXPECT_EQ(call->getObject(), scene->getObject("P"));
    EXPECT_EQ(call->getMethod(), ProbeRunner::MTH_CALL);
    EXPECT_EQ(parse("P^NOSUCH()")->getMethod(), -1);
    EXPECT_EQ(parse("P^call()")->getMethod(), -1);
    EXPECT_EQ(parse("NOBODY^CALL()")->getObject(), nullptr);
    EXPECT_EQ(parse("@LOOP(x,0,1,1)")->getMethod(), 11);
    EXPECT_EQ(parse("@LOOP(x,0,1,1)")->getObject(), owner);
    EXPECT_TRUE(parse("*NAME^CALL()")->isReference());
    EXPECT_TRUE(parse("*[A+1]^SHOW()")->isReference());
    EXPECT_EQ(parse("THIS^CALL()")->getMethod(), -1);

    // This, reference and object statements run against their objects.
    auto* caller = probe("CALLER");
    CMC_Behaviour* code = behaviour("CODE", "THIS^CALL(1);THISOBJ^M();*NAME^CALL(2);*[\"P\"]^CALL(3);*NOBODY^CALL(4);");
    code->run(caller, nullptr, false);
    code->run(nullptr, nullptr, false);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"CALLER.CALL(1)", "CALLER.?BJ^M()", "P.CALL(2)", "P.CALL(3)",
                                                   "P.CALL(2)", "P.CALL(3)"}));
}

TEST_F(Statement, LiteralsGiveTheirObjectOrAPooledValue)
{
    EXPECT_EQ(parse("A")->run(nullptr, nullptr), scene->getObject("A"));
    EXPECT_EQ(parse("P")->run(nullptr, nullptr), scene->getObject("P"));
    struct Case {
        const char* line;
        int type;
        const char* text;
    };
    const Case cases[] = {
        {"5", CMC_Object::TYPE_INTEGER, "5"},   {"-3", CMC_Object::TYPE_INTEGER, "-3"},
        {"1.5", CMC_Object::TYPE_DOUBLE, "1.50000"}, {"\"WALK\"", CMC_Object::TYPE_STRING, "WALK"},
        {"TRUE", CMC_Object::TYPE_BOOL, "TRUE"}, {"NOSUCH", CMC_Object::TYPE_STRING, "NOSUCH"},
        {"\"A\"", CMC_Object::TYPE_STRING, "A"},
    };
    for (const Case& c : cases) {
        auto statement = parse(c.line);
        for (int run = 0; run < 2; ++run) {
            CMC_Variable* value = statement->run(nullptr, nullptr)->asVariable();
            ASSERT_NE(value, nullptr) << c.line;
            EXPECT_GE(value->getId(), 0) << c.line;
            EXPECT_EQ(value->getType(), c.type) << c.line;
            EXPECT_EQ(value->toString(), c.text) << c.line;
            CMC_Object::releaseResult(value);
        }
    }
    // An empty text reads as no value.
    EXPECT_EQ(parse("")->run(nullptr, nullptr), nullptr);
    // A bracket filled with parameters gives the value it computes.
    auto filled = parse("[$1+A]");
    const Params two{"2"};
    CMC_Object* computed = filled->run(nullptr, two.get());
    ASSERT_NE(computed, nullptr);
    EXPECT_EQ(computed->asVariable()->toString(), "7");
    CMC_Object::releaseResult(computed);
    // Statements of any length.
    const std::string longText(20000, 'x');
    run(("P^CALL(\"" + longText + "\");").c_str());
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(" + longText + ")"});
    // A variable made after parsing is found at run time.
    auto later = parse("LATER");
    integer("LATER", 9);
    EXPECT_EQ(later->run(nullptr, nullptr), scene->getObject("LATER"));
}

// A method that only reads its arguments is given a literal's own prepared value, the same
// at every run, until the containers change; one that may change them gets pooled copies, so
// the literal stays as written.
TEST_F(Statement, LiteralsReachMethodsThatOnlyReadThemUncopied)
{
    CMC_Behaviour* peek = behaviour("PEEKS", "P^PEEK(5,x,A,P);");
    peek->run(nullptr, nullptr, false);
    const std::vector<CMC_Object*> first = probeRunner.lastArguments;
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[0]->asVariable()->getId(), -1);
    EXPECT_EQ(first[2], scene->getObject("A"));
    EXPECT_EQ(first[3], scene->getObject("P"));
    peek->run(nullptr, nullptr, false);
    EXPECT_EQ(probeRunner.lastArguments, first);
    // A value named like a literal, made later, is what the literal gives from then on.
    CMC_String* named = string("x", "found");
    peek->run(nullptr, nullptr, false);
    EXPECT_EQ(probeRunner.lastArguments[1], named);
    // The same between passes of a loop whose body makes the value it reads.
    run("@LOOP({P^PEEK(__RETURN__);@RETURN(_I_);},0,3,1);");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.PEEK(5,x,5,P)", "P.PEEK(5,x,5,P)", "P.PEEK(5,found,5,P)",
                                                   "P.PEEK(__RETURN__)", "P.PEEK(0)", "P.PEEK(1)"}));

    CMC_Behaviour* bump = behaviour("BUMPS", "P^BUMP(5);@IF(5,\"_\",5,{P^BUMP(5);});");
    for (int run = 0; run < 2; ++run) {
        bump->run(nullptr, nullptr, false);
        EXPECT_GE(probeRunner.lastArguments[0]->asVariable()->getId(), 0);
    }
    EXPECT_EQ(takeLog(), (std::vector<std::string>(4, "P.BUMP(5)")));
}

TEST_F(Statement, ParametersAreFilledInAtEveryRun)
{
    integer("OBJECT7", 70);
    probe("PA");
    CMC_Behaviour* code = behaviour("CODE", "P^CALL($1,$2,$3,$0,x$1y);P$2^CALL(OBJECT$1);");
    code->run(nullptr, Params{"7", "A"}.get(), false);
    code->run(nullptr, Params{"\"q r\"", "B"}.get(), false);
    // "$2" filled with A names the variable A.
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(7,5,$3,$0,x7y)", "PA.CALL(70)", "P.CALL(q r,B,$3,$0,x\"q r\"y)"}));

    // A block that uses parameters runs with each run's; one that does not is left alone.
    CMC_Behaviour* blocks = behaviour("BLOCKS", "@IF(1,\"_\",1,{P^CALL($1);});@IF(1,\"_\",1,{P^CALL(same);});");
    blocks->run(nullptr, Params{"x"}.get(), false);
    blocks->run(nullptr, Params{"y"}.get(), false);
    blocks->run(nullptr, Params{"x"}.get(), false);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(x)", "P.CALL(same)", "P.CALL(y)", "P.CALL(same)",
                                                   "P.CALL(x)", "P.CALL(same)"}));

    // Filled arguments that are code, expressions or blocks; a block made for the call
    // leaves the container after it.
    CMC_Behaviour* filled = behaviour("FILLED", "P^CALL(P^GIVE($1),[$1+1],@CONV($1,\"STRING\"),$2);");
    const int objects = scene->getObjectsNo();
    for (const char* parameter : {"1", "2", "1", "3"})
        filled->run(nullptr, Params{parameter, "{P^GIVE(x);}"}.get(), false);
    const auto calls = takeLog();
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(calls[0], "P.GIVE(1)");
    EXPECT_EQ(calls[1].substr(0, 19), "P.CALL(1,2,1,xtemp_");
    EXPECT_EQ(calls[3].substr(0, 19), "P.CALL(2,3,2,xtemp_");
    EXPECT_EQ(scene->getObjectsNo(), objects);
}

TEST_F(Statement, MoreFilledTextsThanAreKeptAreMadeForOneRun)
{
    CMC_Behaviour* filled = behaviour("FILLED", "P^CALL(P^GIVE($1),[$1*2],{P^GIVE($1);});P^CALL([$1*3]);");
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 20; ++i) {
            const std::string parameter = std::to_string(i);
            filled->run(nullptr, Params{parameter.c_str()}.get(), false);
            const auto calls = takeLog();
            ASSERT_EQ(calls.size(), 3u);
            EXPECT_EQ(calls[1].rfind("P.CALL(" + parameter + "," + std::to_string(i * 2) + ",temp_", 0), 0u) << calls[1];
            EXPECT_EQ(calls[2], "P.CALL(" + std::to_string(i * 3) + ")");
        }
    }
}

TEST_F(Statement, BlocksOfCodeBecomeBehavioursOfTheContainer)
{
    const int objects = scene->getObjectsNo();
    CMC_Behaviour* code = behaviour("CODE", "P^CALL({P^GIVE(1);},\"{P^GIVE(2);}\",{@BREAK()},{@BREAK();});");
    ASSERT_EQ(scene->getObjectsNo(), objects + 3);
    code->run(nullptr, nullptr, false);
    const auto calls = takeLog();
    ASSERT_EQ(calls.size(), 1u);
    const std::string& call = calls[0];
    const size_t first = call.find("temp_");
    const size_t second = call.find("temp_", first + 1);
    ASSERT_NE(second, std::string::npos) << call;
    EXPECT_NE(call.find(",{@BREAK()},{@BREAK();})"), std::string::npos) << call;
    const std::string name = call.substr(first, call.find(',') - first);
    CMC_Object* block = scene->getObject(name.c_str());
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->getType(), CMC_Object::TYPE_BEHAVIOUR);
    EXPECT_EQ(static_cast<CMC_Behaviour*>(block)->getCode(), "P^GIVE(1);");
    // The value passed names the block; a variable called "temp" is nothing of the kind.
    EXPECT_EQ(probeRunner.lastArguments[0]->getName(), "temp");
    string("temp", "temp_0");
    run("P^CALL(&temp);");
    takeLog();

    // Recompiling the code takes the old blocks out of the container.
    const int before = scene->getObjectsNo();
    code->init();
    EXPECT_EQ(scene->getObjectsNo(), before);
    EXPECT_EQ(scene->getObjectId(CXString(name.c_str())), -1);
}

TEST_F(Statement, VariableArgumentsPassTheVariableItself)
{
    run("P^CALL(&A,&NOSUCH,&7);");
    ASSERT_EQ(probeRunner.lastArguments.size(), 3u);
    EXPECT_EQ(probeRunner.lastArguments[0], scene->getObject("A"));
    // A missing variable is an owned copy of the literal, which no frame reclaims.
    CMC_Variable* copy = probeRunner.lastArguments[1]->asVariable();
    EXPECT_EQ(copy->getId(), -1);
    EXPECT_EQ(copy->toString(), "NOSUCH");
    EXPECT_EQ(probeRunner.lastArguments[2]->asVariable()->getType(), CMC_Object::TYPE_INTEGER);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(5,NOSUCH,7)"});

    // The variable named by "&" is looked up again once it was replaced.
    CMC_Integer* first = integer("V", 1);
    CMC_Behaviour* code = behaviour("CODE", "P^CALL(&V);");
    code->run(nullptr, nullptr, false);
    EXPECT_EQ(probeRunner.lastArguments[0], first);
    scene->removeObject(first);
    delete first;
    code->run(nullptr, nullptr, false);
    CMC_Integer* second = integer("V", 2);
    code->run(nullptr, nullptr, false);
    EXPECT_EQ(probeRunner.lastArguments[0], second);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(1)", "P.CALL(V)", "P.CALL(2)"}));

    // A name without a variable when the code was compiled stays its literal, whatever is
    // declared under it afterwards.
    string("S", "");
    run("@INT(L,5);S^SET(&L);");
    EXPECT_EQ(text("S"), "L");
    CMC_Behaviour* early = behaviour("EARLY", "P^CALL(&LATER);");
    integer("LATER", 3);
    early->run(nullptr, nullptr, false);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(LATER)"});
}

TEST_F(Statement, ABoundObjectDeletedSinceParsingIsLookedUpAgain)
{
    CMC_Behaviour* code = behaviour("CODE", "TARGET^CALL(1);");
    Probe* first = probe("TARGET");
    code->run(nullptr, nullptr, false);
    scene->removeObject(first);
    delete first;
    code->run(nullptr, nullptr, false);
    probe("TARGET");
    code->run(nullptr, nullptr, false);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"TARGET.CALL(1)", "TARGET.CALL(1)"}));

    // Names given by parameters are remembered only for the same text.
    probe("OTHER");
    CMC_Behaviour* named = behaviour("NAMED", "$1^CALL($1);");
    for (const char* name : {"TARGET", "OTHER", "TARGET", "NOBODY"})
        named->run(nullptr, Params{name}.get(), false);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"TARGET.CALL(TARGET)", "OTHER.CALL(OTHER)", "TARGET.CALL(TARGET)"}));
}

TEST_F(Statement, ResultsAreLetGoOfAndOnlyWhatACallMadeIsDeleted)
{
    // Nested results are given back after the call; handed-over results are deleted, top-level
    // ones too (the sanitizer sees any left over).
    for (int i = 0; i < 3; ++i)
        run("P^CALL(P^GIVE(5),P^FRESH());P^FRESH();P^GIVE(A);");
    EXPECT_EQ(takeLog().size(), 15u);

    // A clone that its container holds is given by name and never deleted by the release.
    probe("HERO")->clone(1);
    CMC_Object* clone = scene->getObject("HERO_1");
    ASSERT_NE(clone, nullptr);
    CMC_Behaviour* code = behaviour("CODE", "P^CALL(@VALUE(\"HERO_1\"),@VALUE(\"E\"));");
    auto expressionElement = makeElement("E", {{"TYPE", "EXPRESSION"}, {"OPERAND1", "2"}, {"OPERATOR", "ADD"}, {"OPERAND2", "A"}});
    auto* expression = new CMC_Expression(scene, expressionElement.get());
    scene->addObject(expression);
    expression->init();
    code->run(nullptr, nullptr, false);
    code->run(nullptr, nullptr, false);
    EXPECT_EQ(scene->getObject("HERO_1"), clone);
    EXPECT_EQ(scene->getObject("E"), expression);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(HERO_1,7)", "P.CALL(HERO_1,7)"}));

    // A stop result given as an argument reads as no value.
    EXPECT_FALSE(run("P^CALL(@BREAK(),1);P^CALL(2);"));
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(-,1)", "P.CALL(2)"}));
}

TEST_F(Statement, RunsNestTheirArgumentsAndStopAtTheDepthLimit)
{
    integer("N", 0);
    // Each level keeps its own argument values while the next runs the same statement.
    behaviour("DEEPER", "N^INC();P^CALL(P^GIVE(N),@IF(N,\"<\",3,DEEPER),N);");
    run("@IF(1,\"_\",1,DEEPER);");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.GIVE(1)", "P.GIVE(2)", "P.GIVE(3)", "P.CALL(3,-,3)", "P.CALL(2,-,3)",
                                                   "P.CALL(1,-,3)"}));

    // Endless recursion ends at the depth limit.
    integer("M", 0);
    behaviour("ENDLESS", "M^INC();@IF(1,\"_\",1,ENDLESS);");
    run("@IF(1,\"_\",1,ENDLESS);");
    EXPECT_EQ(text("M"), std::to_string(CMC_Behaviour::kMaxRunDepth - 1));
    // So does code nested beyond the compile limit.
    std::string deep = "P^CALL(1);";
    for (int i = 0; i < CMC_Behaviour_Entry::kMaxNesting + 4; ++i)
        deep = "@IF(1,\"_\",1,{" + deep + "});";
    run(deep.c_str());
    EXPECT_TRUE(takeLog().empty());
    std::string brackets = "1";
    for (int i = 0; i < 1000; ++i)
        brackets = "[" + brackets + "]";
    run(("P^CALL(" + brackets + ");").c_str());
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(-)"});
}

TEST_F(Statement, SetParamsCompilesEachFilledTextOnce)
{
    CMC_Behaviour* code = behaviour("CODE", "P^CALL($1);");
    CMC_Behaviour_Entry** plain = code->getLines();
    code->setParams(Params{"a"}.get());
    CMC_Behaviour_Entry** withA = code->getLines();
    code->run(nullptr, nullptr, false);
    code->setParams(Params{"b"}.get());
    code->run(nullptr, nullptr, false);
    code->setParams(Params{"a"}.get());
    EXPECT_EQ(code->getLines(), withA);
    EXPECT_NE(withA, plain);
    code->run(nullptr, nullptr, false);
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(a)", "P.CALL(b)", "P.CALL(a)"}));
    for (int i = 0; i < 30; ++i) {
        code->setParams(Params{std::to_string(i).c_str()}.get());
        code->run(nullptr, nullptr, false);
    }
    EXPECT_EQ(takeLog().back(), "P.CALL(29)");
}
