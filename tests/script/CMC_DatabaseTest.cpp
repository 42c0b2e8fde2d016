#include "script/CMC_Database.h"

#include "script/CMC_Structure.h"

#include "DataObjects.h"

namespace {

// A database of people with the model PERSON (AGE, then NAME, so that a line's last text is a
// name that would keep a carriage return).
class Databases : public DataObjects {
protected:
    Databases()
    {
        load("OBJECT=PERSON\nPERSON:TYPE=STRUCT\nPERSON:FIELDS=AGE<INTEGER>,NAME<STRING>\n"
             "OBJECT=PEOPLE\nPEOPLE:TYPE=DATABASE\nPEOPLE:MODEL=PERSON\n");
        db = dynamic_cast<CMC_Database*>(scene->getObject("PEOPLE"));
    }

    // Every row's text, separated by ";".
    std::string rows()
    {
        std::string texts;
        for (int i = 0; i < db->getRows(); ++i)
            texts += std::string(i > 0 ? ";" : "") + db->getRow(i)->toString().c_str();
        return texts;
    }
    // The cursor's position and the name that it reads.
    std::string cursor()
    {
        auto* shared = dynamic_cast<CMC_Structure*>(scene->getObject("PEOPLE_CURSOR"));
        CMC_Variable* name = shared != nullptr ? shared->getField(CXString("NAME")) : nullptr;
        return std::to_string(db->getCursorPos()) + ":" + (name != nullptr ? name->toString().c_str() : "-");
    }
    void loadRows(const char* lines)
    {
        world.temp.write("people.txt", lines);
        run("PEOPLE^LOAD(\"people.txt\");");
    }

    CMC_Database* db = nullptr;
};

} // namespace

TEST_F(Databases, LoadingAppendsEveryLineThatIsNotEmptyAndSelectsTheFirstRow)
{
    ASSERT_NE(db, nullptr);
    EXPECT_EQ(cursor(), "0:-");
    run("PERSON^SET(30, \"Ann\");PEOPLE^ADD(PERSON);");
    loadRows("41|Bob\r\n\r\n7|Cid\r\n");
    EXPECT_EQ(rows(), "30|Ann;41|Bob;7|Cid");
    EXPECT_EQ(cursor(), "0:Ann");
    EXPECT_EQ(call(db, "GETROWSNO"), "INTEGER 3");
    // Rows are copies: the model changes alone.
    run("PERSON^SET(1, \"Zed\");");
    EXPECT_EQ(rows(), "30|Ann;41|Bob;7|Cid");

    // Missing texts keep the model's values; texts beyond the fields are dropped.
    loadRows("5\n6|Eve|extra");
    EXPECT_EQ(rows(), "30|Ann;41|Bob;7|Cid;5|Zed;6|Eve");
    EXPECT_EQ(cursor(), "0:Ann");
    run("PEOPLE^LOAD(\"missing.txt\");");
    EXPECT_EQ(db->getRows(), 5);
}

TEST_F(Databases, AFieldSetThroughTheCursorIsTheRowsOwnAndIsSaved)
{
    loadRows("41|Bob\n7|Cid\n");
    run("PEOPLE^SELECT(1);PEOPLE_CURSOR^SETFIELD(\"AGE\", 8);PEOPLE^SAVE(\"saved.txt\");");
    EXPECT_EQ(rows(), "41|Bob;8|Cid");
    EXPECT_EQ(world.temp.read("saved.txt"), "41|Bob\n8|Cid\n");
    run("PEOPLE^REMOVEALL();PEOPLE^SAVE(\"saved.txt\");");
    EXPECT_EQ(world.temp.read("saved.txt"), "");
}

TEST_F(Databases, TheCursorWrapsAndFindMapsItWithoutMovingIt)
{
    loadRows("1|A\n2|B\n3|C\n");
    struct Step {
        const char* code;
        const char* cursor;
    };
    const Step steps[] = {
        {"PEOPLE^NEXT();", "1:B"},         {"PEOPLE^NEXT();PEOPLE^NEXT();", "0:A"}, {"PEOPLE^PREV();", "2:C"},
        {"PEOPLE^SELECT(3);", "2:C"},      {"PEOPLE^SELECT(-1);", "2:C"},           {"PEOPLE^FIND(NAME, B, 0);", "2:B"},
        {"PEOPLE^NEXT();", "0:A"},         {"PEOPLE^FIND(NAME, C, 3);", "0:A"},     {"PEOPLE^FIND(NAME, A, -1);", "0:A"},
        {"PEOPLE^FIND(AGE, 3, 1);", "0:C"},
    };
    for (const Step& step : steps) {
        run(step.code);
        EXPECT_EQ(cursor(), step.cursor) << step.code;
    }
    EXPECT_EQ(call(db, "FIND", {S("NAME"), S("b"), I(0)}), "INTEGER 1");
    EXPECT_EQ(call(db, "FIND", {S("NAME"), S("B"), I(2)}), "INTEGER -1");
    EXPECT_EQ(call(db, "FIND", {S("NOFIELD"), S("B"), I(0)}), "INTEGER -1");
    EXPECT_EQ(call(db, "FIND", {S("NAME"), S("B")}), "none");
    EXPECT_EQ(call(db, "GETCURSORPOS"), "INTEGER 0");
}

TEST_F(Databases, RemovingTheMappedRowUnmapsTheCursorAndIndicesOutOfRangeChangeNothing)
{
    loadRows("1|A\n1|B\n2|C\n");
    run("PEOPLE^REMOVE(AGE, 1);");
    EXPECT_EQ(rows(), "2|C");
    EXPECT_EQ(cursor(), "0:-");
    run("PEOPLE^SELECT(0);PEOPLE^REMOVEAT(0);");
    EXPECT_EQ(rows(), "");
    EXPECT_EQ(cursor(), "0:-");
    run("PEOPLE^NEXT();PEOPLE^PREV();PEOPLE^REMOVEAT(0);");
    EXPECT_EQ(cursor(), "0:-");

    run("PERSON^SET(9, \"Ida\");PEOPLE^INSERTAT(1, PERSON);PEOPLE^INSERTAT(-1, PERSON);PEOPLE^INSERTAT(0, PERSON);"
        "PERSON^SET(8, \"Hal\");PEOPLE^INSERTAT(0, PERSON);PEOPLE^INSERTAT(2, PERSON);PEOPLE^REMOVEAT(3);");
    EXPECT_EQ(rows(), "8|Hal;9|Ida;8|Hal");
    // Only a STRUCTURE of the container makes a row.
    integer("NUMBER", 4);
    run("PEOPLE^ADD(NUMBER);PEOPLE^ADD(NOBODY);PEOPLE^INSERTAT(0, NUMBER);");
    EXPECT_EQ(db->getRows(), 3);
}

TEST_F(Databases, AModelThatIsNoStructureMakesNoRows)
{
    integer("NUMBER", 4);
    auto* other = define<CMC_Database>("OTHER", {{"MODEL", "NUMBER"}});
    other->init();
    world.temp.write("people.txt", "1|A\n");
    EXPECT_FALSE(other->load(CXString("people.txt")));
    EXPECT_EQ(other->getRows(), 0);
    auto* none = define<CMC_Database>("NONE");
    none->init();
    EXPECT_FALSE(none->load(CXString("people.txt")));
    EXPECT_TRUE(none->save(CXString("none.txt")));
    EXPECT_EQ(world.temp.read("none.txt"), "");
}
