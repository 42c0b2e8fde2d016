// A plug-in module of the tests. It adds one TYPE word, "PROBE", whose objects are served by a
// runner of the module's own, and writes every call the engine makes to "probe.log" beside the
// library file, each line led by the module's label. Built several times over: with
// PROBE_WITHOUT_RELEASE it lacks its release, with PROBE_WITHOUT_INTERFACE it gives no
// interface.

#include "foundation/CXString.h"
#include "script/CMC_ExternObject.h"
#include "script/CMC_Object.h"
#include "script/CMC_ObjectsContainer.h"
#include "script/CMC_Runner.h"
#include "script/CMC_SignalList.h"
#include "script/CMElement.h"

#include <dlfcn.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <type_traits>

namespace {

constexpr int kProbeType = 10002;

void note(const std::string& line)
{
    Dl_info library{};
    dladdr(reinterpret_cast<void*>(&note), &library);
    const std::filesystem::path log = std::filesystem::path(library.dli_fname).parent_path() / "probe.log";
    std::ofstream(log, std::ios::app) << PROBE_LABEL << " " << line << "\n";
}

// PING(...) notes its arguments and gives the module's label.
class ProbeRunner : public CMC_Runner {
public:
    static constexpr int MTH_PING = 1;

    void prepareMthHashSet() override
    {
        CMC_Runner::prepareMthHashSet();
        registerMethod("PING", MTH_PING);
    }

    CMC_Object* run(int id, CMC_Object* object, CMC_ObjectsContainer* scope, CXVector* args) override
    {
        if (id != MTH_PING)
            return CMC_Runner::run(id, object, scope, args);
        std::string texts;
        for (int i = 0; i < argumentCount(args); ++i)
            texts += std::string(i > 0 ? "," : "") + parameterText(args, i).c_str();
        note("PING(" + texts + ")");
        return giveString(CXString(PROBE_LABEL));
    }
};

ProbeRunner runner;

class Probe : public CMC_Object {
public:
    Probe(CMC_ObjectsContainer* container, CMElement* element)
        : CMC_Object(container, element, kProbeType)
    {
        initializeBehaviours(container, element);
        note("build " + std::string(getName().c_str()));
    }
    Probe()
        : CMC_Object(CXString(), kProbeType)
    {
        note("build");
    }
    ~Probe() override { note("delete " + std::string(getName().c_str())); }

    const CMC_SignalList* getBehavioursList() override
    {
        static const CMC_SignalList signals{"ONINIT", "ONDONE", "ONSIGNAL"};
        return &signals;
    }
    CMC_Runner* getRunner() override { return &runner; }
};

class ProbeModule : public CMC_ExternObject {
public:
    CXString** getImplementedTypes() override { return types_; }
    bool isSupported(const CXString& type) override { return type == word_; }
    CMC_Object* resolve(CMC_ObjectsContainer* container, CMElement* element) override
    {
        return isSupported(element->getPropertyValue("TYPE")) ? new Probe(container, element) : nullptr;
    }
    CMC_Object* serialize(int typeId, CXArchive*) override { return typeId == kProbeType ? new Probe() : nullptr; }

private:
    CXString word_{"PROBE"};
    CXString* types_[2] = {&word_, nullptr};
};

ProbeModule module;

// Its destructor runs when the library is unloaded.
struct UnloadNote {
    ~UnloadNote() { note("unload"); }
} unloadNote;

} // namespace

extern "C" void create(CMC_ObjectsContainer* container)
{
    note("create " + std::string(container->getName().c_str()));
    runner.prepareMthHashSet();
}

extern "C" CMC_ExternObject* getModuleInterface()
{
    note("interface");
#ifdef PROBE_WITHOUT_INTERFACE
    return nullptr;
#else
    return &module;
#endif
}

#ifndef PROBE_WITHOUT_RELEASE
extern "C" void release()
{
    note("release");
}
#endif

static_assert(std::is_same_v<decltype(&create), CMC_ExternObject::Create>);
static_assert(std::is_same_v<decltype(&getModuleInterface), CMC_ExternObject::GetModuleInterface>);
