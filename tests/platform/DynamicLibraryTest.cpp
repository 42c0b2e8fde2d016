#include "platform/DynamicLibrary.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A copy of a test module in a folder of its own, whose log it writes there.
std::string copyOfModule(const TempFolder& folder, const char* name)
{
    std::filesystem::copy_file(std::filesystem::path(KESTRUM_PROBE_MODULES) / name, folder.path() / name);
    return folder.file(name);
}

} // namespace

TEST(DynamicLibraryTest, FindsOnlyTheSymbolsThatTheLibraryItselfDefines)
{
    TempFolder folder;
    std::string error;
    auto library = platform::DynamicLibrary::open(copyOfModule(folder, "ProbeAlpha.so"), &error);
    ASSERT_NE(library, nullptr) << error;
    EXPECT_NE(library->symbol("create"), nullptr);
    EXPECT_NE(library->symbol("release"), nullptr);
    // The C library, which the module depends on, has malloc.
    EXPECT_EQ(library->symbol("malloc"), nullptr);
    EXPECT_EQ(library->symbol("nosuch"), nullptr);

    auto lacking = platform::DynamicLibrary::open(copyOfModule(folder, "ProbeNoRelease.so"), &error);
    ASSERT_NE(lacking, nullptr) << error;
    EXPECT_NE(lacking->symbol("create"), nullptr);
    EXPECT_EQ(lacking->symbol("release"), nullptr);
}

TEST(DynamicLibraryTest, AFileThatIsNoLibraryOrIsMissingGivesTheReason)
{
    TempFolder folder;
    folder.write("Text.so", "not a library\n");
    for (const char* name : {"Text.so", "Missing.so"}) {
        std::string error;
        EXPECT_EQ(platform::DynamicLibrary::open(folder.file(name), &error), nullptr) << name;
        EXPECT_FALSE(error.empty()) << name;
    }
}
