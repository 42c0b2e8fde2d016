#include "script/CMC_Runner.h"

#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Expression.h"
#include "script/CMC_Variable_Runner.h"
#include "script_graphics/CMC_Groupped.h"

#include "Interpreter.h"

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

} // namespace

TEST_F(Runners, TheRegistryHandsOutOneRunnerPerRow)
{
    CMC_Runner* values = variables();
    ASSERT_NE(values, nullptr);
    for (int type : {2, 3, 4, 12})
        EXPECT_EQ(CMC_RunnerFactory::getRunner(type), values) << type;
    EXPECT_NE(CMC_RunnerFactory::getRunner(0), nullptr);
    EXPECT_NE(CMC_RunnerFactory::getRunner(0), values);
    for (int type : {5, 2003, 2010, 10003, -100, 3000, 2018})
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
    CMC_RunnerFactory::attach(2018, nullptr);
    CMC_RunnerFactory::done();
    EXPECT_EQ(CMC_RunnerFactory::getRunner(1), nullptr);
    EXPECT_EQ(CMC_RunnerFactory::getRunner(0), nullptr);
    CMC_RunnerFactory::initialize();
    EXPECT_EQ(CMC_RunnerFactory::getRunner(2018), nullptr);
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
