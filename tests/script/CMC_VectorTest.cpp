#include "script/CMC_Vector.h"

#include "foundation/CFile_Stream.h"

#include "DataObjects.h"

using namespace std::string_literals;

namespace {

class Vectors : public DataObjects {
protected:
    CMC_Vector* vector(const char* name, const char* size, const char* values = nullptr)
    {
        if (values == nullptr)
            return define<CMC_Vector>(name, {{"SIZE", size}});
        return define<CMC_Vector>(name, {{"SIZE", size}, {"VALUE", values}});
    }

    static std::string textOf(CMC_Vector* vector) { return vector->toString().c_str(); }

    // The vector read back from its compiled-scene record.
    std::unique_ptr<CMC_Vector> readBack(const std::string& bytes, bool* failed)
    {
        CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
        CXArchive archive(&file, false);
        auto read = std::make_unique<CMC_Vector>(nullptr);
        read->serialize(&archive);
        *failed = archive.failed();
        return read;
    }
};

} // namespace

TEST_F(Vectors, DefinitionsGiveSizeAndValues)
{
    EXPECT_EQ(textOf(vector("A", "3", "1, 2, 3")), "1.00000,2.00000,3.00000");
    EXPECT_EQ(textOf(vector("B", "3")), "0.00000,0.00000,0.00000");
    EXPECT_EQ(textOf(vector("C", "3", "0.5")), "0.50000,0.00000,0.00000");
    EXPECT_EQ(textOf(vector("D", "1", "4 5 6")), "4.00000");
    EXPECT_EQ(textOf(vector("E", "-2", "1")), "");
    EXPECT_EQ(vector("F", "2")->getType(), CMC_Object::TYPE_VECTOR);
}

TEST_F(Vectors, Arithmetic)
{
    CMC_Vector* v = vector("V", "2", "3,4");
    EXPECT_EQ(call(v, "LEN"), "DOUBLE 5.00000");
    run("V^NORMALIZE();");
    EXPECT_EQ(textOf(v), "0.60000,0.80000");
    CMC_Vector* grow = vector("G", "2", "1,2");
    run("G^EXPAND(4);G^EXPAND(3);");
    EXPECT_EQ(textOf(grow), "0.00000,0.00000,1.00000,2.00000");

    vector("A", "3", "1,2,3");
    CMC_Vector* b = vector("B", "3", "4,5,6");
    CMC_Vector* small = vector("S", "2", "1,1");
    EXPECT_EQ(call(b, "SMUL", {scene->getObject("A")}), "DOUBLE 32.00000");
    EXPECT_EQ(call(b, "SMUL", {small}), "DOUBLE 0.00000");
    EXPECT_EQ(call(b, "SMUL", {I(1)}), "none");
    run("B^ADD(A,S,A);B^SUB(A,N);B^MUL(2);B^NEG();B^VMUL(A,A);");
    EXPECT_EQ(textOf(b), "-10.00000,-14.00000,-18.00000");
    EXPECT_EQ(textOf(small), "1.00000,1.00000");

    CMC_Vector* r = vector("R", "2");
    vector("N1", "2", "0,1");
    vector("P", "2", "1,0");
    vector("Q", "2", "1,1");
    run("P^REFLECT(N1,R);");
    EXPECT_EQ(textOf(r), "-1.00000,0.00000");
    run("Q^REFLECT(N1,R);");
    EXPECT_EQ(textOf(r), "-1.00000,1.00000");
    // A longer result gets only the positions the others have.
    CMC_Vector* wide = vector("W", "3", "7,7,7");
    run("Q^REFLECT(N1,W);Q^REFLECT(N1,Q);");
    EXPECT_EQ(textOf(wide), "-1.00000,1.00000,7.00000");
    EXPECT_EQ(textOf(static_cast<CMC_Vector*>(scene->getObject("Q"))), "-1.00000,1.00000");
}

TEST_F(Vectors, ElementsAreReadAndSetWithinTheVector)
{
    CMC_Vector* v = vector("V", "3", "1,2,3");
    EXPECT_EQ(call(v, "GET", {I(2)}), "DOUBLE 3.00000");
    for (int index : {3, -1})
        EXPECT_EQ(call(v, "GET", {I(index)}), "none") << index;
    run("V^SET(1,9.5);V^SET(3,1);V^SET(-1,1);V^ASSIGN(4,5,6,7);");
    EXPECT_EQ(textOf(v), "4.00000,5.00000,6.00000");
    vector("TWO", "2", "8,9");
    run("V^SET(TWO);");
    EXPECT_EQ(textOf(v), "8.00000,9.00000,6.00000");
    run("V^SET(0.5);");
    EXPECT_EQ(textOf(v), "0.50000,0.50000,0.50000");

    CMC_Integer* size = integer("SIZE", 0);
    EXPECT_EQ(call(v, "GETSIZE", {size}), "INTEGER 3");
    EXPECT_EQ(size->getValue(), 3);
    integer("N", 0);
    run("N^SET(V^GETSIZE(5));");
    EXPECT_EQ(text("N"), "3");
}

TEST_F(Vectors, ClonesAndCompiledRecords)
{
    CMC_Vector* v = vector("V", "3", "1.23456,-2.5,1000");
    std::unique_ptr<CMC_Vector> copy(static_cast<CMC_Vector*>(v->clone()));
    EXPECT_EQ(copy->getName(), "clone");
    EXPECT_EQ(copy->getScene(), scene);
    EXPECT_EQ(copy->toString(), v->toString());

    const std::string bytes = stored([v](CXArchive& archive) { v->serialize(&archive); });
    bool failed = true;
    std::unique_ptr<CMC_Vector> read = readBack(bytes, &failed);
    EXPECT_FALSE(failed);
    EXPECT_EQ(read->getName(), "V");
    EXPECT_EQ(textOf(read.get()), "1.23400,-2.50000,1000.00000");
    EXPECT_EQ(bytes.substr(bytes.size() - 16),
              "\x03\0\0\0"s + "\xD2\x04\0\0"s + "\x3C\xF6\xFF\xFF"s + "\x40\x42\x0F\0"s);

    // A size below 0 or beyond the record fails and reads no elements.
    const std::string head = bytes.substr(0, bytes.size() - 16);
    for (const std::string& damaged : {head + "\xFF\xFF\xFF\xFF"s, head + "\x00\x00\x00\x40"s + "\x01\0\0\0"s}) {
        read = readBack(damaged, &failed);
        EXPECT_TRUE(failed);
        EXPECT_EQ(read->getSize(), 0);
    }
}
