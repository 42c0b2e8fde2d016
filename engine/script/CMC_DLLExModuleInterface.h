#pragma once

#include "foundation/CXObject.h"
#include "foundation/CXString.h"

#include <memory>

class CMC_ExternObject;
class CMC_ObjectsContainer;

namespace platform {
class DynamicLibrary;
}

// One plug-in library of a scene. A module name such as "World" or "World.dll" names the file
// "World.so" (its extension replaced, or ".so" appended), found in the program's folder
// whatever the letter case of the name; a name with a folder part lies below that folder, an
// absolute one is taken as it is. The current folder is never changed.
//
// A library that does not load, or that lacks one of the three entry points, counts as not
// loaded: the module then has no interface, and the reason goes to the debug output.
class CMC_DLLExModuleInterface : public CXObject {
public:
    // Loads the library, calls its create with the container and takes its interface.
    CMC_DLLExModuleInterface(const CXString& name, CMC_ObjectsContainer* container);
    // Calls the library's release when it gave an interface, then unloads it.
    ~CMC_DLLExModuleInterface() override;
    CMC_DLLExModuleInterface(const CMC_DLLExModuleInterface&) = delete;
    CMC_DLLExModuleInterface& operator=(const CMC_DLLExModuleInterface&) = delete;

    // Calls the library's release now and hands over the loaded library, which is unloaded
    // when the object given back is deleted (none when nothing is loaded); the module is
    // left without interface and library.
    std::unique_ptr<CXObject> detachLibrary();

    // The interface the library gave; none when it gave none or is not loaded.
    CMC_ExternObject* getModuleInterface() const { return interface_; }
    CXString getName() const { return name_; }
    bool isLoaded() const { return library_ != nullptr; }

    // The disk path of a module name's library file (which may not exist).
    static std::string libraryPath(const CXString& name);

private:
    void report(const std::string& reason) const;

    CXString name_;
    CMC_ExternObject* interface_ = nullptr;
    std::unique_ptr<platform::DynamicLibrary> library_;
    void (*release_)() = nullptr;
};
