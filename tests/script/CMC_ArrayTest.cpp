#include "script/CMC_Array.h"

#include "foundation/CConfig.h"
#include "foundation/CFile_Stream.h"
#include "script/CMC_Structure.h"

#include "DataObjects.h"

#include <set>

using namespace std::string_literals;

namespace {

class Arrays : public DataObjects {
protected:
    CMC_Array* array(const char* name, std::initializer_list<CMC_Object*> values = {})
    {
        auto* made = new CMC_Array(scene, CXString(name));
        scene->addObject(made);
        for (CMC_Object* value : values)
            made->add(value->asVariable());
        return made;
    }

    // The elements as "TYPE text", joined by ",".
    static std::string elementsOf(CMC_Array* array)
    {
        std::string text;
        for (int i = 0; i < array->getSize(); ++i)
            text += (i > 0 ? "," : "") + describe(array->get(i));
        return text;
    }

    // The texts only.
    static std::string textOf(CMC_Array* array) { return array->toString().c_str(); }

    // An array that reports its changes to the behaviour REC under the binding name.
    CMC_Array* watched(const char* binding)
    {
        world.behaviour(scene, "REC");
        CMC_Array* made = define<CMC_Array>("W", {{"SENDONCHANGE", "TRUE"}, {binding, "REC"}});
        return made;
    }
};

} // namespace

TEST_F(Arrays, ElementsAreTheArraysOwnCopies)
{
    CMC_Integer* source = integer("SOURCE", 4);
    CMC_Array* a = array("A", {source, S("x")});
    source->setValue(9);
    EXPECT_EQ(elementsOf(a), "INTEGER 4,STRING x");
    EXPECT_NE(a->get(0), source);
    EXPECT_EQ(a->get(2), nullptr);
    EXPECT_EQ(a->get(-1), nullptr);

    std::unique_ptr<CMC_Array> copy(static_cast<CMC_Array*>(a->clone()));
    EXPECT_EQ(copy->getName(), "cloned");
    EXPECT_EQ(textOf(copy.get()), "4,x");
    EXPECT_NE(copy->get(0), a->get(0));

    // CLONE registers copies of the whole array.
    run("A^CLONE(1);");
    auto* clone = static_cast<CMC_Array*>(scene->getObject("A_1"));
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(textOf(clone), "4,x");
}

TEST_F(Arrays, SavedFilesHaveTheirFixedBytesAndReadBack)
{
    CMC_Array* a = array("A", {I(7), S("ab")});
    run("A^SAVE(\"a.dat\");");
    EXPECT_EQ(world.temp.read("a.dat"), "\x02\0\0\0\x01\0\0\0\x07\0\0\0\x02\0\0\0\x02\0\0\0ab"s);

    CMC_Array* b = array("B", {I(1)});
    run("B^LOAD(\"a.dat\");");
    EXPECT_EQ(elementsOf(b), "INTEGER 7,STRING ab");
    EXPECT_TRUE(a->compareArr(b));

    // DOUBLE in thousandths, BOOL as 32 bits; values the file cannot hold are left out.
    CMC_Structure structure{CXString("S")};
    CMC_Array* c = array("C", {D(1.5), &structure, B(true)});
    ASSERT_EQ(c->getSize(), 3);
    c->save(CXString("c.dat"));
    EXPECT_EQ(world.temp.read("c.dat"), "\x02\0\0\0\x04\0\0\0\xDC\x05\0\0\x03\0\0\0\x01\0\0\0"s);
}

TEST_F(Arrays, DamagedFilesLoadWhatIsWhole)
{
    const std::string seven = "\x01\0\0\0\x07\0\0\0"s;
    struct Case {
        const char* name;
        std::string bytes;
        const char* loaded;
    };
    const Case cases[] = {
        {"truncated in the second record", "\x02\0\0\0"s + seven + "\x02\0\0\0\x09\0\0\0a"s, "INTEGER 7"},
        {"unknown type id", "\x03\0\0\0"s + seven + "\x09\0\0\0\x01\0\0\0"s + seven, "INTEGER 7"},
        {"count beyond the records", "\xFF\xFF\xFF\x7F"s + seven, "INTEGER 7"},
        {"negative count", "\xFF\xFF\xFF\xFF"s + seven, ""},
        {"empty file", "", ""},
    };
    CMC_Array* a = array("A");
    for (const Case& test : cases) {
        a->add(static_cast<CMC_Variable*>(I(1)));
        world.temp.write("bad.dat", test.bytes);
        a->load(CXString("bad.dat"));
        EXPECT_EQ(elementsOf(a), test.loaded) << test.name;
    }
    a->add(static_cast<CMC_Variable*>(I(1)));
    a->load(CXString("missing.dat"));
    EXPECT_EQ(a->getSize(), 0);
}

TEST_F(Arrays, TheCompiledRecordKeepsSendOnChangeButNoElements)
{
    CMC_Array* a = define<CMC_Array>("A", {{"SENDONCHANGE", "TRUE"}});
    a->add(static_cast<CMC_Variable*>(I(3)));
    const std::string bytes = stored([a](CXArchive& archive) { a->serialize(&archive); });
    CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
    CXArchive archive(&file, false);
    CMC_Array read(scene, CXString("temp"));
    read.serialize(&archive);
    EXPECT_FALSE(archive.failed());
    EXPECT_EQ(read.getName(), "A");
    EXPECT_TRUE(read.getSendOnChange());
    EXPECT_EQ(read.getSize(), 0);
}

TEST_F(Arrays, TheFirstAddToAnEmptyArrayReportsMinusOne)
{
    CMC_Array* a = watched("ONCHANGED^-1");
    run("W^ADD(5);W^ADD(6);");
    EXPECT_EQ(world.takeLog(), std::vector<std::string>{"REC()"});
    EXPECT_EQ(textOf(a), "5,6");
}

TEST_F(Arrays, APlainOnchangedRunsOncePerReportedChange)
{
    struct Case {
        const char* code;
        size_t runs;
    };
    const Case cases[] = {
        {"W^ADD(1);", 1},
        {"W^ADD(1,2);", 2},
        {"W^INSERTAT(1,9);", 1},
        {"W^CHANGEAT(0,9);", 1},
        {"W^SWAP(0,2);", 2},
        {"W^SUM(1);", 3},
        {"W^SUMA(W);", 3},
        {"W^ADDAT(1,1);", 1},
        {"W^SHIFTLEFT();", 3},
        {"W^ROTATERIGHT();", 3},
        {"W^ADDCLONES(W,1,2);", 2},
        {"W^SORT(TRUE);W^REMOVEAT(0);W^REMOVE(2);W^CLAMPAT(0,0,1);W^SETMARKERPOS(1);", 0},
        {"W^SENDONCHANGE(FALSE);W^ADD(1);W^SUM(1);", 0},
        // Indices outside the array change nothing and report nothing.
        {"W^INSERTAT(4,9);W^CHANGEAT(3,9);W^SWAP(0,3);W^ADDAT(-1,1);W^MODAT(3,2);", 0},
    };
    CMC_Array* a = watched("ONCHANGED");
    for (const Case& test : cases) {
        a->setSendOnChange(false);
        run("W^REMOVEALL();W^ADD(1,2,3);W^SENDONCHANGE();");
        EXPECT_EQ(world.takeLog().size(), 0u) << test.code;
        run(test.code);
        EXPECT_EQ(world.takeLog().size(), test.runs) << test.code;
    }
}

TEST_F(Arrays, ChangesAreNotReportedWithoutAHandler)
{
    world.behaviour(scene, "REC");
    CMC_Array* a = define<CMC_Array>("W", {{"SENDONCHANGE", "TRUE"}, {"ONSIGNAL", "REC"}});
    run("W^ADD(1);W^SUM(2);");
    EXPECT_EQ(world.takeLog(), std::vector<std::string>{});
    EXPECT_EQ(textOf(a), "3");
}

TEST_F(Arrays, HandlersMayEmptyTheArrayWhileItIsWalked)
{
    CMC_Array* a = array("W", {I(1), I(2), I(3)});
    behaviour("EMPTY", "W^REMOVEALL();");
    run("W^ADDBEHAVIOUR(ONCHANGED,EMPTY);W^SENDONCHANGE(TRUE);");
    for (const char* code : {"W^SUM(1);", "W^SHIFTLEFT();", "W^SUMA(W);", "W^ADD(1,2);W^SWAP(0,0);", "W^COPYTO(W);"}) {
        a->setSendOnChange(false);
        run("W^REMOVEALL();W^ADD(1,2,3);W^SENDONCHANGE();");
        run(code);
        EXPECT_LE(a->getSize(), 1) << code;
    }
}

TEST_F(Arrays, TheMarkerIsClampedAndWrapsBothWays)
{
    CMC_Array* a = array("A", {S("a"), S("b"), S("c")});
    string("R", "");
    a->setMarkerPos(100);
    EXPECT_EQ(a->getMarkerPos(), 2);
    a->setMarkerPos(-7);
    EXPECT_EQ(a->getMarkerPos(), -1);

    std::string walked;
    for (int i = 0; i < 4; ++i)
        walked += a->next(1)->toString().c_str();
    EXPECT_EQ(walked, "abca");
    a->resetMarker();
    EXPECT_EQ(a->prev(1)->toString(), "b");
    EXPECT_EQ(a->next(-4)->toString(), "a");
    EXPECT_EQ(a->prev(7)->toString(), "c");

    // The script gets a fresh copy, deleted after use.
    run("A^RESETMARKER();R^SET(A^NEXT());A^NEXT(1);");
    EXPECT_EQ(text("R"), "a");
    EXPECT_EQ(call(a, "GETMARKERPOS"), "INTEGER 1");

    CMC_Array* empty = array("E");
    EXPECT_EQ(empty->next(1), nullptr);
    EXPECT_EQ(call(empty, "PREV"), "none");
    EXPECT_EQ(empty->getMarkerPos(), -1);
}

TEST_F(Arrays, SortingIsStableAndDescendingReversesIt)
{
    CMC_Array* a = array("A", {I(2), I(1), D(1.0), I(3)});
    a->sort(true);
    EXPECT_EQ(elementsOf(a), "INTEGER 1,DOUBLE 1.00000,INTEGER 2,INTEGER 3");
    run("A^SORT(FALSE);");
    EXPECT_EQ(elementsOf(a), "INTEGER 3,INTEGER 2,DOUBLE 1.00000,INTEGER 1");

    CMC_Array* texts = array("T", {S("b"), S("B"), S("a")});
    texts->sort(true);
    EXPECT_EQ(textOf(texts), "B,a,b");
}

TEST_F(Arrays, ShiftsResetTheMovedValueAndRotationsKeepIt)
{
    struct Case {
        const char* method;
        const char* after;
    };
    const Case cases[] = {
        {"SHIFTLEFT", "INTEGER 2,STRING b,DOUBLE 1.50000,BOOL TRUE,INTEGER 0"},
        {"SHIFTRIGHT", "BOOL FALSE,INTEGER 1,INTEGER 2,STRING b,DOUBLE 1.50000"},
        {"ROTATELEFT", "INTEGER 2,STRING b,DOUBLE 1.50000,BOOL TRUE,INTEGER 1"},
        {"ROTATERIGHT", "BOOL TRUE,INTEGER 1,INTEGER 2,STRING b,DOUBLE 1.50000"},
    };
    for (const Case& test : cases) {
        CMC_Array* a = array("A", {I(1), I(2), S("b"), D(1.5), B(true)});
        EXPECT_EQ(call(a, test.method), "none");
        EXPECT_EQ(elementsOf(a), test.after) << test.method;
    }
    CMC_Array* texts = array("T", {S("a"), S("b")});
    texts->shiftLeft();
    EXPECT_EQ(textOf(texts), "b,NULL");
    texts->shiftRight();
    texts->shiftRight();
    EXPECT_EQ(textOf(texts), "NULL,NULL");
    CMC_Array* empty = array("E");
    empty->rotateLeft();
    EXPECT_EQ(empty->getSize(), 0);
}

TEST_F(Arrays, TheIniFormReadsBackAsTexts)
{
    CMC_Array* a = array("A", {I(1), S("x"), B(true)});
    run("A^SAVEINI();");
    EXPECT_EQ(world.application->GetConfigInterface()->GetString("SCENE1", "A"), "1,x,TRUE");
    run("A^LOADINI();");
    EXPECT_EQ(elementsOf(a), "STRING 1,STRING x,STRING TRUE");
    CMC_Array* unsaved = array("U", {I(1)});
    unsaved->loadINI();
    EXPECT_EQ(unsaved->getSize(), 0);
}

TEST_F(Arrays, ElementAccessMethods)
{
    CMC_Array* a = array("A");
    run("A^ADD(1,2.5,TRUE,\"text\");");
    EXPECT_EQ(elementsOf(a), "INTEGER 1,DOUBLE 2.50000,BOOL TRUE,STRING text");
    EXPECT_EQ(call(a, "GETSIZE"), "INTEGER 4");
    EXPECT_EQ(call(a, "GET", {I(1)}), "DOUBLE 2.50000");
    for (int index : {4, 5, -1})
        EXPECT_EQ(call(a, "GET", {I(index)}), "STRING NULL") << index;
    EXPECT_EQ(call(a, "GET"), "STRING NULL");
    EXPECT_EQ(call(a, "FIND", {S("TEXT")}), "INTEGER 3");
    EXPECT_EQ(call(a, "CONTAINS", {S("nothing")}), "BOOL FALSE");
    EXPECT_EQ(call(a, "CONTAINS", {I(2)}), "BOOL TRUE");

    run("A^INSERTAT(0,\"first\");A^INSERTAT(5,\"last\");A^INSERTAT(9,\"no\");A^CHANGEAT(1,7);A^REMOVEAT(2);"
        "A^REMOVEAT(-1);A^REMOVE(\"TEXT\");");
    EXPECT_EQ(textOf(a), "first,7,TRUE,last");
    EXPECT_EQ(call(a, "REVERSEFIND", {S("7")}), "INTEGER 1");
    EXPECT_EQ(call(a, "SORTMANY", {I(1), S("x")}), "none");
    EXPECT_EQ(textOf(a), "first,7,TRUE,last");
    EXPECT_EQ(a->getType(), CMC_Object::TYPE_ARRAY);
    for (const char* unnamed : {"SUMB", "get"})
        EXPECT_EQ(CMC_RunnerFactory::getRunner(CMC_Object::TYPE_ARRAY)->resolveMethod(CXString(unnamed)), -1);
    EXPECT_EQ(CMC_RunnerFactory::getRunner(CMC_Object::TYPE_ARRAY)->resolveMethod(CXString("DIVA")), 32);

    run("A^FILL(3,0);");
    EXPECT_EQ(elementsOf(a), "INTEGER 0,INTEGER 0,INTEGER 0");
    run("A^FILL(-2,0);A^ADDCLONES(A,1,2);A^ADDCLONES(NOSUCH,1,2);");
    EXPECT_EQ(elementsOf(a), "STRING A_1,STRING A_2");
}

TEST_F(Arrays, MinimaMaximaAndSumsUseTheirSentinels)
{
    CMC_Array* a = array("A", {I(5), I(-2), D(7.5), S("9")});
    EXPECT_EQ(call(a, "MIN"), "INTEGER -2");
    EXPECT_EQ(call(a, "MAX"), "INTEGER 5");
    EXPECT_EQ(call(a, "GETSUMVALUE"), "INTEGER 3");
    EXPECT_EQ(call(a, "MIND"), "DOUBLE 7.50000");
    EXPECT_EQ(call(a, "MAXD"), "DOUBLE 7.50000");

    CMC_Array* b = array("B", {S("1"), I(2000000), I(-5), D(-1.0)});
    EXPECT_EQ(call(b, "MIN"), "INTEGER -5");
    EXPECT_EQ(call(b, "MAX"), "INTEGER 2000000");
    EXPECT_EQ(call(b, "MIND"), "DOUBLE -1.00000");
    EXPECT_EQ(call(b, "MAXD"), "DOUBLE 0.00000");
    CMC_Array* c = array("C", {I(1000000), I(0), S("x")});
    EXPECT_EQ(call(c, "MIN"), "INTEGER 0");
    EXPECT_EQ(call(c, "MAX"), "INTEGER 1000000");
    CMC_Array* texts = array("T", {S("1")});
    EXPECT_EQ(call(texts, "MIN"), "INTEGER 1000000");
    EXPECT_EQ(call(texts, "MAX"), "INTEGER 0");
    EXPECT_EQ(call(texts, "GETSUMVALUE"), "INTEGER 0");
}

TEST_F(Arrays, ElementArithmeticFollowsTheElementsTypes)
{
    CMC_Array* a = array("A", {I(10), D(1.5), S("x")});
    run("A^SUM(2);");
    EXPECT_EQ(elementsOf(a), "INTEGER 12,DOUBLE 3.50000,STRING x2");
    run("A^MUL(2);A^DIVAT(0,0);A^ADDAT(1,1);A^MODAT(0,5);A^SUBAT(9,1);");
    EXPECT_EQ(elementsOf(a), "INTEGER 0,DOUBLE 8.00000,STRING x2");

    // The operand is the named array's element at the same index, or the named value.
    CMC_Array* b = array("B", {I(1), I(2), I(3), I(4)});
    array("STEP", {I(10), I(20), I(30)});
    integer("N", 100);
    run("B^SUMA(STEP);");
    EXPECT_EQ(textOf(b), "11,22,33,4");
    run("B^SUBA(\"N\",1,2);B^MULA(\"N\",-1,0);B^DIVA(STEP,-5,99);");
    // 1100 / 10, -78 / 20 and -67 / 30; STEP has no fourth element.
    EXPECT_EQ(textOf(b), "110,-3,-2,4");
    run("B^SUMA(NOSUCH);B^SUMA(\"N\",3,2);");
    EXPECT_EQ(textOf(b), "110,-3,-2,4");

    CMC_Array* c = array("C", {I(15), I(-3), D(2.5), S("z")});
    run("C^CLAMPAT(0,0,10);C^CLAMPAT(1,0,10);C^CLAMPAT(2,3,4);C^CLAMPAT(3,0,1);C^CLAMPAT(7,0,1);C^CLAMPAT(0,1);");
    EXPECT_EQ(elementsOf(c), "INTEGER 10,INTEGER 0,DOUBLE 3.00000,STRING z");
}

TEST_F(Arrays, OtherArraysAreFoundByNameAndCheckedForType)
{
    CMC_Array* a = array("A", {I(4), I(1), I(4)});
    CMC_Array* other = array("OTHER", {I(9)});
    integer("N", 0);
    run("N^SET(A^FINDALL(OTHER,4,1,7));");
    EXPECT_EQ(text("N"), "3");
    EXPECT_EQ(textOf(other), "9,0,2,1");
    run("N^SET(A^FINDALL(N,4));");
    EXPECT_EQ(text("N"), "2");

    EXPECT_EQ(call(a, "COMPARE", {S("A")}), "BOOL TRUE");
    EXPECT_EQ(call(a, "COMPARE", {S("OTHER")}), "BOOL FALSE");
    EXPECT_EQ(call(a, "COMPARE", {S("N")}), "BOOL FALSE");
    CMC_Array* same = array("SAME", {I(4), S("1"), D(4.0)});
    EXPECT_TRUE(a->compareArr(same));
    same->add(static_cast<CMC_Variable*>(I(1)));
    EXPECT_FALSE(a->compareArr(same));
    EXPECT_TRUE(array("E1")->compareArr(array("E2")));

    run("A^COPYTO(OTHER);A^COPYTO(A);A^COPYTO(N);");
    EXPECT_EQ(textOf(other), "9,0,2,1,4,1,4");
    EXPECT_EQ(textOf(a), "4,1,4,4,1,4");
    EXPECT_EQ(text("N"), "2");

    // ADDTOARRAY on any value appends a copy of it.
    run("N^ADDTOARRAY(OTHER);N^ADDTOARRAY(NOSUCH);N^ADDTOARRAY(N);OTHER^ADDTOARRAY(A);");
    EXPECT_EQ(textOf(other), "9,0,2,1,4,1,4,2");
    EXPECT_EQ(a->getSize(), 6);
}

TEST_F(Arrays, RandomFillDrawsWithinItsRange)
{
    CMC_Array* a = array("A", {I(99)});
    run("A^RANDOMFILL(20,5,3,FALSE);");
    ASSERT_EQ(a->getSize(), 20);
    for (int i = 0; i < a->getSize(); ++i) {
        const int value = static_cast<CMC_Integer*>(a->get(i))->getValue();
        EXPECT_TRUE(value >= 5 && value <= 7) << value;
    }
    run("A^RANDOMFILL(6,1,6,TRUE);");
    std::set<std::string> drawn;
    for (int i = 0; i < a->getSize(); ++i)
        drawn.insert(a->get(i)->toString().c_str());
    EXPECT_EQ(drawn, (std::set<std::string>{"1", "2", "3", "4", "5", "6"}));

    struct Case {
        const char* code;
        const char* after;
    };
    const Case cases[] = {
        {"A^RANDOMFILL(3,4,0,TRUE);", "4,4,4"},
        {"A^RANDOMFILL(-1,1,10,FALSE);", ""},
        {"A^RANDOMFILL(10001,1,10,FALSE);", ""},
        {"A^RANDOMFILL(0,1,10,FALSE);", ""},
        {"A^RANDOMFILL(1,2);", "4,4,4"},
    };
    for (const Case& test : cases) {
        run("A^RANDOMFILL(3,4,0,TRUE);");
        run(test.code);
        EXPECT_EQ(textOf(a), test.after) << test.code;
    }
}

TEST_F(Arrays, DirAppendsTheFolderTextJoinedToEachEntry)
{
    std::filesystem::create_directory(world.temp.path() / "saves");
    world.temp.write("saves/one.sav", "1");
    world.temp.write("saves/skip.txt", "2");
    const std::string folder = world.temp.file("saves/");
    CMC_Array* a = array("A", {S("kept")});
    string("FOLDER", folder.c_str());
    const std::string current = platform::currentFolderName();
    run("A^DIR(FOLDER,\"*.sav\");");
    EXPECT_EQ(textOf(a), "kept," + folder + "one.sav");
    EXPECT_EQ(platform::currentFolderName(), current);
}
