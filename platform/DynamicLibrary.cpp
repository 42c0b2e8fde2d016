#include "platform/DynamicLibrary.h"

#include <dlfcn.h>
#include <link.h>

namespace platform {

std::unique_ptr<DynamicLibrary> DynamicLibrary::open(const std::string& diskPath, std::string* error)
{
    dlerror();
    // A name with a slash is opened as it is: the system's search folders are never asked.
    const std::string path = diskPath.find('/') == std::string::npos ? "./" + diskPath : diskPath;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error != nullptr) {
            const char* reason = dlerror();
            *error = reason != nullptr ? reason : "not loadable";
        }
        return nullptr;
    }
    return std::unique_ptr<DynamicLibrary>(new DynamicLibrary(handle));
}

DynamicLibrary::DynamicLibrary(void* handle)
    : handle_(handle)
{
}

DynamicLibrary::~DynamicLibrary()
{
    dlclose(handle_);
}

// dlsym also searches what the library depends on; the symbol's own object must be the
// library, or a library lacking an entry point would borrow someone else's.
void* DynamicLibrary::symbol(const char* name) const
{
    void* address = dlsym(handle_, name);
    if (address == nullptr)
        return nullptr;
    link_map* library = nullptr;
    link_map* owner = nullptr;
    Dl_info info;
    if (dlinfo(handle_, RTLD_DI_LINKMAP, &library) != 0 ||
        dladdr1(address, &info, reinterpret_cast<void**>(&owner), RTLD_DL_LINKMAP) == 0)
        return nullptr;
    return owner == library ? address : nullptr;
}

} // namespace platform
