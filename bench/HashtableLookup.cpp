// Finding script objects by name: the engine's string-keyed hash table, as an object
// container holds it (10001 buckets, load factor 1.0, owning its keys, probed with one
// reused key), against std::unordered_map with the same names.
#include "foundation/CHashtable.h"
#include "foundation/CStringHashCode.h"
#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace {
constexpr int kObjects = 3000;

// Upper-case names in the style of definition files: a type-like prefix and a number.
std::vector<std::string> objectNames(const char* suffix)
{
    const char* prefixes[] = {"ANIMO_", "IMAGE_", "BEH_ON_", "SOUND_", "TEXT_", "BUTTON_"};
    std::vector<std::string> names;
    for (int i = 0; i < kObjects; ++i)
        names.push_back(prefixes[i % 6] + std::to_string(i) + suffix);
    return names;
}

struct Scene {
    std::vector<std::string> names = objectNames("");
    std::vector<std::unique_ptr<CXObject>> objects;
    CHashtable table{10001, 1.0, true};
    std::unordered_map<std::string, CXObject*> map;

    Scene()
    {
        for (const std::string& name : names) {
            objects.push_back(std::make_unique<CXObject>());
            table.put(new CStringHashCode(name.c_str()), objects.back().get());
            map.emplace(name, objects.back().get());
        }
    }
};

Scene& scene()
{
    static Scene instance;
    return instance;
}

void lookUpInHashtable(benchmark::State& state, const std::vector<std::string>& names)
{
    const CHashtable& table = scene().table;
    CStringHashCode key("temp");
    for (auto _ : state)
        for (const std::string& name : names) {
            key.set(name.c_str());
            benchmark::DoNotOptimize(table.get(&key));
        }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
}

void lookUpInUnorderedMap(benchmark::State& state, const std::vector<std::string>& names)
{
    const auto& map = scene().map;
    for (auto _ : state)
        for (const std::string& name : names) {
            const std::string key(name.c_str());
            const auto it = map.find(key);
            benchmark::DoNotOptimize(it == map.end() ? nullptr : it->second);
        }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(names.size()));
}

void BM_HashtableFound(benchmark::State& state)
{
    lookUpInHashtable(state, scene().names);
}

void BM_UnorderedMapFound(benchmark::State& state)
{
    lookUpInUnorderedMap(state, scene().names);
}

// Names a scene does not hold, as when a look-up goes on to the parent container.
void BM_HashtableMissing(benchmark::State& state)
{
    static const std::vector<std::string> missing = objectNames("_X");
    lookUpInHashtable(state, missing);
}

void BM_UnorderedMapMissing(benchmark::State& state)
{
    static const std::vector<std::string> missing = objectNames("_X");
    lookUpInUnorderedMap(state, missing);
}
} // namespace

BENCHMARK(BM_HashtableFound);
BENCHMARK(BM_UnorderedMapFound);
BENCHMARK(BM_HashtableMissing);
BENCHMARK(BM_UnorderedMapMissing);
