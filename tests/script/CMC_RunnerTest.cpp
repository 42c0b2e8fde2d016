#include "script/CMC_Runner.h"

#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Expression.h"
#include "script/CMC_Groupped.h"
#include "script/CMC_Quene_Runner.h"
#include "script/CMC_Variable_Runner.h"

#include "Interpreter.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cmath>
#include <csignal>
#include <filesystem>

namespace {

class Runners : public Interpreter {
protected:
    Runners()
    {
        probe("P");
        integer("A", 5);
        clickable = probe("C");
        recorder = world.behaviour(scene, "REC");
    }

    CMC_Runner* variables() { return CMC_RunnerFactory::getRunner(CMC_Object::TYPE_INTEGER); }

    Probe* clickable;
    RecordingBehaviour* recorder;
};

// A runner of the tests that registers a common name of its own.
class ShadowingRunner : public CMC_Runner {
public:
    void prepareMthHashSet() override
    {
        CMC_Runner::prepareMthHashSet();
        registerMethod("GETNAME", 5);
        registerMethod("OWN", 6);
    }
};

CMC_Runner* makeShadowingRunner()
{
    return new ShadowingRunner();
}

CMC_Runner* makeQueueRunner()
{
    return new CMC_Quene_Runner();
}

} // namespace

TEST_F(Runners, TheRegistryHandsOutOneRunnerPerRow)
{
    CMC_Runner* values = variables();
    ASSERT_NE(values, nullptr);
    for (int type : {2, 3, 4, 12})
        EXPECT_EQ(CMC_RunnerFactory::getRunner(type), values) << type;
    EXPECT_NE(CMC_RunnerFactory::getRunner(0), nullptr);
    EXPECT_NE(CMC_RunnerFactory::getRunner(0), values);
    for (int type : {5, 2003, 2010, 10003, -100, 3000})
        EXPECT_EQ(CMC_RunnerFactory::getRunner(type), nullptr) << type;
    ASSERT_NE(CMC_RunnerFactory::getRunner(10), nullptr);
    EXPECT_EQ(CMC_RunnerFactory::getRunner(11), CMC_RunnerFactory::getRunner(10));
    EXPECT_FALSE(CMC_RunnerFactory::attach(2010, makeShadowingRunner));

    // A runner attached to a row serves every type id of the row from the next initialize;
    // the common names keep their ids.
    ASSERT_TRUE(CMC_RunnerFactory::attach(2018, makeShadowingRunner));
    CMC_RunnerFactory::initialize();
    CMC_Runner* queues = CMC_RunnerFactory::getRunner(2018);
    ASSERT_NE(queues, nullptr);
    EXPECT_EQ(CMC_RunnerFactory::getRunner(2019), queues);
    EXPECT_EQ(queues->resolveMethod(CXString("GETNAME")), CMC_Runner::MTH_GETNAME);
    EXPECT_EQ(queues->resolveMethod(CXString("OWN")), 6);
    CMC_RunnerFactory::attach(2018, makeQueueRunner);
    CMC_RunnerFactory::done();
    EXPECT_EQ(CMC_RunnerFactory::getRunner(1), nullptr);
    EXPECT_EQ(CMC_RunnerFactory::getRunner(0), nullptr);
    CMC_RunnerFactory::initialize();
    EXPECT_NE(dynamic_cast<CMC_Quene_Runner*>(CMC_RunnerFactory::getRunner(2019)), nullptr);
}

TEST_F(Runners, NamesResolveExactlyAndUnknownIdsDoNothing)
{
    const char* common[] = {"SEND", "ADDTOGROUP", "ADDTOARRAY", "GETNAME", "CLONE", "ADDBEHAVIOUR",
                            "GETCLONEINDEX", "MSGBOX", "RESETCLONES", "REMOVEBEHAVIOUR", "GETCLONESNO",
                            "REMOVEALLBEHAVIOURS"};
    for (int id = 96; id <= 107; ++id)
        EXPECT_EQ(variables()->resolveMethod(CXString(common[id - 96])), id);
    EXPECT_EQ(variables()->resolveMethod(CXString("send")), -1);
    EXPECT_EQ(variables()->resolveMethod(CXString("SET")), 1);
    for (int id : {95, 108, CMC_Runner::MTH_MSGBOX, CMC_Runner::MTH_ADDTOARRAY, -1})
        EXPECT_EQ(variables()->run(id, scene->getObject("A"), scene, nullptr), nullptr) << id;
    EXPECT_EQ(variables()->run(CXString("NOSUCH"), scene->getObject("A"), scene, nullptr), nullptr);
}

TEST_F(Runners, TypedGettersGiveTheArgumentOrAConvertedValueAlreadyBack)
{
    CMC_Runner* runner = variables();
    CMC_Integer* a = static_cast<CMC_Integer*>(scene->getObject("A"));
    CMC_Expression expression(scene, CXString("A*2"));
    CXVector args;
    args.add(a);
    args.add(&expression);
    args.add(scene->getObject("P"));
    args.add(static_cast<CXObject*>(nullptr));

    EXPECT_EQ(runner->getParameter(&args, 0), a);
    EXPECT_EQ(runner->getParameterInteger(&args, 0), a);
    CMC_String* text = runner->getParameterString(&args, 0);
    EXPECT_EQ(text->getValue(), "5");
    EXPECT_GE(text->getId(), 0);
    // The converted value is back in its pool: the next loans pass it by until the pool
    // comes round again.
    CMC_String* next = CMC_VariableFactory::allocString();
    EXPECT_NE(next, text);
    CMC_VariableFactory::free(next);
    EXPECT_EQ(runner->getParameterDouble(&args, 0)->getValue(), 5.0);
    EXPECT_TRUE(runner->getParameterBool(&args, 0)->getValue());

    // An expression gives its value; an object that is no value gives only its name as text.
    EXPECT_EQ(runner->getParameterInteger(&args, 1)->getValue(), 10);
    EXPECT_EQ(runner->getParameter(&args, 2), nullptr);
    EXPECT_EQ(runner->getParameterString(&args, 2)->getValue(), "P");
    EXPECT_EQ(runner->getParameterInteger(&args, 2), nullptr);
    for (int missing : {3, 4, -1}) {
        EXPECT_EQ(runner->getParameter(&args, missing), nullptr);
        EXPECT_EQ(runner->getParameterString(&args, missing), nullptr);
    }
    EXPECT_EQ(runner->getParameterString(nullptr, 0), nullptr);
}

TEST_F(Runners, SendRaisesSignalsOfTheObject)
{
    clickable->addBehaviour(CXString("ONSIGNAL^HELLO"), recorder, nullptr, scene, false);
    clickable->addBehaviour(CXString("@GO"), recorder, nullptr, scene, false);
    recorder->withCaller = true;
    run("C^SEND(HELLO);C^SEND(\"@GO\");C^SEND(OTHER);C^SEND();");
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"REC()@C", "REC()@C"}));
}

TEST_F(Runners, BehavioursAreBoundAndDroppedByMethods)
{
    run("C^ADDBEHAVIOUR(ONCLICK$LEFT,REC);C^ADDBEHAVIOUR(ONCLICKED,REC,1,A);C^ADDBEHAVIOUR(ONCLICK,A);"
        "C^ADDBEHAVIOUR(ONCLICK);");
    clickable->onSignal(CXString("ONCLICK^LEFT"));
    clickable->onSignal(CXString("ONCLICKED"));
    clickable->onSignal(CXString("ONCLICK"));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"REC()", "REC(1,5)"}));

    run("C^REMOVEBEHAVIOUR(ONCLICK$LEFT);C^REMOVEBEHAVIOUR();");
    clickable->onSignal(CXString("ONCLICK^LEFT"));
    clickable->onSignal(CXString("ONCLICKED"));
    run("C^REMOVEALLBEHAVIOURS();");
    clickable->onSignal(CXString("ONCLICKED"));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"REC(1,5)"}));
}

TEST_F(Runners, ClonesNamesAndGroups)
{
    run("P^CLONE();P^CLONE(2);P^CALL(P^GETCLONESNO(),P_2^GETCLONEINDEX(),P_3^GETNAME(),P^GETCLONEINDEX());"
        "P^RESETCLONES();P^CALL(P^GETCLONESNO());");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(3,2,P_3,0)", "P.CALL(0)"}));

    auto* group = new CMC_Groupped(CXString("G"), scene);
    scene->addObject(group);
    run("P^ADDTOGROUP(G);A^ADDTOGROUP(G);P^ADDTOGROUP(G);P^ADDTOGROUP(A);P^ADDTOGROUP(NOSUCH);");
    ASSERT_EQ(group->getList()->getCount(), 2);
    EXPECT_EQ(group->getList()->at(0), scene->getObject("P"));
    EXPECT_EQ(group->getList()->at(1), scene->getObject("A"));
    group->removeAll();
}

TEST_F(Runners, ValueMethodsAssignAndComputeByTheValueTypesRules)
{
    struct Case {
        const char* initial;
        const char* code;
        const char* value;
        const char* result;
    };
    // The result column shows what the last statement gave ("-" for nothing).
    const Case cases[] = {
        {"5", "V^SET(7)", "7", "-"},           {"5", "V^SET(\"12x\")", "12", "-"},
        {"5", "V^SET()", "5", "-"},            {"5", "V^ADD(1)", "6", "6"},
        {"5", "V^ADD()", "5", "-"},            {"5", "V^MUL(2)", "10", "-"},
        {"5", "V^SUB(7)", "-2", "-"},          {"7", "V^DIV(2)", "3", "-"},
        {"7", "V^DIV(0)", "0", "-"},           {"7", "V^MOD(4)", "3", "-"},
        {"5", "V^INC()", "6", "-"},            {"5", "V^DEC()", "4", "-"},
        {"5", "V^CLEAR()", "0", "-"},          {"5", "V^SWITCH(5,9)", "9", "-"},
        {"9", "V^SWITCH(5,9)", "5", "-"},      {"5", "V^SWITCH(5)", "5", "-"},
        {"5", "V^ADD([1+1])", "7", "7"},       {"5", "V^SET(P)", "5", "-"},
        {"abcdef", "V^SUB(1,2)", "adef", "-"}, {"abcdef", "V^SUB(4,100)", "abcd", "-"},
        {"abcdef", "V^SUB(-3,2)", "cdef", "-"}, {"abcdef", "V^SUB(10,1)", "abcdef", "-"},
        {"abcdef", "V^SUB(2,-1)", "abcdef", "-"}, {"abcdef", "V^SUB(1)", "abcdef", "-"},
        {"ab", "V^ADD(\"c\")", "abc", "abc"},  {"ab", "V^MUL(2)", "ab", "-"},
        {"ab", "V^INC()", "ab", "-"},          {"ab", "V^SWITCH(ab,cd)", "cd", "-"},
    };
    for (const Case& c : cases) {
        const bool isText = c.initial[0] >= 'a';
        CMC_Variable* variable = isText ? static_cast<CMC_Variable*>(string("V", c.initial))
                                        : static_cast<CMC_Variable*>(integer("V", CXString(c.initial).toNumber()));
        const std::string code = std::string("P^CALL(") + c.code + ");";
        run(code.c_str());
        EXPECT_EQ(variable->toString(), c.value) << c.code;
        EXPECT_EQ(takeLog(), std::vector<std::string>{std::string("P.CALL(") + c.result + ")"}) << c.code;
        scene->removeObject(variable);
        delete variable;
    }
}

// Two INTEGER values are combined in machine integers; the same numbers given as texts go
// the converting way, and both agree on the value, the result and the change reports.
TEST_F(Runners, IntegerArithmeticAgreesWithTheConvertingWay)
{
    const int values[] = {-2147483647 - 1, -7, -1, 0, 1, 3, 2147483647};
    CMC_Integer* byNumber = integer("N", 0);
    CMC_Integer* byText = integer("T", 0);
    CMC_Integer* operand = integer("O", 0);
    CMC_String* operandText = string("OT", "");
    byNumber->addBehaviour(CXString("ONCHANGED"), behaviour("CN", "P^CALL(N);"), nullptr, scene, false);
    byText->addBehaviour(CXString("ONCHANGED"), behaviour("CT", "P^CALL(T);"), nullptr, scene, false);
    CMC_Behaviour* numberCode = behaviour("BYNUMBER", "P^CALL(N^$1(O));");
    CMC_Behaviour* textCode = behaviour("BYTEXT", "P^CALL(T^$1(OT));");
    for (const char* method : {"ADD", "SUB", "MUL", "DIV", "MOD"}) {
        for (int a : values) {
            for (int b : values) {
                byNumber->setValue(a);
                byText->setValue(a);
                operand->setValue(b);
                operandText->setValue(CXString::toString(b));
                numberCode->run(nullptr, Params{method}.get(), false);
                const auto byNumberLog = takeLog();
                textCode->run(nullptr, Params{method}.get(), false);
                EXPECT_EQ(takeLog(), byNumberLog) << a << method << b;
                EXPECT_EQ(byNumber->getValue(), byText->getValue()) << a << method << b;
            }
        }
    }
}

TEST_F(Runners, DefaultsAndExpressionsAreNotAssigned)
{
    auto element = makeElement("V", {{"TYPE", "INTEGER"}, {"VALUE", "3"}, {"TOINI", "TRUE"}});
    auto* stored = new CMC_Integer(scene, element.get());
    scene->addObject(stored);
    run("V^SET(8);V^SETDEFAULT(4);A^SETDEFAULT(1);A^SET(9);A^RESETINI();");
    EXPECT_EQ(text("V"), "8");
    EXPECT_EQ(text("A"), "9");
    run("V^RESETINI();");
    EXPECT_EQ(text("V"), "4");

    auto expressionElement = makeElement("E", {{"TYPE", "EXPRESSION"}, {"OPERAND1", "A"}, {"OPERATOR", "+"}, {"OPERAND2", "1"}});
    auto* expression = new CMC_Expression(scene, expressionElement.get());
    scene->addObject(expression);
    expression->init();
    run("E^SET(1);E^INC();E^CLEAR();P^CALL(E^ADD(1),E);E^MUL(3);P^CALL(E);");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(11,10)", "P.CALL(10)"}));
}

TEST_F(Runners, NumberAndTextMethodsActOnTheirOwnTypes)
{
    struct Case {
        char type;
        const char* initial;
        const char* code;
        const char* value;
        const char* result;
    };
    // The result column shows what the call gave ("-" for nothing).
    const Case cases[] = {
        {'I', "5", "V^ABS(-3)", "3", "3"},             {'I', "5", "V^ABS()", "5", "-"},
        {'I', "0", "V^ABS(-2147483648)", "-2147483648", "-2147483648"},
        {'I', "12", "V^AND(10)", "8", "8"},            {'I', "12", "V^OR(3)", "15", "15"},
        {'I', "12", "V^XOR(5)", "9", "9"},             {'I', "0", "V^NOT()", "-1", "-1"},
        {'I', "5", "V^POWER(2)", "25", "25"},          {'I', "2", "V^POWER(40)", "2147483647", "2147483647"},
        {'I', "5", "V^CLAMP(0,3)", "3", "3"},          {'I', "-5", "V^CLAMP(0,3)", "0", "0"},
        {'I', "5", "V^SQRT()", "5", "-"},              {'I', "5", "V^LENGTH(3,4)", "5", "-"},
        {'I', "5", "V^GET(1)", "5", "5"},              {'I', "5", "V^ISUPPERLETTER(0)", "5", "FALSE"},
        {'D', "4", "V^SQRT()", "2.00000", "2.00000"},  {'D', "1", "V^LENGTH(3,4)", "5.00000", "5.00000"},
        {'D', "9", "V^CLAMP(0,3.5)", "3.50000", "3.50000"},
        {'D', "0", "V^ARCTAN(1)", "45.00000", "45.00000"},
        {'D', "0", "V^MINA(3,7.5,2)", "2.00000", "2.00000"}, {'D', "0", "V^MAXA(3,7.5,2)", "7.50000", "7.50000"},
        {'D', "0", "V^ARCTANEX(-1,0)", "270.00000", "270.00000"},
        {'D', "0", "V^ARCTANEX(1,0,100)", "189.00000", "189.00000"},
        {'D', "0", "V^ARCTANEX(0,-1,200)", "19.00000", "19.00000"},
        {'D', "0", "V^SINUS(90)", "1.00000", "1.00000"}, {'D', "0", "V^COSINUS(60)", "0.50000", "0.50000"},
        {'D', "2.5", "V^ROUND()", "2.50000", "3"},     {'D', "2.49", "V^ROUND()", "2.49000", "2"},
        {'D', "-2.7", "V^ROUND()", "-2.70000", "-2"},  {'D', "0.7", "V^SGN()", "0.70000", "0"},
        {'D', "-3.2", "V^SGN()", "-3.20000", "-1"},    {'D', "5", "V^SGN()", "5.00000", "1"},
        {'D', "1.5", "V^ABS(3)", "1.50000", "-"},      {'D', "1.5", "V^NOT()", "1.50000", "-"},
        {'S', "abcdef", "V^CUT(1,2)", "bc", "-"},      {'S', "abcdef", "V^CUT(2,0)", "cdef", "-"},
        {'S', "abcdef", "V^CUT(4,10)", "ef", "-"},     {'S', "abcdef", "V^CUT(-2,2)", "ab", "-"},
        {'S', "ad", "V^INSERTAT(1,bc,2)", "abcbcd", "-"}, {'S', "ad", "V^INSERTAT(1,x,0)", "ad", "-"},
        {'S', "ad", "V^INSERTAT(9,x)", "adx", "-"},
        {'S', "abcdef", "V^REPLACEAT(4,XYZ)", "abcdXYZ", "-"}, {'S', "abcdef", "V^REPLACEAT(7,X)", "abcdef", "-"},
        {'S', "abcdef", "V^REPLACEAT(-1,X)", "Xbcdef", "-"},
        {'S', "abcabc", "V^FIND(c,3)", "abcabc", "5"}, {'S', "abcabc", "V^FIND(x)", "abcabc", "-1"},
        {'S', "abcabc", "V^FIND(a,-5)", "abcabc", "0"},
        {'S', "abc", "V^NOT()", "cba", "cba"},         {'S', "abc", "V^LENGTH()", "abc", "3"},
        {'S', "abcdef", "V^GET(2)", "abcdef", "c"},    {'S', "abcdef", "V^GET(2,3)", "abcdef", "cde"},
        {'S', "abcdef", "V^GET(2,-1)", "abcdef", "cdef"}, {'S', "abcdef", "V^GET(9)", "abcdef", ""},
        {'S', "abcdef", "V^GET(-1,2)", "abcdef", "ab"},
        {'S', "aBc", "V^UPPER()", "ABC", "-"},         {'S', "abcb", "V^REPLACE(b,XY)", "aXYcXY", "-"},
        {'S', "aBc", "V^ISUPPERLETTER(1)", "aBc", "TRUE"}, {'S', "aBc", "V^ISUPPERLETTER(5)", "aBc", "FALSE"},
        {'S', "abc", "V^ABS(3)", "abc", "-"},          {'S', "abc", "V^ROUND()", "abc", "-"},
        {'B', "TRUE", "V^GET(1)", "TRUE", "TRUE"},     {'B', "TRUE", "V^NOT()", "TRUE", "-"},
        {'I', "5", "V^RANDOM(7,0)", "7", "7"},         {'I', "5", "V^RANDOM()", "0", "0"},
        {'S', "x", "V^RANDOM(3,1)", "x", "3"},
    };
    for (const Case& c : cases) {
        CMC_Variable* variable = nullptr;
        switch (c.type) {
        case 'I':
            variable = integer("V", CXString(c.initial).toNumber());
            break;
        case 'S':
            variable = string("V", c.initial);
            break;
        default:
            variable = c.type == 'D' ? static_cast<CMC_Variable*>(new CMC_Double(CXString("V")))
                                     : static_cast<CMC_Variable*>(new CMC_Bool(CXString("V")));
            variable->fromString(CXString(c.initial));
            variable->setScene(scene);
            scene->addObject(variable);
            break;
        }
        const std::string code = std::string("P^CALL(") + c.code + ");";
        run(code.c_str());
        EXPECT_EQ(variable->toString(), c.value) << c.type << " " << c.initial << " " << c.code;
        EXPECT_EQ(takeLog(), std::vector<std::string>{std::string("P.CALL(") + c.result + ")"}) << c.code;
        scene->removeObject(variable);
        delete variable;
    }
    // The constants of the angles: degrees per radian a little below 180 / pi.
    EXPECT_EQ(CMC_Variable_Runner::kDegreesPerRadian, 57.29577950560105);
    EXPECT_LT(CMC_Variable_Runner::kDegreesPerRadian, 180.0 / M_PI);
    EXPECT_EQ(double{CMC_Variable_Runner::kRadiansPerDegree}, double{0.017453292f});
}

TEST_F(Runners, RandomNumbersStayInTheirRange)
{
    auto* value = integer("V", 0);
    for (int i = 0; i < 50; ++i) {
        run("V^RANDOM(10,5);");
        EXPECT_GE(value->getValue(), 10);
        EXPECT_LE(value->getValue(), 14);
        run("V^RANDOM(-3);");
        EXPECT_GE(value->getValue(), 0);
        EXPECT_LE(value->getValue(), 2);
    }
}

TEST_F(Runners, CopyFileReplacesTheTargetWholeOrNotAtAll)
{
    world.temp.write("source.txt", std::string(200000, 's'));
    world.temp.write("target.txt", "old");
    run("P^CALL(A^COPYFILE(\"source.txt\",\"TARGET.TXT\"),A^COPYFILE(\"missing.txt\",\"target.txt\"));");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(TRUE,FALSE)"});
    EXPECT_EQ(world.temp.read("target.txt"), std::string(200000, 's'));

    // A copy that fails halfway (a full disk) leaves the target as it was, and no part file.
    world.temp.write("target.txt", "old");
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit normal{};
    getrlimit(RLIMIT_FSIZE, &normal);
    rlimit tight{65536, normal.rlim_max};
    setrlimit(RLIMIT_FSIZE, &tight);
    run("P^CALL(A^COPYFILE(\"source.txt\",\"target.txt\"));");
    setrlimit(RLIMIT_FSIZE, &normal);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(FALSE)"});
    EXPECT_EQ(world.temp.read("target.txt"), "old");
    for (const auto& entry : std::filesystem::directory_iterator(world.temp.path()))
        EXPECT_EQ(entry.path().extension(), ".txt") << entry.path();
}

TEST_F(Runners, CopyFileIntoAReadOnlyFolderKeepsTheTarget)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    world.temp.write("source.txt", "new");
    std::filesystem::create_directory(world.temp.path() / "locked");
    world.temp.write("locked/target.txt", "old");
    std::filesystem::permissions(world.temp.path() / "locked", std::filesystem::perms::owner_read |
                                                                   std::filesystem::perms::owner_exec);
    run("P^CALL(A^COPYFILE(\"source.txt\",\"locked/target.txt\"));");
    std::filesystem::permissions(world.temp.path() / "locked", std::filesystem::perms::owner_all);
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(FALSE)"});
    EXPECT_EQ(world.temp.read("locked/target.txt"), "old");
}
