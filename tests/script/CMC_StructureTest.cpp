#include "script/CMC_Structure.h"

#include "foundation/CFile_Stream.h"

#include "DataObjects.h"

using namespace std::string_literals;

namespace {

class Structures : public DataObjects {
protected:
    CMC_Structure* point(const char* name = "PT")
    {
        return define<CMC_Structure>(name, {{"FIELDS", "X<INTEGER>,Y<INTEGER>,NAME<string>"}});
    }

    // The fields as "NAME:TYPE=text".
    static std::string fieldsOf(CMC_Structure* structure)
    {
        std::string text;
        for (int i = 0; i < structure->getFieldsCount(); ++i) {
            CMC_Variable* field = structure->getField(i);
            text += std::string(i > 0 ? " " : "") + field->getName().c_str() + ":" +
                    CMC_Object::typeToString(field->getType()).c_str() + "=" + field->toString().c_str();
        }
        return text;
    }
};

} // namespace

TEST_F(Structures, FieldsAreDeclaredByNameAndType)
{
    struct Case {
        const char* fields;
        const char* declared;
    };
    const Case cases[] = {
        {"X<INTEGER>,NAME<string>", "S_X:INTEGER=0 S_NAME:STRING="},
        {"A<INTEGER>,B<FLOAT>,C<Bool>,D<double>", "S_A:INTEGER=0 S_C:BOOL=FALSE S_D:DOUBLE=0.00000"},
        {"PLAIN,A>B<,<INTEGER>,E<INTEGER", "S_:INTEGER=0"},
        {"", ""},
    };
    for (const Case& test : cases)
        EXPECT_EQ(fieldsOf(define<CMC_Structure>("S", {{"FIELDS", test.fields}})), test.declared) << test.fields;
    EXPECT_EQ(point()->getType(), CMC_Object::TYPE_STRUCTURE);
}

TEST_F(Structures, TheTextFormJoinsTheFieldsWithBars)
{
    CMC_Structure* pt = point();
    pt->fromString(CXString("3|4|home|extra"));
    EXPECT_EQ(pt->toString(), "3|4|home");
    pt->fromString(CXString("5\n6"));
    EXPECT_EQ(pt->toString(), "5|6|home");
    EXPECT_EQ(define<CMC_Structure>("EMPTY")->toString(), "");
}

TEST_F(Structures, FieldsAreFoundByTheTextAfterTheLastUnderscore)
{
    CMC_Structure* s = define<CMC_Structure>("S", {{"FIELDS", "MY_X<INTEGER>,X<STRING>"}});
    run("S^SET(1,\"one\");");
    EXPECT_EQ(fieldsOf(s), "S_MY_X:INTEGER=1 S_X:STRING=one");
    EXPECT_EQ(call(s, "GETFIELD", {S("X")}), "INTEGER 1");
    EXPECT_EQ(call(s, "GETFIELD", {S("MY_X")}), "none");
    EXPECT_EQ(call(s, "GETFIELD", {I(1)}), "STRING one");
    for (int position : {2, -1})
        EXPECT_EQ(call(s, "GETFIELD", {I(position)}), "none");
    EXPECT_EQ(call(s, "GETFIELD"), "none");
    run("S^SETFIELD(X,7);S^SETFIELD(NOSUCH,8);S^SETFIELD(X);");
    EXPECT_EQ(s->toString(), "7|one");
}

TEST_F(Structures, SetCopiesAnotherStructureOrTakesValuesInOrder)
{
    CMC_Structure* pt = point();
    CMC_Structure* other = point("OTHER");
    CMC_Structure* narrow = define<CMC_Structure>("NARROW", {{"FIELDS", "A<STRING>"}});
    integer("N", 3);
    run("OTHER^SET(1,2,\"b\",99);PT^SET(OTHER);");
    EXPECT_EQ(pt->toString(), "1|2|b");
    EXPECT_TRUE(pt->equals(other));
    EXPECT_FALSE(pt->equals(static_cast<CMC_Variable*>(I(1))));

    // Structures of other field counts meet on the fields that both have.
    run("NARROW^SET(PT);PT^SET(9,9,\"c\");PT^SET(NARROW);");
    EXPECT_EQ(narrow->toString(), "1");
    EXPECT_EQ(pt->toString(), "1|9|c");
    EXPECT_TRUE(narrow->equals(pt));
    // One argument names a structure; anything else sets nothing.
    run("PT^SET(N);PT^SET(NOSUCH);PT^SET();");
    EXPECT_EQ(pt->toString(), "1|9|c");
}

TEST_F(Structures, ClonesAreDeepAndMappedStructuresShareTheirFields)
{
    CMC_Structure* pt = point();
    pt->fromString(CXString("1|2|a"));
    std::unique_ptr<CMC_Structure> copy(static_cast<CMC_Structure*>(pt->clone()));
    EXPECT_EQ(fieldsOf(copy.get()), fieldsOf(pt));
    copy->setField(0, static_cast<CMC_Variable*>(I(5)));
    EXPECT_EQ(pt->toString(), "1|2|a");

    auto* view = new CMC_Structure(CXString("VIEW"));
    view->setScene(scene);
    scene->addObject(view);
    view->map(pt);
    run("VIEW^SETFIELD(Y,20);");
    EXPECT_EQ(pt->toString(), "1|20|a");
    run("PT^SETFIELD(NAME,\"b\");");
    EXPECT_EQ(view->toString(), "1|20|b");

    // The fields stay with the mapped structure when their first owner goes.
    auto* owner = new CMC_Structure(CXString("OWNER"));
    owner->declare(CXString("OWNER_V"), CXString("INTEGER"));
    CMC_Structure alias(CXString("ALIAS"));
    alias.map(owner);
    delete owner;
    alias.setField(CXString("V"), static_cast<CMC_Variable*>(I(4)));
    EXPECT_EQ(alias.toString(), "4");
    alias.flush();
    EXPECT_EQ(alias.getFieldsCount(), 0);
}

TEST_F(Structures, BehaviourCodeReachesFieldsWithABar)
{
    CMC_Structure* pt = point();
    auto* view = new CMC_Structure(CXString("VIEW"));
    scene->addObject(view);
    CMC_Behaviour* move = behaviour("MOVE", "PT|X^SET(5);N^SET(PT|X);VIEW|X^ADD(1);T^SET(PT|NAME);");
    integer("N", 0);
    string("T", "unchanged");
    std::unique_ptr<CMC_Structure> copy(static_cast<CMC_Structure*>(pt->clone()));
    pt->setField(CXString("NAME"), static_cast<CMC_Variable*>(S("p")));

    move->run(nullptr, nullptr, false);
    EXPECT_EQ(pt->toString(), "5|0|p");
    EXPECT_EQ(text("N"), "5");
    EXPECT_EQ(text("T"), "p");

    // The statements find the fields again once VIEW shares PT's.
    view->map(pt);
    move->run(nullptr, nullptr, false);
    EXPECT_EQ(pt->toString(), "6|0|p");
    EXPECT_EQ(copy->toString(), "0|0|");
    // A bar text that finds no field is a literal text.
    run("T^SET(NOSUCH|X);PT|NOSUCH^SET(1);");
    EXPECT_EQ(text("T"), "NOSUCH|X");
    EXPECT_EQ(pt->toString(), "6|0|p");
}

TEST_F(Structures, StoredFieldsReadBackOnlyIntoFieldsOfTheirTypes)
{
    CMC_Structure* pt = point();
    pt->fromString(CXString("-1|2|ab"));
    const std::string bytes = stored([pt](CXArchive& archive) { pt->store(&archive); });
    EXPECT_EQ(bytes, "\x01\0\0\0\xFF\xFF\xFF\xFF\x01\0\0\0\x02\0\0\0\x02\0\0\0\x02\0\0\0ab"s);

    CMC_Structure* read = point("READ");
    CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
    CXArchive archive(&file, false);
    read->restore(&archive);
    EXPECT_FALSE(archive.failed());
    EXPECT_EQ(read->toString(), "-1|2|ab");

    CMC_Structure* other = define<CMC_Structure>("OTHER", {{"FIELDS", "A<INTEGER>,B<BOOL>,C<STRING>"}});
    CFile_Stream again(bytes.data(), static_cast<int>(bytes.size()));
    CXArchive mismatched(&again, false);
    other->restore(&mismatched);
    EXPECT_TRUE(mismatched.failed());
    EXPECT_EQ(other->toString(), "-1|FALSE|");
}
