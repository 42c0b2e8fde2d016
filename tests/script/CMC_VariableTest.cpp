#include "script/CMC_Variable.h"

#include "foundation/CFile.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "script/CMC_Bool.h"
#include "script/CMC_Double.h"
#include "script/CMC_Integer.h"
#include "script/CMC_String.h"

#include "ScriptWorld.h"

#include <climits>
#include <functional>
#include <iterator>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace std::string_literals;

namespace {

class Values : public ::testing::Test {
protected:
    // A named value of the scene built from its definition.
    template <typename Type>
    Type* define(const char* name, std::initializer_list<std::pair<const char*, const char*>> properties)
    {
        auto element = makeElement(name, properties);
        auto* made = new Type(scene, element.get());
        scene->addObject(made);
        return made;
    }

    // The text and type of a pooled result, given back to its pool.
    static std::string describe(CMC_Variable* value)
    {
        if (value == nullptr)
            return "none";
        const std::string text = CXString(CMC_Object::typeToString(value->getType()) + " " + value->toString()).c_str();
        CMC_Object::flush(value, false);
        return text;
    }

    std::string stored(const std::function<void(CXArchive&)>& write)
    {
        {
            CFile file(nullptr, "value.bin", CFile::MODE_BINARY);
            CXArchive archive(&file, true);
            write(archive);
        }
        return world.temp.read("value.bin");
    }

    static std::string network(CMC_Variable* value)
    {
        std::string bytes(static_cast<size_t>(value->getBufferLen()), '?');
        value->netstore(bytes.data());
        return bytes;
    }

    ScriptWorld world;
    CMC_ObjectsContainer* scene = world.container("SCENE");
};

CMC_Integer* integer(int v)
{
    CMC_Integer* made = CMC_VariableFactory::allocInteger();
    made->setValue(v);
    return made;
}

CMC_String* text(const char* v)
{
    CMC_String* made = CMC_VariableFactory::allocString();
    made->setValue(CXString(v));
    return made;
}

CMC_Bool* boolean(bool v)
{
    CMC_Bool* made = CMC_VariableFactory::allocBool();
    made->setValue(v);
    return made;
}

CMC_Double* real(double v)
{
    CMC_Double* made = CMC_VariableFactory::allocDouble();
    made->setValue(v);
    return made;
}

} // namespace

TEST_F(Values, LiteralsOfBehaviourCodeBecomeTemporaries)
{
    const std::pair<const char*, const char*> literals[] = {
        {"-", "INTEGER 0"}, {"12abc", "INTEGER 12"}, {"007", "INTEGER 7"}, {"1.5", "DOUBLE 1.50000"},
        {"-.5", "DOUBLE -0.50000"}, {"TRUE", "BOOL TRUE"}, {"FALSE", "BOOL FALSE"}, {"true", "STRING true"},
        {"\"\"", "STRING "}, {"\"abc\"", "STRING abc"}, {"\"abc", "STRING abc"}, {"\"", "STRING "},
        {"", "STRING "}, {"HERO", "STRING HERO"}, {"a\"b\"", "STRING a\"b\""},
    };
    for (const auto& [literal, expected] : literals) {
        CMC_Variable* value = CMC_Variable::resolve(CXString(literal));
        EXPECT_GE(value->getId(), 0) << literal;
        EXPECT_EQ(describe(value), expected) << literal;
    }
}

TEST_F(Values, ConversionsFollowTheLeftTypesRules)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const std::tuple<CMC_Variable*, int, const char*> cases[] = {
        {integer(-5), 2, "STRING -5"},      {integer(0), 2, "STRING 0"},       {integer(-3), 3, "BOOL TRUE"},
        {integer(0), 3, "BOOL FALSE"},      {integer(7), 4, "DOUBLE 7.00000"}, {integer(7), 12, "none"},
        {text("42x"), 1, "INTEGER 42"},     {text("x42"), 1, "INTEGER 0"},     {text("TRUE"), 3, "BOOL TRUE"},
        {text("True"), 3, "BOOL TRUE"},     {text("yes"), 3, "BOOL FALSE"},    {text("1"), 3, "BOOL FALSE"},
        {text(" 2.5e1x"), 4, "DOUBLE 25.00000"},                               {text("a"), 5, "none"},
        {boolean(true), 1, "INTEGER 1"},    {boolean(false), 2, "STRING FALSE"}, {boolean(true), 4, "DOUBLE 1.00000"},
        {real(-2.7), 1, "INTEGER -2"},      {real(1e300), 1, "INTEGER 2147483647"}, {real(-1e300), 1, "INTEGER -2147483648"},
        {real(nan), 1, "INTEGER 0"},        {real(2), 2, "STRING 2.00000"},    {real(-0.5), 2, "STRING -0.50000"},
        {real(0.0), 3, "BOOL FALSE"},       {real(0.01), 3, "BOOL TRUE"},
    };
    for (const auto& [value, type, expected] : cases) {
        const std::string source = value->toString().c_str();
        EXPECT_EQ(describe(value->convert(type)), expected) << source << " to " << type;
    }
    CMC_Integer* same = integer(3);
    EXPECT_EQ(same->convert(1), same);
}

TEST_F(Values, ArithmeticTable)
{
    using V = CMC_Variable;
    const std::tuple<CMC_Variable*, CMC_Variable*, int, const char*> cases[] = {
        {integer(6), integer(7), V::OP_MUL, "INTEGER 42"},
        {integer(3), integer(10), V::OP_SUB, "INTEGER -7"},
        {integer(7), integer(-2), V::OP_DIV, "INTEGER -3"},
        {integer(-7), integer(2), V::OP_MOD, "INTEGER -1"},
        {integer(INT_MAX), integer(1), V::OP_ADD, "INTEGER -2147483648"},
        {integer(INT_MIN), integer(2), V::OP_MUL, "INTEGER 0"},
        {integer(5), integer(0), V::OP_DIV, "INTEGER 0"},
        {integer(5), integer(0), V::OP_MOD, "INTEGER 0"},
        {integer(INT_MIN), integer(-1), V::OP_DIV, "INTEGER -2147483648"},
        {integer(INT_MIN), integer(-1), V::OP_MOD, "INTEGER 0"},
        {integer(5), integer(1), 9, "INTEGER 0"},
        {integer(5), text("10"), V::OP_ADD, "INTEGER 15"},
        {integer(5), real(2.9), V::OP_MUL, "INTEGER 10"},
        {text("ab"), integer(5), V::OP_ADD, "STRING ab5"},
        {text("ab"), integer(5), V::OP_SUB, "STRING ab"},
        {text("ab"), boolean(true), V::OP_ADD, "STRING abTRUE"},
        {text("ab"), text("c"), 9, "STRING ab"},
        {boolean(true), boolean(false), V::OP_ADD, "BOOL FALSE"},
        {boolean(true), boolean(false), V::OP_MUL, "BOOL TRUE"},
        {boolean(true), boolean(false), V::OP_SUB, "BOOL TRUE"},
        {boolean(true), text("true"), V::OP_ADD, "BOOL TRUE"},
        {boolean(true), boolean(true), 9, "BOOL FALSE"},
        {real(1.5), integer(2), V::OP_ADD, "DOUBLE 3.50000"},
        {real(1), real(0.0), V::OP_DIV, "DOUBLE inf"},
        {real(-1), real(0.0), V::OP_DIV, "DOUBLE -inf"},
        {real(7.9), real(2.5), V::OP_MOD, "DOUBLE 1.00000"},
        {real(-7.5), integer(2), V::OP_MOD, "DOUBLE -1.00000"},
        {real(5), real(0.5), V::OP_MOD, "DOUBLE 0.00000"},
        {real(5), real(2), 9, "DOUBLE 0.00000"},
    };
    for (const auto& [left, right, op, expected] : cases) {
        const std::string shown = std::string(left->toString().c_str()) + " op" + std::to_string(op) + " " + right->toString().c_str();
        const int before = left->getType() == 1 ? static_cast<CMC_Integer*>(left)->getValue() : 0;
        EXPECT_EQ(describe(left->calculate(right, op)), expected) << shown;
        if (left->getType() == 1) {
            EXPECT_EQ(static_cast<CMC_Integer*>(left)->getValue(), before);
        }
    }
}

TEST_F(Values, ComparisonsConvertTheRightValue)
{
    CMC_Integer ten(10);
    CMC_String lower(CXString("a"), CXString("abc"));
    CMC_String polish(CXString("p"), CXString("\xB9"));
    CMC_Bool yes(true);
    CMC_Double half(0.5);

    EXPECT_TRUE(ten.equals(text("10")));
    EXPECT_FALSE(ten.equals(text("11")));
    EXPECT_EQ(ten.compare(real(10.9)), 0);
    EXPECT_EQ(ten.compare(integer(11)), -1);
    EXPECT_TRUE(lower.equals(text("ABC")));
    EXPECT_EQ(lower.compare(text("ABC")), 1);
    EXPECT_EQ(lower.compare(text("abcd")), -1);
    EXPECT_EQ(lower.compare(text("abc")), 0);
    EXPECT_EQ(lower.compare(text("ab\xE6")), -1);
    EXPECT_TRUE(polish.equals(text("\xA5")));
    EXPECT_EQ(yes.compare(boolean(false)), 1);
    EXPECT_EQ(CMC_Bool(false).compare(&yes), -1);
    EXPECT_TRUE(half.equals(text("0.5")));
    EXPECT_EQ(half.compare(integer(1)), -1);

    // Nothing to compare with: each type's answer.
    EXPECT_FALSE(ten.equals(static_cast<CMC_Variable*>(nullptr)));
    EXPECT_EQ(ten.compare(static_cast<CMC_Variable*>(nullptr)), 1);
    EXPECT_EQ(lower.compare(static_cast<CMC_Variable*>(nullptr)), -1);
    EXPECT_EQ(yes.compare(static_cast<CMC_Variable*>(nullptr)), -1);
    EXPECT_EQ(half.compare(static_cast<CMC_Variable*>(nullptr)), -1);
    CMC_Object plain(CXString("P"), 0);
    EXPECT_EQ(ten.compare(static_cast<CXObject*>(&plain)), 1);
    EXPECT_EQ(ten.compare(static_cast<CXObject*>(integer(10))), 0);
}

TEST_F(Values, OnlyRealChangesAreReportedAsChanges)
{
    world.behaviour(scene, "BRUTAL");
    world.behaviour(scene, "CHANGED");
    const std::initializer_list<std::pair<const char*, const char*>> handlers = {{"ONBRUTALCHANGED", "BRUTAL"},
                                                                                  {"ONCHANGED", "CHANGED"}};
    auto* number = define<CMC_Integer>("N", handlers);
    auto* words = define<CMC_String>("S", handlers);
    auto* flag = define<CMC_Bool>("B", handlers);
    auto* ratio = define<CMC_Double>("D", handlers);

    const std::pair<std::function<void()>, const char*> cases[] = {
        {[&] { number->setValue(5); }, "B"},            {[&] { number->set(integer(5)); }, "B"},
        {[&] { number->set(text("6")); }, "BC"},        {[&] { number->inc(); }, "BC"},
        {[&] { number->dec(); }, "BC"},                 {[&] { number->clear(); }, "BC"},
        {[&] { number->clear(); }, "B"},                {[&] { number->swap(integer(0), integer(4)); }, "BC"},
        {[&] { number->swap(integer(0), integer(4)); }, "BC"}, {[&] { number->resetINI(); }, ""},
        {[&] { number->fromString(CXString("9")); }, ""},
        {[&] { words->setValue(CXString("x")); }, "B"}, {[&] { words->set(text("x")); }, "B"},
        {[&] { words->set(text("X")); }, "BC"},         {[&] { words->inc(); }, ""},
        {[&] { words->upper(); }, ""},                  {[&] { words->swap(text("x"), text("y")); }, "BC"},
        {[&] { words->clear(); }, "BC"},                {[&] { words->clear(); }, "B"},
        {[&] { flag->set(boolean(false)); }, "B"},      {[&] { flag->swap(nullptr, nullptr); }, "BC"},
        {[&] { flag->inc(); }, "BC"},                   {[&] { flag->dec(); }, "BC"},
        {[&] { flag->clear(); }, "BC"},                 {[&] { flag->clear(); }, "B"},
        {[&] { ratio->set(real(0.0)); }, "B"},          {[&] { ratio->inc(); }, "BC"},
        {[&] { ratio->set(text("abc")); }, "BC"},       {[&] { ratio->setValue(4.0); }, "B"},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        cases[i].first();
        std::string reports;
        for (const std::string& run : world.takeLog())
            reports += run[0];
        EXPECT_EQ(reports, cases[i].second) << "case " << i;
    }
    EXPECT_EQ(number->getValue(), 9);
    EXPECT_EQ(words->getValue(), "");
    EXPECT_DOUBLE_EQ(ratio->getValue(), 4.0);
}

TEST_F(Values, SwitchTogglesBetweenTwoValues)
{
    CMC_Integer number(CXString("N"));
    number.swap(integer(0), integer(4));
    EXPECT_EQ(number.getValue(), 4);
    number.swap(integer(0), integer(4));
    EXPECT_EQ(number.getValue(), 0);
    CMC_String word(CXString("W"), CXString("abc"));
    word.swap(text("ABC"), text("x"));
    EXPECT_EQ(word.getValue(), "ABC");
    CMC_Double ratio(CXString("D"));
    ratio.swap(text("0"), real(1.5));
    EXPECT_DOUBLE_EQ(ratio.getValue(), 1.5);
}

TEST_F(Values, AParameterisedHandlerHidesThePlainOne)
{
    world.behaviour(scene, "FIVE");
    world.behaviour(scene, "OTHER");
    auto* number = define<CMC_Integer>("N", {{"ONCHANGED^5", "FIVE"}, {"ONCHANGED", "OTHER"}});
    number->set(integer(5));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"FIVE()"}));
    number->set(integer(6));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"OTHER()"}));
    number->setValue(7);
    EXPECT_TRUE(world.takeLog().empty());
}

TEST_F(Values, ANetworkValueIsReportedButNotAnnouncedAgain)
{
    world.behaviour(scene, "NET");
    world.behaviour(scene, "CHANGED");
    auto* number = define<CMC_Integer>("N", {{"TOINI", "TRUE"}, {"ONNETCHANGE", "NET"}, {"ONCHANGED", "CHANGED"}});
    EXPECT_TRUE(number->isToIni());
    EXPECT_TRUE(number->isNetNotify());
    EXPECT_TRUE(define<CMC_Bool>("F", {{"NETNOTIFY", "true"}})->isNetNotify());
    EXPECT_FALSE(define<CMC_Bool>("G", {})->isNetNotify());

    number->onNetChange(integer(3));
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"NET()", "CHANGED()"}));
    EXPECT_TRUE(number->isNetNotify());
    EXPECT_NE(world.temp.read("game.ini").find("N=3"), std::string::npos);
}

TEST_F(Values, DefinitionsGiveValueAndDefault)
{
    EXPECT_EQ(define<CMC_Integer>("I", {{"VALUE", "4"}})->getValue(), 4);
    auto* withDefault = define<CMC_Integer>("J", {{"VALUE", "4"}, {"DEFAULT", "9"}, {"TOINI", "TRUE"}});
    withDefault->resetINI();
    EXPECT_EQ(withDefault->getValue(), 9);
    auto* emptyDefault = define<CMC_String>("S", {{"VALUE", "a b"}, {"DEFAULT", ""}, {"TOINI", "TRUE"}});
    emptyDefault->setValue(CXString("z"));
    emptyDefault->resetINI();
    EXPECT_EQ(emptyDefault->getValue(), "a b");
    auto* flag = define<CMC_Bool>("B", {{"VALUE", "TRUE"}});
    flag->clear();
    flag->resetINI();
    EXPECT_FALSE(flag->getValue());
    EXPECT_DOUBLE_EQ(define<CMC_Double>("D", {{"VALUE", "2.5"}})->getValue(), 2.5);
}

TEST_F(Values, ClonesCopyTheValue)
{
    auto* number = define<CMC_Integer>("N", {{"VALUE", "4"}, {"DEFAULT", "9"}});
    number->clone(1);
    auto* copy = static_cast<CMC_Integer*>(scene->getObject("N_1"));
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->isClone());
    EXPECT_EQ(copy->getValue(), 4);
    auto* words = define<CMC_String>("S", {{"VALUE", "abc"}});
    words->clone(1);
    EXPECT_EQ(static_cast<CMC_String*>(scene->getObject("S_1"))->getValue(), "abc");
}

TEST_F(Values, NetworkFormsAreByteExact)
{
    EXPECT_EQ(network(integer(-2)), "\x01\0\0\0\xFE\xFF\xFF\xFF"s);
    EXPECT_EQ(network(text("ab")), "\x02\0\0\0ab\0"s);
    EXPECT_EQ(network(text("")), "\x02\0\0\0\0"s);
    EXPECT_EQ(network(boolean(true)), "\x03\0\0\0\x01"s);
    EXPECT_EQ(network(real(1.5)), "\x04\0\0\0\0\0\0\0\0\0\xF8\x3F"s);

    const std::pair<std::string, const char*> forms[] = {
        {"\x01\0\0\0\xFE\xFF\xFF\xFF"s, "INTEGER -2"},
        {"\x02\0\0\0ab\0zz"s, "STRING ab"},
        {"\x03\0\0\0\x02"s, "BOOL FALSE"},
        {"\x04\0\0\0\x9A\x99\x99\x99\x99\x99\xB9\x3F"s, "DOUBLE 0.10000"},
        {"\x01\0\0\0\xFE\xFF\xFF"s, "none"},
        {"\x02\0\0\0ab"s, "none"},
        {"\x02\0\0\0"s, "none"},
        {"\x03\0\0\0"s, "none"},
        {"\x04\0\0\0\0\0\0\0\0\0\xF8"s, "none"},
        {"\x05\0\0\0\0\0\0\0"s, "none"},
        {"\x01\0\0"s, "none"},
    };
    for (const auto& [bytes, expected] : forms)
        EXPECT_EQ(describe(CMC_VariableFactory::netrestore(bytes.data(), static_cast<int>(bytes.size()))), expected);
    EXPECT_EQ(CMC_VariableFactory::netrestore(nullptr, 8), nullptr);

    CMC_Double exact(CXString("D"));
    const std::string third = network(real(1.0 / 3.0));
    ASSERT_TRUE(exact.netrestore(third.data(), static_cast<int>(third.size())));
    EXPECT_EQ(exact.getValue(), 1.0 / 3.0);
}

TEST_F(Values, ArchivedFormsAreByteExact)
{
    EXPECT_EQ(stored([](CXArchive& a) { integer(7)->store(&a); }), "\x01\0\0\0\x07\0\0\0"s);
    EXPECT_EQ(stored([](CXArchive& a) { text("ab")->store(&a); }), "\x02\0\0\0\x02\0\0\0ab"s);
    EXPECT_EQ(stored([](CXArchive& a) { boolean(true)->store(&a); }), "\x03\0\0\0\x01\0\0\0"s);
    EXPECT_EQ(stored([](CXArchive& a) { real(1.2345)->store(&a); }), "\x04\0\0\0\xD2\x04\0\0"s);

    const std::pair<std::string, const char*> records[] = {
        {"\x01\0\0\0\xF9\xFF\xFF\xFF"s, "INTEGER -7"},
        {"\x02\0\0\0\x01\0\0\0x"s, "STRING x"},
        {"\x03\0\0\0\x02\0\0\0"s, "BOOL TRUE"},
        {"\x04\0\0\0\xFF\xFF\xFF\xFF"s, "DOUBLE -0.00100"},
        {"\x04\0\0\0\xD2\x04\0\0"s, "DOUBLE 1.23400"},
        {"\x09\0\0\0\x01\0\0\0"s, "none"},
        {"\x02\0\0\0\x09\0\0\0x"s, "none"},
        {"\x01\0\0\0\x07\0"s, "none"},
        {"\x01\0"s, "none"},
    };
    for (const auto& [bytes, expected] : records) {
        CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
        CXArchive archive(&file, false);
        EXPECT_EQ(describe(CMC_VariableFactory::restore(&archive)), expected);
    }
}

TEST_F(Values, CompiledSceneRecordsRoundTrip)
{
    auto* number = define<CMC_Integer>("N", {{"VALUE", "-2"}, {"DEFAULT", "5"}, {"TOINI", "TRUE"}});
    auto* flag = define<CMC_Bool>("B", {{"VALUE", "TRUE"}, {"NETNOTIFY", "TRUE"}});
    auto* ratio = define<CMC_Double>("D", {{"VALUE", "1.2345"}, {"DEFAULT", "-0.0015"}});
    auto* words = define<CMC_String>("S", {{"VALUE", "ab"}, {"DEFAULT", "c"}});

    EXPECT_EQ(stored([&](CXArchive& a) { number->serialize(&a); }),
              "\x01\0\0\0N\0\0\0\0\x01\x01\xFE\xFF\xFF\xFF\x05\0\0\0"s);
    EXPECT_EQ(stored([&](CXArchive& a) { flag->serialize(&a); }), "\x01\0\0\0B\0\0\0\0\x00\x01\x01\x01"s);
    EXPECT_EQ(stored([&](CXArchive& a) { ratio->serialize(&a); }),
              "\x01\0\0\0D\0\0\0\0\0\0\xD2\x04\0\0\xFF\xFF\xFF\xFF"s);
    const std::string bytes = stored([&](CXArchive& a) { words->serialize(&a); });
    EXPECT_EQ(bytes, "\x01\0\0\0S\0\0\0\0\0\0\x02\0\0\0ab\x01\0\0\0c"s);

    CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
    CXArchive archive(&file, false);
    CMC_String read{CXString()};
    read.serialize(&archive);
    EXPECT_FALSE(archive.failed());
    EXPECT_EQ(read.getName(), "S");
    EXPECT_EQ(read.getValue(), "ab");
    EXPECT_FALSE(read.isToIni());
}
