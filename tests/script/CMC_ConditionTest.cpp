#include "script/CMC_Condition.h"

#include "script/CMC_Expression.h"

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
