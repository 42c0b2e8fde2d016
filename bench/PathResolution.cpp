// Resolving the names a scene opens, written the Windows way, in a data folder of 5,000
// files: 1,000 names spelled as on disk against the same names in another letter case.
#include "platform/PathResolver.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {
constexpr int kFiles = 5000;
constexpr int kNamesLookedUp = 1000;

std::string fileName(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "obraz%04d.img", number);
    return name;
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return text;
}

// "dane/Scena01" holding the files, made the current folder's data tree.
struct DataFolder {
    std::filesystem::path root;
    std::vector<std::string> exactNames;
    std::vector<std::string> wrongCaseNames;

    DataFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrum-bench-XXXXXX").string();
        root = ::mkdtemp(pattern.data());
        const std::filesystem::path scene = root / "dane" / "Scena01";
        std::filesystem::create_directories(scene);
        for (int i = 0; i < kFiles; ++i)
            std::ofstream(scene / fileName(i)) << "x";
        platform::changeFolder(root.string());
        for (int i = 0; i < kNamesLookedUp; ++i) {
            const std::string name = fileName(i * (kFiles / kNamesLookedUp));
            exactNames.push_back("dane\\Scena01\\" + name);
            wrongCaseNames.push_back("DANE\\SCENA01\\" + upper(name));
        }
    }

    ~DataFolder() { std::filesystem::remove_all(root); }
};

DataFolder& dataFolder()
{
    static DataFolder folder;
    return folder;
}

void resolveAll(benchmark::State& state, const std::vector<std::string>& names)
{
    for (auto _ : state)
        for (const std::string& name : names)
            benchmark::DoNotOptimize(platform::resolvePath(name));
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
}

void BM_ResolveExactNames(benchmark::State& state)
{
    resolveAll(state, dataFolder().exactNames);
}

void BM_ResolveWrongCaseNames(benchmark::State& state)
{
    resolveAll(state, dataFolder().wrongCaseNames);
}
} // namespace

BENCHMARK(BM_ResolveExactNames)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResolveWrongCaseNames)->Unit(benchmark::kMillisecond);
