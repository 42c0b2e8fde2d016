#include "script/CMC_Condition.h"

#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "script/CMC_BasicCondition.h"
#include "script/CMC_ComplexCondition.h"
#include "script/CMC_Double.h"
#include "script/CMC_Expression.h"
#include "script/CMElement.h"

#include <cmath>

#include "Interpreter.h"

namespace {

class RunOnce : public Interpreter {
protected:
    RunOnce()
    {
        probe("P");
        integer("A", 5);
        string("NAME", "P");
        string("S", "abc");
    }

    // The text and type of an operand's value, let go of afterwards.
    std::pair<std::string, int> operand(const char* text, CMC_Object* caller = nullptr)
    {
        CMC_Object* value = CMC_Behaviour::resolveParameter(scene, caller, CXString(text), nullptr);
        CMC_Variable* variable = value != nullptr ? value->asVariable() : nullptr;
        std::pair<std::string, int> result{variable != nullptr ? variable->toString().c_str() : "<none>",
                                           value != nullptr ? value->getType() : 0};
        CMC_Object::releaseResult(value);
        return result;
    }
};

} // namespace

TEST_F(RunOnce, OperandsReadAsTheirValues)
{
    struct Case {
        const char* text;
        const char* value;
        int type;
    };
    const Case cases[] = {
        {"12", "12", 1},         {"-3", "-3", 1},            {" 12 ", "12", 1},       {"1.5", "1.50000", 4},
        {"\"ABC\"", "ABC", 2},   {"A", "5", 1},              {"NOSUCH", "NOSUCH", 2}, {"TRUE", "TRUE", 3},
        {"P^GIVE(4)", "4", 1},   {"\"A^B\"", "A^B", 2},      {"CONV(A,\"STRING\")", "5", 2},
        {"P", "P", 2},           {"NOBODY^X()", "<none>", 0}, {"@BREAK()^", "<none>", 0},
        {"12abc", "12", 1},      {"S|F", "<none>", 0},       {"P^GIVE(@BREAK())", "@BREAK()", 2},
    };
    for (const Case& c : cases) {
        const auto [value, type] = operand(c.text);
        EXPECT_EQ(value, c.value) << c.text;
        EXPECT_EQ(type, c.type) << c.text;
    }
    // The operand naming a variable gives the variable itself.
    EXPECT_EQ(CMC_Behaviour::resolveParameter(scene, nullptr, CXString("A"), nullptr), scene->getObject("A"));
    takeLog();
}

TEST_F(RunOnce, BracketOperandsLiveUntilTheEndOfTheFrame)
{
    CMC_Object* expression = CMC_Behaviour::resolveParameter(scene, nullptr, CXString("[ A+1 ]"), nullptr);
    ASSERT_NE(expression, nullptr);
    ASSERT_EQ(expression->getType(), CMC_Object::TYPE_EXPRESSION);
    auto* value = static_cast<CMC_Expression*>(expression);
    value->calculate();
    EXPECT_EQ(value->getResult()->toString(), "6");
    CMC_Behaviour::addToTrash(expression);
    CMC_Behaviour::flushTrash();
    CMC_Behaviour::flushTrash();
}

TEST_F(RunOnce, LinesRunByTheirHeads)
{
    auto* caller = probe("CALLER");
    behaviour("DOIT", "P^CALL(builtin);");
    auto line = [&](const std::string& text) {
        CMC_Object* result = CMC_Behaviour::runLine(scene, caller, CXString(text.c_str()), nullptr);
        CMC_Object::releaseResult(result);
    };
    line("P^CALL(1, NOSUCH^X() ,2)");
    // Blocks of code are no values here: code is named.
    line("@IF(A,\"_\",5,DOIT)");
    line("IF(A,\"_\",5,DOIT)");
    line("@IF(A,\"_\",5,{P^CALL(block);})");
    line("*NAME^CALL(3)");
    line("THIS^CALL(4)");
    line("P^CALL");
    // "#": the object at a position (the third character's code) and the method of an id.
    line(std::string("##") + static_cast<char>(128) + "^CALL(5)");
    line(std::string("P^#") + static_cast<char>(ProbeRunner::MTH_CALL) + "(6)");
    line(std::string("##") + static_cast<char>(120) + "^CALL(7)");
    line("*[\"P\"]^CALL(8)");
    line("*A^CALL(9)");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.CALL(1,2)", "P.CALL(builtin)", "P.CALL(builtin)", "P.CALL(3)",
                                                   "CALLER.CALL(4)", "P.CALL()", "P.CALL(5)", "P.CALL(6)"}));

    EXPECT_EQ(CMC_Behaviour::resolveParameters(scene, nullptr, CXString(), nullptr), nullptr);
    CXString method;
    EXPECT_EQ(CMC_Behaviour::resolveObject(scene, nullptr, CXString("A^B^C"), &method, nullptr), scene->getObject("A"));
    EXPECT_EQ(method, "C");
    EXPECT_EQ(CMC_Behaviour::resolveObject(scene, nullptr, CXString("^B"), &method, nullptr), nullptr);
    EXPECT_EQ(CMC_Behaviour::resolveObject(scene, nullptr, CXString("B"), &method, nullptr), nullptr);
    EXPECT_EQ(method, "B");
}

TEST_F(RunOnce, StatementConditionsCompareByTheLeftValue)
{
    struct Case {
        const char* left;
        const char* symbol;
        const char* right;
        bool holds;
    };
    const Case cases[] = {
        {"\"abc\"", "_", "\"ABC\"", true},  {"\"abc\"", "<", "\"ABC\"", false}, {"\"ABC\"", "<", "\"abc\"", true},
        {"A", "_", "\"5\"", true},          {"\"5\"", "_", "A", true},          {"A", "<", "\"10\"", true},
        {"S", "<", "\"abcd\"", true},       {"1.5", ">", "1", true},            {"TRUE", ">", "FALSE", true},
        {"A", "x", "5", true},              {"NOBODY^X()", "_", "5", false},    {"A", "!_", "NOBODY^X()", false},
        {"P", "?", "10060", true},          {"S", "?", "STRING", true},         {"S", "?", "string", false},
        {"NOBODY", "?", "STRING", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CMC_Condition::valid(scene, CXString(c.left), CXString(c.right), CXString(c.symbol)), c.holds)
            << c.left << c.symbol << c.right;

    // A COMPLEXCONDITION shows its type with a blank.
    auto* complex = new Probe("BOTH", scene, &probeRunner, CMC_Object::TYPE_COMPLEXCONDITION);
    scene->addObject(complex);
    EXPECT_TRUE(CMC_Condition::isInstance(scene, CXString("BOTH"), CXString("COMPLEX CONDITION")));
    EXPECT_FALSE(CMC_Condition::isInstance(scene, CXString("BOTH"), CXString("COMPLEXCONDITION")));
}

TEST_F(RunOnce, OneTextConditionsAreCutAtTheirOperator)
{
    struct Case {
        const char* text;
        bool holds;
    };
    // "A<>6" is LESS with the right text ">6" (read as 0); "'" first is EQUAL with an empty left
    // text; operands lose their blanks when they are read.
    const Case cases[] = {
        {"A'5", true},   {"A!'5", false}, {"A<'5", true},    {"A>'5", true},   {"A<6", true},
        {"A>6", false},  {"A<>6", false},  {"'", true},       {"'x", false},    {"S?STRING", true},
        {"A", true},     {"S", false},    {"A' 5", true},    {" A'5", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CMC_Condition::valid(scene, CXString(c.text)), c.holds) << c.text;
}

namespace {

// A scene whose conditions write their handlers' runs into the STRING LOG: a CONDITION on an
// INTEGER, one on a STRING, their AND and OR, and a behaviour guarded by the AND and bound to
// the signal ONSIGNAL^GO of TRIGGER.
const char* const kConditionScene =
    "OBJECT=LOG\nLOG:TYPE=STRING\n"
    "OBJECT=A\nA:TYPE=INTEGER\nA:VALUE=5\n"
    "OBJECT=S\nS:TYPE=STRING\nS:VALUE=abc\n"
    "OBJECT=T\nT:TYPE=STRING\nT:VALUE=ABC\n"
    "OBJECT=ISFIVE\nISFIVE:TYPE=CONDITION\nISFIVE:OPERAND1=A\nISFIVE:OPERATOR=EQUAL\nISFIVE:OPERAND2=5\n"
    "ISFIVE:ONRUNTIMESUCCESS={LOG^ADD(\"five+\");}\nISFIVE:ONRUNTIMEFAILED={LOG^ADD(\"five-\");}\n"
    "OBJECT=ISABC\nISABC:TYPE=CONDITION\nISABC:OPERAND1=S\nISABC:OPERAND2=T\n"
    "ISABC:ONRUNTIMESUCCESS=NOTE(\"abc+\")\nISABC:ONRUNTIMEFAILED=NOTE(\"abc-\")\n"
    "OBJECT=BOTH\nBOTH:TYPE=COMPLEXCONDITION\nBOTH:CONDITION1=ISFIVE\nBOTH:CONDITION2=ISABC\nBOTH:OPERATOR=AND\n"
    "BOTH:ONRUNTIMESUCCESS=NOTE(\"and+\")\nBOTH:ONRUNTIMEFAILED=NOTE(\"and-\")\n"
    "OBJECT=EITHER\nEITHER:TYPE=COMPLEXCONDITION\nEITHER:CONDITION1=ISFIVE\nEITHER:CONDITION2=ISABC\n"
    "EITHER:OPERATOR=OR\nEITHER:ONRUNTIMESUCCESS=NOTE(\"or+\")\nEITHER:ONRUNTIMEFAILED=NOTE(\"or-\")\n"
    "OBJECT=LESSER\nLESSER:TYPE=CONDITION\nLESSER:OPERAND1=S\nLESSER:OPERATOR=LESS\nLESSER:OPERAND2=T\n"
    "OBJECT=NOTE\nNOTE:TYPE=BEHAVIOUR\nNOTE:CODE={LOG^ADD($1);}\n"
    "OBJECT=GUARDED\nGUARDED:TYPE=BEHAVIOUR\nGUARDED:CONDITION=BOTH\nGUARDED:CODE={LOG^ADD(\"ran\");}\n"
    "OBJECT=TRIGGER\nTRIGGER:TYPE=INTEGER\nTRIGGER:ONSIGNAL^GO=GUARDED\n";

class Conditions : public Interpreter {
protected:
    Conditions() { load(kConditionScene); }

    // The handlers that ran for the code, with A, S and T set first.
    std::string logOf(int a, const char* s, const char* t, const std::string& code)
    {
        integerNamed("A")->setValue(a);
        stringNamed("S")->setValue(CXString(s));
        stringNamed("T")->setValue(CXString(t));
        stringNamed("LOG")->setValue(CXString());
        run(code.c_str());
        return text("LOG");
    }
    CMC_Integer* integerNamed(const char* name) { return static_cast<CMC_Integer*>(scene->getObject(name)); }
    CMC_String* stringNamed(const char* name) { return static_cast<CMC_String*>(scene->getObject(name)); }
    CMC_BasicCondition* condition(const char* name) { return dynamic_cast<CMC_BasicCondition*>(scene->getObject(name)); }
};

} // namespace

TEST_F(Conditions, HandlersRunForEachOutcomeAndGuardTheirBehaviour)
{
    struct Case {
        int a;
        const char* s;
        const char* t;
        const char* code;
        const char* log;
    };
    const Case cases[] = {
        // The guarded behaviour runs only when the AND holds; the AND asks its second part only
        // when the first holds, and STRING equality ignores case.
        {5, "abc", "ABC", "TRIGGER^SEND(GO);", "five+abc+and+ran"},
        {4, "abc", "ABC", "TRIGGER^SEND(GO);", "five-and-"},
        {5, "xyz", "ABC", "TRIGGER^SEND(GO);", "five+abc-and-"},
        {5, "abc", "ABC", "EITHER^CHECK();", "five+or+"},
        {4, "abc", "ABC", "EITHER^CHECK();", "five-abc+or+"},
        {4, "x", "ABC", "EITHER^CHECK();", "five-abc-or-"},
        // Without events no handler of the condition runs; the parts of a COMPLEXCONDITION
        // always run theirs.
        {5, "abc", "ABC", "ISFIVE^CHECK(FALSE);ISABC^CHECK(0);", ""},
        {5, "abc", "ABC", "BOTH^CHECK(FALSE);", "five+abc+"},
        {5, "abc", "ABC", "LOG^ADD(@IF(ISFIVE^CHECK(FALSE),\"_\",TRUE,{LOG^ADD(yes);}));", "yes"},
        // BREAK stops the code on a true condition only; ONE_BREAK too, without passing on.
        {5, "abc", "ABC", "LOG^ADD(a);ISFIVE^BREAK(FALSE);LOG^ADD(b);", "a"},
        {4, "abc", "ABC", "LOG^ADD(a);ISFIVE^BREAK(FALSE);LOG^ADD(b);", "ab"},
        {5, "abc", "ABC", "LOG^ADD(a);ISFIVE^ONE_BREAK();LOG^ADD(b);", "afive+"},
        // STRING order counts the bytes, case included.
        {5, "abc", "ABC", "@IF(LESSER^CHECK(),\"_\",TRUE,{LOG^ADD(less);},{LOG^ADD(notless);});", "notless"},
        {5, "ABC", "abc", "@IF(LESSER^CHECK(),\"_\",TRUE,{LOG^ADD(less);},{LOG^ADD(notless);});", "less"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(logOf(c.a, c.s, c.t, c.code), c.log) << c.a << " " << c.s << " " << c.code;

    // BREAK reaches the behaviour's caller; ONE_BREAK does not.
    integerNamed("A")->setValue(5);
    EXPECT_TRUE(run("ISFIVE^BREAK(FALSE);"));
    EXPECT_FALSE(run("ISFIVE^ONE_BREAK(FALSE);"));
    // The runner serves only its three methods: the common names resolve and do nothing.
    CMC_Runner* runner = CMC_RunnerFactory::getRunner(CMC_Object::TYPE_CONDITION);
    EXPECT_EQ(runner->resolveMethod(CXString("GETNAME")), CMC_Runner::MTH_GETNAME);
    EXPECT_EQ(runner->run(CXString("GETNAME"), condition("ISFIVE"), scene, nullptr), nullptr);
    EXPECT_EQ(runner->run(CXString("CHECK"), scene->getObject("A"), scene, nullptr), nullptr);
}

TEST_F(Conditions, OperatorsConversionsAndInstanceTests)
{
    struct Case {
        const char* operand1;
        const char* op;
        const char* operand2;
        bool holds;
    };
    integer("N", 12);
    auto* small = new CMC_Double(CXString("SMALL"));
    small->setValue(0.1);
    auto* next = new CMC_Double(CXString("NEXT"));
    next->setValue(std::nextafter(0.1, 1.0));
    for (CMC_Double* value : {small, next}) {
        value->setScene(scene);
        scene->addObject(value);
    }
    const Case cases[] = {
        {"N", "", "12", true},                 {"N", "equal", "12", true},       {"N", "NOTEQUAL", "12", false},
        {"N", "LESS", "\"13\"", true},         {"N", "GREATEREQUAL", "\"12\"", true},
        {"N", "LESSEQUAL", "11", false},       {"N", "GREATER", "11", true},     {"\"12\"", "EQUAL", "N", true},
        {"SMALL", "EQUAL", "NEXT", false},     {"SMALL", "LESS", "NEXT", true},  {"[N+1]", "EQUAL", "13", true},
        {"N", "EQUAL", "[6*2]", true},         {"N", "EQUAL", "NOBODY^X()", false},
        // An empty operand has no value.
        {"", "EQUAL", "", false},              {"N", "NOTEQUAL", "", false},
        // INSTANCEOF asks about the objects that the operand texts name.
        {"N", "INSTANCEOF", "INTEGER", true},  {"N", "INSTANCEOF", "integer", false},
        {"ISFIVE", "INSTANCEOF", "CONDITION", true}, {"BOTH", "INSTANCEOF", "COMPLEX CONDITION", true},
        {"NOBODY", "INSTANCEOF", "STRING", false},
    };
    int made = 0;
    for (const Case& c : cases) {
        const std::string name = "C" + std::to_string(made++);
        auto element = makeElement(name.c_str(), {{"OPERAND1", c.operand1}, {"OPERATOR", c.op}, {"OPERAND2", c.operand2}});
        CMC_Condition condition(scene, element.get());
        condition.init();
        EXPECT_EQ(condition.valid(false), c.holds) << c.operand1 << " " << c.op << " " << c.operand2;
        condition.done(true);
    }
    EXPECT_EQ(CMC_Object::typeToString(CMC_Object::TYPE_COMPLEXCONDITION), "COMPLEX CONDITION");
    // Only "AND" and "OR" join; any other word is AND.
    for (const auto& [word, code] : {std::pair{"OR", CMC_ComplexCondition::OP_OR}, std::pair{"or", CMC_ComplexCondition::OP_AND},
                                     std::pair{"", CMC_ComplexCondition::OP_AND}}) {
        auto element = makeElement("J", {{"CONDITION1", "ISFIVE"}, {"CONDITION2", "ISABC"}, {"OPERATOR", word}});
        EXPECT_EQ(CMC_ComplexCondition(scene, element.get()).getOperatorCode(), code) << word;
    }
}

namespace {

// A value that no other type can be made from, nor turned into another: what a STRUCTURE is
// to a comparison.
class Opaque : public CMC_Variable {
public:
    Opaque()
        : CMC_Variable(CXString("opaque"), CMC_Object::TYPE_STRUCTURE)
    {
        setHandedOver();
    }
    void clear() override {}
    void swap(CMC_Variable*, CMC_Variable*) override {}
    void inc() override {}
    void dec() override {}
    bool equals(CMC_Variable*) override { return true; }
    int compare(CMC_Variable*) override { return 0; }
    CMC_Variable* convert(int type) override { return type == getType() ? this : nullptr; }
    CMC_Variable* calculate(CMC_Variable*, int) override { return nullptr; }
    void setDefault(CMC_Variable*) override {}
    void resetINI() override {}
    int getBufferLen() override { return 0; }
    void netstore(void*) override {}
    bool netrestore(const void*, int) override { return false; }
    void store(CXArchive*) override {}
    void restore(CXArchive*) override {}
};

class OpaqueRunner : public CMC_Runner {
public:
    void prepareMthHashSet() override { registerMethod("OPAQUE", 1); }
    CMC_Object* run(int id, CMC_Object*, CMC_ObjectsContainer*, CXVector*) override
    {
        return id == 1 ? new Opaque() : nullptr;
    }
};

} // namespace

TEST_F(Conditions, ImpossibleConversionsAndBrokenPartsHoldNotAndRunNoHandler)
{
    OpaqueRunner opaqueRunner;
    opaqueRunner.prepareMthHashSet();
    scene->addObject(new Probe("MAKER", scene, &opaqueRunner));
    load("OBJECT=ODD\nODD:TYPE=CONDITION\nODD:OPERAND1=A\nODD:OPERAND2=MAKER^OPAQUE()\n"
         "ODD:ONRUNTIMESUCCESS=NOTE(\"odd+\")\nODD:ONRUNTIMEFAILED=NOTE(\"odd-\")\n"
         "OBJECT=SAME\nSAME:TYPE=CONDITION\nSAME:OPERAND1=MAKER^OPAQUE()\nSAME:OPERAND2=MAKER^OPAQUE()\n"
         "SAME:ONRUNTIMESUCCESS=NOTE(\"same+\")\n"
         "OBJECT=SELF\nSELF:TYPE=COMPLEXCONDITION\nSELF:CONDITION1=SELF\nSELF:CONDITION2=SELF\nSELF:OPERATOR=OR\n"
         "SELF:ONRUNTIMEFAILED=NOTE(\"self-\")\n"
         "OBJECT=LOOPA\nLOOPA:TYPE=COMPLEXCONDITION\nLOOPA:CONDITION1=ISFIVE\nLOOPA:CONDITION2=LOOPB\n"
         "LOOPA:ONRUNTIMEFAILED=NOTE(\"a-\")\n"
         "OBJECT=LOOPB\nLOOPB:TYPE=COMPLEXCONDITION\nLOOPB:CONDITION1=LOOPA\nLOOPB:CONDITION2=ISFIVE\n"
         "LOOPB:OPERATOR=OR\nLOOPB:ONRUNTIMEFAILED=NOTE(\"b-\")\n"
         "OBJECT=NOPART\nNOPART:TYPE=COMPLEXCONDITION\nNOPART:CONDITION1=ISFIVE\nNOPART:CONDITION2=NOBODY\n"
         "NOPART:ONRUNTIMEFAILED=NOTE(\"nopart-\")\n"
         "OBJECT=WRONGPART\nWRONGPART:TYPE=COMPLEXCONDITION\nWRONGPART:CONDITION1=ISFIVE\nWRONGPART:CONDITION2=A\n"
         "WRONGPART:ONRUNTIMEFAILED=NOTE(\"wrongpart-\")\n"
         "OBJECT=NEVER\nNEVER:TYPE=CONDITION\nNEVER:OPERAND1=1\nNEVER:OPERAND2=2\n"
         "OBJECT=QUIET\nQUIET:TYPE=BEHAVIOUR\nQUIET:CONDITION=NEVER\nQUIET:CODE={LOG^ADD(\"quiet\");}\n"
         "OBJECT=HUSHED\nHUSHED:TYPE=CONDITION\nHUSHED:OPERAND1=1\nHUSHED:OPERAND2=1\nHUSHED:ONRUNTIMESUCCESS=QUIET\n");
    struct Case {
        const char* name;
        bool holds;
        const char* log;
    };
    const Case cases[] = {
        // The right value cannot become an INTEGER: false at once.
        {"ODD", false, ""},
        // Values of one kind compare by their own rules.
        {"SAME", true, "same+"},
        // A condition asked again while it is being asked does not hold: LOOPB's first part
        // is LOOPA itself, so its second decides.
        {"SELF", false, "self-"},
        {"LOOPA", true, "five+five+"},
        {"NOPART", false, ""},
        {"WRONGPART", false, ""},
        // A handler runs only when its own condition holds.
        {"HUSHED", true, ""},
    };
    for (const Case& c : cases) {
        stringNamed("LOG")->setValue(CXString());
        EXPECT_EQ(condition(c.name)->valid(true), c.holds) << c.name;
        EXPECT_EQ(text("LOG"), c.log) << c.name;
    }
}

// A handler may ask its own condition again: the condition is evaluated afresh, and a handler
// that keeps asking ends at the depth limit of behaviour runs. Only a condition asked again
// with no behaviour run in between (an operand or a part naming it) does not hold.
TEST_F(Conditions, HandlersAskingTheirOwnConditionGetItsResult)
{
    load("OBJECT=N\nN:TYPE=INTEGER\nN:VALUE=0\n"
         "OBJECT=AGAIN\nAGAIN:TYPE=CONDITION\nAGAIN:OPERAND1=A\nAGAIN:OPERAND2=5\n"
         "AGAIN:ONRUNTIMESUCCESS={LOG^ADD(AGAIN^CHECK(FALSE));}\n"
         "AGAIN:ONRUNTIMEFAILED={A^SET(5);LOG^ADD(AGAIN^CHECK(FALSE));}\n"
         "OBJECT=BOTHAGAIN\nBOTHAGAIN:TYPE=COMPLEXCONDITION\nBOTHAGAIN:CONDITION1=ISFIVE\n"
         "BOTHAGAIN:CONDITION2=ISABC\nBOTHAGAIN:ONRUNTIMESUCCESS={LOG^ADD(BOTHAGAIN^CHECK(FALSE));}\n"
         "OBJECT=ENDLESS\nENDLESS:TYPE=CONDITION\nENDLESS:OPERAND1=1\nENDLESS:OPERAND2=1\n"
         "ENDLESS:ONRUNTIMESUCCESS={N^INC();ENDLESS^CHECK();}\n"
         "OBJECT=OWNGUARD\nOWNGUARD:TYPE=CONDITION\nOWNGUARD:OPERAND1=1\nOWNGUARD:OPERAND2=1\n"
         "OWNGUARD:ONRUNTIMESUCCESS=GUARDED_BY_ITS_HANDLER\n"
         "OBJECT=GUARDED_BY_ITS_HANDLER\nGUARDED_BY_ITS_HANDLER:TYPE=BEHAVIOUR\n"
         "GUARDED_BY_ITS_HANDLER:CONDITION=OWNGUARD\nGUARDED_BY_ITS_HANDLER:CODE={N^INC();}\n"
         "OBJECT=STARTER\nSTARTER:TYPE=INTEGER\nSTARTER:ONSIGNAL^GO=GUARDED_BY_ITS_HANDLER\n"
         "OBJECT=OWNOPERAND\nOWNOPERAND:TYPE=CONDITION\nOWNOPERAND:OPERAND1=OWNOPERAND^CHECK(FALSE)\n"
         "OWNOPERAND:OPERAND2=TRUE\nOWNOPERAND:ONRUNTIMEFAILED=NOTE(\"own-\")\n");
    const std::string deepest = std::to_string(CMC_Behaviour::kMaxRunDepth - 1);
    struct Case {
        int a;
        const char* code;
        const char* log;
        std::string n;
    };
    const Case cases[] = {
        {5, "AGAIN^CHECK();", "TRUE", "0"},
        // The failure handler makes the condition hold, and is told so.
        {4, "AGAIN^CHECK();", "TRUE", "0"},
        {5, "BOTHAGAIN^CHECK();", "five+abc+five+abc+TRUE", "0"},
        {5, "ENDLESS^CHECK();", "", deepest},
        // The handler is the behaviour that the condition guards.
        {5, "STARTER^SEND(GO);", "", deepest},
        // Its own operand cannot ask it: there the condition does not hold.
        {5, "OWNOPERAND^CHECK();", "own-", "0"},
    };
    for (const Case& c : cases) {
        integerNamed("N")->setValue(0);
        EXPECT_EQ(logOf(c.a, "abc", "ABC", c.code), c.log) << c.code;
        EXPECT_EQ(text("N"), c.n) << c.code;
    }
}

namespace {

// A handler that takes its own binding away from its caller, then reads its arguments.
class SelfRemovingHandler : public CMC_Behaviour {
public:
    SelfRemovingHandler(CMC_ObjectsContainer* container, std::vector<std::string>* log)
        : CMC_Behaviour(container, CXString("DROPPER"), CXString())
        , log_(log)
    {
    }
    bool run(CMC_Object* caller, CXArray* params, bool) override
    {
        caller->removeBehaviour(CXString("ONRUNTIMEFAILED"));
        log_->push_back(std::string(caller->getName().c_str()) + ":" + params->stringAt(0)->c_str());
        return false;
    }

private:
    std::vector<std::string>* log_;
};

} // namespace

TEST_F(Conditions, HandlersAreTheFirstBindingsMadeWithTheCondition)
{
    CMC_BasicCondition* isFive = condition("ISFIVE");
    auto* note = static_cast<CMC_Behaviour*>(scene->getObject("NOTE"));
    // A binding added later is not a handler; removing the handler's binding leaves none.
    isFive->addBehaviour(CXString("ONRUNTIMESUCCESS"), note, nullptr, scene, false);
    stringNamed("LOG")->setValue(CXString());
    EXPECT_TRUE(isFive->valid(true));
    EXPECT_EQ(text("LOG"), "five+");
    isFive->removeBehaviour(CXString("ONRUNTIMESUCCESS"));
    EXPECT_TRUE(isFive->valid(true));
    EXPECT_EQ(text("LOG"), "five+");

    scene->addObject(new SelfRemovingHandler(scene, &log));
    auto element = makeElement("DROPS", {{"OPERAND1", "1"}, {"OPERAND2", "2"}, {"ONRUNTIMEFAILED", "DROPPER(gone)"}});
    auto* drops = new CMC_Condition(scene, element.get());
    scene->addObject(drops);
    drops->init();
    EXPECT_FALSE(drops->valid(true));
    EXPECT_FALSE(drops->valid(true));
    EXPECT_EQ(takeLog(), std::vector<std::string>{"DROPS:gone"});
}

TEST_F(Conditions, CompiledRecordsKeepTheTextsAndRecomputeTheOperator)
{
    using namespace std::string_literals;
    auto store = [&](CMC_Object* object) {
        {
            CFile file(nullptr, "record.bin", CFile::MODE_BINARY);
            CXArchive archive(&file, true);
            object->serialize(&archive);
        }
        return world.temp.read("record.bin");
    };
    // The object's record (its name, no bindings), then three texts.
    EXPECT_EQ(store(condition("LESSER")), "\x06\0\0\0LESSER\0\0\0\0\x01\0\0\0S\x01\0\0\0T\x04\0\0\0LESS"s);
    const std::string records = store(condition("LESSER")) + store(condition("EITHER"));

    CFile_Stream file(records.data(), static_cast<int>(records.size()));
    CXArchive in(&file, false);
    auto* lesser = new CMC_Condition(scene);
    EXPECT_EQ(lesser->getName(), "temp");
    lesser->serialize(&in);
    auto* either = new CMC_ComplexCondition(scene);
    either->serialize(&in);
    EXPECT_FALSE(in.failed());
    EXPECT_EQ(lesser->getName(), "LESSER");
    EXPECT_EQ(lesser->getOperatorCode(), CMC_Condition::OP_LESS);
    EXPECT_EQ(either->getOperatorCode(), CMC_ComplexCondition::OP_OR);
    // The read objects take the place of the definition's ones, with their handlers bound
    // again; a CONDITION read so has the behaviour its operands need.
    for (CMC_BasicCondition* read : {static_cast<CMC_BasicCondition*>(lesser), static_cast<CMC_BasicCondition*>(either)}) {
        read->setScene(scene);
        scene->addObject(read);
        read->initializeBehaviours(scene, nullptr);
        read->init();
    }
    stringNamed("S")->setValue(CXString("ABC"));
    stringNamed("T")->setValue(CXString("abc"));
    EXPECT_TRUE(lesser->valid(true));
    integerNamed("A")->setValue(4);
    EXPECT_TRUE(either->valid(true));
}
