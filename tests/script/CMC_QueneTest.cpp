#include "script/CMC_Quene.h"

#include "foundation/CFile_Stream.h"

#include "DataObjects.h"

namespace {

class Queues : public DataObjects {
protected:
    std::string pops(CMC_Object* queue, int count)
    {
        std::string popped;
        for (int i = 0; i < count; ++i)
            popped += (i > 0 ? "," : "") + call(queue, "POP");
        return popped;
    }
};

} // namespace

TEST_F(Queues, FifoAndLifoGiveTheirValuesBackInTheirOrders)
{
    world.behaviour(scene, "REC");
    auto* fifo = define<CMC_FifoQuene>("F", {{"ONEMPTY", "REC"}});
    auto* lifo = define<CMC_LifoQuene>("L");
    run("F^PUSH(1,\"two\",3.5);L^PUSH(1,2,3);");
    EXPECT_EQ(call(fifo, "GETSIZE"), "INTEGER 3");
    EXPECT_EQ(pops(fifo, 4), "INTEGER 1,STRING two,DOUBLE 3.50000,STRING NULL");
    EXPECT_EQ(pops(lifo, 3), "INTEGER 3,INTEGER 2,INTEGER 1");
    EXPECT_EQ(world.takeLog(), std::vector<std::string>{"REC()"});
    EXPECT_EQ(pops(fifo, 2), "STRING NULL,STRING NULL");
    EXPECT_EQ(world.takeLog(), (std::vector<std::string>{"REC()", "REC()"}));
    EXPECT_EQ(call(fifo, "ISEMPTY"), "BOOL TRUE");
    EXPECT_EQ(fifo->toString(), "F");

    run("L^PUSH(1);L^PUSH(2);L^POP();");
    EXPECT_EQ(call(lifo, "GETSIZE"), "INTEGER 1");
    EXPECT_EQ(call(lifo, "ISEMPTY"), "BOOL FALSE");
    run("L^CLONE();");
    EXPECT_EQ(scene->getObject("L_1"), nullptr);
}

TEST_F(Queues, QueuedValuesOutliveThePoolsFrames)
{
    auto* fifo = define<CMC_FifoQuene>("F");
    string("S", "kept text");
    run("F^PUSH(S,7);");
    for (int frame = 0; frame < 3; ++frame) {
        CMC_VariableFactory::clearPool();
        for (int i = 0; i < 2 * CMC_VariableFactory::kInitialPoolSize; ++i) {
            CMC_VariableFactory::allocString(CXString("overwritten"));
            CMC_VariableFactory::allocInteger(0);
        }
    }
    CMC_VariableFactory::clearPool();
    string("R", "");
    run("R^SET(F^POP());");
    EXPECT_EQ(text("R"), "kept text");
    EXPECT_EQ(pops(fifo, 1), "INTEGER 7");
    // Values still queued when the queue goes are deleted with it.
    run("F^PUSH(1,2);");
}

TEST_F(Queues, AQueueReadFromACompiledSceneKeepsItsKind)
{
    auto* defined = define<CMC_LifoQuene>("L");
    const std::string bytes = stored([defined](CXArchive& archive) { defined->serialize(&archive); });
    CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
    CXArchive archive(&file, false);
    auto* read = new CMC_LifoQuene(scene);
    EXPECT_EQ(read->getName(), "temp");
    read->serialize(&archive);
    scene->addObject(read);
    EXPECT_EQ(read->getName(), "L");
    EXPECT_EQ(read->getType(), CMC_Object::TYPE_LIFO);
    run("L^PUSH(1,2,3);");
    EXPECT_EQ(pops(read, 3), "INTEGER 3,INTEGER 2,INTEGER 1");
    EXPECT_EQ(CMC_FifoQuene(scene).getType(), CMC_Object::TYPE_FIFO);
}
