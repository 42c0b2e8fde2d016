#pragma once

#include <memory>
#include <string>

// A shared library loaded into the process by its disk path: symbols are looked up in the
// library itself, and the library is unloaded when the object ends.
namespace platform {

class DynamicLibrary {
public:
    // Null, with the system's reason in error, when the path is no loadable library.
    static std::unique_ptr<DynamicLibrary> open(const std::string& diskPath, std::string* error);

    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    ~DynamicLibrary();

    // The address of a symbol that the library itself defines; none when only one of the
    // libraries it depends on has that name, or nobody has it.
    void* symbol(const char* name) const;

private:
    explicit DynamicLibrary(void* handle);

    void* handle_;
};

} // namespace platform
