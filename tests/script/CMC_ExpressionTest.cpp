#include "script/CMC_Expression.h"

#include "foundation/CFile_Memory.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "script/CMC_Double.h"
#include "script/CMC_RecordFactory.h"

#include "Interpreter.h"
#include "RecordBytes.h"

#include <climits>
#include <memory>

namespace {

class Expressions : public Interpreter {
protected:
    Expressions()
    {
        probe("P");
        integer("A", 1);
        integer("B", 2);
        integer("C", 3);
        string("S", "ab");
    }

    // The text of the value an expression computes now, "<none>" without one.
    std::string value(const char* text)
    {
        CMC_Expression expression(scene, CXString(text));
        expression.calculate();
        CMC_Variable* result = expression.getResult();
        return result != nullptr ? result->toString().c_str() : "<none>";
    }
};

} // namespace

TEST_F(Expressions, ChainsGoStrictlyFromLeftToRight)
{
    struct Case {
        const char* text;
        const char* value;
    };
    const Case cases[] = {
        {"1+2*3", "9"},       {"A+B*C", "9"},         {"7%4", "3"},          {"7@2", "3"},
        {"[A+B]*[C+C]", "18"}, {"2*[A+B]", "6"},      {"-5", "<none>"},      {"5-", "5"},
        {"S+A", "ab1"},       {"S*A", "ab"},          {"A+S", "1"},          {"1.5+1", "2.50000"},
        {"[A+B", "temp"},     {"A+NOSUCH", "1"},      {"P+1", "<none>"},     {"1+P", "<none>"},
        {"5@0", "0"},         {"P^GIVE(4)*B", "8"},   {"A", "1"},            {"", "<none>"},
    };
    // An operator first gives an empty first operand, which has no value; unbalanced brackets
    // make one operand, whose statement gives its own expression.
    for (const Case& c : cases)
        EXPECT_EQ(value(c.text), c.value) << c.text;
    takeLog();
}

TEST_F(Expressions, ValuesAreComputedAtEveryReadAndOperandsCompiledOnce)
{
    CMC_Expression expression(scene, CXString("A+P^GIVE(B)"));
    EXPECT_EQ(expression.getResult(), nullptr);
    expression.calculate();
    CMC_Variable* first = expression.getResult();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(expression.getResult(), first);
    EXPECT_EQ(first->toString(), "3");
    static_cast<CMC_Integer*>(scene->getObject("B"))->setValue(10);
    expression.calculate();
    EXPECT_EQ(expression.getResult()->toString(), "11");
    EXPECT_EQ(takeLog(), (std::vector<std::string>{"P.GIVE(2)", "P.GIVE(10)"}));

    // A single operand gives the variable itself; a fresh value handed over is deleted when
    // the next value is computed.
    CMC_Expression single(scene, CXString("A"));
    single.calculate();
    EXPECT_EQ(single.getResult(), scene->getObject("A"));
    CMC_Expression fresh(scene, CXString("P^FRESH()"));
    fresh.calculate();
    fresh.calculate();
    EXPECT_EQ(fresh.getResult()->toString(), "7");
    takeLog();
}

// Chains that begin with an INTEGER are computed in machine integers; step by step with the
// values' own calculate they give the same, whatever comes along.
TEST_F(Expressions, IntegerChainsAgreeWithStepByStepCalculation)
{
    const int numbers[] = {INT_MIN, -7, -1, 0, 1, 3, INT_MAX};
    const char operators[] = {'+', '-', '*', '@', '%'};
    CMC_Integer* x = integer("X", 0);
    CMC_Integer* y = integer("Y", 0);
    CMC_Double* d = new CMC_Double(CXString("D"));
    d->setValue(2.75);
    d->setScene(scene);
    scene->addObject(d);
    string("T", "12abc");
    for (int a : numbers) {
        for (int b : numbers) {
            x->setValue(a);
            y->setValue(b);
            for (char op : operators) {
                for (const char* third : {"Y", "D", "T", "3"}) {
                    const std::string text = std::string("X") + op + "Y" + op + third;
                    CMC_Variable* t = scene->getObject(third) != nullptr ? scene->getObject(third)->asVariable()
                                                                         : CMC_Variable::resolve(CXString(third));
                    const int code = CMC_Expression::operatorCode(CXString(static_cast<int>(op)));
                    CMC_Variable* step = x->calculate(y, code);
                    CMC_Variable* expected = step->calculate(t, code);
                    EXPECT_EQ(value(text.c_str()), expected->toString().c_str()) << text << " with " << a << ", " << b;
                    CMC_Object::flush(step, false);
                    CMC_Object::flush(expected, false);
                    CMC_Object::flush(t, false);
                }
            }
        }
    }
}

TEST_F(Expressions, DefinitionsAndTheOperationsOfAValue)
{
    auto element = makeElement("E", {{"TYPE", "EXPRESSION"}, {"OPERAND1", "B"}, {"OPERATOR", "MUL"}, {"OPERAND2", "[C+0]"}});
    CMC_Expression expression(scene, element.get());
    // Operators inside a property's operand are not split: "C+1" is one literal text.
    auto whole = makeElement("W", {{"TYPE", "EXPRESSION"}, {"OPERAND1", "B"}, {"OPERATOR", "*"}, {"OPERAND2", "C+1"}});
    CMC_Expression unsplit(scene, whole.get());
    unsplit.init();
    unsplit.calculate();
    EXPECT_EQ(unsplit.getResult()->toString(), "0");
    EXPECT_EQ(expression.getName(), "E");
    expression.calculate();
    EXPECT_EQ(expression.getResult(), nullptr);
    expression.init();
    CMC_Integer six(6);
    EXPECT_TRUE(expression.equals(&six));
    CMC_String text(CXString("t"), CXString("6"));
    EXPECT_TRUE(expression.equals(&text));
    EXPECT_EQ(expression.compare(&six), 0);
    EXPECT_EQ(expression.compare(nullptr), -1);
    EXPECT_FALSE(expression.equals(nullptr));
    CMC_Variable* asText = expression.convert(CMC_Object::TYPE_STRING);
    EXPECT_EQ(asText->toString(), "6");
    CMC_Variable* doubled = expression.calculate(&six, CMC_Variable::OP_ADD);
    EXPECT_EQ(doubled->toString(), "12");
    std::unique_ptr<CXObject> copy(expression.clone());
    EXPECT_EQ(static_cast<CMC_Integer*>(copy.get())->getValue(), 6);

    // Assignments leave it as it is; its text is its name.
    expression.set(&text);
    expression.inc();
    expression.calculate();
    EXPECT_EQ(expression.getResult()->toString(), "6");
    EXPECT_EQ(expression.toString(), "E");
    EXPECT_EQ(expression.getBufferLen(), 0);

    const std::pair<const char*, int> words[] = {{"+", 1}, {"ADD", 1}, {"-", 2}, {"SUB", 2}, {"*", 3}, {"MUL", 3},
                                                 {"@", 4}, {"DIV", 4}, {"%", 5}, {"MOD", 5}, {"add", 0}, {"/", 0}};
    for (const auto& [word, code] : words)
        EXPECT_EQ(CMC_Expression::operatorCode(CXString(word)), code) << word;
}

TEST_F(Expressions, BracketsInCodeAreExpressionsReadByMethods)
{
    run("A^SET([B+C*2]);P^CALL([A+0],[S+\"c\"]);");
    EXPECT_EQ(text("A"), "10");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(10,abc)"});
    // A bracket statement gives its own expression.
    CMC_Behaviour_Entry statement(behaviour("OWNER", ""), CXString("[A+1]"));
    CMC_Object* own = statement.run(nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->getType(), CMC_Object::TYPE_EXPRESSION);
    EXPECT_EQ(statement.run(nullptr, nullptr), own);
}

// An operator first, or two in a row, leave an empty operand: the chain has no value, and a
// method given it changes nothing.
TEST_F(Expressions, EmptyOperandsGiveNoValue)
{
    integer("N", 99);
    string("T", "keep");
    run("N^SET([-5]);T^SET([-5]);N^SET([1--1]);P^CALL([-5],[1--1],[A*-1]);");
    EXPECT_EQ(text("N"), "99");
    EXPECT_EQ(text("T"), "keep");
    EXPECT_EQ(takeLog(), std::vector<std::string>{"P.CALL(-,-,-)"});
    // So does an empty operand of a definition.
    auto element = makeElement("E", {{"TYPE", "EXPRESSION"}, {"OPERAND1", ""}, {"OPERATOR", "SUB"}, {"OPERAND2", "5"}});
    CMC_Expression expression(scene, element.get());
    expression.init();
    expression.calculate();
    EXPECT_EQ(expression.getResult(), nullptr);
}

// A compiled scene's record of a definition's expression carries its operands and operator as
// notes: read back and compiled, it computes what the definition's does. A record without the
// notes, written before they were kept, gives an expression without a value.
TEST_F(Expressions, RecordsKeepTheOperandsAndTheOperator)
{
    auto element = makeElement("E", {{"TYPE", "EXPRESSION"}, {"OPERAND1", "[B*C]"}, {"OPERATOR", "-"}, {"OPERAND2", "-7"}});
    CMC_Expression stored(scene, element.get());
    CFile_Memory memory;
    CXArchive written(&memory, true);
    stored.serialize(&written);
    const std::string record = memory.contents();
    using RecordBytes::i32;
    using RecordBytes::text;
    EXPECT_EQ(record, text("E") + i32(3) + text("{OPERAND1}") + text("[B*C]") + i32(1) + text("")
                          + text("{OPERATOR}") + text("2") + i32(1) + text("") + text("{OPERAND2}") + text("-7")
                          + i32(1) + text("") + RecordBytes::flag(false) + RecordBytes::flag(false));

    for (const std::string& bytes : {record, RecordBytes::objectRecord("E") + std::string(2, '\0')}) {
        CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
        CXArchive archive(&file, false);
        std::unique_ptr<CMC_Object> read(CMC_RecordFactory::create(CMC_Object::TYPE_EXPRESSION, scene));
        read->serialize(&archive);
        ASSERT_FALSE(archive.failed());
        read->init();
        auto* expression = static_cast<CMC_Expression*>(read.get());
        expression->calculate();
        if (bytes == record)
            EXPECT_EQ(expression->getResult()->toString(), "13");
        else
            EXPECT_EQ(expression->getResult(), nullptr);
        EXPECT_EQ(expression->getBehaviour("{OPERAND1}"), nullptr);
    }
}
