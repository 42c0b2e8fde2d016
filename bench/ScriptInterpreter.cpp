// Behaviour code against Lua 5.4 on the same four programs: a counting loop with integer
// arithmetic and a condition, building a text, a method call with a result on a named
// object, and an expression. One iteration is one run of the program plus the frame step
// (the value pools given back, the trash list emptied); for Lua, one call of the compiled
// chunk. Results are compared with Lua's before timing; heap allocations per iteration are
// counted (operator new for the engine, the allocator function for Lua).

#include "foundation/CTextFileReader.h"
#include "script/CMC_Behaviour.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_RunnerFactory.h"
#include "script/CMC_Variable.h"
#include "script/CMC_VariableFactory.h"
#include "script/CMElementsLoader.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}

#include <cstdlib>
#include <memory>
#include <new>
#include <string>

namespace {

long allocations = 0;

} // namespace

// The replaced operators pair malloc with free, which the compiler cannot see through.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* memory = std::malloc(size != 0 ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace {

struct Program {
    const char* name;
    // Behaviour code of the definition below.
    const char* code;
    // The same in Lua, over globals of the same names.
    const char* lua;
    // The values whose texts must agree after a run.
    std::vector<const char*> results;
};

const char* const kValues = "OBJECT=SUM\nSUM:TYPE=INTEGER\n"
                            "OBJECT=TEXT\nTEXT:TYPE=STRING\n"
                            "OBJECT=COUNTER\nCOUNTER:TYPE=INTEGER\n"
                            "OBJECT=LAST\nLAST:TYPE=INTEGER\n"
                            "OBJECT=A\nA:TYPE=INTEGER\nA:VALUE=3\n"
                            "OBJECT=B\nB:TYPE=INTEGER\nB:VALUE=4\n"
                            "OBJECT=C\nC:TYPE=INTEGER\nC:VALUE=5\n"
                            "OBJECT=RESULT\nRESULT:TYPE=INTEGER\n";

const Program kPrograms[] = {
    {"CountingLoop",
     "SUM^SET(0); @LOOP({ @IF(_I_,\">\",499,{ SUM^ADD(_I_); },{ SUM^SUB(1); }); }, 0, 1000, 1);",
     "SUM = 0 for i = 0, 999 do if i > 499 then SUM = SUM + i else SUM = SUM - 1 end end",
     {"SUM"}},
    {"StringBuilding",
     "TEXT^SET(\"\"); @LOOP({ TEXT^ADD(\"ab\"); }, 0, 100, 1);",
     "TEXT = \"\" for i = 0, 99 do TEXT = TEXT .. \"ab\" end",
     {"TEXT"}},
    {"MethodCallWithResult",
     "COUNTER^SET(0); @LOOP({ LAST^SET(COUNTER^ADD(3)); }, 0, 1000, 1);",
     "COUNTER.value = 0 for i = 0, 999 do LAST = COUNTER:add(3) end",
     {"LAST"}},
    {"Expression",
     "@LOOP({ RESULT^SET([A+B*C-_I_]); }, 0, 1000, 1);",
     "for i = 0, 999 do RESULT = (A + B) * C - i end",
     {"RESULT"}},
};

const char* const kLuaSetup = "A = 3 B = 4 C = 5 COUNTER = { value = 0 } "
                              "function COUNTER:add(n) self.value = self.value + n return self.value end";

// The scene that runs the programs as behaviours of a definition text.
class Engine {
public:
    Engine()
    {
        CMC_VariableFactory::initialize();
        CMC_RunnerFactory::initialize();
        CMC_Behaviour::initTrash();
        std::string definition = kValues;
        for (const Program& program : kPrograms)
            definition += std::string("OBJECT=") + program.name + "\n" + program.name + ":TYPE=BEHAVIOUR\n" +
                          program.name + ":CODE={ " + program.code + " }\n";
        auto* reader = new CTextFileReader(nullptr, definition.c_str(), static_cast<int>(definition.size()));
        std::unique_ptr<CMElements> elements(CMElementsLoader::load(nullptr, reader));
        std::unique_ptr<CMElements> leftOver(scene_.resolveObjects(elements.get()));
        for (int i = 0; i < scene_.getObjectsNo(); ++i)
            scene_.getObject(i)->init();
    }
    ~Engine()
    {
        scene_.unload();
        CMC_Behaviour::doneTrash();
        CMC_RunnerFactory::done();
        CMC_VariableFactory::done();
    }
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    void run(const char* program)
    {
        static_cast<CMC_Behaviour*>(scene_.getObject(program))->run(nullptr, nullptr, false);
        CMC_VariableFactory::clearPool();
        CMC_Behaviour::flushTrash();
    }
    std::string text(const char* name) { return scene_.getObject(name)->asVariable()->toString().c_str(); }

private:
    CMC_ObjectsContainer scene_{nullptr, nullptr, CXString("BENCH"), CMC_Object::TYPE_SCENE};
};

long luaAllocations = 0;

void* countingAllocator(void*, void* block, size_t oldSize, size_t newSize)
{
    if (newSize == 0) {
        std::free(block);
        return nullptr;
    }
    if (block == nullptr || newSize > oldSize)
        ++luaAllocations;
    return std::realloc(block, newSize);
}

class Lua {
public:
    explicit Lua(const char* program)
        : state_(lua_newstate(countingAllocator, nullptr))
    {
        luaL_openlibs(state_);
        luaL_dostring(state_, kLuaSetup);
        luaL_loadstring(state_, program);
        chunk_ = luaL_ref(state_, LUA_REGISTRYINDEX);
    }
    ~Lua() { lua_close(state_); }
    Lua(const Lua&) = delete;
    Lua& operator=(const Lua&) = delete;

    void run()
    {
        lua_rawgeti(state_, LUA_REGISTRYINDEX, chunk_);
        lua_pcall(state_, 0, 0, 0);
    }
    std::string text(const char* name)
    {
        lua_getglobal(state_, name);
        std::string value = lua_tostring(state_, -1);
        lua_pop(state_, 1);
        return value;
    }

private:
    lua_State* state_;
    int chunk_ = LUA_NOREF;
};

const Program& programNamed(const std::string& name)
{
    for (const Program& program : kPrograms)
        if (name == program.name)
            return program;
    std::abort();
}

bool sameResults(Engine& engine, Lua& lua, const Program& program, benchmark::State& state)
{
    engine.run(program.name);
    lua.run();
    for (const char* name : program.results) {
        if (engine.text(name) != lua.text(name)) {
            state.SkipWithError((std::string(name) + ": " + engine.text(name) + " is not " + lua.text(name)).c_str());
            return false;
        }
    }
    return true;
}

// Times one side of a program, after checking that both sides agree.
void race(benchmark::State& state, const char* name, bool engineSide)
{
    const Program& program = programNamed(name);
    Engine engine;
    Lua lua(program.lua);
    if (!sameResults(engine, lua, program, state))
        return;
    const long& counted = engineSide ? allocations : luaAllocations;
    const long before = counted;
    for (auto _ : state) {
        if (engineSide)
            engine.run(program.name);
        else
            lua.run();
    }
    state.counters["allocations"] =
        benchmark::Counter(static_cast<double>(counted - before), benchmark::Counter::kAvgIterations);
}

void kestrum(benchmark::State& state, const char* name)
{
    race(state, name, true);
}

void lua(benchmark::State& state, const char* name)
{
    race(state, name, false);
}

} // namespace

BENCHMARK_CAPTURE(kestrum, CountingLoop, "CountingLoop");
BENCHMARK_CAPTURE(lua, CountingLoop, "CountingLoop");
BENCHMARK_CAPTURE(kestrum, StringBuilding, "StringBuilding");
BENCHMARK_CAPTURE(lua, StringBuilding, "StringBuilding");
BENCHMARK_CAPTURE(kestrum, MethodCallWithResult, "MethodCallWithResult");
BENCHMARK_CAPTURE(lua, MethodCallWithResult, "MethodCallWithResult");
BENCHMARK_CAPTURE(kestrum, Expression, "Expression");
BENCHMARK_CAPTURE(lua, Expression, "Expression");
