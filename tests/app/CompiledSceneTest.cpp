#include "app/CMC_Scene.h"

#include "foundation/CFile.h"
#include "foundation/CFile_Stream.h"
#include "foundation/CXArchive.h"
#include "foundation/CXArray.h"
#include "foundation/CXVector.h"
#include "platform/DebugOutput.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_Binding.h"

#include "app/SceneWorld.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

std::string i32(int32_t value)
{
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(static_cast<uint32_t>(value) >> (8 * i) & 0xFF);
    return bytes;
}

std::string text(const std::string& value)
{
    return i32(static_cast<int32_t>(value.size())) + value;
}

// Records as the values write them: type id, name, no bindings, the two flags, value, default.
std::string integerRecord(const std::string& name, int32_t value)
{
    return i32(1) + text(name) + i32(0) + std::string(2, '\0') + i32(value) + i32(value);
}

std::string stringRecord(const std::string& name, const std::string& value)
{
    return i32(2) + text(name) + i32(0) + std::string(2, '\0') + text(value) + text(value);
}

// "name:type" of every object a node holds but itself, in order.
std::vector<std::string> objectsOf(CMC_Scene* node)
{
    std::vector<std::string> objects;
    for (int i = 0; i < node->getObjectsNo(); ++i)
        if (CMC_Object* object = node->getObject(i); object != node)
            objects.push_back(std::string(object->getName().c_str()) + ":" + std::to_string(object->getType()));
    return objects;
}

// The behaviour and argument texts of each binding of the signal.
std::vector<std::string> bindingsOf(CMC_Object* object, const char* signal)
{
    std::vector<std::string> bindings;
    CXVector* list = object != nullptr ? object->getBehaviour(CXString(signal)) : nullptr;
    for (int i = 0; list != nullptr && i < list->getCount(); ++i) {
        auto* binding = static_cast<CMC_Binding*>(list->at(i));
        std::string entry = binding->getBehaviour() != nullptr ? binding->getBehaviour()->getName().c_str() : "<none>";
        for (int a = 0; binding->getArguments() != nullptr && a < binding->getArguments()->getCount(); ++a)
            entry += std::string(a == 0 ? "(" : ",") + binding->getArguments()->stringAt(a)->c_str();
        bindings.push_back(entry + (binding->getArguments() != nullptr ? ")" : ""));
    }
    return bindings;
}

class CompiledScenes : public ::testing::Test {
protected:
    // Enters a scene of the text tree, then stores its record and its compiled file; whether
    // everything was stored.
    bool storeEntered(CMC_Scene* scene)
    {
        scene->initialize(nullptr);
        CFile file;
        EXPECT_EQ(file.Open(nullptr, CWindow::rootPath + "record.bin", CFile::MODE_BINARY | CFile::MODE_UPDATE), 0);
        CXArchive archive(&file, true);
        scene->serialize(&archive);
        const bool whole = !archive.failed();
        file.Close();
        return whole;
    }
    // A nameless node that read the stored record.
    CMC_Scene* readNode()
    {
        auto* node = world.own(new CMC_Scene(&world.window(), CMC_Object::TYPE_SCENE));
        CFile file(nullptr, CWindow::rootPath + "record.bin", CFile::MODE_BINARY | CFile::MODE_READ);
        CXArchive archive(&file, false);
        node->serialize(&archive);
        EXPECT_FALSE(archive.failed());
        return node;
    }
    std::string compiledFile(const std::string& name) { return world.headless.folder().read("Dane/" + name + "/" + name + ".bin"); }
    // A nameless node that read the bytes as its compiled file.
    CMC_Scene* readBytes(const std::string& bytes)
    {
        auto* node = world.own(new CMC_Scene(&world.window(), CMC_Object::TYPE_SCENE));
        CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
        CXArchive archive(&file, false);
        node->readCompiled(&archive);
        return node;
    }

    SceneWorld world;
};

} // namespace

TEST_F(CompiledScenes, ObjectsAndBindingsComeBackFromTheCompiledFile)
{
    world.write("Dane/S/S.cnv", "OBJECT=I\nI:TYPE=INTEGER\nI:VALUE=5\nI:ONCHANGED=BEH(1,two)\n"
                                "OBJECT=T\nT:TYPE=STRING\nT:VALUE=hello\nOBJECT=F\nF:TYPE=BOOL\nF:VALUE=TRUE\n"
                                "OBJECT=D\nD:TYPE=DOUBLE\nD:VALUE=2.5\nOBJECT=ARR\nARR:TYPE=ARRAY\n"
                                "OBJECT=BEH\nBEH:TYPE=BEHAVIOUR\nBEH:CODE={T^SET(changed);}\n"
                                "OBJECT=COND\nCOND:TYPE=CONDITION\nCOND:OPERAND1=I\nCOND:OPERATOR=EQUAL\nCOND:OPERAND2=5\n"
                                "COND:ONRUNTIMESUCCESS=BEH\n");
    CMC_Scene* source = world.scene("S", "S");
    ASSERT_TRUE(storeEntered(source));

    CMC_Scene* read = readNode();
    EXPECT_EQ(read->getName(), "S");
    EXPECT_EQ(read->getPath(), "S");
    EXPECT_TRUE(read->loadCnv());
    EXPECT_EQ(objectsOf(read), objectsOf(source));
    for (const char* name : {"I", "T", "F", "D"})
        EXPECT_EQ(world.text(read, name), world.text(source, name)) << name;
    EXPECT_EQ(bindingsOf(read->getObject("I"), "ONCHANGED"), (std::vector<std::string>{"BEH(1,two)"}));
    EXPECT_EQ(bindingsOf(read->getObject("COND"), "ONRUNTIMESUCCESS"), (std::vector<std::string>{"BEH"}));
    EXPECT_EQ(read->getObject("I")->getScene(), read);
}

TEST_F(CompiledScenes, FilesHoldTheBytesLaidOutByHand)
{
    world.write("Dane/E/E.cnv", "");
    ASSERT_TRUE(storeEntered(world.scene("E", {{"PATH", "E"}, {"BACKGROUND", "bg.img"}})));
    EXPECT_EQ(compiledFile("E"), text("") + text("bg.img") + text("") + i32(0));
    EXPECT_EQ(world.headless.folder().read("record.bin"), text("E") + i32(0) + text("E"));

    world.write("Dane/J/J.cnv", "OBJECT=N\nN:TYPE=INTEGER\nN:VALUE=7\n");
    ASSERT_TRUE(storeEntered(world.scene("J", "J", nullptr, "tune.wav")));
    EXPECT_EQ(compiledFile("J"), text("") + text("") + text("tune.wav") + i32(1) + integerRecord("N", 7));
}

TEST_F(CompiledScenes, ObjectsThatCannotBeReadBackAreLeftOutAndTheStoreFails)
{
    world.write("Dane/W/W.cnv", "OBJECT=ST\nST:TYPE=STRUCT\nST:FIELDS=A<INTEGER>\n"
                                "OBJECT=GRID\nGRID:TYPE=MULTIARRAY\nOBJECT=N\nN:TYPE=INTEGER\nN:VALUE=3\n");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(storeEntered(world.scene("W", "W")));
    const std::string reported = testing::internal::GetCapturedStderr();
    EXPECT_NE(reported.find("Object ST of W not stored"), std::string::npos) << reported;
    EXPECT_NE(reported.find("Object GRID of W not stored"), std::string::npos) << reported;
    EXPECT_EQ(compiledFile("W"), text("") + text("") + text("") + i32(1) + integerRecord("N", 3));
}

TEST_F(CompiledScenes, InputDevicesKeepTheirBindings)
{
    world.write("Dane/M/M.cnv", "OBJECT=NOTE\nNOTE:TYPE=BEHAVIOUR\nNOTE:CODE={}\n"
                                "OBJECT=MOUSE\nMOUSE:TYPE=MOUSE\nMOUSE:ONCLICK=NOTE\n"
                                "OBJECT=KEYBOARD\nKEYBOARD:TYPE=KEYBOARD\nKEYBOARD:ONKEYDOWN^ESC=NOTE(esc)\n"
                                "OBJECT=JOYSTICK\nJOYSTICK:TYPE=JOYSTICK\nJOYSTICK:ONBUTTONDOWN=NOTE\n");
    CMC_Scene* source = world.scene("M", "M");
    ASSERT_TRUE(storeEntered(source));
    source->unload(nullptr);
    CMC_Scene* read = readNode();
    EXPECT_TRUE(read->loadCnv());
    EXPECT_EQ(objectsOf(read), (std::vector<std::string>{"NOTE:13", "MOUSE:100", "KEYBOARD:101", "JOYSTICK:2023"}));
    EXPECT_EQ(bindingsOf(read->getObject("MOUSE"), "ONCLICK"), (std::vector<std::string>{"NOTE"}));
    EXPECT_EQ(bindingsOf(read->getObject("KEYBOARD"), "ONKEYDOWN^ESC"), (std::vector<std::string>{"NOTE(esc)"}));
    EXPECT_EQ(bindingsOf(read->getObject("JOYSTICK"), "ONBUTTONDOWN"), (std::vector<std::string>{"NOTE"}));
}

TEST_F(CompiledScenes, APluginObjectLoadsOnTheFirstEntryOfACompiledScene)
{
    std::filesystem::copy_file(std::filesystem::path(KESTRUM_PROBE_MODULES) / "ProbeAlpha.so",
                               world.headless.folder().path() / "ProbeAlpha.so");
    CWindow::exePath = CWindow::rootPath;
    world.write("Dane/P/P.cnv", "OBJECT=GADGET\nGADGET:TYPE=PROBE\n");
    CMC_Scene* source = world.scene("P", {{"PATH", "P"}, {"DLLS", "ProbeAlpha"}});
    ASSERT_TRUE(storeEntered(source));
    source->unload(nullptr);
    EXPECT_EQ(compiledFile("P"), text("ProbeAlpha") + text("") + text("") + i32(1) + i32(10002) + text("GADGET") + i32(0));

    CMC_Scene* read = readNode();
    EXPECT_EQ(read->getDLLs(), "");
    read->initialize(nullptr);
    EXPECT_EQ(read->getDLLs(), "ProbeAlpha");
    EXPECT_EQ(objectsOf(read), (std::vector<std::string>{"GADGET:10002"}));
    read->unload(nullptr);
    EXPECT_TRUE(read->getModules().empty());
}

TEST_F(CompiledScenes, DamagedFilesKeepWhatPrecedesTheDamage)
{
    const std::string head = text("") + text("bg") + text("m");
    const std::vector<std::string> records = {integerRecord("I1", 1), stringRecord("S1", "x"), integerRecord("I2", 2)};
    const std::string body = records[0] + records[1] + records[2];
    const std::string whole = head + i32(3) + body;

    // Cut anywhere: the whole fields and records before the cut are read.
    for (size_t length = 0; length < whole.size(); ++length) {
        std::vector<std::string> expected;
        size_t end = head.size() + 4;
        for (size_t r = 0; r < records.size(); ++r) {
            end += records[r].size();
            if (end <= length)
                expected.push_back(std::string(r == 1 ? "S1:2" : r == 0 ? "I1:1" : "I2:1"));
        }
        CMC_Scene* node = readBytes(whole.substr(0, length));
        EXPECT_EQ(objectsOf(node), expected) << length;
        EXPECT_EQ(node->getBackground(), length >= 10 ? "bg" : "") << length;
    }

    const std::string unknown = i32(9999) + text("Q");
    const std::string negativeLength = i32(2) + i32(-1) + records[1].substr(8);
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {head + i32(10) + body, {"I1:1", "S1:2", "I2:1"}},
        {head + i32(3) + records[0] + unknown + records[2], {"I1:1"}},
        {head + i32(3) + records[0] + negativeLength + records[2], {"I1:1"}},
        {head + i32(-1) + body, {}},
        {head + i32(1) + body, {"I1:1"}},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(objectsOf(readBytes(bytes)), expected);

    platform::setDebugOutputEnabled(true);
    testing::internal::CaptureStderr();
    readBytes(head + i32(3) + records[0] + unknown);
    const std::string reported = testing::internal::GetCapturedStderr();
    platform::setDebugOutputEnabled(false);
    EXPECT_NE(reported.find("record 1 of type 9999 has no reader"), std::string::npos) << reported;
}

TEST_F(CompiledScenes, ANodeWithoutItsFileStaysEmpty)
{
    auto* node = world.own(new CMC_Scene(&world.window(), CMC_Object::TYPE_SCENE));
    node->setName(CXString("GONE"));
    EXPECT_FALSE(node->loadCnv());
    EXPECT_EQ(objectsOf(node), std::vector<std::string>{});
}

// The elements that a node's record keeps to rebind its parents' objects build nothing else,
// whatever a damaged record holds.
TEST_F(CompiledScenes, OnlyElementsThatRebindAreTakenFromTheNodesRecord)
{
    const std::string elements = "OBJECT=X\nTYPE=INTEGER\nVALUE=5\n";
    const std::string record = text("N") + i32(1) + text("{REBINDS}") + text("") + i32(1) + text(elements);
    auto* node = world.own(new CMC_Scene(&world.window(), CMC_Object::TYPE_SCENE));
    CFile_Stream recordFile(record.data(), static_cast<int>(record.size()));
    CXArchive recordArchive(&recordFile, false);
    node->CMC_Object::serialize(&recordArchive);
    ASSERT_FALSE(recordArchive.failed());
    const std::string bytes = text("") + text("") + text("") + i32(0);
    CFile_Stream file(bytes.data(), static_cast<int>(bytes.size()));
    CXArchive archive(&file, false);
    node->readCompiled(&archive);
    EXPECT_EQ(node->getObject("X"), nullptr);
    EXPECT_EQ(node->getBehaviour("{REBINDS}"), nullptr);
}
