#include "foundation/CXString.h"
#include "platform/DynamicLibrary.h"
#include "script/CMC_ExternObject.h"
#include "script/CMC_Object.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMElement.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace {

// The plug-in library itself, loaded from a copy of its own, and its three entry points.
class WorldModule : public ::testing::Test {
protected:
    WorldModule()
    {
        const std::string path = folder.file("World.so");
        std::filesystem::copy_file(KESTRUM_WORLD_MODULE, path);
        std::string error;
        library = platform::DynamicLibrary::open(path, &error);
        EXPECT_NE(library, nullptr) << error;
        create = reinterpret_cast<CMC_ExternObject::Create>(library->symbol(CMC_ExternObject::kCreate));
        release = reinterpret_cast<CMC_ExternObject::Release>(library->symbol(CMC_ExternObject::kRelease));
        module = reinterpret_cast<CMC_ExternObject::GetModuleInterface>(
            library->symbol(CMC_ExternObject::kGetModuleInterface));
    }

    static std::unique_ptr<CMElement> element(const char* name, const char* type)
    {
        auto made = std::make_unique<CMElement>(CXString(name));
        made->addProperty("TYPE", type);
        return made;
    }

    TempFolder folder;
    std::unique_ptr<platform::DynamicLibrary> library;
    CMC_ExternObject::Create create = nullptr;
    CMC_ExternObject::Release release = nullptr;
    CMC_ExternObject::GetModuleInterface module = nullptr;
    CMC_ObjectsContainer first{nullptr, nullptr, CXString("FIRST"), CMC_Object::TYPE_SCENE};
    CMC_ObjectsContainer second{nullptr, nullptr, CXString("SECOND"), CMC_Object::TYPE_SCENE};
};

} // namespace

// One module object from the first create to release; it offers "WORLD" exactly, builds
// WORLD objects from definitions and, in the first container, for compiled scenes.
TEST_F(WorldModule, OneModuleObjectOffersWorldAndBuildsItsObjects)
{
    ASSERT_NE(module, nullptr);
    release();
    EXPECT_EQ(module(), nullptr);
    create(&first);
    CMC_ExternObject* world = module();
    ASSERT_NE(world, nullptr);
    create(&second);
    EXPECT_EQ(module(), world);

    CXString** types = world->getImplementedTypes();
    EXPECT_EQ(*types[0], "WORLD");
    EXPECT_EQ(types[1], nullptr);
    EXPECT_TRUE(world->isSupported(CXString("WORLD")));
    EXPECT_FALSE(world->isSupported(CXString("world")));
    EXPECT_FALSE(world->isSupported(CXString("IMAGE")));

    EXPECT_EQ(world->resolve(&second, element("LOWER", "world").get()), nullptr);
    std::unique_ptr<CMC_Object> defined(world->resolve(&second, element("PHYSICS", "WORLD").get()));
    ASSERT_NE(defined, nullptr);
    EXPECT_EQ(defined->getType(), 10003);
    EXPECT_EQ(defined->getName(), "PHYSICS");
    EXPECT_EQ(defined->getScene(), &second);

    // For a compiled scene, in the first container; its record is read afterwards.
    std::unique_ptr<CMC_Object> compiled(world->serialize(10003, nullptr));
    ASSERT_NE(compiled, nullptr);
    EXPECT_EQ(compiled->getScene(), &first);
    EXPECT_EQ(world->serialize(10002, nullptr), nullptr);
    defined.reset();
    compiled.reset();

    release();
    EXPECT_EQ(module(), nullptr);
    release();
    create(&second);
    ASSERT_NE(module(), nullptr);
    EXPECT_EQ(std::unique_ptr<CMC_Object>(module()->serialize(10003, nullptr))->getScene(), &second);
    release();
}
