#include "script/CMC_MultiArray.h"

#include "foundation/CFile_Stream.h"

#include "DataObjects.h"

using namespace std::string_literals;

namespace {

class Grids : public DataObjects {
protected:
    CMC_MultiArray* grid(const char* dimensions = "2")
    {
        return define<CMC_MultiArray>("M", {{"DIMENSIONS", dimensions}});
    }

    static std::string widthsOf(CMC_MultiArray* grid)
    {
        std::string text = std::to_string(grid->getCellCount()) + ":";
        for (int d = 0; d < grid->getDimensions(); ++d)
            text += (d > 0 ? "," : "") + std::to_string(grid->getSize(d));
        return text;
    }
};

std::string int32(int32_t value)
{
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[static_cast<size_t>(i)] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
    return bytes;
}

} // namespace

TEST_F(Grids, TheGridDoublesItsWidthsAndKeepsItsValues)
{
    CMC_MultiArray* m = grid();
    EXPECT_EQ(widthsOf(m), "256:16,16");
    EXPECT_EQ(call(m, "GETSIZE", {I(0)}), "INTEGER 16");
    run("M^SET(1,2,\"a\");M^SET(15,15,7);M^SET(20,3,2.5);");
    EXPECT_EQ(widthsOf(m), "512:32,16");
    EXPECT_EQ(call(m, "GET", {I(1), I(2)}), "STRING a");
    EXPECT_EQ(call(m, "GET", {I(15), I(15)}), "INTEGER 7");
    EXPECT_EQ(call(m, "GET", {I(20), I(3)}), "DOUBLE 2.50000");
    run("M^SET(100,0,TRUE);M^SET(0,40,1);");
    EXPECT_EQ(widthsOf(m), "8192:128,64");
    EXPECT_EQ(call(m, "GET", {I(1), I(2)}), "STRING a");
    EXPECT_EQ(call(m, "GET", {I(15), I(15)}), "INTEGER 7");
    EXPECT_EQ(call(m, "GET", {I(100), I(0)}), "BOOL TRUE");
    EXPECT_EQ(call(m, "COUNT", {S("A")}), "INTEGER 1");
    EXPECT_EQ(call(m, "COUNT", {S("zzz")}), "INTEGER 0");

    // Only the first two coordinates pick the cell; the third grows its own width.
    CMC_MultiArray* cube = grid("3");
    run("M^SET(1,1,0,\"a\");M^SET(1,1,20,\"b\");");
    EXPECT_EQ(call(cube, "GET", {I(1), I(1), I(0)}), "STRING b");
    EXPECT_EQ(widthsOf(cube), "8192:16,16,32");
}

TEST_F(Grids, EmptyAndImpossibleCellsReadAsNullOrZero)
{
    CMC_MultiArray* m = grid();
    run("M^SET(3,0,5);M^SET(-1,0,6);M^SET(0,-1,6);M^SET(0,2000000000,6);M^SET(9);");
    EXPECT_EQ(widthsOf(m), "256:16,16");
    EXPECT_EQ(call(m, "COUNT", {I(6)}), "INTEGER 0");
    struct Case {
        std::initializer_list<CMC_Object*> coordinates;
        const char* get;
        const char* safeGet;
    };
    const Case cases[] = {
        {{I(3), I(0)}, "INTEGER 5", "INTEGER 5"},
        {{I(3)}, "INTEGER 5", "INTEGER 5"},
        {{}, "INTEGER 9", "INTEGER 9"},
        {{I(4), I(4)}, "STRING NULL", "INTEGER 0"},
        {{I(-1), I(0)}, "STRING NULL", "INTEGER 0"},
        {{I(3), I(-1)}, "STRING NULL", "INTEGER 0"},
        {{I(0), I(16)}, "STRING NULL", "INTEGER 0"},
        // A first coordinate beyond its width reaches on into the next row.
        {{I(19), I(0)}, "STRING NULL", "INTEGER 0"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(call(m, "GET", test.coordinates), test.get);
        EXPECT_EQ(call(m, "SAFEGET", test.coordinates), test.safeGet);
    }
    run("M^SET(3,1,\"row\");");
    EXPECT_EQ(call(m, "GET", {I(19), I(0)}), "STRING row");
    EXPECT_EQ(call(m, "GETSIZE", {I(2)}), "INTEGER 0");
    EXPECT_EQ(call(m, "GETSIZE"), "none");
}

TEST_F(Grids, DimensionCountsAreBroughtIntoRange)
{
    EXPECT_EQ(widthsOf(grid("0")), "256:16,16");
    EXPECT_EQ(widthsOf(grid("-4")), "256:16,16");
    EXPECT_EQ(widthsOf(grid("12")), "268435456:16,16,16,16,16,16,16");
    CMC_MultiArray* big = grid("7");
    EXPECT_FALSE(big->set({0, 0, 0, 0, 0, 0, 127}, static_cast<CMC_Variable*>(I(1))));
    EXPECT_TRUE(big->set({0, 0, 0, 0, 0, 0, 63}, static_cast<CMC_Variable*>(I(1))));
    EXPECT_EQ(big->getCellCount(), 1 << 30);
}

TEST_F(Grids, SavedGridsLoadEqual)
{
    CMC_MultiArray* m = grid();
    run("M^SET(1,0,7);M^SAVE(\"small.grd\");");
    EXPECT_EQ(world.temp.read("small.grd"), int32(2) + int32(16) + int32(16) + int32(1) + int32(1) + int32(7) + int32(256));

    run("M^SET(40,2,\"far\");M^SET(0,0,TRUE);M^SET(5,5,1.25);M^SAVE(\"grid.grd\");");
    CMC_MultiArray* copy = define<CMC_MultiArray>("COPY");
    run("COPY^LOAD(\"grid.grd\");");
    EXPECT_EQ(widthsOf(copy), widthsOf(m));
    for (auto coordinates : {std::vector<int>{1, 0}, {40, 2}, {0, 0}, {5, 5}, {6, 5}}) {
        CMC_Variable* saved = m->get(coordinates);
        CMC_Variable* loaded = copy->get(coordinates);
        ASSERT_EQ(saved == nullptr, loaded == nullptr);
        if (saved != nullptr)
            EXPECT_EQ(describe(saved), describe(loaded));
    }
}

TEST_F(Grids, DamagedFilesLeaveTheGridAsItWas)
{
    const std::string header = int32(2) + int32(16) + int32(16);
    const std::string seven = int32(1) + int32(7);
    struct Case {
        const char* name;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"truncated record", header + int32(3) + int32(1)},
        {"no end mark", header + int32(3) + seven},
        {"one dimension", int32(1) + int32(16) + int32(16)},
        {"too many dimensions", int32(8) + header},
        {"zero width", int32(2) + int32(0) + int32(16) + int32(0)},
        {"negative width", int32(2) + int32(-16) + int32(-16) + int32(256)},
        {"cell count beyond 32 bits", int32(2) + int32(65536) + int32(65536) + int32(0)},
        {"negative index", header + int32(-3) + seven + int32(256)},
        {"unknown value type", header + int32(3) + int32(9) + int32(7) + int32(256)},
    };
    CMC_MultiArray* m = grid();
    run("M^SET(2,2,\"kept\");M^SET(30,0,1);");
    for (const Case& test : cases) {
        world.temp.write("bad.grd", test.bytes);
        run("M^LOAD(\"bad.grd\");");
        EXPECT_EQ(widthsOf(m), "512:32,16") << test.name;
        EXPECT_EQ(call(m, "GET", {I(2), I(2)}), "STRING kept") << test.name;
    }
    EXPECT_FALSE(m->load(CXString("missing.grd")));
    EXPECT_EQ(call(m, "GET", {I(30), I(0)}), "INTEGER 1");

    // A sound file may end its cells early with any index past the count.
    world.temp.write("early.grd", header + int32(3) + seven + int32(1000));
    EXPECT_TRUE(m->load(CXString("early.grd")));
    EXPECT_EQ(widthsOf(m), "256:16,16");
    EXPECT_EQ(call(m, "GET", {I(3), I(0)}), "INTEGER 7");
    EXPECT_EQ(call(m, "GET", {I(2), I(2)}), "STRING NULL");
}

TEST_F(Grids, AGridIsNotCloned)
{
    grid();
    run("M^CLONE(2);");
    EXPECT_EQ(scene->getObject("M_1"), nullptr);
    EXPECT_NE(scene->getObject("M"), nullptr);
}
