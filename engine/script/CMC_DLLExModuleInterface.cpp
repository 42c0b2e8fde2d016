#include "script/CMC_DLLExModuleInterface.h"

#include "foundation/CPath.h"
#include "platform/DebugOutput.h"
#include "platform/DynamicLibrary.h"
#include "platform/PathResolver.h"
#include "script/CMC_ExternObject.h"
#include "script/ScriptWindow.h"

#include <string>

namespace {

// A library kept loaded until its holder is deleted.
class CLoadedLibrary : public CXObject {
public:
    explicit CLoadedLibrary(std::unique_ptr<platform::DynamicLibrary> library)
        : library_(std::move(library))
    {
    }

private:
    std::unique_ptr<platform::DynamicLibrary> library_;
};

} // namespace

CMC_DLLExModuleInterface::CMC_DLLExModuleInterface(const CXString& name, CMC_ObjectsContainer* container)
    : name_(name)
{
    std::string error;
    std::unique_ptr<platform::DynamicLibrary> library = platform::DynamicLibrary::open(libraryPath(name), &error);
    if (library == nullptr) {
        report(error);
        return;
    }
    auto create = reinterpret_cast<CMC_ExternObject::Create>(library->symbol(CMC_ExternObject::kCreate));
    auto getModuleInterface =
        reinterpret_cast<CMC_ExternObject::GetModuleInterface>(library->symbol(CMC_ExternObject::kGetModuleInterface));
    auto release = reinterpret_cast<CMC_ExternObject::Release>(library->symbol(CMC_ExternObject::kRelease));
    if (create == nullptr || getModuleInterface == nullptr || release == nullptr) {
        report("it lacks create, getModuleInterface or release");
        return;
    }
    library_ = std::move(library);
    release_ = release;
    create(container);
    interface_ = getModuleInterface();
}

CMC_DLLExModuleInterface::~CMC_DLLExModuleInterface()
{
    detachLibrary();
}

std::unique_ptr<CXObject> CMC_DLLExModuleInterface::detachLibrary()
{
    if (interface_ != nullptr)
        release_();
    interface_ = nullptr;
    release_ = nullptr;
    if (library_ == nullptr)
        return nullptr;
    return std::make_unique<CLoadedLibrary>(std::move(library_));
}

std::string CMC_DLLExModuleInterface::libraryPath(const CXString& name)
{
    std::string file = name.c_str();
    const size_t separator = file.find_last_of("\\/");
    const size_t dot = file.rfind('.');
    if (dot != std::string::npos && (separator == std::string::npos || dot > separator))
        file.erase(dot);
    file += ".so";
    if (!platform::isAbsoluteName(file))
        file = CPath::getFullPath(ScriptWindow::exePath, CXString(file.c_str())).c_str();
    return platform::resolvePath(file);
}

void CMC_DLLExModuleInterface::report(const std::string& reason) const
{
    const std::string line = std::string("Plug-in ") + name_.c_str() + " not loaded: " + reason + "\n";
    platform::debugOutput(line.c_str());
}
